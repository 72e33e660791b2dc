#include "PageMemory.h"

#include <cstdint>
#include <sys/mman.h>

void* AllocatePages(std::size_t nBytes, bool bLargePages) {
    if (!bLargePages) {
        void* p = mmap(nullptr, nBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return p == MAP_FAILED ? nullptr : p;
    }
    // The system aligns to its small pages only: map one run more and cut the ends off.
    const std::size_t nMapped = nBytes + kPageRun;
    void* p = mmap(nullptr, nMapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    const auto nAddress = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t nAligned = (nAddress + kPageRun - 1) & ~(kPageRun - 1);
    if (nAligned > nAddress) munmap(p, nAligned - nAddress);
    const std::size_t nTail = nMapped - (nAligned - nAddress) - nBytes;
    if (nTail > 0) munmap(reinterpret_cast<char*>(nAligned) + nBytes, nTail);
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void*>(nAligned), nBytes, MADV_HUGEPAGE); // advice: may be refused
#endif
    return reinterpret_cast<void*>(nAligned);
}

void FreePages(void* p, std::size_t nBytes) {
    if (p) munmap(p, nBytes);
}
