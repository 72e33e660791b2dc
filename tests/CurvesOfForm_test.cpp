// The curves of form: the table of a box barge, a refusal, and the notes once for the run.
#include "CurvesOfForm.h"
#include "HullSupport.h"

#include <gtest/gtest.h>

namespace {

// The table of the curves; text holds its notes, or its refusal.
bool Compute(const std::vector<DrawnCurve>& curves, const WaterlineRange& range,
             std::vector<Hydrostatics>& rows, std::string& text) {
    return ComputeCurvesOfForm(SectionsOf(curves), range, true, rows, text, text);
}

} // namespace

TEST(CurvesOfForm, BoxBargeIsExactInEveryColumnUpToExactlyTheLastWaterline) {
    // V = L B T, KB = T / 2, BMt = B^2 / 12 T, BMl = L^2 / 12 T, every coefficient 1.
    std::vector<Hydrostatics> rows;
    std::string notes;
    ASSERT_TRUE(Compute(BoxBarge(20, 4, 3, 3), {0.2, 0.9, 1}, rows, notes)) << notes;
    // 0.2 + (0.9 - 0.2) is 0.8999999999999999: a last row beside the last waterline would not
    // be what --idrostatica prints there.
    EXPECT_EQ(rows.back().waterline, 0.9);
    EXPECT_EQ(CurvesOfFormCsv(rows),
              "z,T,V,Delta,LCB,KB,Awp,LCF,TPC,BMt,BMl,KMt,KMl,MCT1cm,Cb,Cp,Cm,Cwp,S,LWL,BWL\n"
              "2.000000e-001,2.000000e-001,1.600000e+001,1.640000e+001,1.000000e+001,"
              "1.000000e-001,8.000000e+001,1.000000e+001,8.200000e-001,6.666667e+000,"
              "1.666667e+002,6.766667e+000,1.667667e+002,1.366667e+000,1.000000e+000,"
              "1.000000e+000,1.000000e+000,1.000000e+000,8.800000e+001,2.000000e+001,"
              "4.000000e+000\n"
              "9.000000e-001,9.000000e-001,7.200000e+001,7.380000e+001,1.000000e+001,"
              "4.500000e-001,8.000000e+001,1.000000e+001,8.200000e-001,1.481481e+000,"
              "3.703704e+001,1.931481e+000,3.748704e+001,1.366667e+000,1.000000e+000,"
              "1.000000e+000,1.000000e+000,1.000000e+000,1.160000e+002,2.000000e+001,"
              "4.000000e+000\n");
}

TEST(CurvesOfForm, RefusalsNameTheWaterlinesInTheDrawingsUnits) {
    std::vector<Hydrostatics> rows;
    std::string refusal;
    EXPECT_FALSE(Compute(BoxBarge(20, 4, 3, 3, false, 1000), {1000, 3500, 4}, rows, refusal));
    EXPECT_EQ(refusal, "L'ultimo galleggiamento, z = 3.500000e+003, è sopra tutte le sezioni, "
                       "che arrivano al più a z = 3.000000e+003.");
}

TEST(CurvesOfForm, NotesComeOnceForTheRun) {
    // Drawn on the starboard side, the middle station raised 1 m: dry in the two lowest rows.
    std::vector<DrawnCurve> curves = BoxBarge(20, 4, 3, 5);
    for (DrawnCurve& curve : curves)
        for (HullPoint& p : curve.points) {
            p.y = -p.y;
            p.z += curve.nNumber == 3 ? 1 : 0;
        }
    std::vector<Hydrostatics> rows;
    std::string notes;
    ASSERT_TRUE(Compute(curves, {0.6, 2.6, 8}, rows, notes)) << notes;
    EXPECT_EQ(notes, "Nota: 1 sezione resta fuori dalle righe dei galleggiamenti che non la "
                     "raggiungono: 2 su 9, fino a z = 8.500000e-001.\n"
                     "Nota: 5 sezioni disegnate sul lato di dritta (y < 0), prese specchiate a "
                     "sinistra.\n");
}
