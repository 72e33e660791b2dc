#include "Resampling.h"

#include <algorithm>

namespace {

// One segment to each piece, then one at a time to the piece whose segments are longest.
std::vector<int> ShareSegments(const std::vector<double>& lengths, int nSegments) {
    std::vector<int> counts(lengths.size(), 1);
    for (size_t n = lengths.size(); n < static_cast<size_t>(nSegments); ++n) {
        size_t longest = 0;
        for (size_t p = 1; p < lengths.size(); ++p)
            if (lengths[p] * counts[longest] > lengths[longest] * counts[p]) longest = p;
        ++counts[longest];
    }
    return counts;
}

} // namespace

int CommonSegments(const std::vector<SectionCurve>& halves, int nMinSegments) {
    size_t n = static_cast<size_t>(nMinSegments);
    for (const SectionCurve& half : halves)
        n = std::max(n, SplitAtKnuckles(half).size());
    return static_cast<int>(n);
}

std::vector<SectionCurve> ResampleHalves(const std::vector<SectionCurve>& halves, int nSegments) {
    std::vector<std::vector<SectionCurve>> pieces;
    for (const SectionCurve& half : halves)
        pieces.push_back(SplitAtKnuckles(half));
    std::vector<SectionCurve> resampled(halves.size());
    for (size_t first = 0, end = 0; first < halves.size(); first = end) {
        // The run shares one division, from the lengths of its pieces taken together.
        const size_t nPieces = pieces[first].size();
        for (end = first; end < halves.size() && pieces[end].size() == nPieces;)
            ++end;
        std::vector<double> lengths(nPieces, 0.0);
        for (size_t i = first; i < end; ++i)
            for (size_t p = 0; p < nPieces; ++p)
                lengths[p] += CurveLength(pieces[i][p]);
        const std::vector<int> counts = ShareSegments(lengths, nSegments);
        for (size_t i = first; i < end; ++i) {
            for (size_t p = 0; p < nPieces; ++p) {
                const SectionCurve even = Resample(pieces[i][p], counts[p]);
                resampled[i].insert(resampled[i].end(), even.begin() + (p > 0), even.end());
            }
        }
    }
    return resampled;
}
