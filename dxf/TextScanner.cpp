#include "TextScanner.h"

#include "NumberText.h"

int CTextScanner::Reset() {
    m_nPos = 0;
    return m_pText ? m_pText->GetLength() : 0;
}

std::string_view CTextScanner::NextField() {
    std::string_view field;
    const INT32 nLength = m_pText ? m_pText->GetLength() : 0;
    if (m_nPos >= 0 && m_nPos < nLength) {
        const char* p = m_pText->GetString();
        INT32 nEnd = m_nPos;
        while (nEnd < nLength && p[nEnd] != '\t' && p[nEnd] != '\r')
            ++nEnd;
        field = std::string_view(p + m_nPos, static_cast<size_t>(nEnd - m_nPos));
        m_nPos = nEnd;
        if (m_nPos < nLength && p[m_nPos] == '\r') ++m_nPos;
    }
    if (m_nPos < INT32_MAX) ++m_nPos; // passes over the LF after a CR, or over a TAB
    return field;
}

int CTextScanner::ReadField(CString& field) {
    field = CString(NextField());
    return field.GetLength();
}

int CTextScanner::ReadNumber(double& value) {
    const std::string_view field = NextField();
    value = field.empty() ? 0.0 : AtoF(field);
    return static_cast<int>(field.size());
}

int CTextScanner::SkipField() {
    return static_cast<int>(NextField().size());
}
