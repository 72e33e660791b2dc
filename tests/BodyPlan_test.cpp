// Body plans drawn flat: where the centreline is, which curves are sections, guide lines or
// stems, and which station each stands at, from which source; and what is refused.
#include "BodyPlan.h"
#include "HullSupport.h"
#include "StationLabels.h"

#include <gtest/gtest.h>

namespace {

// One item of a sheet, in the drawing's order: a curve at an elevation, or a label.
struct Item {
    std::vector<SheetPoint> points;
    double z = 0.0;
    const char* pszLabel = nullptr; // a label's text, at its one point
    const char* pszLayer = "0";
    bool bPiece = false; // a LINE
};

// A half section from its keel at (x, 0) out to breadth b (negative: to the left) and up.
Item Half(double x, double b, double z = 0.0) {
    return {{{x, 0}, {x + b, 1}, {x + b, 3}}, z};
}

Item Label(double x, double y, const char* pszText) {
    return {{{x, y}}, 0.0, pszText};
}

BodyPlanChoices Choices(std::vector<double> stations, double step = 1.0) {
    BodyPlanChoices choices;
    choices.stations = std::move(stations);
    choices.step = step;
    return choices;
}

// Each curve placed as "N@x:(y,z)..", or the refusal; false with it.
bool Place(const std::vector<Item>& items, const BodyPlanChoices& choices, std::string& text,
           std::string& notes) {
    std::vector<DrawnCurve> sheet, placed;
    std::vector<TextLabel> labels;
    for (const Item& item : items) {
        const ULONGLONG nOffset = sheet.size() + labels.size();
        if (item.pszLabel) {
            labels.push_back({item.points[0].x, item.points[0].y, item.pszLabel, nOffset});
            continue;
        }
        DrawnCurve& c = sheet.emplace_back();
        c.nNumber = static_cast<INT32>(sheet.size());
        for (const SheetPoint& p : item.points)
            c.points.push_back({p.x, p.y, item.z});
        std::tie(c.layer, c.nOffset, c.bPiece) = std::tuple(item.pszLayer, nOffset, item.bPiece);
    }
    const bool bPlaced = PlaceBodyPlan(sheet, labels, choices, 1.0, placed, notes, text);
    char buffer[64];
    for (const DrawnCurve& c : placed) {
        std::snprintf(buffer, sizeof buffer, "%d@%g:", c.nNumber, c.points.front().x);
        text += buffer;
        for (const HullPoint& p : c.points) {
            EXPECT_EQ(p.x, c.points.front().x);
            std::snprintf(buffer, sizeof buffer, "(%g,%g)", p.y, p.z);
            text += buffer;
        }
        text += ' ';
    }
    return bPlaced;
}

} // namespace

TEST(BodyPlan, SectionsTakeTheirStationsAndTheirSide) {
    BodyPlanChoices onAxis = Choices({1, 2});
    onAxis.bAxis = true;
    onAxis.axis = 100.0;
    const struct {
        std::vector<Item> sheet;
        BodyPlanChoices choices;
        const char* pszExpected;
    } cases[] = {
        // Aft left, forward right of a centreline at x = 100, numbered above their sheers; a
        // base line and a buttock line left out, and noted.
        {{{{{90, 0}, {110, 0}}},
          Label(98, 4, "2"),
          Half(100, -2),
          {{{97, -1}, {97, 5}}},
          Half(100, 3),
          Label(103, 4, "8")},
         Choices({}, 10.0),
         "2@20:(0,0)(-2,1)(-2,3) 4@80:(0,0)(3,1)(3,3) "},
        // Whole sections overlaid, numbered by their layers; the centreline between their ends.
        {{{{{-3, 3}, {-2, 0}, {2, 0}, {3, 3}}, 0, nullptr, "10"},
          {{{-2, 3}, {-1, 1}, {1, 1}, {2, 3}}, 0, nullptr, "020"}},
         {},
         "1@10:(-3,3)(-2,0)(2,0)(3,3) 2@20:(-2,3)(-1,1)(1,1)(2,3) "},
        // Numbered by their elevations; a keel end short of the centreline by little is joined
        // level to it, one across it by little moved onto it, one short by much left as drawn.
        {{Half(0, 2, 4),
          {{{0.03, 0}, {2, 1}}, 5},
          {{{-0.02, 0}, {2, 1}}, 6},
          {{{0.2, 0}, {2, 1}}, 7}},
         {},
         "1@4:(0,0)(2,1)(2,3) 2@5:(0,0)(0.03,0)(2,1) 3@6:(0,0)(2,1) 4@7:(0.2,0)(2,1) "},
        // The centreline given, and the numbers: a stem drawn on it is no station without a
        // label of its own.
        {{Half(100, -2), Half(100, 2), {{{100, 0}, {100, 4}}}},
         onAxis,
         "1@1:(0,0)(-2,1)(-2,3) 2@2:(0,0)(2,1)(2,3) "},
        // A post and a stem on the centreline, each with a label of its own.
        {{Label(0, -2, "0"),
          {{{0, 0}, {0, 3}}},
          Half(0, -2),
          Label(-2, 4, "1"),
          Half(0, 2),
          Label(2, 4, "2"),
          {{{0, 0}, {0, 5}}},
          Label(0, 5.5, "3")},
         {},
         "1@0:(0,0)(0,3) 2@1:(0,0)(-2,1)(-2,3) 3@2:(0,0)(2,1)(2,3) 4@3:(0,0)(0,5) "},
        // Labels stacked on one spot, as older programs leave them: each with the curve written
        // right after it.
        {{Label(5, 5, "4"), Half(0, 2), Label(5, 5, "6"), Half(0, 1.5)},
         {},
         "1@4:(0,0)(2,1)(2,3) 2@6:(0,0)(1.5,1)(1.5,3) "},
        // LINEs joined where two ends meet, whichever way they were drawn.
        {{{{{0, 0}, {2, 1}}, 0, nullptr, "0", true},
          {{{2, 3}, {2, 1}}, 0, nullptr, "0", true},
          Half(0, 3)},
         Choices({0, 1}),
         "1@0:(0,0)(2,1)(2,3) 3@1:(0,0)(3,1)(3,3) "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszExpected);
        std::string text, notes;
        EXPECT_TRUE(Place(c.sheet, c.choices, text, notes));
        EXPECT_EQ(text, c.pszExpected);
    }
    std::string text, notes;
    Place(cases[0].sheet, cases[0].choices, text, notes);
    EXPECT_EQ(notes, "Nota: 2 linee guida (rette orizzontali o verticali: asse, linea base, linee "
                     "d'acqua...) lasciate fuori dal piano di costruzione.\n"
                     "Nota: il numero di ogni stazione viene dal testo più vicino.\n");
}

TEST(BodyPlan, RefusalsSayWhatToGive) {
    BodyPlanChoices texts;
    texts.source = kStationsFromTexts;
    const Item unaligned[] = {
        {{{0, 0}, {2, 1}, {2, 3}}}, {{{5, 0}, {3, 1}, {3, 4}}}, {{{9, 0}, {10, 1}, {11, 3}}}};
    const std::tuple<std::vector<Item>, BodyPlanChoices, std::string> cases[] = {
        {{Half(0, 2), Half(0, 3)},
         {},
         "Niente nel disegno numera ogni sezione (testi accanto, nomi dei layer, quote). Dai la "
         "x di ognuna con --stazioni X1,X2,... (nell'ordine del disegno: ha 2 curve), o i numeri "
         "di stazione con --stazioni e la distanza fra due stazioni con --passo-stazioni D."},
        {{Half(0, 2, 1), Half(0, 3, 2)},
         texts,
         "--stazioni-da testi: i testi non danno un numero a ogni sezione. Dai la x"},
        {{Half(0, 2), Half(0, 3)},
         Choices({1, 2, 3}),
         "--stazioni dà 3 numeri, ma il piano di costruzione ha 2 curve da leggere come sezioni"},
        // The positions are refused first, then the centreline.
        {{unaligned[0], unaligned[1], unaligned[2]}, {}, "Niente nel disegno numera ogni sezione"},
        {{unaligned[0], unaligned[1]},
         Choices({1, 2}),
         "Non trovo l'asse del piano di costruzione"},
    };
    for (const auto& [sheet, choices, expected] : cases) {
        SCOPED_TRACE(expected);
        std::string text, notes;
        EXPECT_FALSE(Place(sheet, choices, text, notes));
        EXPECT_EQ(text.substr(0, expected.size()), expected);
    }
    // A curve off the sheet's plane: its points at two elevations.
    std::vector<DrawnCurve> placed;
    std::string notes, refusal;
    const std::vector<DrawnCurve> sheet = {CurveOf(1, {{0, 0, 0}, {1, 1, 0}}),
                                           CurveOf(2, {{0, 0, 0}, {1, 1, 1}})};
    EXPECT_FALSE(PlaceBodyPlan(sheet, {}, Choices({1, 2}), 1.0, placed, notes, refusal));
    EXPECT_EQ(refusal.substr(0, 43), "La polilinea 2 non sta nel piano del foglio");
}
