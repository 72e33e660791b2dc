// The text of a chunk or window read from a drawing: its bytes up to the first zero byte.
//
// Finding that zero byte means looking at every byte of the window, most of which the reader
// never needs: a 1000-byte window serves a vertex of under a hundred. The searches here look
// for the zero byte only as far as the match they return reaches, and give the results a
// search of the cut text would give.
#pragma once

#include <cstddef>
#include <string_view>

class CWindowText {
public:
    static constexpr size_t npos = std::string_view::npos;

    CWindowText(const char* p, size_t nRead) : m_raw(p, nRead) {}

    // The first occurrence of key in the text at or after nFrom that ends at or before nLimit,
    // as an index from the text's start; npos when there is none.
    size_t Find(std::string_view key, size_t nFrom = 0, size_t nLimit = npos);
    // The length of the text.
    size_t Size();
    const char* Data() const { return m_raw.data(); }

private:
    // True when no zero byte lies before nEnd.
    bool ZeroFreeBefore(size_t nEnd);

    std::string_view m_raw;
    size_t m_nChecked = 0; // no zero byte lies before this index
    size_t m_nZero = npos; // the first zero byte, once found
};
