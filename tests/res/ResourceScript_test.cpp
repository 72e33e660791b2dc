// trevano.rc compiled by windres, read back from the binary resource file: what
// the Windows build gets must be what the resources promise, and must agree
// with the table that the other builds use.
#include "DialogTemplate.h"
#include "DialogTemplateExpect.h"
#include "ResFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace escapes_rc {
const DialogTemplate* FindDialogTemplate(int nId);
}

namespace {

constexpr int kTypeBitmap = 2;
constexpr int kTypeIcon = 3;
constexpr int kTypeDialog = 5;
constexpr int kTypeString = 6;
constexpr int kTypeGroupIcon = 14;
constexpr int kTypeVersion = 16;
constexpr int kItalian = 0x0410;

// Compiles each script once per run; empty when windres failed.
const std::vector<ResEntry>& Compiled(const std::string& rcPath, const std::string& resName) {
    static std::map<std::string, std::vector<ResEntry>> cache;
    auto found = cache.find(resName);
    if (found != cache.end()) return found->second;
    std::filesystem::create_directories(TREVANO_TEST_OUT_DIR);
    const std::string resPath = std::string(TREVANO_TEST_OUT_DIR) + "/" + resName;
    std::filesystem::remove(resPath);
    const std::string command = std::string("\"") + TREVANO_WINDRES + "\" -I\"" + TREVANO_RES_DIR +
                                "\" \"" + rcPath + "\" -O res -o \"" + resPath + "\"";
    std::vector<ResEntry> entries;
    if (std::system(command.c_str()) == 0) entries = ReadResFile(resPath);
    return cache.emplace(resName, std::move(entries)).first->second;
}

class ResourceScript : public testing::Test {
protected:
    void SetUp() override {
        if (std::string(TREVANO_WINDRES).empty())
            GTEST_SKIP() << "i686-w64-mingw32-windres not found; install binutils-mingw-w64-i686";
        ASSERT_FALSE(Program().empty()) << "windres failed on trevano.rc";
    }

    static const std::vector<ResEntry>& Program() {
        return Compiled(std::string(TREVANO_RES_DIR) + "/trevano.rc", "trevano.res");
    }

    static const ResEntry& Entry(int nType, int nName) {
        const ResEntry* pEntry = FindResEntry(Program(), nType, nName);
        if (pEntry == nullptr) throw std::runtime_error("resource missing");
        return *pEntry;
    }
};

enum class ControlClass { Button, Edit, Static, Other };

// The predefined classes go in as ordinals (Microsoft's rc) or by name
// (windres, for CONTROL statements); Windows takes either.
ControlClass ClassOf(const CompiledDialogItem& item) {
    std::string name = item.className;
    for (char& c : name)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (item.nClassOrdinal == 0x80 || name == "BUTTON") return ControlClass::Button;
    if (item.nClassOrdinal == 0x81 || name == "EDIT") return ControlClass::Edit;
    if (item.nClassOrdinal == 0x82 || name == "STATIC") return ControlClass::Static;
    return ControlClass::Other;
}

// A compiled template in the table's form, so that one comparison serves both.
class TableForm {
public:
    TableForm(const CompiledDialog& compiled, int nId) : m_compiled(compiled) {
        m_dialog = {nId,
                    m_compiled.caption.c_str(),
                    m_compiled.x,
                    m_compiled.y,
                    m_compiled.cx,
                    m_compiled.cy,
                    m_compiled.dwStyle,
                    m_compiled.dwExStyle,
                    m_compiled.fontName.c_str(),
                    m_compiled.nPointSize,
                    nullptr,
                    static_cast<int>(m_compiled.items.size())};
        for (const CompiledDialogItem& item : m_compiled.items) {
            const DialogItemKind kind = KindOf(item);
            const bool bPicture = kind == DialogItemKind::Icon || kind == DialogItemKind::Bitmap;
            EXPECT_EQ(bPicture, item.nTextOrdinal != -1) << "control " << item.nId;
            m_items.push_back({item.nId, kind, item.text.c_str(), bPicture ? item.nTextOrdinal : 0,
                               item.x, item.y, item.cx, item.cy, item.dwStyle, item.dwExStyle});
        }
        m_dialog.pItems = m_items.data();
    }
    TableForm(const TableForm&) = delete;
    TableForm& operator=(const TableForm&) = delete;

    const DialogTemplate& Get() const { return m_dialog; }

private:
    static DialogItemKind KindOf(const CompiledDialogItem& item) {
        switch (ClassOf(item)) {
        case ControlClass::Edit:
            return DialogItemKind::Edit;
        case ControlClass::Static:
            return (item.dwStyle & 0x1F) == 0x03   ? DialogItemKind::Icon
                   : (item.dwStyle & 0x1F) == 0x0E ? DialogItemKind::Bitmap
                                                   : DialogItemKind::Static;
        case ControlClass::Button:
            if ((item.dwStyle & 0x0F) == 0x01) return DialogItemKind::DefPushButton;
            if ((item.dwStyle & 0x0F) == 0x07) return DialogItemKind::GroupBox;
            if ((item.dwStyle & 0x0F) == 0x00) return DialogItemKind::PushButton;
            break;
        case ControlClass::Other:
            break;
        }
        ADD_FAILURE() << "control " << item.nId << " has no kind of the table";
        return DialogItemKind::Static;
    }

    CompiledDialog m_compiled;
    std::vector<DialogItemTemplate> m_items;
    DialogTemplate m_dialog{};
};

} // namespace

TEST_F(ResourceScript, EveryResourceIsItalian) {
    const std::pair<int, int> expected[] = {
        {kTypeDialog, 100},    {kTypeDialog, 102}, {kTypeString, 101 / 16 + 1}, {kTypeIcon, 1},
        {kTypeGroupIcon, 128}, {kTypeBitmap, 140}, {kTypeVersion, 1},
    };
    for (const auto& [nType, nName] : expected) {
        const ResEntry* pEntry = FindResEntry(Program(), nType, nName);
        ASSERT_NE(pEntry, nullptr) << "type " << nType << " name " << nName;
        EXPECT_EQ(pEntry->nLanguage, kItalian) << "type " << nType << " name " << nName;
    }
}

TEST_F(ResourceScript, CompiledDialogsAgreeWithTheTable) {
    for (int nId : {100, 102}) {
        ASSERT_NE(FindDialogTemplate(nId), nullptr);
        const TableForm compiled(ParseDialogEx(Entry(kTypeDialog, nId).data), nId);
        ExpectSameDialog(compiled.Get(), *FindDialogTemplate(nId));
    }
}

TEST_F(ResourceScript, CompiledEscapesAgreeWithTheGenerator) {
    const std::vector<ResEntry>& entries =
        Compiled(std::string(TREVANO_TESTS_RES_DIR) + "/escapes.rc", "escapes.res");
    ASSERT_FALSE(entries.empty()) << "windres failed on escapes.rc";
    const ResEntry* pDialog = FindResEntry(entries, kTypeDialog, 7);
    ASSERT_NE(pDialog, nullptr);
    const TableForm compiled(ParseDialogEx(pDialog->data), 7);
    ExpectSameDialog(compiled.Get(), *escapes_rc::FindDialogTemplate(7));
}

TEST_F(ResourceScript, StringBlockHoldsTheAboutItem) {
    const std::vector<std::string> strings = ParseStringBlock(Entry(kTypeString, 7).data);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(strings[static_cast<std::size_t>(i)],
                  i == 101 % 16 ? "Infor&mazioni su Trevano..." : "")
            << "string " << 96 + i;
}

TEST_F(ResourceScript, IconAndBitmapAreTheCommittedFiles) {
    const ResBytes ico = ReadWholeFile(std::string(TREVANO_RES_DIR) + "/trevano.ico");
    const ResBytes icon(ico.begin() + 22, ico.end()); // after the directory and its one entry
    EXPECT_EQ(Entry(kTypeIcon, 1).data, icon);
    const ResBytes& group = Entry(kTypeGroupIcon, 128).data;
    ASSERT_EQ(group.size(), 20u);
    EXPECT_EQ(ReadLe16(group, 4), 1); // one image
    EXPECT_EQ(group[6], 32);
    EXPECT_EQ(group[7], 32);
    EXPECT_EQ(group[8], 16);
    EXPECT_EQ(ReadLe16(group, 12), 4); // bits per pixel
    EXPECT_EQ(ReadLe16(group, 18), 1); // the RT_ICON it names

    const ResBytes bmp = ReadWholeFile(std::string(TREVANO_RES_DIR) + "/emblem.bmp");
    EXPECT_EQ(Entry(kTypeBitmap, 140).data, ResBytes(bmp.begin() + 14, bmp.end()));
}

TEST_F(ResourceScript, VersionBlockFixedPart) {
    const VersionNode root = ParseVersionInfo(Entry(kTypeVersion, 1).data);
    EXPECT_EQ(root.key, "VS_VERSION_INFO");
    ASSERT_EQ(root.value.size(), 52u);
    const std::uint32_t expected[] = {
        0xFEEF04BD, 0x00010000,    // signature, structure version
        0x00010000, 0x00000001,    // file version 1.0.0.1
        0x00010000, 0x00000001,    // product version 1.0.0.1
        0x3F,       0,             // flag mask, flags
        4,          1,             // 32-bit Windows, application
        0,          0,          0, // subtype, date
    };
    for (std::size_t i = 0; i < 13; ++i)
        EXPECT_EQ(ReadLe32(root.value, 4 * i), expected[i]) << "field " << i;
}

TEST_F(ResourceScript, VersionBlockStringsInOrder) {
    const VersionNode root = ParseVersionInfo(Entry(kTypeVersion, 1).data);
    ASSERT_EQ(root.children.size(), 2u);
    const VersionNode& stringInfo = root.children[0];
    EXPECT_EQ(stringInfo.key, "StringFileInfo");
    ASSERT_EQ(stringInfo.children.size(), 1u);
    const VersionNode& table = stringInfo.children[0];
    EXPECT_EQ(table.key, "041004B0");
    const std::pair<const char*, const char*> expected[] = {
        {"CompanyName", ""},
        {"FileDescription", "Trevano Applicazione MFC"},
        {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "Trevano"},
        {"LegalCopyright", "Copyright (C) 2002"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "Trevano.EXE"},
        {"ProductName", "Trevano Applicazione"},
        {"ProductVersion", "1, 0, 0, 1"},
    };
    ASSERT_EQ(table.children.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(table.children[i].key, expected[i].first);
        EXPECT_EQ(table.children[i].text, expected[i].second) << expected[i].first;
    }

    const VersionNode& varInfo = root.children[1];
    EXPECT_EQ(varInfo.key, "VarFileInfo");
    ASSERT_EQ(varInfo.children.size(), 1u);
    EXPECT_EQ(varInfo.children[0].key, "Translation");
    EXPECT_EQ(varInfo.children[0].value, (ResBytes{0x10, 0x04, 0xB0, 0x04}));
}
