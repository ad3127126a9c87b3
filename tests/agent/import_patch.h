// For its lifetime, this program's import of one function goes to another:
// the way to make a system call fail on purpose in code that calls it
// directly.
#ifndef QUELLOR_TESTS_AGENT_IMPORT_PATCH_H
#define QUELLOR_TESTS_AGENT_IMPORT_PATCH_H

namespace agent_test {

class ImportPatch {
public:
    // dll as the import table names it ("kernel32.dll", any case).
    ImportPatch(const char *dll, const char *function, void *replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch &) = delete;
    ImportPatch &operator=(const ImportPatch &) = delete;

    bool Applied() const { return slot_ != nullptr; }

private:
    void **slot_ = nullptr;
    void *original_ = nullptr;
};

}  // namespace agent_test

#endif
