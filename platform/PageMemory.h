// Memory taken from the system by whole pages, for stores that fill hundreds of megabytes.
//
// The first touch of every page of fresh memory costs a fault in the kernel; at 4 KiB a page,
// the vertices of a large drawing took a fifth of its load in faults alone. Where the system
// has large pages (Linux's transparent huge pages, asked for with madvise) the memory is asked
// for in them: a fault then serves 2 MiB.
#pragma once

#include <cstddef>

// A large page of Linux; AllocatePages is best asked for multiples of it.
constexpr std::size_t kPageRun = std::size_t(2) << 20;

// nBytes of zeroed memory; null when the system has no memory left. With bLargePages, in large
// pages where the system has them, aligned to kPageRun: the last large page touched is resident
// whole, so they are for a store already large enough that up to 2 MiB more does not matter.
void* AllocatePages(std::size_t nBytes, bool bLargePages);
// Gives back what AllocatePages gave, with the same size.
void FreePages(void* p, std::size_t nBytes);
