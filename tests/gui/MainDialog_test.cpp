// The main dialog driven as a user drives it: counters, the load through the open dialog,
// failures, and the ways the dialog ends.
#include "GuiTestSupport.h"

#include "TrevanoDlg.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QString Text(QWidget* pMain, int nID) {
    return qobject_cast<QLineEdit*>(Control(pMain, nID))->text();
}

QString ExecutableName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace

TEST(MainDialog, OpensWithZeroCountsAndFocusOnChiudi) {
    CTrevanoDlg dlg;
    const INT_PTR nResult = RunMainDialog(dlg, [](QWidget* main) {
        EXPECT_EQ(main->windowTitle(), "Trevano");
        EXPECT_EQ(Text(main, IDC_POLYLINE_COUNT), "0");
        EXPECT_EQ(Text(main, IDC_POINT_COUNT), "0");
        EXPECT_EQ(main->focusWidget(), Button(main, IDOK));
        EXPECT_TRUE(Button(main, IDOK)->isDefault());
        EXPECT_TRUE(qobject_cast<QLineEdit*>(Control(main, IDC_POLYLINE_COUNT))->isReadOnly());
        Button(main, IDOK)->click();
    });
    EXPECT_EQ(nResult, IDOK);
}

TEST(MainDialog, LoadOfTheSampleShowsBothCounts) {
    CTrevanoDlg dlg;
    RunMainDialog(dlg, [](QWidget* main) {
        LoadThroughDialog(main, SamplePath());
        EXPECT_EQ(Text(main, IDC_POLYLINE_COUNT), "10");
        EXPECT_EQ(Text(main, IDC_POINT_COUNT), "86");
        Button(main, IDOK)->click();
    });
    EXPECT_EQ(dlg.m_nPolylineCount, 10);
    EXPECT_EQ(dlg.m_nPointCount, 86);
    EXPECT_EQ(dlg.m_polylines.GetCount(), 10);
}

TEST(MainDialog, CancelledOpenChangesNothing) {
    CTrevanoDlg dlg;
    RunMainDialog(dlg, [](QWidget* main) {
        LoadThroughDialog(main, SamplePath());
        auto watch = WatchNextModal([](QWidget* w) { w->close(); });
        Button(main, IDC_LOAD_DXF)->click();
        EXPECT_EQ(Text(main, IDC_POLYLINE_COUNT), "10");
        EXPECT_EQ(Text(main, IDC_POINT_COUNT), "86");
        Button(main, IDOK)->click();
    });
    EXPECT_EQ(dlg.m_polylines.GetCount(), 10);
}

TEST(MainDialog, MissingFileIsReportedAndKeepsThePreviousCounts) {
    ScratchDir dir;
    const QString path = dir.Path("sparito.dxf");
    QFile::copy(SamplePath(), path);
    CTrevanoDlg dlg;
    SeenMessage seen;
    RunMainDialog(dlg, [&](QWidget* main) {
        LoadThroughDialog(main, SamplePath());
        // The open dialog takes only a file that exists: it goes between the choice and the
        // open, as when another program removes it.
        auto choose = WatchNextModal([&](QWidget* w) {
            ChooseFile(w, path);
            QFile::remove(path);
        });
        auto message = WatchNextMessage(seen);
        Button(main, IDC_LOAD_DXF)->click();
        EXPECT_EQ(Text(main, IDC_POLYLINE_COUNT), "10");
        EXPECT_EQ(Text(main, IDC_POINT_COUNT), "86");
        Button(main, IDOK)->click();
    });
    EXPECT_TRUE(seen.bShown);
    EXPECT_EQ(seen.text, path + " non trovato.");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.title, ExecutableName());
    EXPECT_EQ(seen.nButtons, 1);
    EXPECT_EQ(dlg.m_polylines.GetCount(), 10);
}

TEST(MainDialog, EnterInAReadOnlyBoxEndsWithIdok) {
    for (int nID : {IDC_POLYLINE_COUNT, IDC_POINT_COUNT}) {
        CTrevanoDlg dlg;
        const INT_PTR nResult = RunMainDialog(dlg, [nID](QWidget* main) {
            QWidget* edit = Control(main, nID);
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Return);
        });
        EXPECT_EQ(nResult, IDOK) << "box " << nID;
    }
}

TEST(MainDialog, EnterOnAnotherPushButtonPressesThatButton) {
    CTrevanoDlg dlg;
    bool bAboutShown = false;
    const INT_PTR nResult = RunMainDialog(dlg, [&](QWidget* main) {
        auto about = WatchNextModal([&](QWidget* w) {
            bAboutShown = w->windowTitle() == "Informazioni su Trevano";
            Button(w, IDOK)->click();
        });
        QWidget* info = Button(main, IDC_INFO);
        info->setFocus();
        QTest::keyClick(info, Qt::Key_Return);
        EXPECT_TRUE(main->isVisible()) << "Enter on \"info\" must not end the dialog";
        Button(main, IDOK)->click();
    });
    EXPECT_TRUE(bAboutShown);
    EXPECT_EQ(nResult, IDOK);
}

TEST(MainDialog, EscEndsWithIdcancel) {
    CTrevanoDlg dlg;
    const INT_PTR nResult =
        RunMainDialog(dlg, [](QWidget* main) { QTest::keyClick(main, Qt::Key_Escape); });
    EXPECT_EQ(nResult, IDCANCEL);
}

TEST(MainDialog, CloseBoxEndsWithIdcancel) {
    CTrevanoDlg dlg;
    const INT_PTR nResult = RunMainDialog(dlg, [](QWidget* main) { main->close(); });
    EXPECT_EQ(nResult, IDCANCEL);
}

TEST(MainDialog, SystemCloseCommandEndsWithIdcancel) {
    CTrevanoDlg dlg;
    const INT_PTR nResult =
        RunMainDialog(dlg, [&dlg](QWidget*) { dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(nResult, IDCANCEL);
}

TEST(MainDialog, MinimisedWindowDrawsTheIconCentred) {
    CTrevanoDlg dlg;
    RunMainDialog(dlg, [&dlg](QWidget* main) {
        EXPECT_EQ(dlg.IconOrigin(0, 32), -15);
        main->setWindowState(Qt::WindowMinimized);
        QPixmap picture(main->size());
        picture.fill(Qt::white);
        main->render(&picture);
        const QImage image = picture.toImage();
        const int x = CTrevanoDlg::IconOrigin(main->width(), 32);
        const int y = CTrevanoDlg::IconOrigin(main->height(), 32);
        // The icon's ground is black; the rest of the window is the dialog's face colour.
        EXPECT_EQ(image.pixelColor(x + 1, y + 1), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(2, 2), main->palette().window().color());
        main->setWindowState(Qt::WindowNoState);
        Button(main, IDOK)->click();
    });
}
