// The export frame shared by the three export commands and the converter: create or empty the
// file, one write per polyline of exactly its block, the file closed on every path.
#pragma once

#include "File.h"
#include "Polyline.h"

typedef void (*BlockBuilder)(CPolyline& polyline, CString& block);

// What both doors, the dialog's commands and the converter's options, need of an output form.
struct ExportForm {
    BlockBuilder pfnBuildBlock; // the text of one polyline
    const char* pszDefaultExt;  // added by the save dialog to a name typed without one
};

extern const ExportForm g_formPointList;
extern const ExportForm g_formSectionsDat;
extern const ExportForm g_formSectionsCsv;

// Writes the blocks of positions 1 to GetCount to an open file, one Write each. Moves the list's
// cursor and nothing else. A failing write leaves as the CFileException naming the file.
void WritePolylines(CFile& file, CPolylineList& polylines, BlockBuilder pfnBuildBlock);

// Creates or empties pszPath and writes the polylines to it. FALSE when the file cannot be
// opened: pOpenError then holds the cause and the path, and nothing was written.
BOOL ExportPolylines(CPolylineList& polylines, const char* pszPath, const ExportForm& form,
                     CFileException* pOpenError);
