// Installing a CE installation cabinet as the phone does. Everything is read
// and checked first (the cabinet, its control file, every file it names, the
// setup DLL), so a damaged package changes nothing. Then: a package of the
// same name already installed is removed (its Uninstall_Init may refuse),
// Install_Init of the new setup DLL (which may cancel), the folders, files
// and shortcuts, the record and the kept DLL, and Install_Exit (which may ask
// for the install to be undone).
#ifndef QUELLOR_PHONE_WCELOAD_PACKAGE_INSTALL_H
#define QUELLOR_PHONE_WCELOAD_PACKAGE_INSTALL_H

#include <string>

namespace wceload {

// True when the package at desktop path cabinet is installed whole; stderr
// says what went wrong otherwise.
bool InstallPackage(const std::wstring &cabinet);

}  // namespace wceload

#endif
