#include "DialogStyles.h"
#include "DialogTemplate.h"
#include "DialogTemplateExpect.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Child and visible, which every control of ours is.
constexpr unsigned long kShown = 0x50000000UL;

} // namespace

TEST(DialogTemplate, MainDialogAndItsControlsInTemplateOrder) {
    const unsigned long kButton = kShown | 0x00010000UL;   // tab stop
    const unsigned long kDefault = kButton | 0x00000001UL; // default push button
    const unsigned long kCounter =
        kShown | 0x00810880UL;                          // border, tab stop, read-only, auto scroll
    const unsigned long kLabel = kShown | 0x00020000UL; // left aligned, starts a group
    const unsigned long kGroupBox = kShown | 0x00000007UL;
    const DialogItemTemplate items[] = {
        {1, DialogItemKind::DefPushButton, "Chiudi", 0, 220, 10, 50, 14, kDefault, 0},
        {1000, DialogItemKind::Edit, "", 0, 10, 40, 55, 14, kCounter, 0},
        {1002, DialogItemKind::PushButton, "Carica file DXF", 0, 7, 7, 88, 14, kButton, 0},
        {-1, DialogItemKind::Static, "Numero Polyline", 0, 10, 30, 52, 8, kLabel, 0},
        {1003, DialogItemKind::PushButton, "Esporta sezioni (.dat) per pannellatura", 0, 20, 70,
         128, 14, kButton, 0},
        {1004, DialogItemKind::PushButton, "Esporta file di coordinate formato (.csv)", 0, 185, 75,
         128, 14, kButton, 0},
        {-1, DialogItemKind::Static,
         "Queste opzioni producono file compatibili\ncon i programmi di analisi e pannellatura.", 0,
         15, 100, 150, 27, kLabel, 0},
        {-1, DialogItemKind::GroupBox, "Esportazione polylines come sezioni a x costante", 0, 5, 60,
         165, 73, kGroupBox, 0},
        {-1, DialogItemKind::GroupBox, "Esportazione polylines come liste di punti", 0, 175, 60,
         140, 73, kGroupBox, 0},
        {1005, DialogItemKind::PushButton, "Esporta sezioni (.csv) per pannellatura", 0, 20, 85,
         128, 14, kButton, 0},
        {1006, DialogItemKind::PushButton, "info", 0, 275, 10, 35, 14, kButton, 0},
        {1007, DialogItemKind::Edit, "", 0, 90, 40, 60, 14, kCounter, 0},
        {-1, DialogItemKind::Static, "Numero di punti", 0, 90, 30, 50, 8, kLabel, 0},
    };
    // popup, visible, caption, system menu, modal frame, and the font's DS_SETFONT;
    // WS_EX_APPWINDOW
    const DialogTemplate expected = {
        102, "Trevano", 0, 0, 320, 141, 0x90C800C0UL, 0x00040000UL, "MS Sans Serif", 8, items, 13};
    const DialogTemplate* pDialog = FindDialogTemplate(IDD_TREVANO_DIALOG);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_EQ(pDialog->nId, 102);
    ExpectSameDialog(*pDialog, expected);
}

TEST(DialogTemplate, AboutBoxAndItsControlsInTemplateOrder) {
    const DialogItemTemplate items[] = {
        {-1, DialogItemKind::Icon, "", 128, 11, 17, 21, 20, kShown | 0x00000003UL, 0},
        {-1, DialogItemKind::Static, "Trevano Versione 1.0", 0, 40, 10, 119, 8,
         kShown | 0x00020080UL, 0},
        {-1, DialogItemKind::Static, "Copyright (C) 2002", 0, 40, 25, 119, 8, kShown | 0x00020000UL,
         0},
        {1, DialogItemKind::DefPushButton, "OK", 0, 178, 7, 50, 14, kShown | 0x00030001UL, 0},
        {-1, DialogItemKind::Static,
         "Trevano: conversione di polilinee DXF\nin liste di punti e sezioni", 0, 40, 36, 139, 19,
         kShown | 0x00020000UL, 0},
        {-1, DialogItemKind::Bitmap, "", 140, 189, 23, 29, 34, kShown | 0x0000000EUL, 0},
    };
    // popup, caption, system menu, modal frame, DS_SETFONT: not visible, no extended style
    const DialogTemplate expected = {
        100, "Informazioni su Trevano", 0, 0,     235, 62, 0x80C800C0UL,
        0UL, "MS Sans Serif",           8, items, 6};
    const DialogTemplate* pDialog = FindDialogTemplate(IDD_ABOUTBOX);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_EQ(pDialog->nId, 100);
    ExpectSameDialog(*pDialog, expected);
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
    EXPECT_EQ(FindDialogTemplate(102)->dwStyle, kStylePopup | kStyleVisible | kStyleCaption |
                                                    kStyleSysMenu | kDialogStyleModalFrame |
                                                    kDialogStyleSetFont);
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
