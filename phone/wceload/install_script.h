// The control file of a CE installation cabinet (its ".000" file), read into
// what the installer does with it: where every file goes, and the shortcuts.
// The file comes from anywhere: everything it says is checked here, so a
// damaged one is refused before anything on the phone changes.
//
// Its text is 8-bit; a Russian phone reads it in its code page, 1251. The
// package's install directory (%InstallDir%, where base-0 shortcuts go) is
// the first directory of its DIRS section. Registry entries (REGKEYS) are not
// supported: a package with any is refused.
#ifndef QUELLOR_PHONE_WCELOAD_INSTALL_SCRIPT_H
#define QUELLOR_PHONE_WCELOAD_INSTALL_SCRIPT_H

#include <string>
#include <vector>

namespace wceload {

struct ScriptFile {
    int number;           // the cabinet's file with this numeric extension
    std::wstring folder;  // CE path
    std::wstring name;
};

struct ScriptLink {
    std::wstring file;    // CE path of the .lnk
    std::wstring target;  // CE path of the file or folder it opens
};

struct InstallScript {
    std::wstring appName;
    std::wstring provider;
    std::wstring installDir;            // CE path; empty when there are no folders
    std::vector<std::wstring> folders;  // CE paths, in the DIRS section's order
    std::vector<ScriptFile> files;
    std::vector<ScriptLink> links;
    // The name the phone knows the package by.
    std::wstring PackageName() const { return provider + L" " + appName; }
};

// False for a damaged or unsupported control file, *problem saying what is
// wrong with it.
bool ReadInstallScript(const std::vector<unsigned char> &bytes, InstallScript *script,
                       std::wstring *problem);

}  // namespace wceload

#endif
