// How the process's allocator keeps the memory it frees.
#pragma once

namespace celvaro {

// Freed memory stays with the process for the next chart: blocks up to
// 32 MB come from the heap rather than each from a mapping of its own, and
// up to 64 MB freed at the heap's top are kept. The allocator's own
// settings map a block the size of the last one freed afresh and hand
// memory back after each free, so that every export of a large chart
// faulted all its pages in again. Called first thing in a program's main.
void keepFreedMemoryForReuse();

}  // namespace celvaro
