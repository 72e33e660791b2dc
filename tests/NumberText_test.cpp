#include "NumberText.h"

#include "TestSupport.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// What the random comparisons below cannot see: forms strtod reads and atof's grammar does not,
// the forms of the non-finite values, the conversion to 32-bit integers, and the cases that must
// not change under a locale whose decimal separator is a comma.
void ExpectNumberForms() {
    EXPECT_EQ(AtoF(" \t\v\f-1234.5678"), -1234.5678);
    EXPECT_EQ(AtoF("2.5e-2"), 0.025);
    EXPECT_EQ(AtoF("3,75"), 3.0);
    EXPECT_EQ(AtoF("inf"), 0.0);
    EXPECT_EQ(AtoF("0x10"), 0.0);
    EXPECT_EQ(AtoF(std::string_view("1e5", 2)), 1.0);
    EXPECT_EQ(FormatExponent(-0.0), "-0.000000e+000");
    EXPECT_EQ(FormatExponent(-37.5), "-3.750000e+001");
    EXPECT_EQ(FormatExponent(1e+120), "1.000000e+120");
    EXPECT_EQ(FormatExponent(kInf), "1.#INF00e+000");
    EXPECT_EQ(FormatExponent(-kInf), "-1.#INF00e+000");
    EXPECT_EQ(FormatExponent(std::nan("")), "1.#QNAN0e+000");
    EXPECT_EQ(TruncateToInt32(-5.9), -5); // toward zero; INT32_MIN out of range
    EXPECT_EQ(TruncateToInt32(2147483647.9), INT32_MAX);
    EXPECT_EQ(TruncateToInt32(-2147483648.9), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(2147483648.0), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(std::nan("")), INT32_MIN);
}

// "%e" as the library's full conversion writes it, its exponent widened to three digits.
std::string PlainExponent(double value) {
    char buf[64];
    char* pEnd = std::to_chars(buf, buf + 64, value, std::chars_format::scientific, 6).ptr;
    std::string s(buf, pEnd);
    const size_t e = s.find('e');
    return s.insert(e + 2, 5 - (s.size() - e), '0');
}

} // namespace

TEST(NumberText, EdgesAreTheSameUnderTheItalianLocale) {
    ExpectNumberForms();
    SCOPED_TRACE("under the Italian locale");
    ItalianNumbers italian;
    ExpectNumberForms();
}

// Broke: a mantissa of hundreds of digits that overflows without help from the exponent read
// as 0, because the decimal exponent of its first digit was taken from the leading zeros.
TEST(NumberText, AtoFOverflowsOnLongMantissas) {
    const std::string zeros(400, '0');
    EXPECT_EQ(AtoF("-1" + zeros), -kInf);
    EXPECT_EQ(AtoF("0001" + zeros + ".5e-300"), 1e100);
    EXPECT_EQ(AtoF("0." + zeros + "1e100"), 1e-301);
}

// Against strtod on random text shaped like numbers of one to seventeen digits, either side of
// the shortcut's limit of fifteen, sometimes hundreds, leading and trailing zeros, the point
// anywhere, exponents that reach the limits, and stray characters anywhere.
TEST(NumberText, AtoFMatchesStrtodOnRandomText) {
    std::mt19937 rng(20240611);
    auto pick = [&](size_t n) { return rng() % n; };
    for (int round = 0; round < 300000; ++round) {
        std::string s(pick(2), " \n\t\r\v\f"[pick(6)]);
        s += std::string(pick(2), "+-"[pick(2)]);
        for (size_t d = pick(40) ? 1 + pick(17) : 400; d > 0; --d)
            s += static_cast<char>('0' + (pick(3) ? pick(10) : 0));
        if (pick(4)) s.insert(pick(s.size() + 1), 1, '.');
        if (pick(4) == 0)
            s += "eE"[pick(2)] + std::string(pick(2), "+-"[pick(2)]) +
                 std::to_string(pick(4) ? pick(40) : pick(800));
        if (pick(6) == 0) s.insert(pick(s.size() + 1), 1, ".e-+ ,"[pick(6)]);
        char* pEnd = nullptr;
        double expected = std::strtod(s.c_str(), &pEnd);
        if (pEnd == s.c_str()) expected = 0.0; // the Windows runtime keeps the sign of "-e"
        const double got = AtoF(s);
        ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << '"' << s << "\" gave " << got;
    }
}

// Against the full conversion: magnitudes either side of the range of the 128-bit shortcut,
// exact ties of eight digits, values just under a power of ten, where the rounding carries into
// the exponent, and any double at all.
TEST(NumberText, FormatExponentMatchesTheFullConversionOnRandomDoubles) {
    std::mt19937_64 rng(161803);
    for (int round = 0; round < 400000; ++round) {
        const std::uint64_t bits = rng();
        double value =
            std::pow(10.0, static_cast<double>(bits % 5600) / 100 - 17) * (bits % 3 ? 1 : -1);
        if (round % 4 == 1)
            value = static_cast<double>(bits >> 37) + 0.25 * static_cast<double>(bits % 4);
        if (round % 4 == 2)
            value = std::nextafter(std::pow(10.0, static_cast<int>(bits % 50) - 15), 0.0);
        if (round % 4 == 3) std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        ASSERT_EQ(FormatExponent(value), PlainExponent(value)) << std::hexfloat << value;
    }
}
