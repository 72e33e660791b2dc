#include "NumberText.h"

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

double AtoF(std::string_view text) {
    size_t i = 0, n = text.size();
    while (i < n && IsSpace(text[i]))
        ++i;
    bool bNegative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) bNegative = text[i++] == '-';
    size_t nStart = i;
    size_t nDigits = 0, nFraction = 0;
    std::uint64_t nMantissa = 0; // meaningful while nDigits <= kMaxExactDigits
    while (i < n && IsDigit(text[i])) {
        nMantissa = nMantissa * 10 + static_cast<unsigned>(text[i] - '0');
        ++i;
        ++nDigits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) {
            nMantissa = nMantissa * 10 + static_cast<unsigned>(text[i] - '0');
            ++i;
            ++nDigits;
            ++nFraction;
        }
    }
    if (nDigits == 0) return 0.0;
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
    std::string_view number = text.substr(nStart, i - nStart);
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                     std::chars_format::general);
    if (ec == std::errc::result_out_of_range) value = OutOfRange(number);
    (void)ptr;
    return bNegative ? -value : value;
}

void AppendExponent(std::string& out, double value) {
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
