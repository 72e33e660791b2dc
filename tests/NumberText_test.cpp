#include "NumberText.h"

#include "TestSupport.h"

#include <cfloat>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Same value and same sign bit, so that -0.0 and 0.0 differ.
bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct ParseCase {
    const char* text;
    double expected;
};

const ParseCase kParseCases[] = {
    {"12.5", 12.5},
    {"  \t\n\r\v\f-3.25", -3.25},
    {"\n 10", 10.0},
    {"+7", 7.0},
    {"-0", -0.0},
    {".5", 0.5},
    {"5.", 5.0},
    {"1e3", 1000.0},
    {"1E3", 1000.0},
    {"2.5e-2", 0.025},
    {"1e+2x", 100.0},
    {"1e", 1.0},
    {"1e+", 1.0},
    {"1e-", 1.0},
    {"1ex", 1.0},
    {"1.5.3", 1.5},
    {"12abc", 12.0},
    {"3,75", 3.0},
    {"1 2", 1.0},
    {"", 0.0},
    {"   ", 0.0},
    {".", 0.0},
    {"-", 0.0},
    {"+.", 0.0},
    {"e5", 0.0},
    {"abc", 0.0},
    {"--2", 0.0},
    {"+-2", 0.0},
    {"- 2", 0.0},
    {"0x10", 0.0},
    {"inf", 0.0},
    {"-infinity", 0.0},
    {"nan", 0.0},
    {"NAN(1)", 0.0},
    {"1e400", kInf},
    {"-1e400", -kInf},
    {"1e-400", 0.0},
    {"-1e-400", -0.0},
    {"0e999999999999", 0.0},
    {"0.0000000000000000000000000000000000000001e-300", 0.0},
};

void ExpectParseCases() {
    for (const ParseCase& c : kParseCases) {
        double got = AtoF(c.text);
        EXPECT_TRUE(SameBits(got, c.expected))
            << '"' << c.text << "\" gave " << got << ", expected " << c.expected;
    }
}

struct FormatCase {
    double value;
    const char* expected;
};

const FormatCase kFormatCases[] = {
    {0.0, "0.000000e+000"},
    {-0.0, "-0.000000e+000"},
    {0.1, "1.000000e-001"},
    {1e-7, "1.000000e-007"},
    {1e+120, "1.000000e+120"},
    {1250.0, "1.250000e+003"},
    {-37.5, "-3.750000e+001"},
    {0.125, "1.250000e-001"},
    {1.0, "1.000000e+000"},
    {123456789.0, "1.234568e+008"},
    {9.9999995, "9.999999e+000"},
    {9.9999996, "1.000000e+001"},
    {DBL_MAX, "1.797693e+308"},
    {DBL_MIN, "2.225074e-308"},
    {std::numeric_limits<double>::denorm_min(), "4.940656e-324"},
    {kInf, "1.#INF00e+000"},
    {-kInf, "-1.#INF00e+000"},
    {std::numeric_limits<double>::quiet_NaN(), "1.#QNAN0e+000"},
};

void ExpectFormatCases() {
    for (const FormatCase& c : kFormatCases)
        EXPECT_EQ(FormatExponent(c.value), c.expected) << "for " << c.expected;
}

// glibc's "%e" with its two-digit exponent widened to three.
std::string GlibcExponent(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%e", value);
    std::string s(buf);
    const size_t e = s.find('e'), nDigits = s.size() - (e + 2);
    return nDigits >= 3 ? s : s.substr(0, e + 2) + std::string(3 - nDigits, '0') + s.substr(e + 2);
}

} // namespace

TEST(NumberText, AtoFFollowsTheGrammarOfAtof) {
    ExpectParseCases();
}

TEST(NumberText, AtoFIgnoresTheItalianLocale) {
    ItalianNumbers italian;
    ExpectParseCases();
    EXPECT_EQ(AtoF("1,5"), 1.0);
}

TEST(NumberText, AtoFReadsASubnormalAsStrtodDoes) {
    double got = AtoF("4e-320");
    EXPECT_TRUE(SameBits(got, std::strtod("4e-320", nullptr)));
    EXPECT_GT(got, 0.0);
    EXPECT_LT(got, DBL_MIN);
    EXPECT_TRUE(
        SameBits(AtoF("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min()));
}

TEST(NumberText, AtoFStopsAtTheEndOfTheView) {
    std::string_view text("12345", 2);
    EXPECT_EQ(AtoF(text), 12.0);
    EXPECT_EQ(AtoF(std::string_view("1e5", 2)), 1.0);
}

// Broke: a mantissa of hundreds of digits that overflows without help from the exponent read
// as 0, because the decimal exponent of its first digit was taken from the leading zeros.
TEST(NumberText, AtoFOverflowsOnLongMantissas) {
    std::string digits = "1" + std::string(400, '0');
    EXPECT_EQ(AtoF(digits), kInf);
    EXPECT_EQ(AtoF("-" + digits), -kInf);
    EXPECT_EQ(AtoF("000" + digits + ".5"), kInf);
    EXPECT_EQ(AtoF(digits + "e-50"), kInf);
    EXPECT_EQ(AtoF(digits + "e-300"), 1e100);
    EXPECT_EQ(AtoF("0." + std::string(400, '0') + "1e100"), 1e-301);
    EXPECT_EQ(AtoF("0." + std::string(400, '0') + "1e-100"), 0.0);
}

TEST(NumberText, AtoFMatchesStrtodOnRandomNumberText) {
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    std::mt19937 rng(20240611);
    const char alphabet[] = "0123456789.+-eE ";
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto digits = [&](int nMax) {
        std::string s(static_cast<size_t>(pick(nMax + 1)), '0');
        for (char& c : s)
            c = static_cast<char>('0' + pick(10));
        return s;
    };
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        if (n % 2 == 0) {
            // Anything over the characters of the grammar.
            int nLength = pick(14);
            for (int k = 0; k < nLength; ++k)
                text += alphabet[pick(static_cast<int>(sizeof alphabet) - 1)];
        } else {
            // Shaped like a number, with the lengths and exponents that reach the limits.
            if (pick(3) == 0) text += " \n"[pick(2)];
            if (pick(2)) text += "+-"[pick(2)];
            text += digits(pick(10) == 0 ? 400 : 20);
            if (pick(2)) text += '.' + digits(pick(10) == 0 ? 400 : 20);
            if (pick(2)) {
                text += "eE"[pick(2)];
                if (pick(2)) text += "+-"[pick(2)];
                text += std::to_string(pick(4) == 0 ? pick(800) : pick(40));
            }
            if (pick(4) == 0) text += ".e-+"[pick(4)];
        }
        char* pEnd = nullptr;
        double expected = std::strtod(text.c_str(), &pEnd);
        // Where nothing converts, the Windows runtime keeps the sign ("-E" gives -0.0); the
        // grammar says 0.0, which glibc gives too.
        if (pEnd == text.c_str()) expected = 0.0;
        double got = AtoF(text);
        ASSERT_TRUE(SameBits(got, expected))
            << '"' << text << "\" gave " << got << ", strtod " << expected;
    }
}

TEST(NumberText, FormatExponentGivesTheWindowsForm) {
    ExpectFormatCases();
}

TEST(NumberText, FormatExponentKeepsThePointUnderTheItalianLocale) {
    ItalianNumbers italian;
    ExpectFormatCases();
    EXPECT_EQ(FormatExponent(-37.5).find(','), std::string::npos);
}

TEST(NumberText, FormatExponentRoundsAsGlibcPrintfDoes) {
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    // The double nearest 9.9999995 lies below the half, so it rounds down.
    EXPECT_EQ(GlibcExponent(9.9999995), "9.999999e+000");
    EXPECT_EQ(GlibcExponent(9.9999996), "1.000000e+001");
    std::mt19937_64 rng(7);
    for (int n = 0; n < 20000; ++n) {
        ULONGLONG bits = rng();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        ASSERT_EQ(FormatExponent(value), GlibcExponent(value)) << "bits " << bits;
    }
}

TEST(NumberText, AppendExponentAppendsToWhatIsThere) {
    std::string s = "x=";
    AppendExponent(s, 2.0);
    EXPECT_EQ(s, "x=2.000000e+000");
}

TEST(NumberText, IntegersAsText) {
    std::string s;
    AppendInteger(s, 0);
    s += ' ';
    AppendInteger(s, -2147483648LL);
    s += ' ';
    AppendInteger(s, 2147483647LL);
    s += ' ';
    AppendUnsigned(s, 4294967295ULL);
    EXPECT_EQ(s, "0 -2147483648 2147483647 4294967295");
}

TEST(NumberText, TruncateToInt32GoesTowardZero) {
    EXPECT_EQ(TruncateToInt32(-5.9), -5);
    EXPECT_EQ(TruncateToInt32(5.9), 5);
    EXPECT_EQ(TruncateToInt32(-0.5), 0);
    EXPECT_EQ(TruncateToInt32(16.0), 16);
    EXPECT_EQ(TruncateToInt32(2147483647.9), 2147483647);
    EXPECT_EQ(TruncateToInt32(-2147483648.0), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(-2147483648.5), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(-2147483648.9), INT32_MIN);
}

TEST(NumberText, TruncateToInt32GivesIntMinOutOfRange) {
    EXPECT_EQ(TruncateToInt32(2147483648.0), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(-2147483649.0), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(1e20), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(-1e20), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(kInf), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(-kInf), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(std::numeric_limits<double>::quiet_NaN()), INT32_MIN);
}
