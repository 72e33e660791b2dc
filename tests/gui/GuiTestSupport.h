// Driving the real dialogs on Qt's offscreen platform: the dialogs run their own modal loops,
// so every action on a window that is about to open is set up before the call that opens it
// and runs from a timer inside that window's loop.
#pragma once

#include "WinDefs.h"

#include <QMessageBox>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QMenu;
class QPushButton;
class QTimer;
class QWidget;
class CTrevanoDlg;

// Runs an action on the first window that find() returns, from inside the event loop, for as
// long as the object lives; reports a failure if none appeared and one was expected.
class WindowWatch {
public:
    WindowWatch(std::function<QWidget*()> find, std::function<void(QWidget*)> act,
                bool bExpected = true);
    ~WindowWatch();
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
    bool Seen() const { return m_bSeen; }

private:
    std::unique_ptr<QTimer> m_timer;
    bool m_bSeen = false;
    bool m_bExpected;
};

// The next modal window that opens over the one active now.
std::unique_ptr<WindowWatch> WatchNextModal(std::function<void(QWidget*)> act,
                                            bool bExpected = true);
// The next popup menu.
std::unique_ptr<WindowWatch> WatchNextMenu(std::function<void(QMenu*)> act);

// What a message box showed; the watch closes it with its OK button.
struct SeenMessage {
    bool bShown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int nButtons = 0;
};
std::unique_ptr<WindowWatch> WatchNextMessage(SeenMessage& seen);

// Runs the main dialog as the program does, with act run inside its modal loop; act ends it.
INT_PTR RunMainDialog(CTrevanoDlg& dlg, const std::function<void(QWidget*)>& act);

QWidget* Control(QWidget* pDialog, int nID);
QPushButton* Button(QWidget* pDialog, int nID);
// Types the name into a file dialog and accepts it.
void ChooseFile(QWidget* pFileDialog, const QString& name);
// Presses the load button and chooses the file in the open dialog.
void LoadThroughDialog(QWidget* pMain, const QString& path);
// Presses an export button and chooses the file in the save dialog.
void ExportThroughDialog(QWidget* pMain, int nButton, const QString& path);

std::string ReadBytes(const QString& path);
QString SamplePath();
// A fresh folder for one test, removed with the object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    QString Path(const char* pszName) const;
    const QString& Root() const { return m_root; }

private:
    QString m_root;
};
