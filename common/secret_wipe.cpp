#include "secret_wipe.h"

void WipeSecret(void *secret, std::size_t bytes) {
    volatile unsigned char *byte = static_cast<volatile unsigned char *>(secret);
    for (std::size_t i = 0; i < bytes; ++i) byte[i] = 0;
}
