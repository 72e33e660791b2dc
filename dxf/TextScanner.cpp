#include "TextScanner.h"

#include "NumberText.h"

int CTextScanner::Reset() {
    m_nPos = 0;
    return m_pText ? m_pText->GetLength() : 0;
}

int CTextScanner::ReadField(CString& field) {
    field.Empty();
    const INT32 nLength = m_pText ? m_pText->GetLength() : 0;
    if (m_nPos >= 0 && m_nPos < nLength) {
        const char* p = m_pText->GetString();
        INT32 nEnd = m_nPos;
        while (nEnd < nLength && p[nEnd] != '\t' && p[nEnd] != '\r')
            ++nEnd;
        field = CString(p + m_nPos, nEnd - m_nPos);
        m_nPos = nEnd;
        if (m_nPos < nLength && p[m_nPos] == '\r') ++m_nPos;
    }
    if (m_nPos < INT32_MAX) ++m_nPos; // passes over the LF after a CR, or over a TAB
    return field.GetLength();
}

int CTextScanner::ReadNumber(double& value) {
    CString field;
    int nLength = ReadField(field);
    value = nLength ? AtoF(field.View()) : 0.0;
    return nLength;
}
