// The program's start-up without a display, and the promise that it keeps nothing: a HOME
// that starts empty stays empty.
#include "GuiTestSupport.h"

#include "FileDialog.h"
#include "TrevanoDlg.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

struct Outcome {
    int nStatus = -1;
    std::string err;
};

Outcome RunProgram(const char* pszEnvironment, const ScratchDir& dir) {
    const QString err = dir.Path("stderr");
    const QString command = QStringLiteral("env %1 '" TREVANO_GUI_PATH "' 2>'%2' >/dev/null")
                                .arg(QString::fromLatin1(pszEnvironment), err);
    const int nRaw = std::system(command.toLocal8Bit().constData());
    Outcome outcome;
    outcome.nStatus = WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1;
    outcome.err = ReadBytes(err);
    return outcome;
}

QStringList EntriesUnder(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next();
    return entries;
}

} // namespace

TEST(Startup, WithoutDisplaySaysSoInOneLineAndExitsWithOne) {
    ScratchDir dir;
    const Outcome o = RunProgram("-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", dir);
    EXPECT_EQ(o.nStatus, 1);
    EXPECT_EQ(o.err, "Trevano: nessuno schermo disponibile (DISPLAY non impostato).\n");
}

TEST(Startup, DisplayThatDoesNotAnswerIsReportedInOneLine) {
    ScratchDir dir;
    const Outcome o = RunProgram("-u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4711", dir);
    EXPECT_EQ(o.nStatus, 1);
    EXPECT_EQ(o.err,
              "Trevano: nessuno schermo disponibile (impossibile collegarsi a DISPLAY=:4711).\n");
}

TEST(Startup, NothingIsWrittenUnderAFreshHome) {
    const QString home = qEnvironmentVariable("HOME");
    ASSERT_TRUE(home.contains("trevano-home-")) << home.toStdString();
    ScratchDir dir;
    {
        CTrevanoDlg dlg;
        RunMainDialog(dlg, [&](QWidget* main) {
            LoadThroughDialog(main, SamplePath());
            ExportThroughDialog(main, IDC_EXPORT_SECTIONS_CSV, dir.Path("sezioni.csv"));
            auto about = WatchNextModal([](QWidget* w) { w->close(); });
            Button(main, IDC_INFO)->click();
            Button(main, IDOK)->click();
        });
    }
    EXPECT_EQ(EntriesUnder(home), QStringList());
}
