// The in-memory model of a loaded drawing: a list of polylines, each a chain of vertices.
// Positions are 1-based; a position out of range is not an error (see each operation).
#pragma once

#include "Matrix.h"
#include "VertexPool.h"

#include <vector>

class CVertex {
public:
    CVertex() = default;
    virtual ~CVertex() = default;
    CVertex(const CVertex&) = delete;
    CVertex& operator=(const CVertex&) = delete;

    CVector3 m_Point;
    CVector3 m_Aux; // carried from copy to copy, read by nobody else
    CVertex* m_pNext = nullptr;
};

class CPolyline {
public:
    CPolyline() = default;
    virtual ~CPolyline();
    CPolyline(const CPolyline&) = delete;
    CPolyline& operator=(const CPolyline&) = delete;

    INT32 GetCount() const { return m_nCount; }
    // The n-th vertex, or null outside 1..GetCount.
    CVertex* GetVertex(INT32 n);
    void AppendVertex();
    void AddPoint(const CVector3& v);
    void AddVertex(const CVector3& point, const CVector3& aux);
    // Appends copies of the source's vertices, both vectors of each. The source must not be
    // this polyline.
    void AppendCopyOf(CPolyline& source);
    void RemoveAt(INT32 n);

    INT32 m_nCount = 0;
    CVertex* m_pFirst = nullptr;

private:
    // The chain has no link backwards and no end pointer of its own; these two shortcuts make
    // an append and a pass over positions 1, 2, 3... cost one step each instead of a walk.
    CVertex* NewVertexAtEnd();
    CVertex* m_pLast = nullptr;
    INT32 m_nCursor = 0; // position of m_pCursor, 0 when unset
    CVertex* m_pCursor = nullptr;
    CVertexPool m_pool;
};

struct CPolylineNode {
    CPolyline m_polyline;
    CPolylineNode* m_pNext = nullptr;
    CPolylineNode* m_pPrev = nullptr;
};

class CPolylineList {
public:
    CPolylineList() = default;
    virtual ~CPolylineList();
    CPolylineList(const CPolylineList&) = delete;
    CPolylineList& operator=(const CPolylineList&) = delete;

    INT32 GetCount() const { return m_nCount; }
    // Moves the cursor to position i and returns its polyline; outside 1..GetCount the cursor
    // stays and its polyline is returned, null on an empty list.
    CPolyline* GetAt(INT32 i);
    // Appends an empty polyline and puts the cursor on it.
    void AddNew();
    // Moves every polyline of the other list, in its order, to the end of this one; the other
    // ends empty. No polyline is copied; the cursor ends on the last one.
    void TakeOver(CPolylineList& other);
    // 1 when the polyline at i was removed, 0 when i is out of range.
    int RemoveAt(INT32 i);
    // 1 when something was removed, 0 on an empty list.
    int RemoveAll();

    // Relinks the nodes so that position k holds the polyline that stood at order[k - 1]; the
    // order names every position 1..GetCount once. No polyline is copied; the cursor ends on
    // the last one.
    void Reorder(const std::vector<INT32>& order);

    INT32 m_nCurrent = 0;
    CPolylineNode* m_pCurrent = nullptr;
    INT32 m_nCount = 0;

private:
    void MoveCursorTo(INT32 i);
    std::vector<CPolylineNode*> Nodes() const; // in list order
    void Relink(const std::vector<CPolylineNode*>& nodes, const std::vector<INT32>& order);
    // Both ends, so that the first and last positions are one step from anywhere.
    CPolylineNode* m_pHead = nullptr;
    CPolylineNode* m_pTail = nullptr;
};
