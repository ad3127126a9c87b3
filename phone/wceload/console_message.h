// What the installer tells its caller: one line on stderr each, in UTF-8 when
// stderr is a file or a pipe (the names it gives may be Russian).
#ifndef QUELLOR_PHONE_WCELOAD_CONSOLE_MESSAGE_H
#define QUELLOR_PHONE_WCELOAD_CONSOLE_MESSAGE_H

#include <string>

namespace wceload {

void Say(const std::wstring &line);

}  // namespace wceload

#endif
