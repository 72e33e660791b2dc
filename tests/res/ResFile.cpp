#include "ResFile.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void Require(bool bCondition, const char* pszWhat) {
    if (!bCondition) throw std::runtime_error(pszWhat);
}

std::size_t AlignTo4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A zero-terminated UTF-16 string; offset moves past its terminator.
std::string ReadWideString(const ResBytes& data, std::size_t& offset) {
    std::string out;
    for (;;) {
        const std::uint16_t unit = ReadLe16(data, offset);
        offset += 2;
        if (unit == 0) return out;
        AppendUtf8(out, unit);
    }
}

// sz_Or_Ord: 0xFFFF then an ordinal, or a zero-terminated string.
void ReadNameOrOrdinal(const ResBytes& data, std::size_t& offset, int& nOrdinal,
                       std::string& name) {
    if (ReadLe16(data, offset) == 0xFFFF) {
        nOrdinal = ReadLe16(data, offset + 2);
        offset += 4;
    } else {
        nOrdinal = -1;
        name = ReadWideString(data, offset);
    }
}

int SignedShort(std::uint16_t value) {
    return static_cast<std::int16_t>(value);
}

VersionNode ParseVersionNode(const ResBytes& data, std::size_t start) {
    const std::size_t length = ReadLe16(data, start);
    const std::size_t valueLength = ReadLe16(data, start + 2);
    VersionNode node;
    node.nType = ReadLe16(data, start + 4);
    const std::size_t end = start + length;
    Require(length >= 6 && end <= data.size(), "version node overruns its block");
    std::size_t offset = start + 6;
    node.key = ReadWideString(data, offset);
    offset = AlignTo4(offset);
    const std::size_t valueBytes = node.nType == 1 ? 2 * valueLength : valueLength;
    Require(offset + valueBytes <= end, "version value overruns its node");
    node.value.assign(data.begin() + static_cast<std::ptrdiff_t>(offset),
                      data.begin() + static_cast<std::ptrdiff_t>(offset + valueBytes));
    if (node.nType == 1) {
        for (std::size_t i = 0; i + 1 < node.value.size(); i += 2) {
            const std::uint16_t unit = ReadLe16(node.value, i);
            if (unit == 0) break;
            AppendUtf8(node.text, unit);
        }
    }
    offset = AlignTo4(offset + valueBytes);
    while (offset < end) {
        node.children.push_back(ParseVersionNode(data, offset));
        offset = AlignTo4(offset + ReadLe16(data, offset));
    }
    return node;
}

} // namespace

std::uint16_t ReadLe16(const ResBytes& data, std::size_t offset) {
    Require(offset + 2 <= data.size(), "read past the end");
    return static_cast<std::uint16_t>(data[offset] | (data[offset + 1] << 8));
}

std::uint32_t ReadLe32(const ResBytes& data, std::size_t offset) {
    return ReadLe16(data, offset) | (static_cast<std::uint32_t>(ReadLe16(data, offset + 2)) << 16);
}

ResBytes ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    Require(in.good(), "cannot open file");
    return ResBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<ResEntry> ReadResFile(const std::string& path) {
    const ResBytes file = ReadWholeFile(path);
    std::vector<ResEntry> entries;
    std::size_t offset = 0;
    while (offset + 8 <= file.size()) {
        const std::size_t dataSize = ReadLe32(file, offset);
        const std::size_t headerSize = ReadLe32(file, offset + 4);
        Require(headerSize >= 16 && offset + headerSize + dataSize <= file.size(),
                "resource entry overruns the file");
        std::size_t field = offset + 8;
        ResEntry entry;
        std::string typeName, name;
        ReadNameOrOrdinal(file, field, entry.nType, typeName);
        ReadNameOrOrdinal(file, field, entry.nName, name);
        field = AlignTo4(field);
        entry.nLanguage = ReadLe16(file, field + 6); // after DataVersion and MemoryFlags
        const auto first = file.begin() + static_cast<std::ptrdiff_t>(offset + headerSize);
        entry.data.assign(first, first + static_cast<std::ptrdiff_t>(dataSize));
        // The file opens with an empty entry that only marks the format.
        if (!(entry.nType == 0 && dataSize == 0)) entries.push_back(std::move(entry));
        offset = AlignTo4(offset + headerSize + dataSize);
    }
    return entries;
}

const ResEntry* FindResEntry(const std::vector<ResEntry>& entries, int nType, int nName) {
    for (const ResEntry& entry : entries)
        if (entry.nType == nType && entry.nName == nName) return &entry;
    return nullptr;
}

CompiledDialog ParseDialogEx(const ResBytes& data) {
    Require(ReadLe16(data, 0) == 1 && ReadLe16(data, 2) == 0xFFFF, "not a DIALOGEX template");
    CompiledDialog dialog;
    dialog.dwExStyle = ReadLe32(data, 8);
    dialog.dwStyle = ReadLe32(data, 12);
    const int nItems = ReadLe16(data, 16);
    dialog.x = SignedShort(ReadLe16(data, 18));
    dialog.y = SignedShort(ReadLe16(data, 20));
    dialog.cx = SignedShort(ReadLe16(data, 22));
    dialog.cy = SignedShort(ReadLe16(data, 24));
    std::size_t offset = 26;
    int nOrdinal = 0;
    std::string ignored;
    ReadNameOrOrdinal(data, offset, nOrdinal, ignored); // menu
    ReadNameOrOrdinal(data, offset, nOrdinal, ignored); // window class
    dialog.caption = ReadWideString(data, offset);
    dialog.nPointSize = 0;
    if (dialog.dwStyle & 0x40) { // DS_SETFONT
        dialog.nPointSize = ReadLe16(data, offset);
        offset += 6; // point size, weight, italic, character set
        dialog.fontName = ReadWideString(data, offset);
    }
    for (int i = 0; i < nItems; ++i) {
        offset = AlignTo4(offset);
        CompiledDialogItem item;
        item.dwExStyle = ReadLe32(data, offset + 4);
        item.dwStyle = ReadLe32(data, offset + 8);
        item.x = SignedShort(ReadLe16(data, offset + 12));
        item.y = SignedShort(ReadLe16(data, offset + 14));
        item.cx = SignedShort(ReadLe16(data, offset + 16));
        item.cy = SignedShort(ReadLe16(data, offset + 18));
        item.nId = static_cast<std::int32_t>(ReadLe32(data, offset + 20));
        offset += 24;
        ReadNameOrOrdinal(data, offset, item.nClassOrdinal, item.className);
        ReadNameOrOrdinal(data, offset, item.nTextOrdinal, item.text);
        offset += 2 + ReadLe16(data, offset); // creation data
        dialog.items.push_back(std::move(item));
    }
    return dialog;
}

std::vector<std::string> ParseStringBlock(const ResBytes& data) {
    std::vector<std::string> strings;
    std::size_t offset = 0;
    for (int i = 0; i < 16; ++i) {
        const std::size_t length = ReadLe16(data, offset);
        offset += 2;
        std::string text;
        for (std::size_t k = 0; k < length; ++k, offset += 2)
            AppendUtf8(text, ReadLe16(data, offset));
        strings.push_back(std::move(text));
    }
    return strings;
}

VersionNode ParseVersionInfo(const ResBytes& data) {
    return ParseVersionNode(data, 0);
}
