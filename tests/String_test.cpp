#include "String.h"

#include "TestSupport.h"

#include <climits>
#include <gtest/gtest.h>

TEST(String, FindReturnsFirstOccurrenceFromStart) {
    CString s("  0\r\nVERTEX\r\n  0\r\nVERTEX\r\n");
    EXPECT_EQ(s.Find("VERTEX"), 5);
    EXPECT_EQ(s.Find("VERTEX", 5), 5);
    EXPECT_EQ(s.Find("VERTEX", 6), 18);
    EXPECT_EQ(s.Find("SEQEND"), -1);
}

TEST(String, FindCharacterFromStart) {
    CString s("a\nb\nc");
    EXPECT_EQ(s.Find('\n'), 1);
    EXPECT_EQ(s.Find('\n', 2), 3);
    EXPECT_EQ(s.Find('\n', 4), -1);
}

TEST(String, FindWithStartBeyondLengthIsMinusOne) {
    CString s("abc");
    EXPECT_EQ(s.Find("c", 4), -1);
    EXPECT_EQ(s.Find('c', 4), -1);
    EXPECT_EQ(s.Find("", 4), -1);
    EXPECT_EQ(s.Find("c", INT_MAX), -1);
}

TEST(String, FindWithStartAtLengthFindsOnlyTheEmptyString) {
    CString s("abc");
    EXPECT_EQ(s.Find("c", 3), -1);
    EXPECT_EQ(s.Find("", 3), 3);
}

TEST(String, FindWithNegativeStartSearchesFromTheBeginning) {
    CString s("abc");
    EXPECT_EQ(s.Find("a", -5), 0);
}

TEST(String, FindSeesBytesAfterAnEmbeddedZero) {
    CString s(std::string_view("ab\0cd", 5));
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_EQ(s.Find("cd"), 3);
}

TEST(String, LeftTakesTheFirstCharacters) {
    CString s("POLYLINE");
    EXPECT_EQ(s.Left(4), "POLY");
    EXPECT_EQ(s.Left(0), "");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(8), "POLYLINE");
    EXPECT_EQ(s.Left(100), "POLYLINE");
}

TEST(String, ConcatenationOfCharactersAndStrings) {
    CString s;
    s += 'a';
    s += "bc";
    s += CString("de");
    EXPECT_EQ(s, "abcde");
    EXPECT_EQ(s + 'f', "abcdef");
    EXPECT_EQ(s + "fg", "abcdefg");
    EXPECT_EQ("x" + s, "xabcde");
    EXPECT_EQ(s + CString("!"), "abcde!");
    EXPECT_EQ(s, "abcde");
}

TEST(String, ConcatenationKeepsZeroBytes) {
    CString s("a");
    s += '\0';
    s += 'b';
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s.Str(), std::string("a\0b", 3));
}

TEST(String, NullPointerMakesAnEmptyString) {
    CString s(static_cast<const char*>(nullptr));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(s.GetString(), "");
}

TEST(String, FormatSignedIntegers) {
    CString s;
    s.Format("%i|%d|%ld|%i", 42, -7, -2147483648L, INT_MIN);
    EXPECT_EQ(s, "42|-7|-2147483648|-2147483648");
    s.Format("%i", 0);
    EXPECT_EQ(s, "0");
}

TEST(String, FormatUnsigned) {
    CString s;
    s.Format("%u %lu", 4294967295u, 7ul);
    EXPECT_EQ(s, "4294967295 7");
}

TEST(String, FormatExponentHasThreeExponentDigits) {
    CString s;
    s.Format("%e,%e,%e", 1250.0, -37.5, 0.125);
    EXPECT_EQ(s, "1.250000e+003,-3.750000e+001,1.250000e-001");
}

TEST(String, FormatStringsAndPercent) {
    CString s;
    s.Format("%s: 100%% %s", "File DXF", "ok");
    EXPECT_EQ(s, "File DXF: 100% ok");
}

TEST(String, FormatReplacesEarlierContents) {
    CString s("old text");
    s.Format("%i", 5);
    EXPECT_EQ(s, "5");
}

TEST(String, FormatCopiesUnknownConversionsAsTheyStand) {
    CString s;
    s.Format("%5d|%x|%", 3);
    EXPECT_EQ(s, "%5d|%x|%");
}

TEST(String, FormatIsTheSameUnderTheItalianLocale) {
    ItalianNumbers italian;
    CString s;
    s.Format("Spezzata di  %i punti\n%e,%e", 1234567, 1250.0, -0.5);
    EXPECT_EQ(s, "Spezzata di  1234567 punti\n1.250000e+003,-5.000000e-001");
}

TEST(String, FormatMessageReplacesEveryPercentOne) {
    CString s;
    s.FormatMessage1("%1 non trovato.", "/tmp/a.dxf");
    EXPECT_EQ(s, "/tmp/a.dxf non trovato.");
    s.FormatMessage1("%1 e %1", "x");
    EXPECT_EQ(s, "x e x");
}

TEST(String, FormatMessageLeavesOtherPercentSignsAlone) {
    CString s;
    s.FormatMessage1("%2 %% %1%", "a");
    EXPECT_EQ(s, "%2 %% a%");
}

TEST(String, FormatMessageDoesNotRescanTheArgument) {
    CString s;
    s.FormatMessage1("<%1>", "%1");
    EXPECT_EQ(s, "<%1>");
}

TEST(String, AppendNumberForms) {
    CString s("n=");
    s.AppendInteger(-12);
    s += ' ';
    s.AppendExponent(0.0);
    EXPECT_EQ(s, "n=-12 0.000000e+000");
}
