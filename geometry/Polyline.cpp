#include "Polyline.h"

#include "FileException.h"

#include <cstdlib>
#include <new>
#include <vector>

CPolyline::~CPolyline() {
    CVertex* p = m_pFirst;
    while (p) {
        CVertex* pNext = p->m_pNext;
        p->~CVertex();
        p = pNext;
    }
}

CVertex* CPolyline::GetVertex(INT32 n) {
    if (n < 1 || n > m_nCount) return nullptr;
    if (n == m_nCount) return m_pLast;
    if (m_nCursor == 0 || n < m_nCursor) {
        m_nCursor = 1;
        m_pCursor = m_pFirst;
    }
    while (m_nCursor < n) {
        m_pCursor = m_pCursor->m_pNext;
        ++m_nCursor;
    }
    return m_pCursor;
}

CVertex* CPolyline::NewVertexAtEnd() {
    CVertex* pVertex = new (m_pool.Allocate(sizeof(CVertex))) CVertex;
    if (m_nCount == 0)
        m_pFirst = pVertex;
    else
        m_pLast->m_pNext = pVertex;
    m_pLast = pVertex;
    ++m_nCount;
    return pVertex;
}

void CPolyline::AppendVertex() {
    NewVertexAtEnd();
}

void CPolyline::AddPoint(const CVector3& v) {
    NewVertexAtEnd()->m_Point.CopyFrom(v);
}

void CPolyline::AddVertex(const CVector3& point, const CVector3& aux) {
    CVertex* pVertex = NewVertexAtEnd();
    pVertex->m_Point.CopyFrom(point);
    pVertex->m_Aux.CopyFrom(aux);
}

void CPolyline::AppendCopyOf(CPolyline& source) {
    if (&source == this) return; // would never end: the count grows with every copy
    for (CVertex* p = source.m_pFirst; p; p = p->m_pNext)
        AddVertex(p->m_Point, p->m_Aux);
}

void CPolyline::RemoveAt(INT32 n) {
    if (n < 1 || n > m_nCount) return;
    CVertex* pVictim;
    if (n == 1) {
        pVictim = m_pFirst;
        m_pFirst = pVictim->m_pNext;
        if (m_pLast == pVictim) m_pLast = nullptr;
    } else {
        CVertex* pBefore = GetVertex(n - 1);
        pVictim = pBefore->m_pNext;
        pBefore->m_pNext = pVictim->m_pNext;
        if (m_pLast == pVictim) m_pLast = pBefore;
    }
    --m_nCount;
    m_nCursor = 0;
    pVictim->~CVertex();
    m_pool.Release(pVictim);
}

CPolylineList::~CPolylineList() {
    RemoveAll();
}

void CPolylineList::MoveCursorTo(INT32 i) {
    // Start from whichever known node is nearest: the head, the cursor or the tail.
    if (i - 1 < std::abs(i - m_nCurrent)) {
        m_pCurrent = m_pHead;
        m_nCurrent = 1;
    } else if (m_nCount - i < std::abs(i - m_nCurrent)) {
        m_pCurrent = m_pTail;
        m_nCurrent = m_nCount;
    }
    while (i < m_nCurrent) {
        m_pCurrent = m_pCurrent->m_pPrev;
        --m_nCurrent;
    }
    while (i > m_nCurrent) {
        m_pCurrent = m_pCurrent->m_pNext;
        ++m_nCurrent;
    }
}

CPolyline* CPolylineList::GetAt(INT32 i) {
    if (i >= 1 && i <= m_nCount) MoveCursorTo(i);
    return m_pCurrent ? &m_pCurrent->m_polyline : nullptr;
}

void CPolylineList::AddNew() {
    CPolylineNode* pNode;
    try {
        pNode = new CPolylineNode;
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
    if (m_nCount == 0) {
        m_pHead = pNode;
    } else {
        pNode->m_pPrev = m_pTail;
        m_pTail->m_pNext = pNode;
    }
    m_pTail = m_pCurrent = pNode;
    m_nCurrent = ++m_nCount;
}

void CPolylineList::TakeOver(CPolylineList& other) {
    if (other.m_nCount == 0) return;
    if (m_nCount == 0) {
        m_pHead = other.m_pHead;
    } else {
        m_pTail->m_pNext = other.m_pHead;
        other.m_pHead->m_pPrev = m_pTail;
    }
    m_pTail = m_pCurrent = other.m_pTail;
    m_nCount += other.m_nCount;
    m_nCurrent = m_nCount;
    other.m_pHead = other.m_pTail = other.m_pCurrent = nullptr;
    other.m_nCount = other.m_nCurrent = 0;
}

int CPolylineList::RemoveAt(INT32 i) {
    if (i < 1 || i > m_nCount) return 0;
    if (m_nCount == 1) return RemoveAll();
    MoveCursorTo(i);
    CPolylineNode* pVictim = m_pCurrent;
    if (pVictim->m_pPrev)
        pVictim->m_pPrev->m_pNext = pVictim->m_pNext;
    else
        m_pHead = pVictim->m_pNext;
    if (pVictim->m_pNext) {
        pVictim->m_pNext->m_pPrev = pVictim->m_pPrev;
        m_pCurrent = pVictim->m_pNext;
    } else {
        m_pTail = pVictim->m_pPrev;
        m_pCurrent = pVictim->m_pPrev;
        m_nCurrent = i - 1;
    }
    --m_nCount;
    delete pVictim;
    return 1;
}

int CPolylineList::RemoveAll() {
    if (m_nCount == 0) return 0;
    CPolylineNode* p = m_pHead;
    while (p) {
        CPolylineNode* pNext = p->m_pNext;
        delete p;
        p = pNext;
    }
    m_pHead = m_pTail = m_pCurrent = nullptr;
    m_nCount = m_nCurrent = 0;
    return 1;
}

void CPolylineList::Reorder(const std::vector<INT32>& order) {
    Relink(Nodes(), order);
}

std::vector<CPolylineNode*> CPolylineList::Nodes() const {
    std::vector<CPolylineNode*> nodes;
    try {
        nodes.reserve(static_cast<size_t>(m_nCount));
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
    for (CPolylineNode* p = m_pHead; p; p = p->m_pNext)
        nodes.push_back(p);
    return nodes;
}

void CPolylineList::Relink(const std::vector<CPolylineNode*>& nodes,
                           const std::vector<INT32>& order) {
    if (nodes.empty()) return;
    CPolylineNode* pPrev = nullptr;
    for (INT32 i : order) {
        CPolylineNode* p = nodes[static_cast<size_t>(i - 1)];
        p->m_pPrev = pPrev;
        p->m_pNext = nullptr;
        if (pPrev) pPrev->m_pNext = p;
        pPrev = p;
    }
    m_pHead = nodes[static_cast<size_t>(order.front() - 1)];
    m_pTail = m_pCurrent = pPrev;
    m_nCurrent = m_nCount;
}
