#include "DialogStyles.h"
#include "DialogTemplate.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct ExpectedItem {
    int nId;
    DialogItemKind kind;
    const char* pszText;
    int nResource;
    int x, y, cx, cy;
    unsigned long dwStyle;
};

void ExpectItems(const DialogTemplate& dialog, const ExpectedItem* pExpected, int nExpected) {
    ASSERT_EQ(dialog.nItems, nExpected);
    for (int i = 0; i < nExpected; ++i) {
        const DialogItemTemplate& item = dialog.pItems[i];
        const ExpectedItem& want = pExpected[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        EXPECT_EQ(item.nId, want.nId);
        EXPECT_EQ(item.kind, want.kind);
        ASSERT_NE(item.pszText, nullptr);
        EXPECT_STREQ(item.pszText, want.pszText);
        EXPECT_EQ(item.nResource, want.nResource);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.dwStyle, want.dwStyle);
        EXPECT_EQ(item.dwExStyle, 0UL);
    }
}

// Child and visible, which every control of ours is.
constexpr unsigned long kShown = 0x50000000UL;

} // namespace

TEST(DialogTemplate, MainDialogFrameCaptionAndFont) {
    const DialogTemplate* pDialog = FindDialogTemplate(IDD_TREVANO_DIALOG);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_EQ(pDialog->nId, 102);
    EXPECT_STREQ(pDialog->pszCaption, "Trevano");
    EXPECT_EQ(pDialog->x, 0);
    EXPECT_EQ(pDialog->y, 0);
    EXPECT_EQ(pDialog->cx, 320);
    EXPECT_EQ(pDialog->cy, 141);
    // popup, visible, caption, system menu, modal frame, and the font's DS_SETFONT
    EXPECT_EQ(pDialog->dwStyle, 0x90C800C0UL);
    EXPECT_EQ(pDialog->dwExStyle, 0x00040000UL); // WS_EX_APPWINDOW
    EXPECT_STREQ(pDialog->pszFontName, "MS Sans Serif");
    EXPECT_EQ(pDialog->nPointSize, 8);
}

TEST(DialogTemplate, MainDialogControlsInTemplateOrder) {
    const DialogTemplate* pDialog = FindDialogTemplate(102);
    ASSERT_NE(pDialog, nullptr);
    const unsigned long kButton = kShown | 0x00010000UL;     // tab stop
    const unsigned long kDefault = kButton | 0x00000001UL;   // default push button
    const unsigned long kCounter = kShown | 0x00810880UL;    // border, tab stop, read-only, auto scroll
    const unsigned long kLabel = kShown | 0x00020000UL;      // left aligned, starts a group
    const unsigned long kGroupBox = kShown | 0x00000007UL;
    const ExpectedItem expected[] = {
        {1, DialogItemKind::DefPushButton, "Chiudi", 0, 220, 10, 50, 14, kDefault},
        {1000, DialogItemKind::Edit, "", 0, 10, 40, 55, 14, kCounter},
        {1002, DialogItemKind::PushButton, "Carica file DXF", 0, 7, 7, 88, 14, kButton},
        {-1, DialogItemKind::Static, "Numero Polyline", 0, 10, 30, 52, 8, kLabel},
        {1003, DialogItemKind::PushButton, "Esporta sezioni (.dat) per pannellatura", 0, 20, 70,
         128, 14, kButton},
        {1004, DialogItemKind::PushButton, "Esporta file di coordinate formato (.csv)", 0, 185, 75,
         128, 14, kButton},
        {-1, DialogItemKind::Static,
         "Queste opzioni producono file compatibili\ncon i programmi di analisi e pannellatura.", 0,
         15, 100, 150, 27, kLabel},
        {-1, DialogItemKind::GroupBox, "Esportazione polylines come sezioni a x costante", 0, 5, 60,
         165, 73, kGroupBox},
        {-1, DialogItemKind::GroupBox, "Esportazione polylines come liste di punti", 0, 175, 60,
         140, 73, kGroupBox},
        {1005, DialogItemKind::PushButton, "Esporta sezioni (.csv) per pannellatura", 0, 20, 85,
         128, 14, kButton},
        {1006, DialogItemKind::PushButton, "info", 0, 275, 10, 35, 14, kButton},
        {1007, DialogItemKind::Edit, "", 0, 90, 40, 60, 14, kCounter},
        {-1, DialogItemKind::Static, "Numero di punti", 0, 90, 30, 50, 8, kLabel},
    };
    ExpectItems(*pDialog, expected, 13);
}

TEST(DialogTemplate, AboutBoxFrameIsHiddenAndPlain) {
    const DialogTemplate* pDialog = FindDialogTemplate(IDD_ABOUTBOX);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_STREQ(pDialog->pszCaption, "Informazioni su Trevano");
    EXPECT_EQ(pDialog->x, 0);
    EXPECT_EQ(pDialog->y, 0);
    EXPECT_EQ(pDialog->cx, 235);
    EXPECT_EQ(pDialog->cy, 62);
    EXPECT_EQ(pDialog->dwStyle, 0x80C800C0UL);
    EXPECT_EQ(pDialog->dwStyle & kStyleVisible, 0UL);
    EXPECT_EQ(pDialog->dwExStyle, 0UL);
    EXPECT_STREQ(pDialog->pszFontName, "MS Sans Serif");
    EXPECT_EQ(pDialog->nPointSize, 8);
}

TEST(DialogTemplate, AboutBoxControlsInTemplateOrder) {
    const DialogTemplate* pDialog = FindDialogTemplate(100);
    ASSERT_NE(pDialog, nullptr);
    const ExpectedItem expected[] = {
        {-1, DialogItemKind::Icon, "", 128, 11, 17, 21, 20, kShown | 0x00000003UL},
        {-1, DialogItemKind::Static, "Trevano Versione 1.0", 0, 40, 10, 119, 8,
         kShown | 0x00020080UL},
        {-1, DialogItemKind::Static, "Copyright (C) 2002", 0, 40, 25, 119, 8,
         kShown | 0x00020000UL},
        {1, DialogItemKind::DefPushButton, "OK", 0, 178, 7, 50, 14, kShown | 0x00030001UL},
        {-1, DialogItemKind::Static,
         "Trevano: conversione di polilinee DXF\nin liste di punti e sezioni", 0, 40, 36, 139,
         19, kShown | 0x00020000UL},
        {-1, DialogItemKind::Bitmap, "", 140, 189, 23, 29, 34, kShown | 0x0000000EUL},
    };
    ExpectItems(*pDialog, expected, 6);
}

TEST(DialogTemplate, StyleNamesCarryTheWin32Bits) {
    // The window layers test these names against the templates; a wrong value
    // would make a read-only box editable or drop a tab stop unnoticed.
    const DialogItemTemplate& counter = FindDialogTemplate(102)->pItems[1];
    EXPECT_EQ(counter.dwStyle, kStyleChild | kStyleVisible | kStyleBorder | kStyleTabStop |
                                   kEditStyleReadOnly | kEditStyleAutoHScroll);
    const DialogItemTemplate& version = FindDialogTemplate(100)->pItems[1];
    EXPECT_EQ(version.dwStyle & kStaticTypeMask, kStaticStyleLeft);
    EXPECT_EQ(version.dwStyle & (kStaticStyleNoPrefix | kStyleGroup),
              kStaticStyleNoPrefix | kStyleGroup);
    const DialogItemTemplate& ok = FindDialogTemplate(100)->pItems[3];
    EXPECT_EQ(ok.dwStyle & kButtonTypeMask, kButtonStyleDefPushButton);
    EXPECT_EQ(FindDialogTemplate(100)->pItems[5].dwStyle & kStaticTypeMask, kStaticStyleBitmap);
    EXPECT_EQ(FindDialogTemplate(100)->pItems[0].dwStyle & kStaticTypeMask, kStaticStyleIcon);
    EXPECT_EQ(FindDialogTemplate(102)->dwStyle,
              kStylePopup | kStyleVisible | kStyleCaption | kStyleSysMenu |
                  kDialogStyleModalFrame | kDialogStyleSetFont);
    EXPECT_EQ(FindDialogTemplate(102)->dwExStyle, kExStyleAppWindow);
}

TEST(DialogTemplate, UnknownDialogIsNull) {
    EXPECT_EQ(FindDialogTemplate(101), nullptr);
    EXPECT_EQ(FindDialogTemplate(0), nullptr);
}

TEST(ResourceString, AboutItemTextByteForByte) {
    const char* pszText = FindResourceString(IDS_ABOUTBOX);
    ASSERT_NE(pszText, nullptr);
    const char expected[] = "Infor&mazioni su Trevano...";
    ASSERT_EQ(std::strlen(pszText), sizeof expected - 1);
    EXPECT_EQ(std::memcmp(pszText, expected, sizeof expected), 0);
}

TEST(ResourceString, UnknownStringIsNull) {
    EXPECT_EQ(FindResourceString(100), nullptr);
    EXPECT_EQ(FindResourceString(102), nullptr);
}
