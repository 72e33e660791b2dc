// The text of one entity as cut from the file, put into the one form the group-code lookup
// understands: every line ended by CR LF, every group-code line three characters wide with the
// number right-aligned (" 10", "210").
//
// Real writers differ: LF-only files, codes written "10", " 8" or "  70". Code lines are told
// from value lines by their place: from the entity keyword's line, which holds a value, lines
// alternate code and value. Value lines keep their bytes; a text already in the form stays as
// it is, byte for byte.
#pragma once

#include <iterator>
#include <string>
#include <string_view>

class CEntityText {
public:
    // Takes the cut text; nKeyword is the index of the entity keyword that opens it. A text
    // already in form is not copied: it must outlive this object.
    CEntityText(const char* pText, int nLength, int nKeyword);
    CEntityText(const CEntityText&) = delete;
    CEntityText& operator=(const CEntityText&) = delete;

    std::string_view Text() const { return m_text; }
    // Index of the first occurrence of the key LF, code, CR, or -1; the code is given as its
    // three-character line (" 10").
    int FindGroupCode(const char* pszCode) const {
        // Every indexed code is three characters; a shorter one stops before its terminator.
        const bool bThree = pszCode[0] && pszCode[1] && pszCode[2] && !pszCode[3];
        if (const int c = bThree ? IndexedSlot(pszCode) : -1; c >= 0) return m_anFirstKey[c];
        return FindUnindexed(pszCode);
    }

private:
    // Notes the keys of the lines from i on, the text being in form up to there; false at the
    // first line that is not in form.
    bool IndexInForm(const char* p, size_t n, size_t i);
    // Makes the text in form from the keyword's line on, and notes its keys.
    void Rewrite(const char* p, size_t n, size_t nLineStart);
    // Notes the key whose LF stands at index k of p, if a key stands there.
    void NoteKey(const char* p, size_t nLength, size_t k) {
        if (k + 4 >= nLength || p[k] != '\n' || p[k + 4] != '\r') return;
        const int c = IndexedSlot(p + k + 1);
        if (c >= 0 && m_anFirstKey[c] < 0) m_anFirstKey[c] = static_cast<int>(k);
    }
    int FindUnindexed(const char* pszCode) const;

    // Which of the indexed codes the three characters at p spell, as its place in
    // kIndexedCodes, or -1: every line of every entity is asked, so this is a few comparisons,
    // not a search.
    static constexpr int IndexedSlot(const char* p) {
        if (p[0] == '2') return p[1] == '1' && p[2] == '0' ? 8 : -1;
        if (p[0] != ' ') return -1;
        if (p[2] == '0') {
            switch (p[1]) {
            case '1':
                return 0;
            case '2':
                return 1;
            case '3':
                return 2;
            case '7':
                return 3;
            }
            return -1;
        }
        return p[1] == '7' && p[2] >= '1' && p[2] <= '4' ? 4 + (p[2] - '1') : -1;
    }

    std::string m_rewritten; // the text, where it was not in form already
    std::string_view m_text;
    // First key index of each code the reader asks for, found in one pass over the text.
    static constexpr const char* kIndexedCodes[] = {" 10", " 20", " 30", " 70", " 71",
                                                    " 72", " 73", " 74", "210"};
    static constexpr int kIndexed = static_cast<int>(std::size(kIndexedCodes));
    int m_anFirstKey[kIndexed];
};
