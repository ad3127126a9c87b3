// Overwrites a password (typed, read from the registry, or held) once it is
// no longer needed, so it does not linger in freed memory or on the stack.
#ifndef QUELLOR_COMMON_SECRET_WIPE_H
#define QUELLOR_COMMON_SECRET_WIPE_H

#include <cstddef>

// Zeroes bytes bytes at secret. The writes go through a volatile pointer: a
// plain memset of a buffer that is about to die is a dead store the compiler
// may drop, and the device has no SecureZeroMemory.
void WipeSecret(void *secret, std::size_t bytes);

#endif
