// Which texts number stations, and the label nearest to each curve, against a search of every
// label.
#include "StationLabels.h"

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

TEST(StationLabels, NearestLabelIsTheOneASearchOfEveryLabelFinds) {
    std::mt19937 random(25);
    std::uniform_real_distribution<double> coordinate(-100.0, 100.0);
    for (const size_t nLabels : {1, 2, 7, 300}) {
        SCOPED_TRACE(nLabels);
        std::vector<NumberLabel> labels;
        for (size_t i = 0; i < nLabels; ++i) // some stacked on one spot
            labels.push_back(
                i % 5 == 3 ? labels[i - 1]
                           : NumberLabel{coordinate(random), coordinate(random), double(i), i});
        std::vector<std::vector<SheetPoint>> curves;
        for (int c = 0; c < 50; ++c) {
            std::vector<SheetPoint> points;
            for (int k = 0; k < 1 + c % 4; ++k) // single points too, and curves far outside
                points.push_back({coordinate(random) * (c % 7 == 0 ? 5 : 1), coordinate(random)});
            curves.push_back(points);
        }
        const std::vector<long> nearest = NearestLabels(curves, labels);
        for (size_t c = 0; c < curves.size(); ++c) {
            double best = INFINITY;
            for (const NumberLabel& l : labels) {
                const std::vector<SheetPoint>& p = curves[c];
                for (size_t k = 0; k < p.size(); ++k) {
                    const SheetPoint a = p[k], b = p[k + 1 < p.size() ? k + 1 : k];
                    const double dx = b.x - a.x, dy = b.y - a.y, span = dx * dx + dy * dy;
                    double t = span > 0 ? ((l.x - a.x) * dx + (l.y - a.y) * dy) / span : 0;
                    t = std::fmin(1.0, std::fmax(0.0, t));
                    best = std::fmin(best, std::hypot(l.x - a.x - t * dx, l.y - a.y - t * dy));
                }
            }
            ASSERT_GE(nearest[c], 0);
            const NumberLabel& found = labels[static_cast<size_t>(nearest[c])];
            double distance = INFINITY;
            for (size_t k = 0; k < curves[c].size(); ++k) {
                const SheetPoint a = curves[c][k];
                const SheetPoint b = curves[c][k + 1 < curves[c].size() ? k + 1 : k];
                const double dx = b.x - a.x, dy = b.y - a.y, span = dx * dx + dy * dy;
                double t = span > 0 ? ((found.x - a.x) * dx + (found.y - a.y) * dy) / span : 0;
                t = std::fmin(1.0, std::fmax(0.0, t));
                distance =
                    std::fmin(distance, std::hypot(found.x - a.x - t * dx, found.y - a.y - t * dy));
            }
            EXPECT_NEAR(distance, best, 1e-9) << c;
        }
    }
    EXPECT_EQ(NearestLabels({{{0, 0}}}, {}), std::vector<long>{-1});
}
