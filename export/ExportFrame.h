// The export frame shared by the three export commands and the converter: create or empty the
// file, one write per polyline of exactly its block, the file closed on every path.
#pragma once

#include "File.h"
#include "Polyline.h"

typedef void (*BlockBuilder)(CPolyline& polyline, CString& block);

// One row per export command: what its save dialog offers and what it writes.
struct ExportSettings {
    const char* pszName;        // the converter's option, "--punti"
    int nButtonId;              // the dialog's button
    const char* pszCaption;     // the button's caption
    const char* pszDefaultExt;  // added by the save dialog to a name typed without one
    const char* pszFilter;      // the save dialog's filter, "description|pattern|...||"
    BlockBuilder pfnBuildBlock; // the text of one polyline
};

extern const ExportSettings g_exportPointList;
extern const ExportSettings g_exportSectionsDat;
extern const ExportSettings g_exportSectionsCsv;
// The three rows in the order the converter lists them.
extern const ExportSettings* const g_apExportSettings[3];

// Writes the blocks of positions 1 to GetCount to an open file, one Write each. Moves the list's
// cursor and nothing else. A failing write leaves as the CFileException naming the file.
void WritePolylines(CFile& file, CPolylineList& polylines, BlockBuilder pfnBuildBlock);

// Creates or empties pszPath and writes the polylines to it. FALSE when the file cannot be
// opened: pOpenError then holds the cause and the path, and nothing was written.
BOOL ExportPolylines(CPolylineList& polylines, const char* pszPath, const ExportSettings& settings,
                     CFileException* pOpenError);
