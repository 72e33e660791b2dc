// Modal dialogs on Qt: the window of a template, its events turned into the dialog manager's
// messages, and the modal run.
#include "Dialog.h"
#include "DialogTemplate.h"
#include "WindowImpl_qt.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

CDialogWidget::CDialogWidget(CDialog* pOwner, QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_pOwner(pOwner) {}

void CDialogWidget::reject() {
    // Esc: the dialog manager presses the cancel button.
    m_pOwner->WindowProc(WM_COMMAND, (BN_CLICKED << 16) | IDCANCEL, 0);
}

void CDialogWidget::closeEvent(QCloseEvent* e) {
    // The close box and Alt+F4 are the system menu's close command; ending the dialog is
    // left to its handler.
    e->ignore();
    m_pOwner->WindowProc(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void CDialogWidget::contextMenuEvent(QContextMenuEvent* e) {
    // The window manager's menu cannot be extended, so the system menu shows here instead.
    CMenu* pSysMenu = m_pOwner->GetSystemMenu(FALSE);
    if (!pSysMenu) return;
    const auto* pItems = reinterpret_cast<const CMenuImpl*>(pSysMenu->m_hMenu);
    QMenu menu(this);
    for (const CMenuImpl::Item& item : pItems->items) {
        if (item.nFlags & MF_SEPARATOR) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(item.text);
        action->setData(QVariant::fromValue(static_cast<qulonglong>(item.nID)));
    }
    const QAction* chosen = menu.exec(e->globalPos());
    if (chosen)
        m_pOwner->WindowProc(WM_SYSCOMMAND, static_cast<WPARAM>(chosen->data().toULongLong()), 0);
}

void CDialogWidget::paintEvent(QPaintEvent* e) {
    m_pPaintEvent = e;
    m_pOwner->WindowProc(WM_PAINT, 0, 0);
    m_pPaintEvent = nullptr;
}

void CDialogWidget::PaintDefault() {
    if (m_pPaintEvent) QDialog::paintEvent(m_pPaintEvent);
}

void CDialogWidget::EraseIconBackground(QPainter* pPainter) {
    if (pPainter) pPainter->fillRect(rect(), palette().window());
}

INT_PTR CDialog::DoModal() {
    const DialogTemplate* pTemplate = FindDialogTemplate(static_cast<int>(m_nIDTemplate));
    if (!pTemplate) return -1;

    QWidget* pParent = m_pParentWnd ? WidgetOf(m_pParentWnd->m_hWnd) : ModalParentWidget();
    CWndImpl impl;
    auto* pWidget = new CDialogWidget(this, pParent);
    impl.pWidget = pWidget;
    impl.dwStyle = pTemplate->dwStyle;
    pWidget->setWindowTitle(ToQString(pTemplate->pszCaption));
    pWidget->setFont(DialogFont());
    BuildDialogControls(*pTemplate, impl);

    m_hWnd = HandleOf(pWidget);
    m_pImpl = &impl;
    m_nModalResult = -1;
    if (OnInitDialog()) {
        for (QWidget* w = pWidget->nextInFocusChain(); w && w != pWidget; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
    }
    // Placed at (0, 0) without a centring style, the dialog opens centred over its owner, or
    // over the screen when it has none, which is where Qt puts a dialog by itself.
    if (m_nModalResult == -1) pWidget->exec();
    const INT_PTR nResult = m_nModalResult;
    m_hWnd = nullptr;
    m_pImpl = nullptr;
    delete pWidget;
    return nResult;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_pImpl && m_pImpl->pWidget) m_pImpl->pWidget->done(nResult);
}
