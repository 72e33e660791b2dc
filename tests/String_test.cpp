#include "String.h"

#include <climits>
#include <gtest/gtest.h>

TEST(String, FindLeftConcatenationFormatAndFormatMessage) {
    const CString s("VERTEX\nVERTEX");
    EXPECT_EQ(s.Find("VERTEX", 1), 7);
    EXPECT_EQ(s.Find("V", -5), 0);
    EXPECT_EQ(s.Find("", 13), 13);
    EXPECT_EQ(s.Find('V', 1), 7);
    EXPECT_EQ(CString(std::string_view("ab\0cd", 5)).Find("cd"), 3);
    const CString t = CString("POLYLINE").Left(4) + '\0' + "LINE";
    EXPECT_EQ(t.Str(), std::string("POLY\0LINE", 9));
    EXPECT_EQ(t.Left(-1), "");
    EXPECT_EQ("x" + CString("y") + CString(static_cast<const char*>(nullptr)), "xy");
    CString f("earlier contents");
    f.Format("%i|%d|%ld|%u|%lu|%s|%e|100%%|%5d|%x|%", 42, INT_MIN, -7L, 4294967295u, 7ul, "ok",
             1250.0);
    f.AppendInteger(-12);
    f.AppendExponent(0.0);
    EXPECT_EQ(f, "42|-2147483648|-7|4294967295|7|ok|1.250000e+003|100%|%5d|%x|%-120.000000e+000");
    f.FormatMessage1("%1 e %1, %2 %% %1%", "x");
    EXPECT_EQ(f, "x e x, %2 %% x%");
    f.FormatMessage1("<%1>", "%1");
    EXPECT_EQ(f, "<%1>");
}
