// Starting the phone's other programs, which all live in one folder.
#ifndef QUELLOR_PHONE_PROGRAM_LAUNCH_H
#define QUELLOR_PHONE_PROGRAM_LAUNCH_H

namespace phone {

// Starts exeName from this program's folder without waiting for it. A program
// that is not installed is skipped silently: the result is false and nothing
// is shown to the user.
bool StartSibling(const wchar_t *exeName);

}  // namespace phone

#endif
