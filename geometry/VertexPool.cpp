#include "VertexPool.h"

#include "FileException.h"
#include "PageMemory.h"

#include <cstdlib>
#include <mutex>
#include <new>

namespace {

constexpr std::size_t kAlign = alignof(std::max_align_t);

constexpr std::size_t RoundUp(std::size_t n, std::size_t nTo = kAlign) {
    return (n + nTo - 1) / nTo * nTo;
}

// Blocks are cut one after another from the current region; a region goes back to the system
// when the last of its blocks is released. A region holds a few dozen blocks of the largest
// size, so what a half-used region keeps is small against a drawing that needed it.
constexpr std::size_t kRegionBytes = 2 * kPageRun;
// Large pages once the regions hold this much: a drawing of a few polylines stays in a few
// small pages, and one of millions of vertices loses at most a large page's rest.
constexpr std::size_t kLargePagesFrom = kRegionBytes;

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TREVANO_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(TREVANO_ASAN)
// AddressSanitizer watches the bounds of what malloc gives, not of blocks cut from pages.
constexpr bool kFromPages = false;
#else
constexpr bool kFromPages = true;
#endif

} // namespace

struct CVertexPool::Region {
    std::size_t nBytes;
    std::size_t nUsed; // bytes cut, this header included
    std::size_t nLive; // blocks not yet released
};

namespace {

class RegionSource {
public:
    // nBytes of a region, and the region they were cut from (null when malloc gave them).
    void* Cut(std::size_t nBytes, CVertexPool::Region*& pRegion) {
        if (!kFromPages) {
            pRegion = nullptr;
            return std::malloc(nBytes);
        }
        const std::lock_guard<std::mutex> lock(m_mutex);
        CVertexPool::Region* r = m_pCurrent;
        if (!r || r->nBytes - r->nUsed < nBytes) {
            const std::size_t nHeader = RoundUp(sizeof(CVertexPool::Region));
            const std::size_t nRegion = RoundUp(nHeader + nBytes, kRegionBytes);
            void* p = AllocatePages(nRegion, m_nRegionBytes >= kLargePagesFrom);
            if (!p) return nullptr;
            m_nRegionBytes += nRegion;
            r = new (p) CVertexPool::Region{nRegion, nHeader, 0};
            if (m_pCurrent && m_pCurrent->nLive == 0) Free(m_pCurrent);
            m_pCurrent = r;
        }
        void* pBlock = reinterpret_cast<char*>(r) + r->nUsed;
        r->nUsed += RoundUp(nBytes);
        ++r->nLive;
        pRegion = r;
        return pBlock;
    }

    void Release(void* pBlock, CVertexPool::Region* r) {
        if (!r) {
            std::free(pBlock);
            return;
        }
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (--r->nLive > 0) return;
        if (r == m_pCurrent) // emptied: cut again from its start
            r->nUsed = RoundUp(sizeof(CVertexPool::Region));
        else
            Free(r);
    }

private:
    void Free(CVertexPool::Region* r) {
        m_nRegionBytes -= r->nBytes;
        FreePages(r, r->nBytes);
    }

    std::mutex m_mutex; // pools may live on more than one thread
    CVertexPool::Region* m_pCurrent = nullptr;
    std::size_t m_nRegionBytes = 0; // of the regions taken and not given back
};

RegionSource& Regions() {
    static RegionSource* pSource = new RegionSource; // outlives every pool, static ones too
    return *pSource;
}

} // namespace

CVertexPool::~CVertexPool() {
    while (m_pBlocks) {
        Block* p = m_pBlocks;
        m_pBlocks = p->pNext;
        Regions().Release(p, p->pRegion);
    }
}

void* CVertexPool::Allocate(std::size_t nSize) {
    if (m_pFree) {
        FreeSlot* p = m_pFree;
        m_pFree = p->pNext;
        return p;
    }
    std::size_t nSlot = nSize < sizeof(FreeSlot) ? sizeof(FreeSlot) : nSize;
    if (!m_pBlocks || m_nUsedInHead == m_pBlocks->nSlots) {
        std::size_t nSlots = m_nNextSlots;
        Region* pRegion = nullptr;
        void* pRaw = Regions().Cut(RoundUp(sizeof(Block)) + nSlots * nSlot, pRegion);
        if (!pRaw) AfxThrowMemoryException();
        m_pBlocks = new (pRaw) Block{m_pBlocks, pRegion, nSlots};
        m_nUsedInHead = 0;
        if (m_nNextSlots < 4096) m_nNextSlots *= 2;
    }
    char* pBase = reinterpret_cast<char*>(m_pBlocks) + RoundUp(sizeof(Block));
    return pBase + nSlot * m_nUsedInHead++;
}

void CVertexPool::Release(void* p) {
    m_pFree = new (p) FreeSlot{m_pFree};
}
