#include "GuiTestSupport.h"

#include "App.h"
#include "TrevanoDlg.h"
#include "WindowImpl_qt.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {
const int kWatchTimeoutMs = 10000;
}

WindowWatch::WindowWatch(std::function<QWidget*()> find, std::function<void(QWidget*)> act,
                         bool bExpected)
    : m_timer(std::make_unique<QTimer>()), m_bExpected(bExpected) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    m_timer->setInterval(5);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this, find, act, clock]() {
        if (QWidget* w = find(); w && w->isVisible()) {
            m_timer->stop();
            m_bSeen = true;
            act(w);
        } else if (clock->elapsed() > kWatchTimeoutMs) {
            m_timer->stop();
        }
    });
    m_timer->start();
}

WindowWatch::~WindowWatch() {
    if (m_bExpected && !m_bSeen) ADD_FAILURE() << "the expected window did not open";
}

std::unique_ptr<WindowWatch> WatchNextModal(std::function<void(QWidget*)> act, bool bExpected) {
    QWidget* pBefore = QApplication::activeModalWidget();
    return std::make_unique<WindowWatch>(
        [pBefore]() -> QWidget* {
            QWidget* w = QApplication::activeModalWidget();
            return w != pBefore ? w : nullptr;
        },
        std::move(act), bExpected);
}

std::unique_ptr<WindowWatch> WatchNextMenu(std::function<void(QMenu*)> act) {
    return std::make_unique<WindowWatch>(
        []() -> QWidget* { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
        [act](QWidget* w) { act(static_cast<QMenu*>(w)); });
}

std::unique_ptr<WindowWatch> WatchNextMessage(SeenMessage& seen) {
    // The file dialog that comes first is left to its own watch.
    QWidget* pBefore = QApplication::activeModalWidget();
    auto find = [pBefore]() -> QWidget* {
        QWidget* w = QApplication::activeModalWidget();
        return w != pBefore ? qobject_cast<QMessageBox*>(w) : nullptr;
    };
    return std::make_unique<WindowWatch>(find, [&seen](QWidget* w) {
        auto* box = static_cast<QMessageBox*>(w);
        seen.bShown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.nButtons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
}

INT_PTR RunMainDialog(CTrevanoDlg& dlg, const std::function<void(QWidget*)>& act) {
    CWinApp* pApp = AfxGetApp();
    pApp->m_pMainWnd = &dlg;
    auto watch = WatchNextModal(act);
    const INT_PTR nResult = dlg.DoModal();
    pApp->m_pMainWnd = nullptr;
    return nResult;
}

QWidget* Control(QWidget* pDialog, int nID) {
    for (QWidget* w : pDialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->property("dlgCtrlId").toInt() == nID) return w;
    return nullptr;
}

QPushButton* Button(QWidget* pDialog, int nID) {
    return qobject_cast<QPushButton*>(Control(pDialog, nID));
}

void ChooseFile(QWidget* pFileDialog, const QString& name) {
    auto* dlg = qobject_cast<QFileDialog*>(pFileDialog);
    if (!dlg) {
        ADD_FAILURE() << "a window opened that is not a file dialog";
        pFileDialog->close();
        return;
    }
    dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    static_cast<QDialog*>(dlg)->accept(); // what the dialog's own button does
}

void LoadThroughDialog(QWidget* pMain, const QString& path) {
    auto watch = WatchNextModal([path](QWidget* w) { ChooseFile(w, path); });
    Button(pMain, IDC_LOAD_DXF)->click();
}

void ExportThroughDialog(QWidget* pMain, int nButton, const QString& path) {
    auto watch = WatchNextModal([path](QWidget* w) { ChooseFile(w, path); });
    Button(pMain, nButton)->click();
}

std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
}

QString SamplePath() {
    return QStringLiteral(TREVANO_SOURCE_DIR "/samples/scafo.dxf");
}

ScratchDir::ScratchDir() {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/trevano-gui-XXXXXX"));
    dir.setAutoRemove(false);
    m_root = dir.path();
}

ScratchDir::~ScratchDir() {
    QDir(m_root).removeRecursively();
}

QString ScratchDir::Path(const char* pszName) const {
    return m_root + u'/' + QString::fromUtf8(pszName);
}
