// A program's resources as plain data, for window layers that do not read Win32 resources from
// the executable: its dialog templates, its string table, and the files of its icons and
// bitmaps, as its resource script states them. A generator turns the script into a
// ResourceTable at build time, and the program hands the table over with AfxSetResources before
// its first window opens. Coordinates are dialog units; styles are the Win32 bits as the
// resource compiler stores them (DialogStyles.h names them); texts are UTF-8.
#pragma once

enum class DialogItemKind { PushButton, DefPushButton, Edit, Static, GroupBox, Icon, Bitmap };

struct DialogItemTemplate {
    int nId; // -1 for a control the program never addresses
    DialogItemKind kind;
    const char* pszText; // never null; "" for edits and pictures
    int nResource;       // icon or bitmap id for Icon and Bitmap, else 0
    int x, y, cx, cy;
    unsigned long dwStyle;
    unsigned long dwExStyle;
};

struct DialogTemplate {
    int nId;
    const char* pszCaption;
    int x, y, cx, cy;
    unsigned long dwStyle;
    unsigned long dwExStyle;
    const char* pszFontName;
    int nPointSize;
    const DialogItemTemplate* pItems; // in template order, which is the tab order
    int nItems;
};

struct ResourceString {
    int nId;
    const char* pszText;
};

// An icon or a bitmap: the file the script names, relative to the script's folder. The Qt
// layer finds it among the program's Qt resources under ":/resources/".
struct ResourceFile {
    int nId;
    const char* pszFile;
};

struct ResourceTable {
    const DialogTemplate* pDialogs;
    int nDialogs;
    const ResourceString* pStrings;
    int nStrings;
    const ResourceFile* pIcons;
    int nIcons;
    const ResourceFile* pBitmaps;
    int nBitmaps;
};

// The table stays the program's and must outlive every window.
void AfxSetResources(const ResourceTable* pTable);

// Lookups in the table handed over: null when it holds no such resource, or none was given.
const DialogTemplate* FindDialogTemplate(int nId);
const char* FindResourceString(int nId);
const char* FindResourceIconFile(int nId);
const char* FindResourceBitmapFile(int nId);
