#include "platform/memory_policy.h"

#include <malloc.h>

namespace celvaro {

void keepFreedMemoryForReuse() {
  constexpr int kLargestHeapBlock = 32 << 20, kKeptFreeMemory = 64 << 20;
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
}

}  // namespace celvaro
