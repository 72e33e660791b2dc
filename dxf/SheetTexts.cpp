#include "SheetTexts.h"

#include <cmath>

namespace {

constexpr int kMaxDepth = 8;
constexpr size_t kMaxTexts = 1000000;
constexpr double kPi = 3.14159265358979323846;

// Where a point of a block lands: x' = a x + b y + c, y' = d x + e y + f.
struct Placement {
    double a = 1.0, b = 0.0, c = 0.0, d = 0.0, e = 1.0, f = 0.0;

    void Apply(double x, double y, double& xOut, double& yOut) const {
        xOut = a * x + b * y + c;
        yOut = d * x + e * y + f;
    }

    // This placement after the reference's own, within the block whose base point is given.
    Placement Then(const BlockReference& r, const double base[2]) const {
        const double t = r.rotation * kPi / 180.0, cs = std::cos(t), sn = std::sin(t);
        // The reference's own: scale about the base point, turn, move to its place.
        const double ra = cs * r.scale[0], rb = -sn * r.scale[1];
        const double rd = sn * r.scale[0], re = cs * r.scale[1];
        const double rc = r.x - ra * base[0] - rb * base[1];
        const double rf = r.y - rd * base[0] - re * base[1];
        return {a * ra + b * rd, a * rb + b * re, a * rc + b * rf + c,
                d * ra + e * rd, d * rb + e * re, d * rc + e * rf + f};
    }
};

void Place(const std::map<std::string, BlockDefinition>& blocks, const BlockReference& reference,
           const BlockReference& onSheet, const Placement& outer, int nDepth,
           std::vector<TextEntity>& texts) {
    const auto it = blocks.find(BlockKey(reference.block));
    if (it == blocks.end() || nDepth > kMaxDepth) return;
    const BlockDefinition& block = it->second;
    const Placement placement = outer.Then(reference, block.base);
    for (const TextEntity& local : block.texts) {
        if (texts.size() >= kMaxTexts) return;
        TextEntity text = local;
        placement.Apply(local.x, local.y, text.x, text.y);
        text.nOffset = onSheet.nOffset;
        text.bPaperSpace = onSheet.bPaperSpace;
        text.layer = onSheet.layer;
        texts.push_back(std::move(text));
    }
    for (const BlockReference& inner : block.references)
        Place(blocks, inner, onSheet, placement, nDepth + 1, texts);
}

} // namespace

std::string BlockKey(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return key;
}

std::string PlainMText(std::string_view text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '}') continue;
        if (c != '\\' || i + 1 == text.size()) {
            plain += c;
            continue;
        }
        const char code = text[++i];
        switch (code) {
        case '\\':
        case '{':
        case '}':
            plain += code;
            break;
        case 'P':
        case 'X':
        case '~':
            plain += ' ';
            break;
        case 'A':
        case 'C':
        case 'c':
        case 'F':
        case 'f':
        case 'H':
        case 'p':
        case 'Q':
        case 'S':
        case 'T':
        case 'W':
            // A code with a value up to its semicolon; a stacked fraction keeps its figures.
            while (i + 1 < text.size() && text[i + 1] != ';') {
                ++i;
                if (code == 'S') plain += text[i] == '^' || text[i] == '#' ? '/' : text[i];
            }
            ++i;
            break;
        default: // \L \l \O \o \K \k and codes unknown here: switches with no text of their own
            break;
        }
    }
    return plain;
}

void PlaceBlockTexts(const std::map<std::string, BlockDefinition>& blocks,
                     const std::vector<BlockReference>& references,
                     std::vector<TextEntity>& texts) {
    for (const BlockReference& reference : references)
        Place(blocks, reference, reference, Placement(), 0, texts);
}
