// The converter's own duties, on the sample drawing: its exit status, what goes to standard
// output and to standard error, the forms in the order asked, the summary and the notes.
#include "TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kSample = TREVANO_SOURCE_DIR "/samples/scafo.dxf";
const std::string kCorpus = TREVANO_SOURCE_DIR "/../shared/corpus/";
const std::string kCounts = "Numero Polyline: 10\nNumero di punti: 86\n";
const std::string kNotes =
    "Nota: 1 LWPOLYLINE non letta (polilinea leggera di AutoCAD R14 e successivi); "
    "--lwpolyline la legge.\n"
    "Nota: 2 polilinee lasciate fuori come maglie (flag 16 o 64).\n";
const std::string kTryHelp = "\nProva 'trevano-cli --help' per l'uso.\n";

// The forms of the sample as checked by hand.
std::string Expected(const std::string& name) {
    return ReadWholeFile(TREVANO_SOURCE_DIR "/tests/expected/scafo-" + name);
}

} // namespace

TEST(Cli, ExitStatusOutputAndErrorOfEachRun) {
    ScratchDir dir;
    const std::string points = dir.File("p.csv"), sections = dir.File("s.csv");
    const std::string missing = dir.File("manca.dxf"), badPath = dir.File("no/s.dat");
    const std::string all = Expected("punti.csv") + Expected("sezioni.csv") +
                            Expected("sezioni.dat") + Expected("punti.csv");
    WriteWholeFile(dir.File("-scafo.dxf"), ReadWholeFile(kSample));
    const std::string fifo = dir.File("tubo.dxf"), sample = ReadWholeFile(kSample);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Two sections drawn flat at x = 0: one with an arc, one flagged 128 whose first vertex is a
    // spline frame's (flag 16); and a SPLINE whose degree its control points cannot carry.
    const std::string notes = dir.File("note.dxf");
    DrawingBuilder drawing;
    drawing.BeginEntities().Polyline(0).Vertex(0, 0, 0).Code(42, "1").Vertex(0, 3, 0).Seqend();
    drawing.Polyline(128).Vertex(0, 9, 9).Code(70, "16").Vertex(0, 1, 1).Vertex(0, 2, 2).Seqend();
    drawing.Code(0, "SPLINE").Code(71, "3").Code(10, "0").Code(20, "0").Code(30, "0");
    WriteWholeFile(notes, drawing.EndEntities().Lf());
    const std::string arcs =
        "Nota: 1 POLYLINE con archi letti come corde: i punti sono i vertici.\n";
    // The arguments, how standard input and output are set up, and the status, standard output,
    // "|", then the start of standard error. A failed export stops the run and keeps the files
    // written before it; a standard output that cannot be written is a failure like any other.
    const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
        {{kSample, "--punti", points, "--sezioni-csv=" + sections},
         "",
         "0 " + kCounts + "|" + kNotes}, // the notes never on standard output
        {{kSample, "--punti=-", "--sezioni-csv", "-", "--sezioni-dat", "-", "--punti", "-"},
         "",
         "0 " + all + "|" + kCounts + kNotes},
        {{"--punti=-", "--sezioni-csv", "-", "--sezioni-dat", "-", "--punti", "-", "-"},
         "stdin",
         "0 " + all + "|" + kCounts + kNotes},
        {{"--punti", "-", "--", "-scafo.dxf"}, "cd", "0 " + Expected("punti.csv") + "|"},
        // Broke: a drawing named by a pipe (bash's <(...)) was read in order by the scan, and
        // the load's seeks found nothing: 0 and 0, exit 0.
        {{fifo, "--punti", points, "--sezioni-csv=" + sections},
         "fifo",
         "0 " + kCounts + "|" + kNotes},
        {{"--help"}, "", "0 Uso: trevano-cli [OPZIONI] DISEGNO.dxf\n"},
        {{"--version"}, "", "0 Trevano 1.0\n|"},
        {{}, "", "2 |trevano-cli: manca il disegno da leggere" + kTryHelp},
        {{kSample, "--punti"}, "", "2 |trevano-cli: manca il nome del file dopo: --punti\n"},
        {{kSample, "--xyz"}, "", "2 |trevano-cli: opzione sconosciuta: --xyz" + kTryHelp},
        {{kSample, "x"}, "", "2 |trevano-cli: un solo disegno per volta; in pi\xC3\xB9: x\n"},
        {{missing, "--punti", points}, "", "1 |" + missing + " non trovato.\n"},
        {{kSample, "--tolleranza", "1,5"},
         "",
         "2 |trevano-cli: --tolleranza vuole un numero maggiore di zero, con il punto decimale: "
         "1,5\n"},
        {{notes},
         "",
         "0 Numero Polyline: 1\nNumero di punti: 2\n|Nota: 1 SPLINE non letta (una curva); "
         "--spline la legge.\nNota: 1 polilinea lasciata fuori per i suoi flag (16 e oltre, ma "
         "non una maglia); --tutte-le-polilinee la legge.\n" +
             arcs},
        {{notes, "--spline", "--tutte-le-polilinee"},
         "",
         "0 Numero Polyline: 2\nNumero di punti: 4\n|" + arcs +
             "Nota: 1 SPLINE lasciata fuori: grado, nodi, pesi o punti di controllo non validi.\n"
             "Nota: tutte le polilinee lette stanno alla stessa x: sezioni disegnate in un solo "
             "piano?"},
        {{kSample, "--punti", points, "--sezioni-dat", badPath, "--sezioni-csv", sections},
         "",
         "1 " + kCounts + "|" + kNotes + badPath + " contiene un percorso non valido.\n"},
        {{kSample, "--punti", points, "--sezioni-dat", "/dev/full", "--sezioni-csv", sections},
         "",
         "1 " + kCounts + "|" + kNotes + "Disco pieno durante l'accesso a /dev/full.\n"},
        {{kSample}, "full", "1 |Disco pieno durante l'accesso a standard output.\n"},
        {{kSample},
         "closed",
         "1 |Un gestore di file non valido è stato associato a standard output.\n"},
    };
    for (const auto& [args, streams, expected] : cases) {
        std::string out, err;
        std::remove(points.c_str());
        std::remove(sections.c_str());
        CliRun run{[&, streams = streams] {
            if (streams == "closed") close(STDOUT_FILENO);
            if (streams == "fifo" && fork() == 0) { // the writer at the pipe's other end
                WriteWholeFile(fifo, sample);
                _exit(0);
            }
            if ((streams == "full" && !std::freopen("/dev/full", "w", stdout)) ||
                (streams == "stdin" && !std::freopen(kSample.c_str(), "rb", stdin)) ||
                (streams == "cd" && chdir(dir.Path().c_str()) != 0))
                _exit(125);
        }};
        const int nStatus = RunCli(args, &out, &err, &run);
        EXPECT_EQ((std::to_string(nStatus) + " " + out + "|" + err).substr(0, expected.size()),
                  expected);
        const bool bWritten =
            expected.find(kCounts) == 2 && args.size() > 1 && args[1] == "--punti";
        EXPECT_EQ(ReadWholeFile(points), bWritten ? Expected("punti.csv") : "") << expected;
        EXPECT_EQ(ReadWholeFile(sections), nStatus == 0 && bWritten ? Expected("sezioni.csv") : "");
    }
}

TEST(Cli, SummaryTellsWhatTheDrawingHolds) {
    // Layer names that a script could split only by their quotes; the layer of a VERTEX is its
    // polyline's.
    ScratchDir dir;
    DrawingBuilder names;
    names.BeginEntities().Code(0, "LINE").Code(8, "LINEE");
    for (const char* layer : {"Z", "a,b", "d\"a\"", ""})
        names.Code(0, "POLYLINE")
            .Code(8, layer)
            .Code(0, "VERTEX")
            .Code(8, "VERTICI")
            .Code(0, "SEQEND");
    WriteWholeFile(dir.File("nomi.dxf"), names.EndEntities().Lf());
    // The sections' lines are the .dat form's header lines, those that start with no space.
    std::string sections, line;
    for (std::istringstream dat(Expected("sezioni.dat")); std::getline(dat, line);)
        sections += line[0] == ' ' ? "" : line + "\n";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{kSample},
         kCounts +
             "Versione DXF: AC1015\nUnità: non indicate\nEntità: LWPOLYLINE 1, POLYLINE 12\n"
             "Lasciate fuori: 2 maglie, 1 LWPOLYLINE\nLayer: PARATIA 1, SEZIONI 9\n"
             "Layer del disegno: MESH, PARATIA, SEZIONI\nIngombro: x 0.000000e+000 1.200000e+004, "
             "y "
             "0.000000e+000 1.890996e+003, z 0.000000e+000 1.600000e+003\nSezioni: 10\n" +
             sections},
        {{kSample, "--lwpolyline", "--layer", "sezioni"},
         "Numero Polyline: 10\nNumero di punti: 85\nVersione DXF: AC1015\nUnità: non indicate\n"
         "Entità: LWPOLYLINE 1, POLYLINE 12\n"
         "Lasciate fuori: 2 maglie, 1 su altri layer\nLayer: SEZIONI 10\n"},
        {{kCorpus + "netdxf-sample.dxf", "--lwpolyline"},
         "Numero Polyline: 4\nNumero di punti: 52\nVersione DXF: AC1032\nUnità: millimetri\n"
         "Entità: 3DFACE 1, ACAD_TABLE 1, ARC 2, ARC_DIMENSION 1, CIRCLE 3, DIMENSION 8, "
         "ELLIPSE 1, HATCH 3, IMAGE 1, INSERT 1, LEADER 1, LINE 16, LWPOLYLINE 1, MESH 1, "
         "MLINE 2, MTEXT 2, PDFUNDERLAY 1, POINT 1, POLYLINE 5, RAY 1, SHAPE 1, SOLID 1, "
         "SPLINE 1, TEXT 1, VIEWPORT 2, WIPEOUT 1, XLINE 1\n"
         "Lasciate fuori: 2 maglie, 1 SPLINE\nLayer: Layer1 1, Layer2 3\n"
         "Layer del disegno: 0, ConstructionLines, EntityProperties, Groups, Layer1, Layer2\n"
         "Ingombro: x 2.000000e+001 7.900000e+002, y -4.500000e+002 -1.000000e+001, z "
         "0.000000e+000 5.000000e+001\nSezioni: 4\n2.000000e+001    4\n5.000000e+002    21\n"
         "5.100000e+002    5\n7.000000e+002    22\n"},
        {{dir.File("nomi.dxf")},
         "Numero Polyline: 4\nNumero di punti: 4\nVersione DXF: non indicata\nUnità: non indicate\n"
         "Entità: LINE 1, POLYLINE 4\nLasciate fuori: nessuna\n"
         "Layer: \"\" 1, Z 1, \"a,b\" 1, \"d\"\"a\"\"\" 1\n"
         "Layer del disegno: \"\", LINEE, Z, \"a,b\", \"d\"\"a\"\"\"\n"},
        {{kCorpus + "gdal-entities_only.dxf"},
         "Numero Polyline: 0\nNumero di punti: 0\nVersione DXF: non indicata\nUnità: non indicate\n"
         "Entità: POINT 2\nLasciate fuori: nessuna\nLayer: nessuno\nLayer del disegno: POINTS\n"
         "Sezioni: 0\n"},
    };
    for (auto [args, expected] : cases) {
        if (access(args[0].c_str(), R_OK) != 0) continue; // no corpus beside the project
        std::string out, err;
        args.push_back("--riepilogo");
        EXPECT_EQ(RunCli(args, &out, &err), 0);
        EXPECT_EQ(out.substr(0, expected.size()), expected) << err;
    }
}

TEST(Cli, NeitherWritesOverTheDrawingNorTakesWhatIsNoDrawingForOne) {
    ScratchDir dir;
    const std::string drawing = dir.File("disegno.dxf"), csv = dir.File("uscita.csv");
    const std::string hard = dir.File("stesso.csv"), soft = dir.File("collegamento.csv");
    const std::string sample = ReadWholeFile(kSample);
    std::string noise(4096, ' ');
    std::generate(noise.begin(), noise.end(), std::mt19937(19));
    const std::string dxf = " non scrive su un file .dxf: nessuna uscita è un disegno: ";
    const std::string over = " scriverebbe sul disegno da leggere: ";
    const std::string notText = " non è un disegno DXF di testo: non ha una sezione ENTITIES.\n";
    // What disegno.dxf holds, the arguments, and the exit status with standard error (after
    // "trevano-cli: " for a usage error); a refusal prints no counts, and leaves the drawing and
    // uscita.csv as they were.
    const std::tuple<std::string, std::vector<std::string>, std::string> cases[] = {
        // Before, the drawing given where the output goes was emptied, and the run succeeded.
        {sample, {"--punti", drawing, csv}, "2 --punti" + dxf + drawing},
        {sample, {drawing, "--sezioni-dat", hard}, "2 --sezioni-dat" + over + hard},
        {sample, {drawing, "--punti=" + soft}, "2 --punti" + over + soft},
        {sample,
         {drawing, "--punti", csv, "--anteprima", dir.File("X.DXF")},
         "2 --anteprima" + dxf + dir.File("X.DXF")},
        // Before, each of these read as a drawing of 0 polylines, and the run succeeded.
        {std::string("AutoCAD Binary DXF\r\n\x1a\0POLYLINE", 30),
         {drawing, "--punti", csv},
         "1 " + drawing +
             " è un DXF binario: salva il disegno come DXF di testo (ASCII) e riprova.\n"},
        {"", {drawing, "--punti", csv}, "1 " + drawing + notText},
        {"x,y,z\n1,2,3\n", {drawing, "--punti", csv}, "1 " + drawing + notText},
        {noise, {drawing, "--punti", csv}, "1 " + drawing + notText},
        {DrawingBuilder().BeginEntities().Code(0, "POINT").EndEntities().Lf(),
         {drawing, "--punti", csv},
         "0 Nota: nessuna polilinea letta.\n"},
    };
    for (const auto& [bytes, args, expected] : cases) {
        SCOPED_TRACE(expected);
        for (const std::string& name : {drawing, csv, hard, soft})
            std::remove(name.c_str());
        WriteWholeFile(drawing, bytes);
        WriteWholeFile(csv, "1,2,3\n");
        ASSERT_EQ(link(drawing.c_str(), hard.c_str()) | symlink(drawing.c_str(), soft.c_str()), 0);
        std::string out, err;
        const int nStatus = RunCli(args, &out, &err);
        EXPECT_EQ(std::to_string(nStatus) + " " + err,
                  nStatus == 2
                      ? expected.substr(0, 2) + "trevano-cli: " + expected.substr(2) + kTryHelp
                      : expected);
        EXPECT_EQ(out, nStatus == 0 ? "Numero Polyline: 0\nNumero di punti: 0\n" : "");
        EXPECT_EQ(ReadWholeFile(drawing), bytes);
        EXPECT_EQ(ReadWholeFile(csv), nStatus == 0 ? "" : "1,2,3\n");
        EXPECT_FALSE(FileExists(dir.File("X.DXF")));
    }
}

TEST(Cli, OptionValuesAreCheckedBeforeTheDrawingIsRead) {
    ScratchDir dir;
    const std::string sections = dir.File("s.csv");
    const std::string plan = "--piano-di-costruzione";
    // The arguments after the drawing, and what follows "trevano-cli: " on standard error.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        // Broke: --punti took the next option for its file, wrote nothing and exited 0.
        {{"--punti", "--sezioni-csv", sections}, "manca il nome del file dopo: --punti"},
        {{"--layer", "--punti", sections}, "manca il nome del layer dopo: --layer"},
        {{"--asse=--1"}, "manca il valore dopo: --asse"},
        {{"--solo-sezioni=1"}, "l'opzione non vuole un valore: --solo-sezioni=1"},
        {{plan, "--stazioni", "0,5;1,0"},
         "--stazioni vuole i numeri separati da virgole, col punto decimale: 0,5;1,0"},
        {{"--finestra", "0,0,0,5"},
         "--finestra vuole X1,Y1,X2,Y2, due vertici opposti di un rettangolo non vuoto, col "
         "punto decimale: 0,0,0,5"},
        {{plan, "--passo-stazioni", "0"},
         "--passo-stazioni vuole un numero diverso da zero (col punto decimale): 0"},
        {{"--asse", "3"}, "manca --piano-di-costruzione, che serve a: --asse"},
        {{plan, "--stazioni", "1", "--stazioni-da", "layer"},
         "--stazioni e --stazioni-da si escludono: dai l'una o l'altra"},
    };
    for (const auto& [args, expected] : cases) {
        SCOPED_TRACE(expected);
        std::vector<std::string> all = {kSample};
        all.insert(all.end(), args.begin(), args.end());
        std::string out, err;
        EXPECT_EQ(RunCli(all, &out, &err), 2);
        EXPECT_EQ(err.substr(0, 13 + expected.size()), "trevano-cli: " + expected);
        EXPECT_EQ(out, "");
        EXPECT_FALSE(FileExists(sections));
    }
}
