// The common file dialogs on Qt's own file dialog: the platform's native one would follow the
// system's language and record recent files.
#include "FileDialog.h"
#include "WindowImpl_qt.h"

#include <QDir>
#include <QFileDialog>

namespace {

// A filter pattern in Qt's notation: blanks between the patterns, and "*.*" matching every
// name, as it does on Windows, also one without a dot.
QString QtPatterns(const CString& patterns) {
    QStringList result;
    for (const QString& p : ToQString(patterns).split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = p.trimmed();
        result << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
    }
    return result.join(u' ');
}

} // namespace

INT_PTR CFileDialog::DoModal() {
    QFileDialog dlg(m_pParentWnd ? WidgetOf(m_pParentWnd->m_hWnd) : ModalParentWidget());
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    // The list shows each filter's description alone, exactly as the program gives it.
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !(m_dwFlags & OFN_OVERWRITEPROMPT));
    dlg.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dlg.setFileMode(m_bOpenFileDialog && (m_dwFlags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                         : QFileDialog::AnyFile);
    dlg.setWindowTitle(m_bOpenFileDialog ? QStringLiteral("Apri")
                                         : QStringLiteral("Salva con nome"));
    QStringList filters;
    for (const auto& [description, patterns] : ParseFilter(m_strFilter))
        filters << ToQString(description) + QStringLiteral(" (") + QtPatterns(patterns) + u')';
    if (!filters.isEmpty()) dlg.setNameFilters(filters);
    if (!m_strDefExt.IsEmpty()) dlg.setDefaultSuffix(ToQString(m_strDefExt));
    if (!m_strFileName.IsEmpty()) dlg.selectFile(ToQString(m_strFileName));

    m_strPathName.Empty();
    if (dlg.exec() != QDialog::Accepted) return IDCANCEL;
    const QStringList files = dlg.selectedFiles();
    if (files.isEmpty()) return IDCANCEL;
    m_strPathName =
        AddDefaultExtension(ToCString(QDir::toNativeSeparators(files.first())), m_strDefExt);
    return IDOK;
}
