#include "TagReader.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Every pair as "code=value;" with the offset of each value, and whether the stream was cut.
std::string Tags(const std::string& bytes, std::string* pOffsets = nullptr) {
    ScratchDir dir;
    WriteWholeFile(dir.File("t.dxf"), bytes);
    CFile file;
    EXPECT_TRUE(file.Open(dir.File("t.dxf").c_str(), CFile::modeRead));
    CTagReader tags(file);
    std::string out;
    while (tags.Next()) {
        out += std::to_string(tags.Code()) + "=" + std::string(tags.Value()) + ";";
        if (pOffsets) *pOffsets += std::to_string(tags.ValueOffset()) + " ";
    }
    return out + (tags.Cut() ? "cut" : "end");
}

} // namespace

TEST(TagReader, PairsOfAnyLineEndPaddingAndLengthWithTheirOffsets) {
    const struct {
        const char* pszBytes;
        const char* pszTags;
    } kCases[] = {
        {"  0\r\nSECTION\r\n  2\r\nENTITIES\r\n", "0=SECTION;2=ENTITIES;end"},
        {"0\nLINE\n8\nA B \n", "0=LINE;8=A B ;end"},                     // LF, value padding kept
        {" 10\r\n1.5\n20 \n\r\n  1071\r\n-2", "10=1.5;20=;1071=-2;end"}, // mixed; last line
        {"-1\nX\n", "-1=X;end"},
        {"  8\nA\n 10\nB\n210\nC\n 8 \nD\n-10\nE\n", "8=A;10=B;210=C;8=D;-10=E;end"}, // 3 wide
        {"  8\nA\n1 0\nB\n", "8=A;cut"}, // three characters, and no code
        {"", "end"},
        {"  0\r\nEOF\r\n\r\n", "0=EOF;end"},            // a blank last line ends it
        {"  0\r\nLINE\r\n 10", "0=LINE;cut"},           // the value is missing
        {"  0\r\nLINE\r\n1O\r\n1.0\r\n", "0=LINE;cut"}, // a code that is no number
        {"AutoCAD Binary DXF\r\n\x1a", "cut"},
        {"  0\r\nLINE\r\n\r\n\r\n  0\r\nEOF\r\n", "0=LINE;cut"},
        {"  0\nLINE\n 10                                                                 \n1\n",
         "0=LINE;cut"}, // no code line is this long
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszBytes);
        EXPECT_EQ(Tags(c.pszBytes), c.pszTags);
    }
    // Lines that straddle the reader's 64 KiB chunks, and a value far longer than a chunk.
    const std::string spaces(65528, ' '), longValue(200000, 'v');
    std::string offsets;
    EXPECT_EQ(Tags("1\n" + spaces + "\n5\n" + longValue + "\r\n  8\nLAYER\n", &offsets),
              "1=" + spaces + ";5=" + longValue + ";8=LAYER;end");
    EXPECT_EQ(offsets, "2 65533 265539 ");
    // Of a value longer than a megabyte the first megabyte is kept, and the stream goes on.
    EXPECT_EQ(Tags("1\n" + std::string((1 << 20) + 5, 'v') + "\n2\nx\n"),
              "1=" + std::string(1 << 20, 'v') + ";2=x;end");
}
