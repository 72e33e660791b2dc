#include "DialogTemplate.h"

namespace {

const ResourceTable* g_pResources = nullptr;

template <class T> const T* FindById(const T* pEntries, int nEntries, int nId) {
    for (int i = 0; i < nEntries; ++i)
        if (pEntries[i].nId == nId) return &pEntries[i];
    return nullptr;
}

} // namespace

void AfxSetResources(const ResourceTable* pTable) {
    g_pResources = pTable;
}

const DialogTemplate* FindDialogTemplate(int nId) {
    return g_pResources ? FindById(g_pResources->pDialogs, g_pResources->nDialogs, nId) : nullptr;
}

const char* FindResourceString(int nId) {
    if (!g_pResources) return nullptr;
    const ResourceString* p = FindById(g_pResources->pStrings, g_pResources->nStrings, nId);
    return p ? p->pszText : nullptr;
}

const char* FindResourceIconFile(int nId) {
    if (!g_pResources) return nullptr;
    const ResourceFile* p = FindById(g_pResources->pIcons, g_pResources->nIcons, nId);
    return p ? p->pszFile : nullptr;
}

const char* FindResourceBitmapFile(int nId) {
    if (!g_pResources) return nullptr;
    const ResourceFile* p = FindById(g_pResources->pBitmaps, g_pResources->nBitmaps, nId);
    return p ? p->pszFile : nullptr;
}
