#include "DialogTemplateExpect.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectText(const char* pszActual, const char* pszExpected) {
    ASSERT_NE(pszActual, nullptr);
    EXPECT_STREQ(pszActual, pszExpected);
}

} // namespace

void ExpectSameDialog(const DialogTemplate& actual, const DialogTemplate& expected) {
    SCOPED_TRACE("dialog " + std::to_string(expected.nId));
    ExpectText(actual.pszCaption, expected.pszCaption);
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.cx, expected.cx);
    EXPECT_EQ(actual.cy, expected.cy);
    EXPECT_EQ(actual.dwStyle, expected.dwStyle);
    EXPECT_EQ(actual.dwExStyle, expected.dwExStyle);
    ExpectText(actual.pszFontName, expected.pszFontName);
    EXPECT_EQ(actual.nPointSize, expected.nPointSize);
    ASSERT_EQ(actual.nItems, expected.nItems);
    for (int i = 0; i < expected.nItems; ++i) {
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        const DialogItemTemplate& item = actual.pItems[i];
        const DialogItemTemplate& want = expected.pItems[i];
        EXPECT_EQ(item.nId, want.nId);
        EXPECT_EQ(item.kind, want.kind);
        ExpectText(item.pszText, want.pszText);
        EXPECT_EQ(item.nResource, want.nResource);
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.dwStyle, want.dwStyle);
        EXPECT_EQ(item.dwExStyle, want.dwExStyle);
    }
}
