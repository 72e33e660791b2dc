// The dialogs driven as their user drives them, on Qt's offscreen platform: one story a test,
// each through the file dialogs, message boxes and about box that it meets. A dialog runs its
// own modal loop, so what a test does in a window about to open is posted before the call that
// opens it, and runs inside that window's loop.
#include "DialogStyles.h"
#include "DialogTemplate.h"
#include "FileDialog.h"
#include "TrevanoDlg.h"
#include "WindowImpl_qt.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <sys/wait.h>

// Failures show texts, not code units.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString kSample = QStringLiteral(TREVANO_SOURCE_DIR "/samples/scafo.dxf");
const char kLoad[] = "Carica file DXF";
const char kPoints[] = "Esporta file di coordinate formato (.csv)";
const char kSectionsDat[] = "Esporta sezioni (.dat) per pannellatura";

// Counts the paint events of the widget it filters.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(int& nPaints) : m_nPaints(nPaints) {}
    bool eventFilter(QObject*, QEvent* e) override {
        m_nPaints += e->type() == QEvent::Paint;
        return false;
    }

private:
    int& m_nPaints;
};

int g_nRuns = 0; // of the main dialog: what waits for a window gives up when its run ends

// Runs act on the next window of class W that opens over the one active now, inside that
// window's loop.
template <class W = QWidget>
void OnNextModal(std::type_identity_t<std::function<void(W*)>> act,
                 QWidget* pBefore = QApplication::activeModalWidget(), int nRun = g_nRuns) {
    QTimer::singleShot(0, [=] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (w && w != pBefore) return act(w);
        if (nRun == g_nRuns) return OnNextModal<W>(act, pBefore, nRun);
        ADD_FAILURE() << "the expected window did not open";
    });
}

// Runs the main dialog modally, with act inside its loop; act ends it.
INT_PTR RunMainDialog(CTrevanoDlg& dlg, const std::function<void(QWidget*)>& act) {
    OnNextModal(act);
    const INT_PTR nResult = dlg.DoModal();
    ++g_nRuns;
    QCoreApplication::processEvents();
    return nResult;
}

QPushButton* Button(QWidget* pDialog, const char* pszCaption) {
    for (QPushButton* button : pDialog->findChildren<QPushButton*>())
        if (button->text() == pszCaption) return button;
    ADD_FAILURE() << "no button " << pszCaption;
    return nullptr;
}

// The two counters in template order; one that the user could edit is marked with a "?".
QString Counts(QWidget* pMain) {
    QString counts;
    for (QLineEdit* counter : pMain->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
        QDebug(&counts).nospace().noquote()
            << counter->text() << (counter->isReadOnly() ? " " : "? ");
    return counts;
}

// Types the name into a file dialog and accepts it, as its own button does.
void ChooseFile(QFileDialog* pFileDialog, const QString& name) {
    pFileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    static_cast<QDialog*>(pFileDialog)->accept();
}

// Presses the button and chooses the file in the file dialog that it opens.
void ThroughFileDialog(QWidget* pMain, const char* pszButton, const QString& path) {
    OnNextModal<QFileDialog>([path](QFileDialog* w) { ChooseFile(w, path); });
    Button(pMain, pszButton)->click();
}

std::string ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

// Every control where the template's dialog units put it, the tab stops in template order; a
// picture of the dialog, for the eye to see each caption whole.
void ExpectLaidOutAsTemplate(QWidget* w, int nTemplate, const char* pszPicture) {
    const DialogTemplate* t = FindDialogTemplate(nTemplate);
    const DialogBaseUnits units = BaseUnitsOf(w->font());
    EXPECT_EQ(w->size(), DialogUnitsToPixels(units, 0, 0, t->cx, t->cy).size());
    QWidgetList tabStops;
    for (const DialogItemTemplate* p = t->pItems; p != t->pItems + t->nItems; ++p) {
        SCOPED_TRACE(p->pszText);
        const QRect expected = DialogUnitsToPixels(units, p->x, p->y, p->cx, p->cy);
        QWidget* c = w->childAt(expected.topLeft());
        ASSERT_TRUE(c && c->pos() == expected.topLeft());
        if (p->dwStyle & kStyleTabStop) tabStops << c;
        if (p->kind == DialogItemKind::Icon || p->kind == DialogItemKind::Bitmap) continue;
        EXPECT_EQ(c->size(), expected.size());
    }
    QWidgetList chain;
    for (QWidget* c = tabStops.value(0); c && chain.size() < tabStops.size();
         c = c->nextInFocusChain())
        if (c->focusPolicy() & Qt::TabFocus) chain << c;
    EXPECT_EQ(chain, tabStops);
    QDir().mkpath(QStringLiteral(TREVANO_PICTURE_DIR));
    EXPECT_TRUE(w->grab().save(QStringLiteral(TREVANO_PICTURE_DIR "/") + pszPicture));
}

// The file dialog's own texts Italian, each header whole, a folder and a date in Italian words;
// a picture of it for the eye.
void ExpectItalianFileDialog(QFileDialog* w, const char* pszPicture) {
    auto* view = w->findChild<QTreeView*>(QStringLiteral("treeView"));
    const QAbstractItemModel* model = view->model();
    QStringList headers, folders;
    for (int c = 0; c < model->columnCount(); ++c) {
        headers << model->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(view->header()->sectionSize(c), view->header()->sectionSizeHint(c)) << c;
    }
    EXPECT_EQ(headers, QStringList({"Nome", "Dimensione", "Tipo", "Data di modifica"}));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        for (int r = 0; r < model->rowCount(view->rootIndex()); ++r)
            if (model->index(r, 2, view->rootIndex()).data() == "Cartella")
                return model->index(r, 3, view->rootIndex())
                    .data()
                    .toString()
                    .contains(QRegularExpression("^\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d$"));
        return false;
    })) << "no folder of type \"Cartella\" with a date in Italian form";
    w->grab().save(QStringLiteral(TREVANO_PICTURE_DIR "/") + pszPicture);
}

} // namespace

TEST(MainDialog, LoadThroughTheOpenDialogEachExportThenFailuresReportedAndTheDialogCarriesOn) {
    const QTemporaryDir dir;
    const QString vanished = dir.filePath("sparito.dxf"), folder = dir.filePath("manca/x.dat");
    ASSERT_TRUE(QFile::copy(kSample, vanished) && QDir(dir.path()).mkdir("cartella"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), dir.filePath("pieno.csv")));
    QStringList seen; // icon, buttons, caption and text of each message box
    auto seeMessage = [&seen](QMessageBox* box) {
        QDebug(&seen.emplace_back()).noquote()
            << box->icon() << box->buttons().size() << box->windowTitle() << box->text();
        box->close();
    };
    CTrevanoDlg dlg;
    const INT_PTR nResult = RunMainDialog(dlg, [&](QWidget* main) {
        EXPECT_EQ(main->windowTitle(), "Trevano");
        EXPECT_EQ(Counts(main), "0 0 ");
        EXPECT_EQ(main->focusWidget(), Button(main, "Chiudi"));
        ExpectLaidOutAsTemplate(main, IDD_TREVANO_DIALOG, "trevano-dialog.png");

        // Minimised, the icon's black ground centred on the face colour.
        EXPECT_EQ(CTrevanoDlg::IconOrigin(0, 32), -15); // a client narrower than the icon
        main->setWindowState(Qt::WindowMinimized);
        const QImage picture = main->grab().toImage();
        main->setWindowState(Qt::WindowNoState);
        EXPECT_EQ(picture.pixelColor(CTrevanoDlg::IconOrigin(main->width(), 32) + 1,
                                     CTrevanoDlg::IconOrigin(main->height(), 32) + 1),
                  QColor(Qt::black));
        EXPECT_EQ(picture.pixelColor(2, 2), main->palette().window().color());

        // The dialog is painted as the file dialog closes, before the load runs and with no
        // event handled in between.
        int nPaints = 0, nPaintsBefore = 0;
        PaintCounter counter(nPaints);
        main->installEventFilter(&counter);
        OnNextModal<QFileDialog>([&](QFileDialog* w) {
            auto* filter = w->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            EXPECT_EQ(QStringList({w->windowTitle(), filter->itemText(0), filter->itemText(1),
                                   w->findChild<QDialogButtonBox*>()->buttons()[1]->text()}),
                      QStringList({"Apri", "File DXF(*.dxf)", "Tutti i file", "Annulla"}));
            EXPECT_EQ(w->directory(), QDir::current()); // before any load, the starting folder
            ExpectItalianFileDialog(w, "file-dialog-open.png");
            auto* model = w->findChild<QFileSystemModel*>();
            EXPECT_EQ(model->nameFilters(), QStringList{"*.dxf"});
            filter->setCurrentIndex(1);
            filter->activated(1);
            EXPECT_EQ(model->nameFilters(), QStringList{"*"}); // names without a dot too
            OnNextModal<QMessageBox>([w](QMessageBox* box) {   // refusing a missing file
                EXPECT_TRUE(w->isVisible());
                box->close();
            });
            ChooseFile(w, dir.filePath("nessuno.dxf"));
            nPaintsBefore = nPaints;
            ChooseFile(w, kSample);
        });
        Button(main, kLoad)->click();
        EXPECT_GT(nPaints, nPaintsBefore);
        main->removeEventFilter(&counter);
        EXPECT_EQ(Counts(main), "10 86 ");
        // Within the run the file dialogs open in the drawing's folder.
        for (const char* pszButton : {kLoad, kPoints}) { // cancelled, they change nothing
            OnNextModal<QFileDialog>([&](QFileDialog* w) {
                EXPECT_EQ(w->directory(), QFileInfo(kSample).dir());
                w->close();
            });
            Button(main, pszButton)->click();
        }
        EXPECT_EQ(Counts(main), "10 86 ");
        // The point list, the longer form, is replaced by the .dat without a question.
        ThroughFileDialog(main, kPoints, dir.filePath("scafo-sezioni.dat"));
        ThroughFileDialog(main, kSectionsDat, dir.filePath("scafo-sezioni.dat"));
        ThroughFileDialog(main, kPoints, dir.filePath("scafo-punti")); // gets ".csv"
        OnNextModal<QFileDialog>([&](QFileDialog* w) { // after an export, in its folder
            EXPECT_EQ(w->directory(), QDir(dir.path()));
            ExpectItalianFileDialog(w, "file-dialog-save.png");
            ChooseFile(w, dir.filePath("scafo-sezioni.csv"));
        });
        Button(main, "Esporta sezioni (.csv) per pannellatura")->click();
        // A file gone between the choice and the open (the open dialog takes only one that
        // exists), a folder that does not exist, a full disk.
        for (auto [pszButton, path] : {std::pair{kLoad, vanished},
                                       {kSectionsDat, folder},
                                       {kPoints, dir.filePath("pieno.csv")}}) {
            OnNextModal<QMessageBox>(seeMessage);
            OnNextModal<QFileDialog>([&](QFileDialog* w) {
                ChooseFile(w, path);
                QFile::remove(vanished);
            });
            Button(main, pszButton)->click();
        }
        EXPECT_EQ(Counts(main), "10 86 ");
        main->findChild<QLineEdit*>()->setFocus(); // Enter in a counter presses "Chiudi"
        QTest::keyClick(main->focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(nResult, IDOK);
    for (const char* pszName : {"scafo-punti.csv", "scafo-sezioni.dat", "scafo-sezioni.csv"})
        EXPECT_EQ(ReadBytes(dir.filePath(pszName)),
                  ReadBytes(QStringLiteral(TREVANO_SOURCE_DIR "/tests/expected/") + pszName));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4); // and the link to /dev/full
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    ASSERT_EQ(seen.size(), 3);
    EXPECT_TRUE(seen[0].startsWith(
        QStringLiteral("QMessageBox::Warning 1 %1 %2 non trovato.").arg(exe, vanished)));
    EXPECT_TRUE(
        seen[1].startsWith(QStringLiteral("QMessageBox::Warning 1 %1 %2").arg(exe, folder)));
    EXPECT_TRUE(
        seen[2].startsWith(QStringLiteral("QMessageBox::Critical 1 %1 Disco pieno").arg(exe)));
    const QDir home(qEnvironmentVariable("HOME")); // the file dialogs keep nothing
    EXPECT_TRUE(home.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST(MainDialog, AboutBoxFromInfoFromTheMenuAndFromSystemCommandsSixteenToThirtyOne) {
    QStringList boxes; // title, default button, texts and pictures of each
    auto seeAbout = [&boxes](QWidget* w) {
        if (boxes.empty()) ExpectLaidOutAsTemplate(w, IDD_ABOUTBOX, "about-box.png");
        QDebug seen(&boxes.emplace_back());
        seen << w->windowTitle() << Button(w, "OK")->isDefault();
        for (QLabel* label : w->findChildren<QLabel*>())
            seen << label->text() << label->pixmap().size();
        QTest::keyClick(w, Qt::Key_Return);
    };
    QStringList items;
    CTrevanoDlg dlg;
    const INT_PTR nResult = RunMainDialog(dlg, [&](QWidget* main) {
        ThroughFileDialog(main, kLoad, kSample);
        OnNextModal(seeAbout); // Enter on a push button presses that one
        Button(main, "info")->setFocus();
        QTest::keyClick(Button(main, "info"), Qt::Key_Return);
        // The context menu stands in for the system menu; the menu key asks for it on the focus
        // widget, which passes it on to the dialog.
        QTimer::singleShot(0, [&] {
            for (QAction* a : QApplication::activePopupWidget()->actions())
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
            OnNextModal(seeAbout);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_M); // the access key
            if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
        });
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), main->mapToGlobal(QPoint()));
        QApplication::sendEvent(main->focusWidget(), &key);
        for (UINT nCommand : {16u, 31u, 15u, 32u}) { // 16 to 31 open it, and only those
            QTimer::singleShot(0, [&] {
                if (QWidget* w = QApplication::activeModalWidget(); w != main) seeAbout(w);
            });
            dlg.SendMessage(WM_SYSCOMMAND, nCommand, 0);
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(Counts(main), "10 86 ");
        dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(nResult, IDCANCEL);
    ASSERT_EQ(boxes.size(), 4); // from "info", the menu, 16 and 31
    for (const char* pszSeen :
         {"\"Informazioni su Trevano\" true", "QSize(32, 32)", "QSize(43, 55)",
          "\"Trevano Versione 1.0\"", "\"Copyright (C) 2002\""})
        EXPECT_TRUE(boxes[0].contains(pszSeen)) << pszSeen;
    EXPECT_EQ(boxes.filter(boxes[0]).size(), 4) << "the same each time";
    EXPECT_EQ(items.mid(items.size() - 2), (QStringList{"-", "Infor&mazioni su Trevano..."}));
}

TEST(MainDialog, EscAndTheCloseBoxEndWithIdcancel) {
    CTrevanoDlg dlg;
    EXPECT_EQ(RunMainDialog(dlg, [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }), IDCANCEL);
    EXPECT_EQ(RunMainDialog(dlg, [](QWidget* w) { w->close(); }), IDCANCEL);
}

TEST(Startup, WithoutADisplaySaysSoInOneLineAndExitsWithOne) {
    const QTemporaryDir dir;
    const QString command = QStringLiteral(
        "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM %1 '" TREVANO_GUI_PATH "' 2>'%2'");
    for (auto [pszDisplay, pszCause] :
         {std::pair{"-u DISPLAY", "DISPLAY non impostato"},
          {"DISPLAY=:4711", "impossibile collegarsi a DISPLAY=:4711"}}) {
        const int nStatus = std::system(qPrintable(command.arg(pszDisplay, dir.filePath("err"))));
        EXPECT_EQ(ReadBytes(dir.filePath("err")) + std::to_string(WEXITSTATUS(nStatus)),
                  std::string("Trevano: nessuno schermo disponibile (") + pszCause + ").\n1");
    }
}

TEST(FileDialogRules, DefaultExtensionOnlyOnANameWithoutOneAndNoPairsWithoutAFilter) {
    EXPECT_EQ(CFileDialog::AddDefaultExtension("/tmp/uscita", "csv"), "/tmp/uscita.csv");
    EXPECT_EQ(CFileDialog::AddDefaultExtension("/tmp/a.b/uscita", "dat"), "/tmp/a.b/uscita.dat");
    EXPECT_EQ(CFileDialog::AddDefaultExtension("/tmp/uscita.txt", "csv"), "/tmp/uscita.txt");
    EXPECT_EQ(CFileDialog::AddDefaultExtension("/tmp/uscita", ""), "/tmp/uscita");
    EXPECT_TRUE(CFileDialog::ParseFilter(nullptr).empty() && CFileDialog::ParseFilter("").empty());
}

TEST(DialogUnits, QuarterAndEighthOfTheBaseUnitsRoundedHalfAwayFromZero) {
    // At the dialog font's base units, 7 x 14 pixels: -3.5, 52.5, 91 and 246.75.
    EXPECT_EQ(DialogUnitsToPixels({7, 14}, -2, 30, 52, 141), QRect(-4, 53, 91, 247));
}

// Under a HOME of their own that starts empty, so that a test can tell whether anything was
// written there.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    for (const char* pszName : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
        qunsetenv(pszName);
    QApplication app(argc, argv);
    AfxQtInitFramework();
    return RUN_ALL_TESTS();
}
