// The programs are built without exceptions. The C++ library would otherwise
// bring its exception and demangling machinery along for operator new and
// for the few containers used (about 160 KB); here allocation goes straight
// to the process heap and the library's throw points end the program. Both
// platforms take the same allocator, so running out of memory ends either
// program the same way.
#include <windows.h>

#include <cstddef>
#include <new>

namespace {
void OutOfMemory() {
    ExitProcess(ERROR_OUTOFMEMORY);
}

void *Allocate(std::size_t size) {
    return HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
}
}  // namespace

void *operator new(std::size_t size) {
    void *p = Allocate(size);
    if (!p) OutOfMemory();
    return p;
}
void *operator new[](std::size_t size) {
    return operator new(size);
}
void *operator new(std::size_t size, const std::nothrow_t &) throw() {
    return Allocate(size);
}
void *operator new[](std::size_t size, const std::nothrow_t &) throw() {
    return Allocate(size);
}
void operator delete(void *p) throw() {
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete[](void *p) throw() {
    operator delete(p);
}

// The throw points of libstdc++ (the desktop's mingw-w64 and the CE GCC
// toolchain) that the containers reach; other libraries have their own.
#ifdef __GLIBCXX__
namespace std {
void __throw_length_error(const char *) {
    OutOfMemory();
}
void __throw_bad_alloc() {
    OutOfMemory();
}
void __throw_bad_array_new_length() {
    OutOfMemory();
}
}  // namespace std
#endif
