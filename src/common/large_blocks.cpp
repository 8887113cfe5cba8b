#include "common/large_blocks.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace ixo {

void ReturnLargeBlocksToSystem() {
#if defined(M_MMAP_THRESHOLD)
    constexpr int kLargeBlock = 256 * 1024; // bytes; setting it fixes the limit (no dynamic raising)
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
#endif
}

} // namespace ixo
