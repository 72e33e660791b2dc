// Body plans drawn flat: where the centreline is, which curves are sections, guide lines or
// stems, and which station each stands at, from which source; and what is refused.
#include "BodyPlan.h"

#include <gtest/gtest.h>

namespace {

struct Sheet {
    std::vector<DrawnCurve> curves;
    std::vector<TextLabel> labels;
    ULONGLONG nNext = 1; // the drawing's order

    Sheet& Curve(std::vector<HullPoint> points, const char* pszLayer = "0", bool bPiece = false) {
        DrawnCurve c;
        c.nNumber = static_cast<INT32>(curves.size() + 1);
        c.points = std::move(points);
        c.layer = pszLayer;
        c.nOffset = nNext++;
        c.bPiece = bPiece;
        curves.push_back(std::move(c));
        return *this;
    }
    // A half section from its keel at (x, 0) out to breadth b (negative: to the left) and up.
    Sheet& Half(double x, double b, double z = 0.0, const char* pszLayer = "0") {
        return Curve({{x, 0, z}, {x + b, 1, z}, {x + b, 3, z}}, pszLayer);
    }
    Sheet& Label(double x, double y, const char* pszText) {
        labels.push_back({x, y, pszText, nNext++});
        return *this;
    }
};

struct Placed {
    bool bPlaced;
    std::string text; // each curve "N@x:(y,z)..", or the refusal
    std::string notes;
};

Placed Place(const Sheet& sheet, BodyPlanChoices choices = {}) {
    std::vector<DrawnCurve> placed;
    std::string notes, refusal;
    const bool bPlaced =
        PlaceBodyPlan(sheet.curves, sheet.labels, choices, 1.0, placed, notes, refusal);
    std::string text = refusal;
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
    return {bPlaced, text, notes};
}

} // namespace

TEST(BodyPlan, SectionsTakeTheirStationsAndTheirSide) {
    BodyPlanChoices step;
    step.step = 10.0;
    BodyPlanChoices given;
    given.stations = {0, 1};
    BodyPlanChoices axis;
    axis.bAxis = true;
    axis.axis = 100.0;
    axis.stations = {1, 2};
    const struct {
        Sheet sheet;
        BodyPlanChoices choices;
        const char* pszExpected;
    } cases[] = {
        // Aft left, forward right of a centreline at x = 100, numbered above their sheers; a
        // base line and a buttock line left out.
        {Sheet()
             .Curve({{90, 0, 0}, {110, 0, 0}})
             .Label(98, 4, "2")
             .Half(100, -2)
             .Curve({{97, -1, 0}, {97, 5, 0}})
             .Half(100, 3)
             .Label(103, 4, "8"),
         step, "2@20:(0,0)(-2,1)(-2,3) 4@80:(0,0)(3,1)(3,3) "},
        // Whole sections overlaid, numbered by their layers; the centreline between their ends.
        {Sheet()
             .Curve({{-3, 3, 0}, {-2, 0, 0}, {2, 0, 0}, {3, 3, 0}}, "10")
             .Curve({{-2, 3, 0}, {-1, 1, 0}, {1, 1, 0}, {2, 3, 0}}, "020"),
         {},
         "1@10:(-3,3)(-2,0)(2,0)(3,3) 2@20:(-2,3)(-1,1)(1,1)(2,3) "},
        // Numbered by their elevations; a keel end short of the centreline by little is joined
        // level to it, one across it by little moved onto it, one short by much left as drawn.
        {Sheet()
             .Half(0, 2, 4)
             .Curve({{0.03, 0, 5}, {2, 1, 5}})
             .Curve({{-0.02, 0, 6}, {2, 1, 6}})
             .Curve({{0.2, 0, 7}, {2, 1, 7}}),
         {},
         "1@4:(0,0)(2,1)(2,3) 2@5:(0,0)(0.03,0)(2,1) 3@6:(0,0)(2,1) 4@7:(0.2,0)(2,1) "},
        // The centreline given, and the numbers: a stem drawn on it is no station without a
        // label of its own.
        {Sheet().Half(100, -2).Half(100, 2).Curve({{100, 0, 0}, {100, 4, 0}}), axis,
         "1@1:(0,0)(-2,1)(-2,3) 2@2:(0,0)(2,1)(2,3) "},
        // A stem and a post on the centreline, each with a label of its own.
        {Sheet()
             .Label(0, -2, "0")
             .Curve({{0, 0, 0}, {0, 3, 0}})
             .Half(0, -2)
             .Label(-2, 4, "1")
             .Half(0, 2)
             .Label(2, 4, "2")
             .Curve({{0, 0, 0}, {0, 5, 0}})
             .Label(0, 5.5, "3"),
         {},
         "1@0:(0,0)(0,3) 2@1:(0,0)(-2,1)(-2,3) 3@2:(0,0)(2,1)(2,3) 4@3:(0,0)(0,5) "},
        // Labels stacked on one spot, as older programs leave them: each with the curve written
        // right after it.
        {Sheet().Label(5, 5, "4").Half(0, 2).Label(5, 5, "6").Half(0, 1.5),
         {},
         "1@4:(0,0)(2,1)(2,3) 2@6:(0,0)(1.5,1)(1.5,3) "},
        // LINEs joined where two ends meet, whichever way they were drawn.
        {Sheet()
             .Curve({{0, 0, 0}, {2, 1, 0}}, "A", true)
             .Curve({{2, 3, 0}, {2, 1, 0}}, "A", true)
             .Half(0, 3),
         given, "1@0:(0,0)(2,1)(2,3) 3@1:(0,0)(3,1)(3,3) "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszExpected);
        const Placed placed = Place(c.sheet, c.choices);
        EXPECT_TRUE(placed.bPlaced);
        EXPECT_EQ(placed.text, c.pszExpected);
    }
}

TEST(BodyPlan, GuideLinesAndTheSourceAreNoted) {
    const Placed placed = Place(Sheet()
                                    .Curve({{-5, 0, 0}, {5, 0, 0}})
                                    .Curve({{-5, 2, 0}, {0, 2, 0}, {5, 2, 0}})
                                    .Curve({{1, -1, 0}, {1, 6, 0}})
                                    .Half(0, -2, 3)
                                    .Half(0, 2, 4));
    EXPECT_EQ(placed.notes,
              "Nota: 3 linee guida (rette orizzontali o verticali: asse, linea base, linee "
              "d'acqua...) lasciate fuori dal piano di costruzione.\n"
              "Nota: il numero di ogni stazione viene dalla sua quota.\n");
}

TEST(BodyPlan, RefusalsSayWhatToGive) {
    BodyPlanChoices three;
    three.stations = {1, 2, 3};
    BodyPlanChoices texts;
    texts.source = kStationsFromTexts;
    BodyPlanChoices two;
    two.stations = {1, 2};
    const std::tuple<Sheet, BodyPlanChoices, std::string> cases[] = {
        {Sheet().Half(0, 2).Half(0, 3),
         {},
         "Niente nel disegno numera ogni sezione (testi accanto, nomi dei layer, quote). Dai la "
         "x di ognuna con --stazioni X1,X2,... (nell'ordine del disegno: ha 2 curve), o i numeri "
         "di stazione con --stazioni e la distanza fra due stazioni con --passo-stazioni D."},
        {Sheet().Half(0, 2, 1).Half(0, 3, 2), texts,
         "--stazioni-da testi: i testi non danno un numero a ogni sezione. Dai la x"},
        {Sheet().Half(0, 2).Half(0, 3), three,
         "--stazioni dà 3 numeri, ma il piano di costruzione ha 2 curve da leggere come sezioni"},
        // The positions are refused first, then the centreline.
        {Sheet()
             .Curve({{0, 0, 0}, {2, 1, 0}, {2, 3, 0}})
             .Curve({{5, 0, 0}, {3, 1, 0}, {3, 4, 0}})
             .Curve({{9, 0, 0}, {10, 1, 0}, {11, 3, 0}}),
         {},
         "Niente nel disegno numera ogni sezione"},
        {Sheet().Curve({{0, 0, 0}, {2, 1, 0}, {2, 3, 0}}).Curve({{5, 0, 0}, {3, 1, 0}, {3, 4, 0}}),
         two, "Non trovo l'asse del piano di costruzione"},
        {Sheet().Half(0, 2).Curve({{0, 0, 0}, {1, 1, 1}}), two,
         "La polilinea 2 non sta nel piano del foglio"},
    };
    for (const auto& [sheet, choices, expected] : cases) {
        SCOPED_TRACE(expected);
        const Placed placed = Place(sheet, choices);
        EXPECT_FALSE(placed.bPlaced);
        EXPECT_EQ(placed.text.substr(0, expected.size()), expected);
    }
}
