// A drawing read the way DXF defines it: a stream of (group code, value) pairs, a code line
// then a value line. Apart from the windowed reader of the load, whose reading is fixed; this
// one serves what the converter says about a drawing and what it reads beyond the dialog.
//
// How far input is trusted: not at all. Lines end in LF or CR LF, mixed as they come; a code
// line may be padded with spaces on either side ("10", " 10", "  10 "); a value may be of any
// length, of which the first megabyte is kept. A code line that is not an integer, or a file that
// ends between a code and its value, ends the stream, and Cut() says so: a binary DXF ends it at
// its first line. The file is read through CFile's buffer, in memory that does not grow with it.
#pragma once

#include "File.h"

#include <string>
#include <string_view>

// The value without the spaces and tabs that pad it on either side.
std::string_view Trimmed(std::string_view value);

class CTagReader {
public:
    // Reads from the file's current position on.
    explicit CTagReader(CFile& file) : m_file(file) {}

    // The next pair; false at the end of the file or where the stream breaks.
    bool Next();
    int Code() const { return m_nCode; }
    // The value line without its line end; valid until the next call of Next.
    std::string_view Value() const { return m_value; }
    // Where the value line starts in the file.
    ULONGLONG ValueOffset() const { return m_nValueOffset; }
    // True when the stream ended on a line that is not a group code, or inside a pair.
    bool Cut() const { return m_bCut; }

private:
    // The next line without its line end, and where it starts; false at the end of the file.
    // Of a line longer than nKeep bytes the first nKeep are given and m_bOverLong is set; with
    // bStop the reading stops there, else it goes on to the line's end.
    bool ReadLine(std::string_view& line, ULONGLONG& nOffset, size_t nKeep, bool bStop);
    // Takes the code of a code line in any form; false, the stream ended, where it holds none.
    bool ReadCode(std::string_view codeLine);

    CFile& m_file;
    const char* m_pChunk = nullptr; // the part of CFile's buffer being read
    UINT m_nChunk = 0;
    UINT m_nNext = 0;             // the next unread byte of the chunk
    ULONGLONG m_nChunkOffset = 0; // where the chunk starts in the file
    std::string m_longLine;       // a line that runs over the end of a chunk
    int m_nCode = 0;
    std::string_view m_value;
    ULONGLONG m_nValueOffset = 0;
    bool m_bCut = false;
    bool m_bOverLong = false; // the line just read was longer than was kept
    bool m_bEnded = false;
};
