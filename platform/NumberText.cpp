#include "NumberText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// from_chars leaves the value alone when the result is out of range; strtod then gives
// infinity for an overflow and zero for an underflow. Decide which one from the decimal
// exponent of the first significant digit.
// The common short decimals ("1234.5678") take a shortcut: up to 15 digits make an integer
// that a double holds exactly, and so do the powers of ten up to 1e22. Where intermediate
// results carry more precision than a double (the x87 unit), the division would round twice.
constexpr size_t kMaxExactDigits = 15;
constexpr size_t kExactPowers = 23;
constexpr double kPowersOfTen[kExactPowers] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
constexpr bool kExactDivision = true;
#else
constexpr bool kExactDivision = false;
#endif

double OutOfRange(std::string_view digits) {
    // Decimal exponent of the first significant digit: every further digit before the point
    // raises it by one, every zero between the point and that digit lowers it by one.
    long long nLead = 0;
    bool bSeenPoint = false, bFound = false;
    size_t i = 0;
    for (; i < digits.size() && digits[i] != 'e' && digits[i] != 'E'; ++i) {
        char c = digits[i];
        if (c == '.') {
            bSeenPoint = true;
            continue;
        }
        if (!bFound) {
            if (c != '0') {
                bFound = true;
                nLead = bSeenPoint ? nLead - 1 : 0;
            } else if (bSeenPoint) {
                --nLead;
            }
        } else if (!bSeenPoint) {
            ++nLead;
        }
    }
    long long nExp = 0;
    if (i < digits.size()) {
        ++i;
        bool bNeg = false;
        if (digits[i] == '+' || digits[i] == '-') bNeg = digits[i++] == '-';
        for (; i < digits.size(); ++i)
            if (nExp < 100000000) nExp = nExp * 10 + (digits[i] - '0');
        if (bNeg) nExp = -nExp;
    }
    if (!bFound) return 0.0;
    return nLead + nExp > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

} // namespace

double AtoF(std::string_view text, size_t& nUsed) {
    nUsed = 0;
    size_t i = 0, n = text.size();
    while (i < n && IsSpace(text[i]))
        ++i;
    bool bNegative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) bNegative = text[i++] == '-';
    size_t nStart = i;
    size_t nDigits = 0, nFraction = 0;
    std::uint64_t nMantissa = 0; // meaningful while nDigits <= kMaxExactDigits
    for (; i < n && IsDigit(text[i]); ++i, ++nDigits)
        nMantissa = nMantissa * 10 + static_cast<unsigned>(text[i] - '0');
    if (i < n && text[i] == '.') {
        const size_t nBefore = nDigits;
        for (++i; i < n && IsDigit(text[i]); ++i, ++nDigits)
            nMantissa = nMantissa * 10 + static_cast<unsigned>(text[i] - '0');
        nFraction = nDigits - nBefore;
    }
    if (nDigits == 0) return 0.0;
    nUsed = i;
    const bool bExponent = i < n && (text[i] == 'e' || text[i] == 'E');
    if (kExactDivision && !bExponent && nDigits <= kMaxExactDigits && nFraction < kExactPowers) {
        // Both operands are exact doubles and the division rounds once, correctly, which is
        // what the full conversion gives as well.
        const double value = static_cast<double>(nMantissa) / kPowersOfTen[nFraction];
        return bNegative ? -value : value;
    }
    if (bExponent) {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    nUsed = i;
    std::string_view number = text.substr(nStart, i - nStart);
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                     std::chars_format::general);
    if (ec == std::errc::result_out_of_range) value = OutOfRange(number);
    (void)ptr;
    return bNegative ? -value : value;
}

double AtoF(std::string_view text) {
    size_t nUsed;
    return AtoF(text, nUsed);
}

namespace {

// The seven significant digits that "%e" prints of a finite non-zero magnitude, as the integer q
// from 1000000 to 9999999, and the decimal exponent of the first: magnitude = q * 10^(nExp10 - 6)
// rounded half to even on the exact binary value, as printf rounds. Two ways: one rounded
// product of doubles, which decides nearly every value and costs a multiplication; and exact
// integer arithmetic for the rest.

// The product of doubles: magnitude * 10^k differs from its exact value by half a unit in its
// last place, under 1e-9 below 1e7. Where that leaves the rounding in doubt (a fraction within
// 1e-8 of a half), or the power of ten is not exact (beyond 1e22), it gives false.
bool ScaleInDoubles(double magnitude, int nExp10, std::uint64_t& q, int& nExp10Out) {
    if constexpr (!kExactDivision) return false; // extended precision would round twice
    for (int nTries = 0; nTries < 3; ++nTries) {
        const int k = 6 - nExp10;
        if (k > 22 || k < -22) return false;
        const double y = k >= 0 ? magnitude * kPowersOfTen[k] : magnitude / kPowersOfTen[-k];
        if (!(y < 1e9)) return false;
        const std::uint64_t nWhole = static_cast<std::uint64_t>(y); // y is positive: its floor
        const double fraction = y - static_cast<double>(nWhole);
        if (std::fabs(fraction - 0.5) < 1e-8) return false;
        q = nWhole + (fraction > 0.5 ? 1 : 0);
        if (q >= 10000000)
            ++nExp10; // the estimate was one short, or the rounding carried into an eighth digit
        else if (q < 1000000)
            --nExp10; // the estimate was one over
        else {
            nExp10Out = nExp10;
            return true;
        }
    }
    return false;
}

// Exact: the value M * 2^E scaled by a power of ten and rounded in 128 bits, which hold every
// intermediate product from 1e-15 up to 1e37. Gives false for any other magnitude.
bool ScaleExactly(double magnitude, std::uint64_t nMantissa, int nExp2, int nExp10,
                  std::uint64_t& q, int& nExp10Out) {
#if defined(__SIZEOF_INT128__)
    __extension__ typedef unsigned __int128 U128;
    if (magnitude < 1e-15 || magnitude >= 1e37) return false;
    static constexpr auto kPow10 = [] {
        std::array<U128, 39> p{};
        p[0] = 1;
        for (size_t i = 1; i < p.size(); ++i)
            p[i] = p[i - 1] * 10;
        return p;
    }();
    for (int nTries = 0; nTries < 4; ++nTries) {
        const int k = 6 - nExp10;        // q = value * 10^k, rounded
        U128 quotient, remainder, half2; // remainder compared with half of the divisor, doubled
        if (k >= 0) {
            const U128 n = static_cast<U128>(nMantissa) * kPow10[static_cast<size_t>(k)];
            if (nExp2 >= 0) return false; // not reached in the range above
            const int s = -nExp2;
            quotient = n >> s;
            remainder = (n & ((static_cast<U128>(1) << s) - 1)) << 1;
            half2 = static_cast<U128>(1) << s;
        } else {
            const U128 divisor = kPow10[static_cast<size_t>(-k)];
            if (nExp2 >= 0) {
                const U128 n = static_cast<U128>(nMantissa) << nExp2;
                quotient = n / divisor;
                remainder = (n % divisor) << 1;
                half2 = divisor;
            } else {
                const U128 d = divisor << -nExp2;
                quotient = nMantissa / d;
                remainder = (nMantissa % d) << 1;
                half2 = d;
            }
        }
        q = static_cast<std::uint64_t>(quotient);
        if (remainder > half2 || (remainder == half2 && (q & 1))) ++q;
        if (q >= 10000000)
            ++nExp10;
        else if (q < 1000000)
            --nExp10;
        else {
            nExp10Out = nExp10;
            return true;
        }
    }
    return false;
#else
    (void)magnitude, (void)nMantissa, (void)nExp2, (void)nExp10, (void)q, (void)nExp10Out;
    return false;
#endif
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233"
    "34353637383940414243444546474849505152535455565758596061626364656667"
    "6869707172737475767778798081828384858687888990919293949596979899";

char* PutPair(char* p, unsigned n) {
    std::memcpy(p, kDigitPairs + 2 * n, 2);
    return p + 2;
}

bool AppendExponentOfDigits(std::string& out, double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const int nBiased = static_cast<int>((bits >> 52) & 0x7FF);
    if (nBiased == 0 || nBiased == 0x7FF) return false; // zero, subnormal, infinite, NaN
    const double magnitude = std::fabs(value);
    const std::uint64_t nMantissa = (bits & ((1ull << 52) - 1)) | (1ull << 52);
    const int nExp2 = nBiased - 1075; // value = nMantissa * 2^nExp2
    // The decimal exponent, estimated from the binary one to within one; the scalings mend it.
    const int nEstimate = ((nExp2 + 52) * 78913) >> 18;
    std::uint64_t q = 0;
    int nExp10 = 0;
    if (!ScaleInDoubles(magnitude, nEstimate, q, nExp10) &&
        !ScaleExactly(magnitude, nMantissa, nExp2, nEstimate, q, nExp10))
        return false;
    if (nExp10 <= -100 || nExp10 >= 100) return false;
    char buf[16];
    char* p = buf;
    if (value < 0) *p++ = '-';
    const unsigned nFraction = static_cast<unsigned>(q % 1000000);
    *p++ = static_cast<char>('0' + q / 1000000);
    *p++ = '.';
    p = PutPair(p, nFraction / 10000);
    p = PutPair(p, nFraction / 100 % 100);
    p = PutPair(p, nFraction % 100);
    *p++ = 'e';
    *p++ = nExp10 < 0 ? '-' : '+';
    *p++ = '0';
    p = PutPair(p, static_cast<unsigned>(nExp10 < 0 ? -nExp10 : nExp10));
    out.append(buf, static_cast<size_t>(p - buf));
    return true;
}

} // namespace

void AppendExponent(std::string& out, double value) {
    if (AppendExponentOfDigits(out, value)) return;
    if (std::isnan(value)) {
        out += std::signbit(value) ? "-1.#QNAN0e+000" : "1.#QNAN0e+000";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-1.#INF00e+000" : "1.#INF00e+000";
        return;
    }
    char buf[40];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 6);
    (void)ec;
    // to_chars writes at least two exponent digits; the files carry at least three.
    char* e = static_cast<char*>(std::memchr(buf, 'e', static_cast<size_t>(end - buf)));
    out.append(buf, static_cast<size_t>(e + 2 - buf));
    for (std::ptrdiff_t nExpDigits = end - (e + 2); nExpDigits < 3; ++nExpDigits)
        out += '0';
    out.append(e + 2, static_cast<size_t>(end - (e + 2)));
}

std::string FormatExponent(double value) {
    std::string s;
    AppendExponent(s, value);
    return s;
}

void AppendFixed(std::string& out, double value, int nDecimals) {
    char buf[400]; // DBL_MAX has 309 digits before the point
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed,
                                   std::clamp(nDecimals, 0, 17));
    if (ec == std::errc()) out.append(buf, static_cast<size_t>(end - buf));
}

void AppendInteger(std::string& out, long long value) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    (void)ec;
    out.append(buf, static_cast<size_t>(end - buf));
}

void AppendUnsigned(std::string& out, unsigned long long value) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    (void)ec;
    out.append(buf, static_cast<size_t>(end - buf));
}

INT32 TruncateToInt32(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
    return static_cast<INT32>(value);
}
