#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>

namespace {

const std::string kSample = std::string(TREVANO_SOURCE_DIR) + "/samples/scafo.dxf";
const std::string kExpected = std::string(TREVANO_SOURCE_DIR) + "/tests/expected/";

} // namespace

TEST(Cli, PrintsTheCountsOfTheDrawing) {
    std::string out, err;
    EXPECT_EQ(RunCli({kSample}, &out, &err), 0);
    EXPECT_EQ(out, "Numero Polyline: 10\nNumero di punti: 86\n");
    EXPECT_EQ(err, "");
}

TEST(Cli, WritesTheThreeFormsAsCheckedByHand) {
    ScratchDir dir;
    std::string out;
    ASSERT_EQ(RunCli({kSample, "--punti", dir.File("p.csv"), "--sezioni-dat", dir.File("s.dat"),
                      "--sezioni-csv", dir.File("s.csv")},
                     &out),
              0);
    EXPECT_EQ(out, "Numero Polyline: 10\nNumero di punti: 86\n");
    EXPECT_EQ(ReadWholeFile(dir.File("p.csv")), ReadWholeFile(kExpected + "scafo-punti.csv"));
    EXPECT_EQ(ReadWholeFile(dir.File("s.dat")), ReadWholeFile(kExpected + "scafo-sezioni.dat"));
    EXPECT_EQ(ReadWholeFile(dir.File("s.csv")), ReadWholeFile(kExpected + "scafo-sezioni.csv"));
}

TEST(Cli, DashWritesToStandardOutputAndCountsGoToStandardError) {
    std::string out, err;
    ASSERT_EQ(RunCli({kSample, "--sezioni-dat", "-"}, &out, &err), 0);
    EXPECT_EQ(out, ReadWholeFile(kExpected + "scafo-sezioni.dat"));
    EXPECT_EQ(err, "Numero Polyline: 10\nNumero di punti: 86\n");
}

TEST(Cli, OptionsRunInTheOrderGivenAndMayRepeat) {
    ScratchDir dir;
    std::string out;
    ASSERT_EQ(RunCli({kSample, "--punti=-", "--sezioni-csv", "-", "--punti", "-"}, &out), 0);
    const std::string points = ReadWholeFile(kExpected + "scafo-punti.csv");
    EXPECT_EQ(out, points + ReadWholeFile(kExpected + "scafo-sezioni.csv") + points);
}

TEST(Cli, MissingDrawingIsReportedWithItsPath) {
    ScratchDir dir;
    std::string out, err;
    EXPECT_EQ(RunCli({dir.File("manca.dxf")}, &out, &err), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, dir.File("manca.dxf") + " non trovato.\n");
}

TEST(Cli, FailedExportStopsWithItsMessageAndKeepsEarlierFiles) {
    ScratchDir dir;
    std::string err;
    EXPECT_EQ(RunCli({kSample, "--punti", dir.File("p.csv"), "--sezioni-dat", dir.File("no/s.dat"),
                      "--sezioni-csv", dir.File("s.csv")},
                     nullptr, &err),
              1);
    EXPECT_EQ(err, dir.File("no/s.dat") + " contiene un percorso non valido.\n");
    EXPECT_EQ(ReadWholeFile(dir.File("p.csv")), ReadWholeFile(kExpected + "scafo-punti.csv"));
    EXPECT_FALSE(FileExists(dir.File("s.csv")));
}

#ifndef _WIN32 // no /dev/full there
TEST(Cli, FullDiskIsReportedNamingTheFile) {
    std::string err;
    EXPECT_EQ(RunCli({kSample, "--punti", "/dev/full"}, nullptr, &err), 1);
    EXPECT_EQ(err, "Disco pieno durante l'accesso a /dev/full.\n");
}
#endif

TEST(Cli, HelpAndVersion) {
    std::string out;
    EXPECT_EQ(RunCli({"--help"}, &out), 0);
    EXPECT_EQ(out.rfind("Uso: trevano-cli DISEGNO.dxf", 0), 0u);
    EXPECT_EQ(RunCli({"--version"}, &out), 0);
    EXPECT_EQ(out, "Trevano 1.0\n");
}

TEST(Cli, UsageErrorsExitWithTwo) {
    std::string err;
    EXPECT_EQ(RunCli({}, nullptr, &err), 2);
    EXPECT_NE(err.find("Uso: trevano-cli"), std::string::npos);
    EXPECT_EQ(RunCli({kSample, "--punti"}, nullptr, &err), 2);
    EXPECT_EQ(err.rfind("trevano-cli: manca il nome del file dopo: --punti\n", 0), 0u);
    EXPECT_EQ(RunCli({kSample, "--xyz"}, nullptr, &err), 2);
    EXPECT_EQ(err.rfind("trevano-cli: opzione sconosciuta: --xyz\n", 0), 0u);
    EXPECT_EQ(RunCli({kSample, kSample}, nullptr, &err), 2);
}

TEST(Cli, CorpusOutputsFollowTheTextConventions) {
    if (CorpusDir().empty()) GTEST_SKIP() << "no corpus folder beside the project";
    const char* files[] = {"dxfvuer-electric.dxf",  "libredwg-example_r12.dxf",
                           "bjnortier-issue29.dxf", "ezdxf-POLI-ALL210_12.DXF",
                           "netdxf-sample.dxf",     "gdal-LWPOLYLINE-OCS.dxf"};
    for (const char* name : files) {
        std::string counts, points, dat, csv;
        const std::string path = CorpusDir() + "/" + name;
        ASSERT_EQ(RunCli({path}, &counts), 0) << name;
        ASSERT_EQ(RunCli({path, "--punti", "-"}, &points), 0);
        ASSERT_EQ(RunCli({path, "--sezioni-dat", "-"}, &dat), 0);
        ASSERT_EQ(RunCli({path, "--sezioni-csv", "-"}, &csv), 0);
        int nPolylines = 0, nPoints = 0;
        ASSERT_EQ(std::sscanf(counts.c_str(), "Numero Polyline: %d\nNumero di punti: %d",
                              &nPolylines, &nPoints),
                  2);
        // Each form: one header per polyline, one line per point, LF only, "%e" fields.
        const std::string number = "-?[0-9]\\.[0-9]{6}e[-+][0-9]{3}";
        const std::regex pointLine(number + "," + number + "," + number);
        const std::regex datLine("    " + number + "    " + number);
        const std::regex datHeader(number + "    [0-9]+");
        int nHeaders = 0, nLines = 0;
        std::istringstream in(points);
        for (std::string line; std::getline(in, line);) {
            ASSERT_EQ(line.find('\r'), std::string::npos) << name;
            if (line.rfind("Spezzata di  ", 0) == 0)
                ++nHeaders;
            else if (std::regex_match(line, pointLine))
                ++nLines;
            else
                ADD_FAILURE() << name << ": " << line;
        }
        EXPECT_EQ(nHeaders, nPolylines) << name;
        EXPECT_EQ(nLines, nPoints) << name;
        nHeaders = nLines = 0;
        std::istringstream inDat(dat);
        for (std::string line; std::getline(inDat, line);) {
            if (std::regex_match(line, datHeader))
                ++nHeaders;
            else if (std::regex_match(line, datLine))
                ++nLines;
            else
                ADD_FAILURE() << name << ": " << line;
        }
        EXPECT_EQ(nHeaders, nPolylines) << name;
        EXPECT_EQ(nLines, nPoints) << name;
        std::string commas;
        for (size_t i = 0; i < dat.size();) {
            if (dat.compare(i, 4, "    ") == 0) {
                commas += ',';
                i += 4;
            } else {
                commas += dat[i++];
            }
        }
        EXPECT_EQ(csv, commas) << name;
        EXPECT_TRUE(points.empty() || points.back() == '\n');
    }
}
