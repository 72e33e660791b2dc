#include "VertexPool.h"

#include "FileException.h"

#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kAlign = alignof(std::max_align_t);

constexpr std::size_t RoundUp(std::size_t n) {
    return (n + kAlign - 1) / kAlign * kAlign;
}

} // namespace

CVertexPool::~CVertexPool() {
    while (m_pBlocks) {
        Block* p = m_pBlocks;
        m_pBlocks = p->pNext;
        std::free(p);
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
        void* pRaw = std::malloc(RoundUp(sizeof(Block)) + nSlots * nSlot);
        if (!pRaw) AfxThrowMemoryException();
        Block* pBlock = static_cast<Block*>(pRaw);
        pBlock->pNext = m_pBlocks;
        pBlock->nSlots = nSlots;
        m_pBlocks = pBlock;
        m_nUsedInHead = 0;
        if (m_nNextSlots < 4096) m_nNextSlots *= 2;
    }
    char* pBase = reinterpret_cast<char*>(m_pBlocks) + RoundUp(sizeof(Block));
    return pBase + nSlot * m_nUsedInHead++;
}

void CVertexPool::Release(void* p) {
    m_pFree = new (p) FreeSlot{m_pFree};
}
