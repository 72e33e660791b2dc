// The controls of a dialog template as Qt widgets, placed in dialog units converted from the
// dialog font, as the dialog manager does.
#include "Dialog.h"
#include "DialogStyles.h"
#include "DialogTemplate.h"
#include "WindowImpl_qt.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

namespace {

int MulDiv(int n, int nNumerator, int nDenominator) {
    const long long p = static_cast<long long>(n) * nNumerator;
    const long long half = nDenominator / 2;
    return static_cast<int>(p >= 0 ? (p + half) / nDenominator : (p - half) / nDenominator);
}

QPushButton* MakeButton(const DialogItemTemplate& item, CDialogWidget* pDialog) {
    auto* button = new QPushButton(ToQString(item.pszText), pDialog);
    // Focus makes a push button the one Enter presses, as on Windows.
    button->setAutoDefault(true);
    button->setDefault(item.kind == DialogItemKind::DefPushButton);
    button->setFocusPolicy((item.dwStyle & kStyleTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    const WPARAM wParam = (BN_CLICKED << 16) | (static_cast<UINT>(item.nId) & 0xFFFF);
    CDialog* pOwner = pDialog->Owner();
    QObject::connect(button, &QPushButton::clicked, button, [pOwner, wParam, button]() {
        pOwner->WindowProc(WM_COMMAND, wParam, reinterpret_cast<LPARAM>(HandleOf(button)));
    });
    return button;
}

QLineEdit* MakeEdit(const DialogItemTemplate& item, CDialogWidget* pDialog) {
    auto* edit = new QLineEdit(pDialog);
    edit->setFrame((item.dwStyle & kStyleBorder) != 0);
    edit->setFocusPolicy((item.dwStyle & kStyleTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    if (item.dwStyle & kEditStyleReadOnly) {
        edit->setReadOnly(true);
        // A read-only edit box shows the dialog's face colour, not the white of an input.
        QPalette palette = edit->palette();
        palette.setBrush(QPalette::Base, palette.window());
        edit->setPalette(palette);
    }
    return edit;
}

QLabel* MakeStatic(const DialogItemTemplate& item, CDialogWidget* pDialog) {
    auto* label = new QLabel(pDialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    Qt::Alignment horizontal = Qt::AlignLeft;
    if ((item.dwStyle & kStaticTypeMask) == 1) horizontal = Qt::AlignHCenter;
    if ((item.dwStyle & kStaticTypeMask) == 2) horizontal = Qt::AlignRight;
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setText(ToQString(item.pszText));
    return label;
}

QLabel* MakePicture(const QPixmap& pixmap, CDialogWidget* pDialog) {
    auto* label = new QLabel(pDialog);
    label->setPixmap(pixmap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

QFont DialogFont() {
    // A condensed sans at 9 points: every caption of the templates fits its control whole,
    // with the dialog units derived from this very font.
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int nAlphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(nAlphabet / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
    return QRect(MulDiv(x, units.cx, 4), MulDiv(y, units.cy, 8), MulDiv(cx, units.cx, 4),
                 MulDiv(cy, units.cy, 8));
}

void BuildDialogControls(const DialogTemplate& tmpl, CWndImpl& impl) {
    CDialogWidget* pDialog = impl.pWidget;
    const DialogBaseUnits units = BaseUnitsOf(pDialog->font());
    pDialog->setFixedSize(DialogUnitsToPixels(units, 0, 0, tmpl.cx, tmpl.cy).size());

    std::vector<QGroupBox*> groups;
    std::vector<QLabel*> mnemonicLabels; // waiting for the next tab stop
    QWidget* pPreviousTabStop = nullptr;
    for (int i = 0; i < tmpl.nItems; ++i) {
        const DialogItemTemplate& item = tmpl.pItems[i];
        QRect rect = DialogUnitsToPixels(units, item.x, item.y, item.cx, item.cy);
        QWidget* control = nullptr;
        switch (item.kind) {
        case DialogItemKind::PushButton:
        case DialogItemKind::DefPushButton:
            control = MakeButton(item, pDialog);
            break;
        case DialogItemKind::Edit:
            control = MakeEdit(item, pDialog);
            break;
        case DialogItemKind::Static: {
            QLabel* label = MakeStatic(item, pDialog);
            if (!(item.dwStyle & kStaticStyleNoPrefix) && label->text().contains(u'&'))
                mnemonicLabels.push_back(label);
            control = label;
            break;
        }
        case DialogItemKind::GroupBox: {
            auto* group = new QGroupBox(ToQString(item.pszText), pDialog);
            group->setFocusPolicy(Qt::NoFocus);
            groups.push_back(group);
            control = group;
            break;
        }
        case DialogItemKind::Icon:
        case DialogItemKind::Bitmap: {
            // Pictures show at their own size, from the control's top left corner.
            const QIcon* icon = item.kind == DialogItemKind::Icon
                                    ? ResourceIcon(static_cast<UINT>(item.nResource))
                                    : nullptr;
            const QPixmap pixmap =
                icon ? icon->pixmap(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON))
                     : ResourceBitmap(static_cast<UINT>(item.nResource));
            control = MakePicture(pixmap, pDialog);
            if (!pixmap.isNull()) rect.setSize(pixmap.deviceIndependentSize().toSize());
            break;
        }
        }
        control->setGeometry(rect);
        if (item.nId != -1) {
            control->setProperty("dlgCtrlId", item.nId);
            impl.controls[item.nId] = control;
        }
        if (control->focusPolicy() & Qt::TabFocus) {
            if (pPreviousTabStop) QWidget::setTabOrder(pPreviousTabStop, control);
            pPreviousTabStop = control;
            // A static's access key moves the focus to the next tab stop after it; with a
            // buddy Qt also hides the ampersand and underlines the letter after it.
            for (QLabel* label : mnemonicLabels)
                label->setBuddy(control);
            mnemonicLabels.clear();
        }
    }
    // A group box only frames the controls over it: it goes beneath them, whatever its place
    // in the template, so that it never takes their clicks.
    for (auto it = groups.rbegin(); it != groups.rend(); ++it)
        (*it)->lower();
}
