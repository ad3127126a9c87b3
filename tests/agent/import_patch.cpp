#include "import_patch.h"

#include <windows.h>

#include <cstring>

namespace agent_test {
namespace {

void Store(void **slot, void *value) {
    DWORD was = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was)) return;
    *slot = value;
    VirtualProtect(slot, sizeof *slot, was, &was);
}

// The import address table entry of dll!function in this program, or null.
void **FindSlot(const char *dll, const char *function) {
    auto *base = reinterpret_cast<BYTE *>(GetModuleHandleW(nullptr));
    auto *dos = reinterpret_cast<IMAGE_DOS_HEADER *>(base);
    auto *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return nullptr;
    for (auto *d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
         d->Name; ++d) {
        if (_stricmp(reinterpret_cast<const char *>(base + d->Name), dll) != 0) continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(byName->Name), function) == 0)
                return reinterpret_cast<void **>(&slots->u1.Function);
        }
    }
    return nullptr;
}

}  // namespace

ImportPatch::ImportPatch(const char *dll, const char *function, void *replacement)
    : slot_(FindSlot(dll, function)) {
    if (!slot_) return;
    original_ = *slot_;
    Store(slot_, replacement);
}

ImportPatch::~ImportPatch() {
    if (slot_) Store(slot_, original_);
}

}  // namespace agent_test
