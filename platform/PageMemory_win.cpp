#include "PageMemory.h"

#include <windows.h>

// Windows gives large pages only to accounts holding a privilege that users do not have:
// ordinary committed pages, aligned to 64 KiB, serve.
void* AllocatePages(std::size_t nBytes, bool) {
    return VirtualAlloc(nullptr, nBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreePages(void* p, std::size_t) {
    if (p) VirtualFree(p, 0, MEM_RELEASE);
}
