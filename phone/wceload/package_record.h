// The installer's record of an installed package, kept where the phone keeps
// it (HKLM\Software\Apps\<Provider> <AppName>): enough to remove everything
// it put on the phone, and nothing else.
#ifndef QUELLOR_PHONE_WCELOAD_PACKAGE_RECORD_H
#define QUELLOR_PHONE_WCELOAD_PACKAGE_RECORD_H

#include <string>
#include <vector>

namespace wceload {

// Every path is a CE path.
struct PackageRecord {
    bool installed = false;  // false while an install is under way, or when it failed
    std::wstring installDir;
    std::vector<std::wstring> files;
    std::vector<std::wstring> shortcuts;
    std::vector<std::wstring> folders;  // made by the install, outer ones first
    std::wstring setupDll;              // the kept copy; empty without one
};

// A name the record can have: a key name of its own, under the Apps key.
bool PackageNameUsable(const std::wstring &package);
// False when the package has no record.
bool ReadRecord(const std::wstring &package, PackageRecord *record);
bool WriteRecord(const std::wstring &package, const PackageRecord &record);
bool DeleteRecord(const std::wstring &package);

}  // namespace wceload

#endif
