#include "TextScanner.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Fields(const CString& text, int nCount) {
    CTextScanner scanner;
    scanner.Attach(&text);
    scanner.Reset();
    std::vector<std::string> out;
    for (int i = 0; i < nCount; ++i) {
        CString field;
        scanner.ReadField(field);
        out.push_back(field.Str());
    }
    return out;
}

} // namespace

TEST(TextScanner, FieldsEndAtCrLfAndTab) {
    EXPECT_EQ(Fields("a\r\nbc\td\r\n", 4), (std::vector<std::string>{"a", "bc", "d", ""}));
}

TEST(TextScanner, LineFeedIsNotASeparator) {
    // A field that starts at a line feed keeps it; LF alone never ends a field.
    EXPECT_EQ(Fields("\n 10\r\n1.5\nx\r\n", 3), (std::vector<std::string>{"\n 10", "1.5\nx", ""}));
}

TEST(TextScanner, FieldStartingAtSeparatorIsEmpty) {
    EXPECT_EQ(Fields("\tx\r\n\r\ny", 4), (std::vector<std::string>{"", "x", "", "y"}));
}

TEST(TextScanner, PastTheEndFieldsAreEmptyAndPositionKeepsGrowing) {
    CString text = "ab";
    CTextScanner scanner;
    scanner.Attach(&text);
    EXPECT_EQ(scanner.Reset(), 2);
    CString field;
    EXPECT_EQ(scanner.ReadField(field), 2);
    EXPECT_EQ(scanner.m_nPos, 3);
    EXPECT_EQ(scanner.ReadField(field), 0);
    EXPECT_EQ(scanner.m_nPos, 4);
    EXPECT_EQ(scanner.ReadField(field), 0);
    EXPECT_EQ(scanner.m_nPos, 5);
}

TEST(TextScanner, ReadNumberSkipsTheLineFeedOfACodeKey) {
    CString text = "\n 70\r\n    16\r\n";
    CTextScanner scanner;
    scanner.Attach(&text);
    scanner.Reset();
    double code = 0, value = 0;
    EXPECT_EQ(scanner.ReadNumber(code), 4);
    EXPECT_EQ(scanner.ReadNumber(value), 6);
    EXPECT_EQ(code, 70.0);
    EXPECT_EQ(value, 16.0);
    EXPECT_EQ(scanner.ReadNumber(value), 0);
    EXPECT_EQ(value, 0.0);
}
