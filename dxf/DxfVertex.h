// What one VERTEX record gives: its position and its integer codes 70 to 74.
#pragma once

#include "Matrix.h"

struct CDxfVertex {
    CVector3 m_Point; // codes 10, 20, 30
    INT32 m_n71 = 0;
    INT32 m_n72 = 0;
    INT32 m_n73 = 0;
    INT32 m_n74 = 0;
    INT32 m_nFlags = 0; // code 70
};
