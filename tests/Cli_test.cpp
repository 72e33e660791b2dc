// The converter's own duties, on the sample drawing: its exit status, what goes to standard
// output and to standard error, and the forms in the order asked.
#include "TestSupport.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

const std::string kSample = TREVANO_SOURCE_DIR "/samples/scafo.dxf";
const std::string kCounts = "Numero Polyline: 10\nNumero di punti: 86\n";

// The forms of the sample as checked by hand.
std::string Expected(const std::string& name) {
    return ReadWholeFile(TREVANO_SOURCE_DIR "/tests/expected/scafo-" + name);
}

} // namespace

TEST(Cli, WritesTheFormsAskedForInTheirOrder) {
    ScratchDir dir;
    std::string out, err;
    EXPECT_EQ(RunCli({kSample, "--punti", dir.File("p.csv"), "--sezioni-dat", dir.File("s.dat"),
                      "--sezioni-csv=" + dir.File("s.csv")},
                     &out, &err),
              0);
    EXPECT_EQ(out + "|" + err, kCounts + "|");
    EXPECT_EQ(ReadWholeFile(dir.File("p.csv")), Expected("punti.csv"));
    EXPECT_EQ(ReadWholeFile(dir.File("s.dat")), Expected("sezioni.dat"));
    EXPECT_EQ(ReadWholeFile(dir.File("s.csv")), Expected("sezioni.csv"));
    // With "-" the forms go to standard output, repeats included, and the counts to standard
    // error.
    EXPECT_EQ(
        RunCli({kSample, "--punti=-", "--sezioni-csv", "-", "--sezioni-dat", "-", "--punti", "-"},
               &out, &err),
        0);
    EXPECT_EQ(out + "|" + err, Expected("punti.csv") + Expected("sezioni.csv") +
                                   Expected("sezioni.dat") + Expected("punti.csv") + "|" + kCounts);
}

TEST(Cli, ExitsWithOneOnFileErrorsAndTwoOnUsageErrors) {
    ScratchDir dir;
    const std::string points = dir.File("p.csv"), sections = dir.File("s.csv");
    const std::string missing = dir.File("manca.dxf"), badPath = dir.File("no/s.dat");
    // Standard output, "|", then the start of standard error; a failed export stops the run
    // and keeps the files written before it.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--help"}, "0 Uso: trevano-cli DISEGNO.dxf [--punti FILE]"},
        {{"--version"}, "0 Trevano 1.0\n|"},
        {{}, "2 |Uso: trevano-cli DISEGNO.dxf"},
        {{kSample, "--punti"}, "2 |trevano-cli: manca il nome del file dopo: --punti\n\nUso: "},
        {{kSample, "--xyz"}, "2 |trevano-cli: opzione sconosciuta: --xyz\n\nUso: "},
        {{kSample, "x"}, "2 |trevano-cli: un solo disegno per volta; in pi\xC3\xB9: x\n\nUso: "},
        {{missing, "--punti", points}, "1 |" + missing + " non trovato.\n"},
        {{kSample, "--punti", points, "--sezioni-dat", badPath, "--sezioni-csv", sections},
         "1 " + kCounts + "|" + badPath + " contiene un percorso non valido.\n"},
#ifndef _WIN32 // no /dev/full there
        {{kSample, "--punti", points, "--sezioni-dat", "/dev/full", "--sezioni-csv", sections},
         "1 " + kCounts + "|Disco pieno durante l'accesso a /dev/full.\n"},
#endif
    };
    for (const auto& [args, expected] : cases) {
        std::string out, err;
        std::remove(points.c_str());
        const int nStatus = RunCli(args, &out, &err);
        EXPECT_EQ((std::to_string(nStatus) + " " + out + "|" + err).substr(0, expected.size()),
                  expected);
        const bool bLoaded = expected.find(kCounts) == 2;
        EXPECT_EQ(ReadWholeFile(points), bLoaded ? Expected("punti.csv") : "") << expected;
        EXPECT_FALSE(FileExists(sections)) << expected;
    }
}
