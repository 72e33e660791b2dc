// The framework's start-up on Qt: the check for a display, the application, Italian texts, no
// settings; and the application's services (hourglass, resources, strings).
#include "App.h"
#include "DialogTemplate.h"
#include "WindowImpl_qt.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QStyleFactory>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* EnvironmentValue(const char* pszName) {
    const char* p = std::getenv(pszName);
    return p && *p ? p : nullptr;
}

bool DisplayMissing() {
#if defined(__unix__) && !defined(__APPLE__)
    return !EnvironmentValue("QT_QPA_PLATFORM") && !EnvironmentValue("DISPLAY") &&
           !EnvironmentValue("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

// Before the application stands, the program is named as the message boxes name it later: by
// its executable's file name without extension.
std::string g_programName;

void NoteProgramName(const char* pszArgv0) {
    g_programName = QFileInfo(QString::fromLocal8Bit(pszArgv0 ? pszArgv0 : ""))
                        .completeBaseName()
                        .toStdString();
}

void ReportNoDisplay(const std::string& cause) {
    std::fprintf(stderr, "%s: nessuno schermo disponibile (%s).\n", g_programName.c_str(),
                 cause.c_str());
}

// Qt ends the process when no platform can be started (a display that does not answer, say).
// Its messages of the start-up are held back so that the user reads one line of ours instead;
// once the application stands they are shown as they came.
std::vector<std::pair<QtMsgType, QString>> g_startupMessages;

void HoldStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::string cause;
        if (const char* pszDisplay = EnvironmentValue("DISPLAY"))
            cause = std::string("impossibile collegarsi a DISPLAY=") + pszDisplay;
        else if (const char* pszPlatform = EnvironmentValue("QT_QPA_PLATFORM"))
            cause = std::string("piattaforma ") + pszPlatform + " non disponibile";
        else
            cause = "impossibile collegarsi allo schermo";
        ReportNoDisplay(cause);
        std::_Exit(1);
    }
    g_startupMessages.emplace_back(type, message);
}

// The image files of the program's resources travel as its Qt resources under this prefix.
QString ResourcePath(const char* pszFile) {
    return QStringLiteral(":/resources/") + QString::fromUtf8(pszFile);
}

std::map<UINT, QIcon> g_loadedIcons;

void ReleaseIcons() {
    g_loadedIcons.clear();
}

} // namespace

const QIcon* ResourceIcon(UINT nID) {
    // Shared icons, as the system keeps them: loaded once, never destroyed by the program, and
    // released with the application, before the window system goes.
    if (auto it = g_loadedIcons.find(nID); it != g_loadedIcons.end()) return &it->second;
    const char* pszFile = FindResourceIconFile(static_cast<int>(nID));
    if (!pszFile) return nullptr;
    if (g_loadedIcons.empty()) qAddPostRoutine(ReleaseIcons);
    return &g_loadedIcons.emplace(nID, QIcon(ResourcePath(pszFile))).first->second;
}

QPixmap ResourceBitmap(UINT nID) {
    const char* pszFile = FindResourceBitmapFile(static_cast<int>(nID));
    return pszFile ? QPixmap(ResourcePath(pszFile)) : QPixmap();
}

void AfxQtInitFramework() {
    // The same look wherever the program runs: the dialog units follow the font, and the
    // captions were measured against this style's margins.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(DialogFont());

    // Qt's own texts (file dialogs, buttons) in Italian, whatever the system's language.
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    auto* translator = new QTranslator(qApp);
    if (translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    InstallMissingItalianTexts();

    // The file dialog stores its state (folders visited, view) through the user's settings.
    // The program keeps nothing between runs: a settings folder that cannot hold a file.
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));

    // The executable's name without extension captions the message boxes.
    if (CWinApp* pApp = AfxGetApp(); pApp && pApp->m_strAppName.IsEmpty())
        pApp->m_strAppName =
            ToCString(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

int AfxWinMain(int argc, char** argv) {
    NoteProgramName(argc > 0 ? argv[0] : nullptr);
    if (DisplayMissing()) {
        ReportNoDisplay("DISPLAY non impostato");
        return 1;
    }
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : g_startupMessages)
        std::fprintf(stderr, "%s\n", qPrintable(message));
    g_startupMessages.clear();

    AfxQtInitFramework();
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return 1;
    // The program's start-up returns FALSE once its dialog has ended: no message loop then.
    if (pApp->InitInstance()) QApplication::exec();
    return pApp->ExitInstance();
}

void CWinApp::BeginWaitCursor() {
    if (m_nWaitCursorCount++ == 0 && qApp) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CWinApp::EndWaitCursor() {
    if (m_nWaitCursorCount > 0 && --m_nWaitCursorCount == 0 && qApp)
        QApplication::restoreOverrideCursor();
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return reinterpret_cast<HICON>(const_cast<QIcon*>(ResourceIcon(nIDResource)));
}

BOOL AfxLoadString(UINT nID, CString& str) {
    const char* psz = FindResourceString(static_cast<int>(nID));
    str = psz ? psz : "";
    return !str.IsEmpty();
}
