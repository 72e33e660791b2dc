// The reader's shortcuts against the plain ways they replace, on random inputs with fixed
// seeds: searches that look for the zero byte only as far as they need, entity text copied in
// runs with its keys noted on the way, numbers read in place, and short decimals converted
// without the full conversion.
#include "EntityText.h"
#include "NumberText.h"
#include "TextScanner.h"
#include "WindowText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

namespace {

// The text of a window cut at its first zero byte, then searched.
size_t PlainFind(std::string_view raw, std::string_view key, size_t nFrom, size_t nLimit) {
    const size_t nZero = raw.find('\0');
    std::string_view text = raw.substr(0, nZero);
    return text.substr(0, nLimit).find(key, nFrom);
}

// Windows made of keywords, line ends, zero bytes and filler.
std::string RandomWindow(std::mt19937& rng) {
    static const char* const pieces[] = {"VERTEX", "SEQEND", "POLYLINE",           "\r\n", "  0",
                                         "VERT",   "EX",     "" /* a zero byte */, "x",    "10.5"};
    std::string window;
    const int n = static_cast<int>(rng() % 40);
    for (int i = 0; i < n; ++i) {
        const size_t k = rng() % std::size(pieces);
        if (k == 7)
            window += '\0';
        else
            window += pieces[k];
    }
    return window;
}

// The normalisation line by line, as first written: every line through the same steps, then
// a search for each key.
std::string PlainEntityText(const char* pText, int nLength, int nKeyword) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::string out;
    size_t nLineStart = static_cast<size_t>(nKeyword);
    while (nLineStart > 0 && pText[nLineStart - 1] != '\n')
        --nLineStart;
    out.append(pText, nLineStart);
    bool bCodeLine = false;
    size_t i = nLineStart, n = static_cast<size_t>(nLength);
    while (i < n) {
        const char* pLf = static_cast<const char*>(std::memchr(pText + i, '\n', n - i));
        size_t nEnd = pLf ? static_cast<size_t>(pLf - pText) : n;
        size_t nContent = nEnd;
        if (pLf && nContent > i && pText[nContent - 1] == '\r') --nContent;
        const char* p = pText + i;
        const size_t nLine = nContent - i;
        size_t b = 0, e = nLine;
        while (b < e && blank(p[b]))
            ++b;
        while (e > b && blank(p[e - 1]))
            --e;
        bool bCode = bCodeLine && e - b >= 1 && e - b <= 3;
        for (size_t k = b; bCode && k < e; ++k)
            bCode = p[k] >= '0' && p[k] <= '9';
        if (bCode) {
            out.append(3 - (e - b), ' ');
            out.append(p + b, e - b);
        } else {
            out.append(p, nLine);
        }
        if (pLf) out += "\r\n";
        i = nEnd + (pLf ? 1 : 0);
        bCodeLine = !bCodeLine;
    }
    return out;
}

// Entity texts made of the lines real writers produce, and a few they should not.
std::string RandomEntity(std::mt19937& rng, int& nKeyword) {
    static const char* const codes[] = {"  0", " 10",  " 20",  " 30",  " 70", " 71", "210",
                                        "10",  "\t10", " 10 ", "  70", "8",   "abc", ""};
    static const char* const values[] = {"VERTEX", "1234.5678", " 10", "0", "x\ry", "", "210"};
    static const char* const ends[] = {"\r\n", "\r\n", "\r\n", "\n", "\r\r\n", "\r"};
    std::string text;
    if (rng() % 3 == 0) text += "\n 10\r\n5\r\n"; // something before the keyword's line
    if (rng() % 2 == 0) text += '\n';
    nKeyword = static_cast<int>(text.size());
    text += "VERTEX\r\n";
    const int nPairs = static_cast<int>(rng() % 8);
    for (int i = 0; i < nPairs; ++i) {
        text += codes[rng() % std::size(codes)];
        text += ends[rng() % std::size(ends)];
        text += values[rng() % std::size(values)];
        text += ends[rng() % std::size(ends)];
    }
    if (rng() % 4 == 0 && !text.empty()) text.pop_back(); // cut inside a line end
    return text;
}

int PlainFindKey(const std::string& text, const char* pszCode) {
    const size_t k = text.find(std::string("\n") + pszCode + "\r");
    return k == std::string::npos ? -1 : static_cast<int>(k);
}

double PlainAtoF(const std::string& s) {
    // The full conversion of the same characters: sign, digits, point, digits.
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    bool bNegative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) bNegative = s[i++] == '-';
    double value = 0.0;
    std::from_chars(s.data() + i, s.data() + s.size(), value, std::chars_format::fixed);
    return bNegative ? -value : value;
}

} // namespace

TEST(WindowText, SearchesAgreeWithSearchesOfTheCutText) {
    std::mt19937 rng(31337);
    const std::string_view keys[] = {"VERTEX", "SEQEND", "POLYLINE"};
    for (int round = 0; round < 20000; ++round) {
        const std::string raw = RandomWindow(rng);
        CWindowText window(raw.data(), raw.size());
        // Several searches on one window, as the reader makes them, in random order.
        for (int s = 0; s < 4; ++s) {
            const std::string_view key = keys[rng() % 3];
            const size_t nFrom = rng() % 12;
            const size_t nLimit = rng() % 3 == 0 ? CWindowText::npos : rng() % (raw.size() + 8);
            ASSERT_EQ(window.Find(key, nFrom, nLimit), PlainFind(raw, key, nFrom, nLimit))
                << "round " << round;
        }
        ASSERT_EQ(window.Size(), raw.substr(0, raw.find('\0')).size()) << "round " << round;
    }
}

TEST(EntityText, RunsAndNotedKeysAgreeWithTheLineByLineForm) {
    std::mt19937 rng(8080);
    const char* const codes[] = {" 10", " 20", " 30", " 70", " 71", " 72",
                                 " 73", " 74", "210", "  0", " 62", "10"};
    for (int round = 0; round < 20000; ++round) {
        int nKeyword = 0;
        const std::string raw = RandomEntity(rng, nKeyword);
        const CEntityText text(raw.data(), static_cast<int>(raw.size()), nKeyword);
        const std::string plain =
            PlainEntityText(raw.data(), static_cast<int>(raw.size()), nKeyword);
        ASSERT_EQ(text.Text().Str(), plain) << "round " << round;
        for (const char* pszCode : codes)
            ASSERT_EQ(text.FindGroupCode(pszCode), PlainFindKey(plain, pszCode))
                << "round " << round << ", code '" << pszCode << "'";
    }
}

TEST(TextScanner, NumbersReadInPlaceAgreeWithFieldsConverted) {
    std::mt19937 rng(555);
    const char* const pieces[] = {"12.5", "\t", "\r\n", "-0.25", "\n7", "", "1e3", "abc", "\r"};
    for (int round = 0; round < 5000; ++round) {
        std::string s;
        for (int i = static_cast<int>(rng() % 10); i > 0; --i)
            s += pieces[rng() % std::size(pieces)];
        const CString text(s.c_str());
        CTextScanner fast, plain, skip;
        fast.Attach(&text);
        plain.Attach(&text);
        skip.Attach(&text);
        const INT32 nStart = static_cast<INT32>(rng() % (s.size() + 3));
        fast.m_nPos = plain.m_nPos = skip.m_nPos = nStart;
        for (int f = 0; f < 4; ++f) {
            double value = -1;
            const int nFast = fast.ReadNumber(value);
            CString field;
            const int nPlain = plain.ReadField(field);
            const double expected = field.IsEmpty() ? 0.0 : AtoF(field.View());
            ASSERT_EQ(nFast, nPlain);
            ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << "'" << s << "'";
            ASSERT_EQ(skip.SkipField(), nPlain);
            ASSERT_EQ(fast.m_nPos, plain.m_nPos);
            ASSERT_EQ(skip.m_nPos, plain.m_nPos);
        }
    }
}

TEST(AtoF, ShortDecimalsAgreeWithTheFullConversion) {
    std::mt19937_64 rng(2718);
    for (int round = 0; round < 300000; ++round) {
        // Up to 17 digits, so that both sides of the shortcut's limit are reached, with the
        // point anywhere, leading and trailing zeros included.
        std::string s = rng() % 4 == 0 ? " " : "";
        if (rng() % 2) s += rng() % 3 ? '-' : '+';
        const int nDigits = 1 + static_cast<int>(rng() % 17);
        const int nPoint = static_cast<int>(rng() % (nDigits + 1));
        for (int d = 0; d < nDigits; ++d) {
            if (d == nPoint) s += '.';
            s += static_cast<char>('0' + (d == 0 && rng() % 2 ? 0 : rng() % 10));
        }
        const double fast = AtoF(s);
        const double plain = PlainAtoF(s);
        ASSERT_EQ(std::memcmp(&fast, &plain, sizeof fast), 0) << "'" << s << "'";
    }
}

TEST(AtoF, NegativeZeroAndCoordinatesOfDrawings) {
    EXPECT_TRUE(std::signbit(AtoF("-0.0")));
    EXPECT_EQ(AtoF("1234.5678"), 1234.5678);
    EXPECT_EQ(AtoF("-20000.0001"), -20000.0001);
    EXPECT_EQ(AtoF("0.1"), 0.1);
    EXPECT_EQ(AtoF("123456789012345"), 123456789012345.0);
    EXPECT_EQ(AtoF("5."), 5.0);
    EXPECT_EQ(AtoF(".5"), 0.5);
}

namespace {

// "%e" as the library's full conversion writes it, widened to three exponent digits.
std::string PlainExponent(double value) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 6);
    EXPECT_EQ(ec, std::errc());
    std::string s(buf, end);
    const size_t e = s.find('e');
    while (s.size() - (e + 2) < 3)
        s.insert(e + 2, "0");
    return s;
}

} // namespace

TEST(AppendExponent, AgreesWithTheFullConversionOnRandomDoubles) {
    std::mt19937_64 rng(161803);
    std::uniform_real_distribution<double> scale(-17.0, 39.0);
    for (int round = 0; round < 400000; ++round) {
        double value;
        switch (round % 4) {
        case 0: // any magnitude around the shortcut's range and beyond it
            value = std::pow(10.0, scale(rng)) * (rng() % 2 ? 1 : -1);
            break;
        case 1: // coordinates as drawings hold them
            value = static_cast<double>(static_cast<std::int64_t>(rng() % 400000000) - 200000000) /
                    10000.0;
            break;
        case 2: // halves and quarters of seven- and eight-digit numbers: exact ties
            value = static_cast<double>(rng() % 100000000) + 0.25 * static_cast<double>(rng() % 4);
            break;
        default: // just under a power of ten, where the rounding carries
            value = std::nextafter(std::pow(10.0, static_cast<int>(rng() % 50) - 15), 0.0) -
                    static_cast<double>(rng() % 3) * 1e-9;
            break;
        }
        ASSERT_EQ(FormatExponent(value), PlainExponent(value)) << std::hexfloat << value;
    }
}
