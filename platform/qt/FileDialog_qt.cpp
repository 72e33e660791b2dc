// The common file dialogs on Qt's own file dialog: the platform's native one would follow the
// system's language and record recent files.
#include "FileDialog.h"
#include "WindowImpl_qt.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

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

// Qt's file model shows dates and sizes in the system's locale, which follows the user's
// language: this view of it shows them in the dialog's own, Italian.
class LocalFileTexts : public QIdentityProxyModel {
public:
    explicit LocalFileTexts(QObject* pParent) : QIdentityProxyModel(pParent) {}

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* pFiles = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !pFiles || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QLocale locale; // the default, which the framework makes Italian
        switch (index.column()) {
        case kSizeColumn:
            return pFiles->isDir(source) ? QString()
                                         : locale.formattedDataSize(pFiles->size(source));
        case kDateColumn:
            return locale.toString(pFiles->lastModified(source), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }

private:
    static constexpr int kSizeColumn = 1, kDateColumn = 3; // QFileSystemModel's order
};

// The columns of the detail view are sized for English words: the others follow their contents
// and headers, so that "Dimensione", "Data di modifica" and a type such as "Documento CSV" show
// whole, and the name takes the room that is left.
void WidenHeaders(QFileDialog& dlg) {
    for (QTreeView* view : dlg.findChildren<QTreeView*>()) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int i = 1; i < header->count(); ++i)
            header->setSectionResizeMode(i, QHeaderView::ResizeToContents);
    }
}

} // namespace

INT_PTR CFileDialog::DoModal() {
    QWidget* pOwner = m_pParentWnd ? WidgetOf(m_pParentWnd->m_hWnd) : ModalParentWidget();
    QFileDialog dlg(pOwner);
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
    // Without a folder of its own, Qt's dialog would open where the last one was left; the
    // working folder, which nothing here changes, is the one the program started in.
    dlg.setDirectory(m_strInitialDir.IsEmpty() ? QDir::currentPath() : ToQString(m_strInitialDir));
    if (!m_strFileName.IsEmpty()) dlg.selectFile(ToQString(m_strFileName));
    dlg.setProxyModel(new LocalFileTexts(&dlg));
    WidenHeaders(dlg);

    m_strPathName.Empty();
    const int nResult = dlg.exec();
    dlg.hide();
    if (pOwner) pOwner->repaint();
    if (nResult != QDialog::Accepted) return IDCANCEL;
    const QStringList files = dlg.selectedFiles();
    if (files.isEmpty()) return IDCANCEL;
    m_strPathName =
        AddDefaultExtension(ToCString(QDir::toNativeSeparators(files.first())), m_strDefExt);
    return IDOK;
}

CString CFileDialog::GetFolderPath() const {
    return ToCString(QDir::toNativeSeparators(QFileInfo(ToQString(m_strPathName)).absolutePath()));
}
