// Storage for the vertices of one polyline, taken from the system in blocks.
//
// A large drawing holds millions of vertices; one allocation each would cost a header per
// vertex and a call per append. Blocks grow by doubling, so a polyline of n vertices wastes
// less than n slots and makes about log2(n) allocations. The blocks of all polylines are cut
// from regions of whole pages (PageMemory.h), so that a drawing of hundreds of megabytes is
// not held up by a page fault every 4 KiB.
#pragma once

#include "Types.h"

#include <cstddef>

class CVertexPool {
public:
    CVertexPool() = default;
    CVertexPool(const CVertexPool&) = delete;
    CVertexPool& operator=(const CVertexPool&) = delete;
    ~CVertexPool();

    // Raw storage for one object of nSize bytes (always the same size for one pool); throws
    // CMemoryException when the system has none.
    void* Allocate(std::size_t nSize);
    // Gives back storage of an object already destroyed.
    void Release(void* p);

    struct Region; // of the pages the blocks are cut from

private:
    struct Block {
        Block* pNext;
        Region* pRegion;
        std::size_t nSlots;
    };
    struct FreeSlot {
        FreeSlot* pNext;
    };
    Block* m_pBlocks = nullptr;
    FreeSlot* m_pFree = nullptr;
    std::size_t m_nUsedInHead = 0; // slots handed out of m_pBlocks, the newest block
    std::size_t m_nNextSlots = 8;
};
