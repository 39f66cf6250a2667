// The benchmarks run with the allocator set as the programs set it.
#include "platform/memory_policy.h"

namespace {

const bool kAllocatorSet = (celvaro::keepFreedMemoryForReuse(), true);

}  // namespace
