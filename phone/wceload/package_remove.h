// Removing an installed package as the phone does: its setup DLL's
// Uninstall_Init (which may refuse), then what the record lists (shortcuts,
// files, the folders the install made when they are empty), the record and
// the kept DLL, then Uninstall_Exit. Nothing it did not record is touched,
// the programs' own settings among them.
#ifndef QUELLOR_PHONE_WCELOAD_PACKAGE_REMOVE_H
#define QUELLOR_PHONE_WCELOAD_PACKAGE_REMOVE_H

#include "package_record.h"

#include <string>

namespace wceload {

enum class Removal { kRemoved, kNotInstalled, kCancelled, kIncomplete };

// Says on stderr what went wrong, if anything.
Removal RemovePackage(const std::wstring &package);

// The shortcuts, files and folders of record removed, without asking the
// setup DLL; returns how many could not be, each said.
int DeleteInstalled(const PackageRecord &record);
// Deletes the file at CE path; true when it is gone, also when it never was.
bool DeletePhoneFile(const std::wstring &cePath);

}  // namespace wceload

#endif
