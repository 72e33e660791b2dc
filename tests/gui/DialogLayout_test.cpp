// The dialogs laid out from their templates: every control where its dialog units put it,
// every caption whole, tab order as the template's; pictures of both dialogs for the eye.
#include "GuiTestSupport.h"

#include "AboutDlg.h"
#include "DialogTemplate.h"
#include "TrevanoDlg.h"
#include "WindowImpl_qt.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>

namespace {

// Checks one dialog against its template from inside its modal loop.
void ExpectLaidOutAsTemplate(QWidget* w, int nTemplate) {
    const DialogTemplate* t = FindDialogTemplate(nTemplate);
    ASSERT_NE(t, nullptr);
    const DialogBaseUnits units = BaseUnitsOf(w->font());
    EXPECT_EQ(w->size(), DialogUnitsToPixels(units, 0, 0, t->cx, t->cy).size());
    const auto children = w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < t->nItems; ++i) {
        const DialogItemTemplate& item = t->pItems[i];
        const QRect expected = DialogUnitsToPixels(units, item.x, item.y, item.cx, item.cy);
        QWidget* c = nullptr;
        for (QWidget* child : children)
            if (child->geometry().topLeft() == expected.topLeft()) c = child;
        ASSERT_NE(c, nullptr) << "control " << i << " of template " << nTemplate;
        const QString text = QString::fromUtf8(item.pszText);
        const QFontMetrics metrics(c->font());
        if (item.kind == DialogItemKind::Icon || item.kind == DialogItemKind::Bitmap) continue;
        EXPECT_EQ(c->size(), expected.size()) << text.toStdString();
        if (auto* button = qobject_cast<QPushButton*>(c)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect inside =
                c->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            EXPECT_LE(metrics.horizontalAdvance(text), inside.width()) << text.toStdString();
        } else if (auto* group = qobject_cast<QGroupBox*>(c)) {
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.lineWidth = 1;
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            option.textAlignment = group->alignment();
            const QRect label = c->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, group);
            EXPECT_LT(label.right(), group->width() - 2) << text.toStdString();
        } else if (auto* label = qobject_cast<QLabel*>(c)) {
            // Whole when the wrapped text needs no more room than the control has, and no
            // line of the text was broken.
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << text.toStdString();
            for (const QString& line : text.split(u'\n'))
                EXPECT_LE(metrics.horizontalAdvance(line), label->width()) << line.toStdString();
        }
    }
}

QString PicturePath(const char* pszName) {
    QDir().mkpath(QStringLiteral(TREVANO_PICTURE_DIR));
    return QStringLiteral(TREVANO_PICTURE_DIR "/") + QString::fromLatin1(pszName);
}

} // namespace

TEST(DialogLayout, MainDialogMatchesTemplate102) {
    CTrevanoDlg dlg;
    RunMainDialog(dlg, [](QWidget* main) {
        ExpectLaidOutAsTemplate(main, IDD_TREVANO_DIALOG);
        EXPECT_TRUE(main->grab().save(PicturePath("trevano-dialog.png")));
        Button(main, IDOK)->click();
    });
}

TEST(DialogLayout, AboutBoxMatchesTemplate100) {
    CAboutDlg dlg;
    auto watch = WatchNextModal([](QWidget* about) {
        ExpectLaidOutAsTemplate(about, IDD_ABOUTBOX);
        EXPECT_TRUE(about->grab().save(PicturePath("about-box.png")));
        Button(about, IDOK)->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(DialogLayout, TabOrderIsTemplateOrder) {
    CTrevanoDlg dlg;
    QList<int> order;
    RunMainDialog(dlg, [&](QWidget* main) {
        QWidget* first = Button(main, IDOK);
        QWidget* w = first;
        do {
            if (w->focusPolicy() & Qt::TabFocus) order << w->property("dlgCtrlId").toInt();
            w = w->nextInFocusChain();
        } while (w != first && order.size() < 20);
        Button(main, IDOK)->click();
    });
    EXPECT_EQ(order, (QList<int>{IDOK, IDC_POLYLINE_COUNT, IDC_LOAD_DXF, IDC_EXPORT_SECTIONS_DAT,
                                 IDC_EXPORT_POINT_LIST, IDC_EXPORT_SECTIONS_CSV, IDC_INFO,
                                 IDC_POINT_COUNT}));
}
