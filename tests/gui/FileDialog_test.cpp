// The file dialogs as the commands build them: Italian, the filters shown as given, "*.*"
// for every file, the default extension, and the open dialog's refusal of a missing file.
#include "GuiTestSupport.h"

#include "FileDialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>

namespace {

const char kDxfFilter[] = "File DXF(*.dxf)|*.dxf|Tutti i file|*.*||";

// The names the dialog lists in its folder once the folder has been read.
QStringList ListedNames(QFileDialog* dlg) {
    auto* view = dlg->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    QStringList names;
    for (int i = 0; i < 200 && names.isEmpty(); ++i) {
        QTest::qWait(10);
        const QModelIndex root = view->rootIndex();
        for (int r = 0; r < view->model()->rowCount(root); ++r)
            names << view->model()->index(r, 0, root).data().toString();
    }
    return names;
}

} // namespace

TEST(FileDialog, FiltersShowTheirDescriptionsOnly) {
    CFileDialog dlg(TRUE, "dxf", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kDxfFilter);
    QStringList shown;
    auto watch = WatchNextModal([&](QWidget* w) {
        auto* combo = w->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        w->close();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, (QStringList{"File DXF(*.dxf)", "Tutti i file"}));
    EXPECT_TRUE(dlg.GetPathName().IsEmpty());
}

TEST(FileDialog, TextsAreItalian) {
    CFileDialog dlg(FALSE, "csv", nullptr, OFN_HIDEREADONLY, kDxfFilter);
    QString cancel;
    auto watch = WatchNextModal([&](QWidget* w) {
        auto* box = w->findChild<QDialogButtonBox*>();
        cancel = box->button(QDialogButtonBox::Cancel)->text().remove(u'&');
        w->close();
    });
    dlg.DoModal();
    EXPECT_EQ(cancel, "Annulla");
}

TEST(FileDialog, AllFilesPatternListsNamesWithoutADot) {
    ScratchDir dir;
    for (const char* pszName : {"LEGGIMI", "scafo.dxf", "note.txt"}) {
        QFile file(dir.Path(pszName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList dxfOnly, all;
    CFileDialog dlg(TRUE, "dxf", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kDxfFilter);
    auto watch = WatchNextModal([&](QWidget* w) {
        auto* fd = qobject_cast<QFileDialog*>(w);
        fd->setDirectory(dir.Root());
        dxfOnly = ListedNames(fd);
        auto* combo = w->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        combo->setCurrentIndex(1);
        combo->activated(1);
        for (int i = 0; i < 100 && all.size() < 3; ++i)
            all = ListedNames(fd);
        w->close();
    });
    dlg.DoModal();
    all.sort();
    EXPECT_EQ(dxfOnly, QStringList{"scafo.dxf"});
    EXPECT_EQ(all, (QStringList{"LEGGIMI", "note.txt", "scafo.dxf"}));
}

TEST(FileDialog, OpenRefusesAFileThatDoesNotExist) {
    ScratchDir dir;
    CFileDialog dlg(TRUE, "dxf", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kDxfFilter);
    bool bWarned = false, bStillOpen = false;
    auto watch = WatchNextModal([&](QWidget* w) {
        auto warning = WatchNextModal([&](QWidget* box) {
            bWarned = qobject_cast<QMessageBox*>(box) != nullptr;
            box->close();
        });
        ChooseFile(w, dir.Path("nessuno.dxf"));
        bStillOpen = w->isVisible();
        w->close();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(bWarned);
    EXPECT_TRUE(bStillOpen);
}

TEST(FileDialogRules, FilterSplitsIntoDescriptionAndPatternPairs) {
    const auto pairs =
        CFileDialog::ParseFilter("File curve per punti (*.CSV)|*.csv|Tutti i file|*.*||");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].first, "File curve per punti (*.CSV)");
    EXPECT_EQ(pairs[0].second, "*.csv");
    EXPECT_EQ(pairs[1].first, "Tutti i file");
    EXPECT_EQ(pairs[1].second, "*.*");
    EXPECT_TRUE(CFileDialog::ParseFilter(nullptr).empty());
    EXPECT_TRUE(CFileDialog::ParseFilter("").empty());
}

TEST(FileDialogRules, DefaultExtensionGoesOnlyOnANameWithoutOne) {
    EXPECT_EQ(CFileDialog::AddDefaultExtension("/tmp/uscita", "csv"), "/tmp/uscita.csv");
    EXPECT_EQ(CFileDialog::AddDefaultExtension("/tmp/uscita.txt", "csv"), "/tmp/uscita.txt");
    // A dot in a folder's name is not the file's extension.
    EXPECT_EQ(CFileDialog::AddDefaultExtension("/tmp/a.b/uscita", "dat"), "/tmp/a.b/uscita.dat");
    EXPECT_EQ(CFileDialog::AddDefaultExtension("/tmp/uscita", ""), "/tmp/uscita");
}
