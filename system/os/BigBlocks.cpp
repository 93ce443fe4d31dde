#include "system/os/BigBlocks.h"

#include <malloc.h>

namespace sys {

void GiveBigBlocksPagesOfTheirOwn() { mallopt(M_MMAP_THRESHOLD, static_cast<int>(kBigBlockBytes)); }

}  // namespace sys
