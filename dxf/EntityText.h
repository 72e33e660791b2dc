// The text of one entity as cut from the file, put into the one form the group-code lookup
// understands: every line ended by CR LF, every group-code line three characters wide with the
// number right-aligned (" 10", "210").
//
// Real writers differ: LF-only files, codes written "10", " 8" or "  70". Code lines are told
// from value lines by their place: from the entity keyword's line, which holds a value, lines
// alternate code and value. Value lines keep their bytes; a text already in the form stays as
// it is, byte for byte.
#pragma once

#include "String.h"

class CEntityText {
public:
    // Takes the cut text; nKeyword is the index of the entity keyword that opens it.
    CEntityText(const char* pText, int nLength, int nKeyword);

    const CString& Text() const { return m_text; }
    // Index of the first occurrence of the key LF, code, CR, or -1; the code is given as its
    // three-character line (" 10").
    int FindGroupCode(const char* pszCode) const;

private:
    // Notes the key whose LF stands at index k of p, if a key stands there.
    void NoteKey(const char* p, int nLength, int k);
    void IndexKeys();

    CString m_text;
    // First key index of each code the reader asks for, found in one pass over the text.
    static constexpr const char* kIndexedCodes[] = {" 10", " 20", " 30", " 70", " 71",
                                                    " 72", " 73", " 74", "210"};
    static constexpr int kIndexed = static_cast<int>(std::size(kIndexedCodes));
    int m_anFirstKey[kIndexed];
};
