// Reader for compiled Win32 resource files (.res), enough to check what the
// resource compiler made of our script: entries, DIALOGEX templates, string
// blocks and version blocks. Throws std::runtime_error on malformed input.
#ifndef TREVANO_TESTS_RESFILE_H
#define TREVANO_TESTS_RESFILE_H

#include <cstdint>
#include <string>
#include <vector>

using ResBytes = std::vector<unsigned char>;

struct ResEntry {
    int nType; // ordinal; -1 when named
    int nName; // ordinal; -1 when named
    int nLanguage;
    ResBytes data;
};

std::vector<ResEntry> ReadResFile(const std::string& path);
const ResEntry* FindResEntry(const std::vector<ResEntry>& entries, int nType, int nName);

struct CompiledDialogItem {
    int nId;
    int x, y, cx, cy;
    unsigned long dwStyle, dwExStyle;
    int nClassOrdinal; // 0x80 button, 0x81 edit, 0x82 static; -1 when named
    std::string className;
    std::string text; // UTF-8, empty when the text is an ordinal
    int nTextOrdinal; // -1 when the text is a string
};

struct CompiledDialog {
    int x, y, cx, cy;
    unsigned long dwStyle, dwExStyle;
    std::string caption;
    int nPointSize;
    std::string fontName;
    std::vector<CompiledDialogItem> items;
};

CompiledDialog ParseDialogEx(const ResBytes& data);

// The sixteen strings of one string-table block, UTF-8.
std::vector<std::string> ParseStringBlock(const ResBytes& data);

struct VersionNode {
    std::string key;
    int nType; // 1 text, 0 binary
    ResBytes value;
    std::string text; // the value as UTF-8 when nType is 1
    std::vector<VersionNode> children;
};

VersionNode ParseVersionInfo(const ResBytes& data);

std::uint32_t ReadLe32(const ResBytes& data, std::size_t offset);
std::uint16_t ReadLe16(const ResBytes& data, std::size_t offset);
ResBytes ReadWholeFile(const std::string& path);

#endif
