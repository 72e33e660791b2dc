#include "SvgText.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <utility>

std::string SvgStart(double width, double height, const std::string& title) {
    std::string size = "width=\"";
    AppendPixel(size, width);
    size += "\" height=\"";
    AppendPixel(size, height);
    size += '"';
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" " +
                      size + " viewBox=\"0 0 ";
    AppendPixel(out, width);
    out += ' ';
    AppendPixel(out, height);
    out += "\" font-family=\"sans-serif\" font-size=\"12\">\n<rect " + size +
           " fill=\"white\"/>\n<title>" + title +
           "</title>\n<text x=\"24\" y=\"26\" font-size=\"16\">" + title + "</text>\n";
    return out;
}

void Append(std::string& out, double value) {
    AppendFixed(out, value, 1);
}

void AppendText(std::string& out, double x, double y, const char* pszAttributes,
                const std::string& text) {
    out += "<text x=\"";
    Append(out, x);
    out += "\" y=\"";
    Append(out, y);
    out += *pszAttributes ? "\" " : "\"";
    out += pszAttributes;
    out += ">" + text + "</text>\n";
}

void AppendBox(std::string& out, double x1, double y1, double x2, double y2, const char* pszX1,
               const char* pszY1, const char* pszX2, const char* pszY2) {
    const bool bSize = pszX2[0] == 'w';
    const std::pair<const char*, double> attributes[] = {
        {pszX1, x1}, {pszY1, y1}, {pszX2, bSize ? x2 - x1 : x2}, {pszY2, bSize ? y2 - y1 : y2}};
    for (const auto& [pszName, value] : attributes) {
        out += ' ';
        out += pszName;
        out += "=\"";
        Append(out, value);
        out += '"';
    }
}

void AppendPixel(std::string& out, double value) {
    AppendFixed(out, value, 0);
}

namespace {

// The length of the UTF-8 sequence at text[i] that XML may hold, 0 for a byte that starts
// none: a stray continuation byte, an overlong form, a surrogate, beyond U+10FFFF, U+FFFE and
// U+FFFF, or a sequence cut short.
size_t Utf8Length(const std::string& text, size_t i) {
    const auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    const size_t n = c >= 0xC2 && c <= 0xDF   ? 2
                     : c >= 0xE0 && c <= 0xEF ? 3
                     : c >= 0xF0 && c <= 0xF4 ? 4
                                              : 0;
    if (n == 0 || i + n > text.size()) return 0;
    for (size_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    const unsigned char c1 = byte(i + 1);
    if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 > 0x9F) || (c == 0xF0 && c1 < 0x90) ||
        (c == 0xF4 && c1 > 0x8F) || (c == 0xEF && c1 == 0xBF && byte(i + 2) >= 0xBE))
        return 0;
    return n;
}

} // namespace

void AppendEscaped(std::string& out, const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (c >= 0x20 && c < 0x7F) {
                out += static_cast<char>(c);
            } else if (const size_t n = c >= 0x80 ? Utf8Length(text, i) : 0) {
                out.append(text, i, n);
                i += n - 1;
            } else {
                out += '?';
            }
        }
    }
}

void AppendColour(std::string& out, double t) {
    static const int kStops[][3] = {
        {68, 1, 84}, {59, 82, 139}, {33, 145, 140}, {94, 201, 98}, {253, 231, 37}};
    const double s = std::clamp(t, 0.0, 1.0) * 4;
    const int i = std::min(static_cast<int>(s), 3);
    static const char kHex[] = "0123456789abcdef";
    out += '#';
    for (int c = 0; c < 3; ++c) {
        const int v = static_cast<int>(
            std::lround(kStops[i][c] + (s - i) * (kStops[i + 1][c] - kStops[i][c])));
        out += kHex[v >> 4];
        out += kHex[v & 15];
    }
}

void AppendShort(std::string& out, double value) {
    if (value == 0) {
        out += '0';
        return;
    }
    int nExponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const bool bPlain = nExponent >= -4 && nExponent < 9;
    std::string digits;
    if (bPlain) {
        AppendFixed(digits, value, std::max(0, 5 - nExponent));
    } else {
        double mantissa = value / std::pow(10.0, nExponent);
        if (std::fabs(mantissa) >= 9.999995) {
            mantissa /= 10;
            ++nExponent;
        }
        AppendFixed(digits, mantissa, 5);
    }
    if (digits.find('.') != std::string::npos) {
        digits.erase(digits.find_last_not_of('0') + 1);
        if (digits.back() == '.') digits.pop_back();
    }
    out += digits;
    if (bPlain) return;
    out += nExponent < 0 ? "e-" : "e+";
    if (std::abs(nExponent) < 10) out += '0';
    AppendInteger(out, std::abs(nExponent));
}

double TickStep(double from, double to) {
    double power = std::pow(10.0, std::ceil(std::log10(to - from)));
    for (int n = 0; n < 40; ++n, power /= 10)
        for (double m : {5.0, 2.5, 2.0, 1.0})
            if (std::floor(to / (m * power)) - std::ceil(from / (m * power)) >= 3) return m * power;
    return 0;
}
