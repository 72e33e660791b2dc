// Message boxes on Qt: one OK button, the icon of the type, the application's name as caption.
#include "App.h"
#include "WindowImpl_qt.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

int AfxMessageBox(const char* lpszText, UINT nType, UINT) {
    if (!qApp) {
        std::fprintf(stderr, "%s\n", lpszText);
        return IDOK;
    }
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (nType & MB_ICONMASK) {
    case MB_ICONSTOP:
        icon = QMessageBox::Critical;
        break;
    case 0x20L: // MB_ICONQUESTION
        icon = QMessageBox::Question;
        break;
    case MB_ICONEXCLAMATION:
        icon = QMessageBox::Warning;
        break;
    case 0x40L: // MB_ICONINFORMATION
        icon = QMessageBox::Information;
        break;
    default:
        break;
    }
    const CWinApp* pApp = AfxGetApp();
    QMessageBox box(icon, ToQString(pApp ? pApp->m_strAppName.GetString() : ""),
                    ToQString(lpszText), QMessageBox::Ok, ModalParentWidget());
    if (nType & MB_SYSTEMMODAL) box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return IDOK;
}
