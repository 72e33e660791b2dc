// The about box: from the "info" button, from the context menu that stands in for the system
// menu, and for which system commands.
#include "GuiTestSupport.h"

#include "TrevanoDlg.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

struct SeenAbout {
    bool bShown = false;
    QString title;
    bool bOkIsDefault = false;
    QSize iconSize, bitmapSize;
    QStringList texts;
};

std::unique_ptr<WindowWatch> WatchAbout(SeenAbout& seen, bool bExpected = true) {
    return WatchNextModal(
        [&seen](QWidget* w) {
            seen.bShown = true;
            seen.title = w->windowTitle();
            if (QPushButton* ok = Button(w, IDOK)) seen.bOkIsDefault = ok->isDefault();
            for (QLabel* label : w->findChildren<QLabel*>()) {
                if (!label->pixmap().isNull()) {
                    (label->pixmap().width() == 32 ? seen.iconSize : seen.bitmapSize) =
                        label->pixmap().size();
                } else {
                    seen.texts << label->text();
                }
            }
            QTest::keyClick(w, Qt::Key_Return);
        },
        bExpected);
}

} // namespace

TEST(AboutBox, InfoButtonOpensItAndLeavesTheCountsAlone) {
    CTrevanoDlg dlg;
    SeenAbout first, second;
    RunMainDialog(dlg, [&](QWidget* main) {
        LoadThroughDialog(main, SamplePath());
        for (SeenAbout* seen : {&first, &second}) {
            auto watch = WatchAbout(*seen);
            Button(main, IDC_INFO)->click();
        }
        Button(main, IDOK)->click();
    });
    EXPECT_EQ(first.title, "Informazioni su Trevano");
    EXPECT_TRUE(first.bOkIsDefault);
    EXPECT_EQ(first.iconSize, QSize(32, 32));
    EXPECT_EQ(first.bitmapSize, QSize(43, 55));
    EXPECT_TRUE(first.texts.contains("Trevano Versione 1.0"));
    EXPECT_TRUE(first.texts.contains("Copyright (C) 2002"));
    EXPECT_EQ(second.texts, first.texts);
    EXPECT_EQ(dlg.m_nPolylineCount, 10);
    EXPECT_EQ(dlg.m_nPointCount, 86);
}

TEST(AboutBox, ContextMenuEndsWithSeparatorAndTheAboutItem) {
    CTrevanoDlg dlg;
    SeenAbout seen;
    QStringList items;
    RunMainDialog(dlg, [&](QWidget* main) {
        auto about = WatchAbout(seen);
        auto menu = WatchNextMenu([&](QMenu* m) {
            for (QAction* a : m->actions())
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
            QTest::keyClick(m, Qt::Key_M); // the access key of the about item
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(300, 20),
                                main->mapToGlobal(QPoint(300, 20)));
        QApplication::sendEvent(main, &click);
        Button(main, IDOK)->click();
    });
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[items.size() - 2], "-");
    EXPECT_EQ(items.last(), "Infor&mazioni su Trevano...");
    EXPECT_EQ(seen.title, "Informazioni su Trevano");
}

TEST(AboutBox, MenuKeyOpensTheContextMenu) {
    CTrevanoDlg dlg;
    bool bMenu = false;
    RunMainDialog(dlg, [&](QWidget* main) {
        auto menu = WatchNextMenu([&](QMenu* m) {
            bMenu = true;
            m->close();
        });
        // The display's key handling turns the menu key into this event for the focus widget,
        // "Chiudi", which passes it on to the dialog.
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(10, 10),
                              main->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(main->focusWidget(), &key);
        Button(main, IDOK)->click();
    });
    EXPECT_TRUE(bMenu);
}

TEST(AboutBox, SystemCommandsSixteenToThirtyOneOpenIt) {
    for (UINT nCommand : {16u, 31u}) {
        CTrevanoDlg dlg;
        SeenAbout seen;
        RunMainDialog(dlg, [&](QWidget* main) {
            auto about = WatchAbout(seen);
            dlg.SendMessage(WM_SYSCOMMAND, nCommand, 0);
            Button(main, IDOK)->click();
        });
        EXPECT_EQ(seen.title, "Informazioni su Trevano") << nCommand;
    }
}

TEST(AboutBox, OtherSystemCommandsDoNotOpenIt) {
    for (UINT nCommand : {15u, 32u}) {
        CTrevanoDlg dlg;
        SeenAbout seen;
        const INT_PTR nResult = RunMainDialog(dlg, [&](QWidget* main) {
            {
                auto about = WatchAbout(seen, false);
                dlg.SendMessage(WM_SYSCOMMAND, nCommand, 0);
                QTest::qWait(50);
            }
            EXPECT_TRUE(main->isVisible());
            Button(main, IDOK)->click();
        });
        EXPECT_FALSE(seen.bShown) << nCommand;
        EXPECT_EQ(nResult, IDOK);
    }
}
