// The generator run on tests/res/escapes.rc, a script with the text and style
// forms that the program's own script does not use.
#include "DialogTemplate.h"

#include <gtest/gtest.h>

namespace escapes_rc {
const DialogTemplate* FindDialogTemplate(int nId);
const char* FindResourceString(int nId);
} // namespace escapes_rc

namespace {

const DialogItemTemplate& Item(int nIndex) {
    const DialogTemplate* pDialog = escapes_rc::FindDialogTemplate(7);
    EXPECT_NE(pDialog, nullptr);
    EXPECT_EQ(pDialog->nItems, 6);
    return pDialog->pItems[nIndex];
}

} // namespace

TEST(RcDialogs, DoubledQuoteBecomesOneQuote) {
    EXPECT_STREQ(escapes_rc::FindDialogTemplate(7)->pszCaption, "Say \"ciao\"");
    EXPECT_STREQ(escapes_rc::FindResourceString(21), "He said \"no\".");
}

TEST(RcDialogs, BackslashEscapesBecomeTheirCharacters) {
    EXPECT_STREQ(Item(0).pszText, "tab\there\\back \"q\"");
    EXPECT_STREQ(Item(1).pszText, "octal AB hex C");
    EXPECT_STREQ(escapes_rc::FindResourceString(20), "line\none");
}

TEST(RcDialogs, CodePageTextComesOutAsUtf8) {
    // 0xE8 in Windows-1252 is e with grave accent.
    EXPECT_STREQ(Item(2).pszText, "caff\xC3\xA8 50%");
}

TEST(RcDialogs, QuestionMarksSurviveUnchanged) {
    EXPECT_STREQ(Item(5).pszText, "?? trigraph");
}

TEST(RcDialogs, IdsComeFromDefinesInTheScript) {
    EXPECT_EQ(Item(0).nId, 11);
}

TEST(RcDialogs, NotClearsDefaultStyleBits) {
    EXPECT_EQ(Item(1).dwStyle, 0x50000000UL); // LTEXT without its WS_GROUP
    EXPECT_EQ(Item(3).dwStyle, 0x50800800UL); // EDITTEXT without its WS_TABSTOP
}

TEST(RcDialogs, StyledLabelLosesDefaultGroupLikeWindres) {
    EXPECT_EQ(Item(2).dwStyle, 0x50000080UL);
}

TEST(RcDialogs, GenericControlTakesKindFromClassAndStyle) {
    EXPECT_EQ(Item(4).kind, DialogItemKind::GroupBox);
    EXPECT_EQ(Item(4).dwStyle, 0x50010007UL);
    EXPECT_EQ(Item(4).dwExStyle, 0x00020000UL); // WS_EX_STATICEDGE
}

TEST(RcDialogs, DialogWithoutStyleGetsPopupBorderSysMenuPlusCaptionAndFont) {
    const DialogTemplate* pDialog = escapes_rc::FindDialogTemplate(7);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_EQ(pDialog->dwStyle, 0x80C80040UL);
    EXPECT_EQ(pDialog->x, 3);
    EXPECT_EQ(pDialog->y, 4);
    EXPECT_STREQ(pDialog->pszFontName, "Tahoma");
    EXPECT_EQ(pDialog->nPointSize, 9);
}
