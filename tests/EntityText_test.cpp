#include "EntityText.h"

#include <gtest/gtest.h>

namespace {

std::string Normalised(const std::string& text, int nKeyword = 0) {
    return CEntityText(text.data(), static_cast<int>(text.size()), nKeyword).Text().Str();
}

} // namespace

TEST(EntityText, TextAlreadyInFormStaysByteForByte) {
    const std::string text =
        "POLYLINE\r\n  8\r\n0\r\n 66\r\n     1\r\n 70\r\n     8\r\n210\r\n1.0\r\n"
        "1001\r\nAPP\r\n  0\r\n";
    EXPECT_EQ(Normalised(text), text);
    const std::string vertex = "\nVERTEX\r\n  8\r\n0\r\n 10\r\n1.5\r\n  0\r\n";
    EXPECT_EQ(Normalised(vertex, 1), vertex);
}

TEST(EntityText, LineFeedEndsBecomeCrLf) {
    EXPECT_EQ(Normalised("\nVERTEX\n 10\n1.5\n  0\n", 1), "\nVERTEX\r\n 10\r\n1.5\r\n  0\r\n");
}

TEST(EntityText, MixedLineEndsBecomeCrLf) {
    EXPECT_EQ(Normalised("VERTEX\r\n 10\n1.5\r\n 20\n2.5\n"),
              "VERTEX\r\n 10\r\n1.5\r\n 20\r\n2.5\r\n");
}

TEST(EntityText, CodesAreRightAlignedInThreeCharacters) {
    // As bjnortier's, dxf-parser's and libredwg's writers put them.
    EXPECT_EQ(Normalised("VERTEX\n10\n1\n 8\nL\n  70\n32\n 210 \n0\n"),
              "VERTEX\r\n 10\r\n1\r\n  8\r\nL\r\n 70\r\n32\r\n210\r\n0\r\n");
}

TEST(EntityText, ValueLinesKeepTheirBytes) {
    // "10" and "  70" here are values (layer names), not codes: they sit on value lines.
    EXPECT_EQ(Normalised("VERTEX\n  8\n10\n  6\n  70\n"), "VERTEX\r\n  8\r\n10\r\n  6\r\n  70\r\n");
}

TEST(EntityText, LongCodesAndOddLinesAreLeftAsWritten) {
    EXPECT_EQ(Normalised("VERTEX\n1001\nAPP\nxx\n1\n"), "VERTEX\r\n1001\r\nAPP\r\nxx\r\n1\r\n");
}

TEST(EntityText, LastLineWithoutEndStaysWithoutEnd) {
    EXPECT_EQ(Normalised("VERTEX\n 10\n1.2"), "VERTEX\r\n 10\r\n1.2");
}

TEST(EntityText, GroupCodeIsFoundAtItsKey) {
    const std::string text = "VERTEX\r\n  8\r\n0\r\n 10\r\n1.5\r\n 20\r\n2.5\r\n 10\r\n9\r\n";
    CEntityText entity(text.data(), static_cast<int>(text.size()), 0);
    EXPECT_EQ(entity.FindGroupCode(" 10"), 15); // the first occurrence, at the LF before it
    EXPECT_EQ(entity.FindGroupCode(" 20"), 25);
    EXPECT_EQ(entity.FindGroupCode(" 30"), -1);
    EXPECT_EQ(entity.FindGroupCode("  8"), 7); // a code outside the indexed set
}

TEST(EntityText, ValueThatSpellsAKeyIsFoundAsTheKeyIs) {
    // Codes written as AutoCAD writes them are looked up exactly as a plain search of
    // LF, code, CR finds them: a value line " 10" counts.
    const std::string text = "VERTEX\r\n  8\r\n 10\r\n 10\r\n7\r\n";
    CEntityText entity(text.data(), static_cast<int>(text.size()), 0);
    EXPECT_EQ(entity.FindGroupCode(" 10"), 12);
}
