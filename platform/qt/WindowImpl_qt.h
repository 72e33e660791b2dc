// What the Qt back end keeps behind the framework's window handles. Only the files of this
// folder and the tests of the Qt build include it.
#pragma once

#include "Window.h"

#include <QDialog>
#include <QIcon>
#include <QString>

#include <map>
#include <vector>

class CDialog;
class QPaintEvent;
class QPainter;
struct DialogTemplate;

// Messages the framework's headers do not name, with their Win32 values.
inline constexpr UINT kMessageClose = 0x0010; // WM_CLOSE
inline constexpr UINT kSysCommandMask = 0xFFF0;

// Texts cross the layer as UTF-8 bytes.
inline QString ToQString(const char* psz) {
    return QString::fromUtf8(psz ? psz : "");
}
inline CString ToCString(const QString& s) {
    return CString(s.toUtf8().toStdString());
}

// The system menu of a window: plain items, turned into a context menu when it is shown.
struct CMenuImpl {
    struct Item {
        UINT nFlags;
        UINT_PTR nID;
        QString text;
    };
    std::vector<Item> items;
};

// The Qt window of a dialog; every event that the dialog manager would turn into a message
// goes to the owner's WindowProc.
class CDialogWidget : public QDialog {
public:
    CDialogWidget(CDialog* pOwner, QWidget* pParent);

    CDialog* Owner() const { return m_pOwner; }
    // The base painting, for the default processing of WM_PAINT.
    void PaintDefault();
    // The icon background, for the default processing of WM_ICONERASEBKGND.
    void EraseIconBackground(QPainter* pPainter);
    bool IsPainting() const { return m_pPaintEvent != nullptr; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    CDialog* m_pOwner;
    QPaintEvent* m_pPaintEvent = nullptr;
};

class CWndImpl {
public:
    CDialogWidget* pWidget = nullptr;
    std::map<int, QWidget*> controls;
    unsigned long dwStyle = 0;
    CMenuImpl systemMenuItems;
    CMenu systemMenu;
    bool bSystemMenuReady = false;
    HICON hIconBig = nullptr;
    HICON hIconSmall = nullptr;
};

inline QWidget* WidgetOf(HWND hWnd) {
    return reinterpret_cast<QWidget*>(hWnd);
}
inline HWND HandleOf(QWidget* w) {
    return reinterpret_cast<HWND>(w);
}
inline const QIcon* IconOf(HICON h) {
    return reinterpret_cast<const QIcon*>(h);
}

// The window that a new modal window opens over: the active modal one, else the main window.
QWidget* ModalParentWidget();

// The dialog font and its base units, as the dialog manager derives them from the font.
QFont DialogFont();
struct DialogBaseUnits {
    int cx; // average character width: a quarter of it is one horizontal dialog unit
    int cy; // character height: an eighth of it is one vertical dialog unit
};
DialogBaseUnits BaseUnitsOf(const QFont& font);
QRect DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int cx, int cy);

// Builds the controls of a template as children of the widget, in template order (which is
// also the tab order); fills the id map.
void BuildDialogControls(const DialogTemplate& tmpl, CWndImpl& impl);

// Resources of the program: the icon and bitmap by id, null when there is none.
const QIcon* ResourceIcon(UINT nID);
// Italian for the texts of Qt's dialogs that Qt's own catalogue lacks.
void InstallMissingItalianTexts();
QPixmap ResourceBitmap(UINT nID);

// The framework's own set-up of a Qt application: Italian translations and locale, the widget
// style, the dialog font, no settings written, the application's name for message boxes.
void AfxQtInitFramework();
