// The three exports through their save dialogs: the converter's bytes, cancel, and the two
// kinds of failure.
#include "GuiTestSupport.h"

#include "TrevanoDlg.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include <cstdlib>

namespace {

struct ExportCase {
    int nButton;
    const char* pszOption;
    const char* pszFile;
};
const ExportCase kExports[] = {{IDC_EXPORT_POINT_LIST, "--punti", "punti.csv"},
                               {IDC_EXPORT_SECTIONS_DAT, "--sezioni-dat", "sezioni.dat"},
                               {IDC_EXPORT_SECTIONS_CSV, "--sezioni-csv", "sezioni.csv"}};

std::string ConverterOutput(const ScratchDir& dir, const char* pszOption) {
    const QString out = dir.Path("cli.out");
    const QString command = QStringLiteral("'" TREVANO_CLI_PATH "' '%1' %2 '%3' >/dev/null")
                                .arg(SamplePath(), QString::fromLatin1(pszOption), out);
    if (std::system(command.toLocal8Bit().constData()) != 0) return "<converter failed>";
    return ReadBytes(out);
}

bool WriteBytes(const QString& path, const char* pszBytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(pszBytes) >= 0;
}

} // namespace

TEST(ExportCommands, EachWritesTheConvertersBytes) {
    ScratchDir dir;
    CTrevanoDlg dlg;
    RunMainDialog(dlg, [&](QWidget* main) {
        LoadThroughDialog(main, SamplePath());
        for (const ExportCase& c : kExports)
            ExportThroughDialog(main, c.nButton, dir.Path(c.pszFile));
        Button(main, IDOK)->click();
    });
    for (const ExportCase& c : kExports) {
        const std::string expected = ConverterOutput(dir, c.pszOption);
        EXPECT_GT(expected.size(), 100u);
        EXPECT_EQ(ReadBytes(dir.Path(c.pszFile)), expected) << c.pszOption;
    }
}

TEST(ExportCommands, NameWithoutExtensionGetsTheDefaultOne) {
    ScratchDir dir;
    CTrevanoDlg dlg;
    RunMainDialog(dlg, [&](QWidget* main) {
        ExportThroughDialog(main, IDC_EXPORT_SECTIONS_DAT, dir.Path("sezioni"));
        ExportThroughDialog(main, IDC_EXPORT_POINT_LIST, dir.Path("punti"));
        Button(main, IDOK)->click();
    });
    // Before any load the list is empty and the files are empty.
    EXPECT_EQ(ReadBytes(dir.Path("sezioni.dat")), "");
    EXPECT_EQ(ReadBytes(dir.Path("punti.csv")), "");
}

TEST(ExportCommands, ExistingFileIsReplacedWithoutAQuestion) {
    ScratchDir dir;
    const QString path = dir.Path("vecchio.csv");
    ASSERT_TRUE(WriteBytes(path, "contenuto di prima, assai piu' lungo del nuovo\n"));
    CTrevanoDlg dlg;
    bool bQuestion = false;
    RunMainDialog(dlg, [&](QWidget* main) {
        auto choose = WatchNextModal([&](QWidget* w) {
            // A question over the save dialog would open while it accepts.
            auto question = WatchNextModal(
                [&](QWidget* q) {
                    bQuestion = true;
                    q->close();
                },
                false);
            ChooseFile(w, path);
        });
        Button(main, IDC_EXPORT_SECTIONS_CSV)->click();
        Button(main, IDOK)->click();
    });
    EXPECT_FALSE(bQuestion);
    EXPECT_EQ(ReadBytes(path), "");
}

TEST(ExportCommands, CancelWritesNothing) {
    ScratchDir dir;
    const QString path = dir.Path("esistente.csv");
    ASSERT_TRUE(WriteBytes(path, "resta\n"));
    CTrevanoDlg dlg;
    RunMainDialog(dlg, [&](QWidget* main) {
        LoadThroughDialog(main, SamplePath());
        for (const ExportCase& c : kExports) {
            auto cancel = WatchNextModal([](QWidget* w) { w->close(); });
            Button(main, c.nButton)->click();
        }
        Button(main, IDOK)->click();
    });
    EXPECT_EQ(ReadBytes(path), "resta\n");
    EXPECT_EQ(QDir(dir.Root()).entryList(QDir::Files), QStringList{"esistente.csv"});
    EXPECT_EQ(dlg.m_nPolylineCount, 10);
}

TEST(ExportCommands, FolderThatDoesNotExistIsReportedWithTheExclamationIcon) {
    ScratchDir dir;
    const QString path = dir.Path("manca/sezioni.dat");
    CTrevanoDlg dlg;
    SeenMessage seen;
    RunMainDialog(dlg, [&](QWidget* main) {
        auto message = WatchNextMessage(seen);
        ExportThroughDialog(main, IDC_EXPORT_SECTIONS_DAT, path);
        Button(main, IDOK)->click();
    });
    EXPECT_EQ(seen.text, path + " contiene un percorso non valido.");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(ExportCommands, WriteErrorIsReportedWithTheStopIconAndTheDialogCarriesOn) {
    ScratchDir dir;
    const QString path = dir.Path("pieno.csv");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), path));
    CTrevanoDlg dlg;
    SeenMessage seen;
    RunMainDialog(dlg, [&](QWidget* main) {
        LoadThroughDialog(main, SamplePath());
        auto message = WatchNextMessage(seen);
        ExportThroughDialog(main, IDC_EXPORT_POINT_LIST, path);
        EXPECT_TRUE(main->isVisible());
        Button(main, IDOK)->click();
    });
    EXPECT_TRUE(seen.text.startsWith("Disco pieno durante l'accesso a "))
        << seen.text.toStdString();
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(dlg.m_nPolylineCount, 10);
}
