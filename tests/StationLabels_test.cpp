// Which texts number stations, and the label nearest to each curve, against a search of every
// label.
#include "StationLabels.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

TEST(StationLabels, NumbersAreReadWithAPointOrAComma) {
    const std::pair<const char*, double> numbers[] = {
        {"12", 12.0}, {" 7 ", 7.0},  {"-0,5", -0.5}, {"+3.25", 3.25},
        {".5", 0.5},  {"10.", 10.0}, {"\t4\t", 4.0}, {"0", 0.0},
    };
    for (const auto& [text, expected] : numbers) {
        double value = NAN;
        EXPECT_TRUE(LabelNumber(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* text : {"", " ", "ST12", "1e3", "1,5,2", "1.5.2", "12 m", "-", "+-1", "inf",
                             "nan", "1 2", "0x10"}) {
        double value = 0.0;
        EXPECT_FALSE(LabelNumber(text, value)) << text;
    }
}

namespace {

double DistanceToCurve(const NumberLabel& l, const std::vector<SheetPoint>& p) {
    double best = INFINITY;
    for (size_t k = 0; k < p.size(); ++k) {
        const SheetPoint a = p[k], b = p[k + 1 < p.size() ? k + 1 : k];
        const double dx = b.x - a.x, dy = b.y - a.y, span = dx * dx + dy * dy;
        const double t =
            span > 0 ? std::clamp(((l.x - a.x) * dx + (l.y - a.y) * dy) / span, 0.0, 1.0) : 0.0;
        best = std::fmin(best, std::hypot(l.x - a.x - t * dx, l.y - a.y - t * dy));
    }
    return best;
}

} // namespace

TEST(StationLabels, NearestLabelIsTheOneASearchOfEveryLabelFinds) {
    std::mt19937 random(25);
    std::uniform_real_distribution<double> coordinate(-100.0, 100.0);
    for (const size_t nLabels : {1, 2, 7, 300}) {
        SCOPED_TRACE(nLabels);
        std::vector<NumberLabel> labels;
        for (size_t i = 0; i < nLabels; ++i) // some stacked on one spot, some in a row
            labels.push_back(
                i % 5 == 3   ? labels[i - 1]
                : i % 5 == 4 ? NumberLabel{coordinate(random), 7.0, double(i), i}
                             : NumberLabel{coordinate(random), coordinate(random), double(i), i});
        std::vector<std::vector<SheetPoint>> curves;
        for (int c = 0; c < 50; ++c) {
            std::vector<SheetPoint> points;
            for (int k = 0; k < 1 + c % 4; ++k) // single points too, and curves far outside
                points.push_back({coordinate(random) * (c % 7 == 0 ? 5 : 1), coordinate(random)});
            curves.push_back(points);
        }
        const std::vector<long> nearest = NearestLabels({curves.begin(), curves.end()}, labels);
        for (size_t c = 0; c < curves.size(); ++c) {
            double best = INFINITY;
            for (const NumberLabel& l : labels)
                best = std::fmin(best, DistanceToCurve(l, curves[c]));
            ASSERT_GE(nearest[c], 0);
            EXPECT_EQ(DistanceToCurve(labels[static_cast<size_t>(nearest[c])], curves[c]), best);
        }
    }
    const std::vector<SheetPoint> point = {{0, 0}};
    EXPECT_EQ(NearestLabels({point}, {}), std::vector<long>{-1});
}
