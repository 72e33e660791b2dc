#include "WindowText.h"

#include <cstring>

bool CWindowText::ZeroFreeBefore(size_t nEnd) {
    if (m_nZero != npos) return nEnd <= m_nZero;
    if (nEnd <= m_nChecked) return true;
    const void* pZero = std::memchr(m_raw.data() + m_nChecked, 0, nEnd - m_nChecked);
    if (pZero) {
        m_nZero = static_cast<size_t>(static_cast<const char*>(pZero) - m_raw.data());
        return false;
    }
    m_nChecked = nEnd;
    return true;
}

size_t CWindowText::Find(std::string_view key, size_t nFrom, size_t nLimit) {
    const std::string_view raw = nLimit < m_raw.size() ? m_raw.substr(0, nLimit) : m_raw;
    const size_t i = raw.find(key, nFrom);
    // A zero byte before the end of the first match cuts the text before it, and with it
    // every later match.
    if (i == npos || !ZeroFreeBefore(i + key.size())) return npos;
    return i;
}

size_t CWindowText::Size() {
    ZeroFreeBefore(m_raw.size());
    return m_nZero != npos ? m_nZero : m_raw.size();
}
