#include "system/os/Random.h"

#include <cerrno>
#include <cstdint>
#include <sys/random.h>

namespace sys {

bool RandomBytes(void* out, size_t count) {
  auto* next = static_cast<uint8_t*>(out);
  while (count > 0) {
    ssize_t got = getrandom(next, count, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    next += got;
    count -= static_cast<size_t>(got);
  }
  return true;
}

}  // namespace sys
