// A folder of the installer's own for what it unpacks, removed with what is in
// it when the installer is done.
#ifndef QUELLOR_PHONE_WCELOAD_TEMP_FOLDER_H
#define QUELLOR_PHONE_WCELOAD_TEMP_FOLDER_H

#include <string>

namespace wceload {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    // Its desktop path; empty when it could not be made.
    const std::wstring &Path() const { return path_; }

private:
    std::wstring path_;
};

}  // namespace wceload

#endif
