#include "TextScanner.h"

#include "NumberText.h"

int CTextScanner::Reset() {
    m_nPos = 0;
    return static_cast<int>(m_text.size());
}

std::string_view CTextScanner::NextField() {
    std::string_view field;
    const INT32 nLength = static_cast<INT32>(m_text.size());
    if (m_nPos >= 0 && m_nPos < nLength) {
        const char* p = m_text.data();
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

namespace {

// A number holds no TAB or CR: where it does not start with white space, which atof passes over
// and which may hide a separator, it is read from the rest of the text.
bool ReadableInPlace(std::string_view text, INT32 nPos) {
    if (nPos < 0 || static_cast<size_t>(nPos) >= text.size()) return false;
    const char c = text[static_cast<size_t>(nPos)];
    return c != ' ' && (c < '\t' || c > '\r');
}

} // namespace

int CTextScanner::ReadNumber(double& value) {
    // The field's end is looked for from where the number ends, mostly right there.
    if (ReadableInPlace(m_text, m_nPos)) {
        size_t nUsed = 0;
        value = AtoF(m_text.substr(static_cast<size_t>(m_nPos)), nUsed);
        m_nPos += static_cast<INT32>(nUsed);
        return static_cast<int>(nUsed + NextField().size());
    }
    const std::string_view field = NextField();
    value = field.empty() ? 0.0 : AtoF(field);
    return static_cast<int>(field.size());
}

double CTextScanner::NumberAt(INT32 nPos) {
    if (ReadableInPlace(m_text, nPos)) return AtoF(m_text.substr(static_cast<size_t>(nPos)));
    m_nPos = nPos;
    double value = 0.0;
    ReadNumber(value);
    return value;
}

int CTextScanner::SkipField() {
    return static_cast<int>(NextField().size());
}
