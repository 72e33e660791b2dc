#include "StationNumbers.h"

#include <algorithm>
#include <cmath>

namespace {

bool DrawingOrder(const StationCurve& a, const StationCurve& b) {
    return a.pCurve->nOffset != b.pCurve->nOffset ? a.pCurve->nOffset < b.pCurve->nOffset
                                                  : a.pCurve->nNumber < b.pCurve->nNumber;
}

// Labels at one spot, as older lines programs stack them: which of them means which section
// cannot be told by where they stand.
std::vector<bool> Stacked(const std::vector<NumberLabel>& labels, double tolerance) {
    std::vector<size_t> byX(labels.size());
    for (size_t i = 0; i < byX.size(); ++i)
        byX[i] = i;
    std::sort(byX.begin(), byX.end(),
              [&](size_t a, size_t b) { return labels[a].x < labels[b].x; });
    std::vector<bool> bStacked(labels.size(), false);
    for (size_t i = 0; i < byX.size(); ++i)
        for (size_t j = i + 1; j < byX.size() && labels[byX[j]].x - labels[byX[i]].x <= tolerance;
             ++j)
            if (std::fabs(labels[byX[j]].y - labels[byX[i]].y) <= tolerance)
                bStacked[byX[i]] = bStacked[byX[j]] = true;
    return bStacked;
}

// The labels as the stations read them: which curves are stations, and the number of each where
// the labels give every section one.
class LabelReading {
public:
    LabelReading(const std::vector<StationCurve>& candidates, const std::vector<TextLabel>& texts,
                 double tolerance) {
        for (const TextLabel& t : texts) {
            double value = 0.0;
            if (LabelNumber(t.text, value)) m_labels.push_back({t.x, t.y, value, t.nOffset});
        }
        if (m_labels.empty() || !ByNearest(candidates, tolerance)) ByOrder(candidates);
    }

    std::vector<StationCurve> curves; // the sections, and the lines that are stations
    std::vector<double> numbers;      // empty unless every curve has one
    bool bByOrder = false;

private:
    // Each curve takes the label nearest to it, if that gives each curve of a side its own.
    bool ByNearest(const std::vector<StationCurve>& candidates, double tolerance) {
        std::vector<std::span<const SheetPoint>> points;
        for (const StationCurve& c : candidates)
            points.push_back(c.pCurve->points);
        const std::vector<long> nearest = NearestLabels(points, m_labels);
        std::vector<bool> bBySection(m_labels.size(), false);
        for (size_t i = 0; i < candidates.size(); ++i)
            if (!candidates[i].bLine && nearest[i] >= 0)
                bBySection[static_cast<size_t>(nearest[i])] = true;
        const std::vector<bool> bStacked = Stacked(m_labels, tolerance);
        std::vector<unsigned> takenOnSides(m_labels.size(), 0); // a bit for each side
        std::vector<std::pair<StationCurve, double>> read;
        bool bOwn = true;
        for (size_t i = 0; i < candidates.size(); ++i) {
            const long l = nearest[i];
            if (candidates[i].bLine && (l < 0 || bBySection[static_cast<size_t>(l)])) continue;
            const unsigned side = 1u << static_cast<int>(candidates[i].side);
            if (l >= 0) {
                unsigned& taken = takenOnSides[static_cast<size_t>(l)];
                bOwn = bOwn && !bStacked[static_cast<size_t>(l)] && !(taken & side);
                taken |= side;
            }
            bOwn = bOwn && l >= 0;
            if (l >= 0) read.push_back({candidates[i], m_labels[static_cast<size_t>(l)].value});
        }
        if (!bOwn) return false;
        std::stable_sort(read.begin(), read.end(),
                         [](auto& a, auto& b) { return DrawingOrder(a.first, b.first); });
        for (const auto& [curve, number] : read) {
            curves.push_back(curve);
            numbers.push_back(number);
        }
        return true;
    }

    // Each label with the curve written right after it; a line on the centreline with none is
    // no station.
    void ByOrder(std::vector<StationCurve> candidates) {
        bByOrder = true;
        std::stable_sort(candidates.begin(), candidates.end(), DrawingOrder);
        std::vector<double> found;
        size_t l = 0;
        bool bAll = true;
        long nLast = -1; // the label written since the curve before, if any
        for (const StationCurve& c : candidates) {
            while (l < m_labels.size() && m_labels[l].nOffset < c.pCurve->nOffset)
                nLast = static_cast<long>(l++);
            if (c.bLine && nLast < 0) continue;
            curves.push_back(c);
            bAll = bAll && nLast >= 0;
            found.push_back(nLast >= 0 ? m_labels[static_cast<size_t>(nLast)].value : 0.0);
            nLast = -1;
        }
        if (bAll && !m_labels.empty()) numbers = found;
    }

    std::vector<NumberLabel> m_labels;
};

// Every curve's number from its layer's name, or from its elevation; none unless every curve
// has one and they are not all the same.
std::vector<double> FromCurves(const std::vector<StationCurve>& curves, bool bLayers) {
    std::vector<double> numbers;
    for (const StationCurve& c : curves) {
        double n = c.pCurve->elevation;
        if (bLayers && !LabelNumber(c.pCurve->layer, n)) return {};
        numbers.push_back(n);
    }
    const bool bAllSame =
        std::all_of(numbers.begin(), numbers.end(), [&](double n) { return n == numbers.front(); });
    return bAllSame ? std::vector<double>() : numbers;
}

} // namespace

StationNumbering NumberStations(const std::vector<StationCurve>& candidates,
                                const std::vector<TextLabel>& labels,
                                const BodyPlanChoices& choices, double tolerance) {
    StationNumbering result;
    const LabelReading reading(candidates, labels, tolerance);
    result.curves = reading.curves;
    for (const StationCurve& c : candidates)
        result.nLinesLeftOut += c.bLine;
    for (const StationCurve& c : result.curves)
        result.nLinesLeftOut -= c.bLine;
    const size_t nCurves = result.curves.size();
    const std::string count = std::to_string(nCurves) + (nCurves == 1 ? " curva" : " curve");
    if (!choices.stations.empty()) {
        if (choices.stations.size() == nCurves)
            result.numbers = choices.stations;
        else
            result.refusal = "--stazioni dà " + std::to_string(choices.stations.size()) +
                             " numeri, ma il piano di costruzione ha " + count +
                             " da leggere come sezioni (linee guida escluse), nell'ordine del "
                             "disegno: uno per curva.";
        return result;
    }
    const struct {
        StationSource source;
        const char* pszNote;
        const char* pszFailed;
    } kSources[] = {
        {kStationsFromTexts,
         reading.bByOrder ? "Nota: il numero di ogni stazione viene dal testo scritto prima di "
                            "ogni sezione nel disegno.\n"
                          : "Nota: il numero di ogni stazione viene dal testo più vicino.\n",
         "--stazioni-da testi: i testi non danno un numero a ogni sezione"},
        {kStationsFromLayers, "Nota: il numero di ogni stazione viene dal nome del suo layer.\n",
         "--stazioni-da layer: i nomi dei layer non danno numeri diversi alle sezioni"},
        {kStationsFromElevations, "Nota: il numero di ogni stazione viene dalla sua quota.\n",
         "--stazioni-da quote: le curve non stanno a quote diverse"},
    };
    for (const auto& source : kSources) {
        if (choices.source != kStationsFirst && choices.source != source.source) continue;
        result.numbers = source.source == kStationsFromTexts
                             ? reading.numbers
                             : FromCurves(result.curves, source.source == kStationsFromLayers);
        if (!result.numbers.empty()) {
            result.note = source.pszNote;
            return result;
        }
        if (choices.source == source.source) result.refusal = std::string(source.pszFailed) + ". ";
    }
    if (result.refusal.empty())
        result.refusal = "Niente nel disegno numera ogni sezione (testi accanto, nomi dei layer, "
                         "quote). ";
    result.refusal += "Dai la x di ognuna con --stazioni X1,X2,... (nell'ordine del disegno: ha " +
                      count +
                      "), o i numeri di stazione con --stazioni e la distanza fra due "
                      "stazioni con --passo-stazioni D.";
    return result;
}
