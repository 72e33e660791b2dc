// The program's dialog templates and string table as plain data, generated at
// build time from trevano.rc, for window layers that do not read Win32
// resources. Coordinates are dialog units; styles are the Win32 bits as the
// resource compiler stores them (DialogStyles.h names them); texts are UTF-8.
#ifndef TREVANO_RES_DIALOGTEMPLATE_H
#define TREVANO_RES_DIALOGTEMPLATE_H

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

// Null when the resources hold no such dialog or string.
const DialogTemplate* FindDialogTemplate(int nId);
const char* FindResourceString(int nId);

#endif
