// The main dialog's commands: the load of a drawing and the three exports, on the core's load
// and export frame.
#include "App.h"
#include "ExportFrame.h"
#include "FileDialog.h"
#include "ReadDrawing.h"
#include "TrevanoDlg.h"
#include "resource.h"

namespace {

// The dialog's side of each export: the button that runs it (its caption is in the template),
// what its save dialog offers, and the form it writes.
struct ExportCommand {
    UINT nButtonId;
    const char* pszFilter; // "description|pattern|...||"
    const ExportForm& form;
};

const ExportCommand kExportCommands[] = {
    // "Esporta file di coordinate formato (.csv)"
    {IDC_EXPORT_POINT_LIST, "File curve per punti (*.CSV)|*.csv|Tutti i file|*.*||",
     g_formPointList},
    // "Esporta sezioni (.dat) per pannellatura"
    {IDC_EXPORT_SECTIONS_DAT, "File sezioni pannellatura(*.dat)|*.dat|Tutti i file|*.*||",
     g_formSectionsDat},
    // "Esporta sezioni (.csv) per pannellatura"
    {IDC_EXPORT_SECTIONS_CSV, "File sezioni pannellatura(*.csv)|*.csv|Tutti i file|*.*||",
     g_formSectionsCsv},
};

const ExportCommand* FindExportCommand(UINT nButtonId) {
    for (const ExportCommand& command : kExportCommands)
        if (command.nButtonId == nButtonId) return &command;
    return nullptr;
}

} // namespace

void CTrevanoDlg::OnLoadDxf() {
    CFileDialog dlg(TRUE, "dxf", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                    "File DXF(*.dxf)|*.dxf|Tutti i file|*.*||");
    dlg.m_strInitialDir = m_strDrawingFolder;
    if (dlg.DoModal() != IDOK) return;

    CWaitCursor wait;
    CDxfFile file;
    CFileException error;
    if (!file.Open(dlg.GetPathName(), CFile::modeRead, &error)) {
        error.ReportError();
        return; // the list and the counters keep the previous drawing
    }
    m_strDrawingFolder = m_strExportFolder = dlg.GetFolderPath();
    ReadDrawing(file, m_polylines, m_nPolylineCount, m_nPointCount);
    UpdateData(FALSE);
}

void CTrevanoDlg::SortPolylines() {
    ::SortPolylines(m_polylines);
}

void CTrevanoDlg::RunExport(UINT nButtonId) {
    const ExportCommand* pCommand = FindExportCommand(nButtonId);
    if (!pCommand) return;
    CFileDialog dlg(FALSE, pCommand->form.pszDefaultExt, nullptr, OFN_HIDEREADONLY,
                    pCommand->pszFilter);
    dlg.m_strInitialDir = m_strExportFolder;
    if (dlg.DoModal() != IDOK) return;

    CWaitCursor wait;
    CFileException error;
    if (!ExportPolylines(m_polylines, dlg.GetPathName(), pCommand->form, &error)) {
        error.ReportError();
        return;
    }
    m_strExportFolder = dlg.GetFolderPath();
}

void CTrevanoDlg::OnExportPointList() {
    RunExport(IDC_EXPORT_POINT_LIST);
}

void CTrevanoDlg::OnExportSectionsDat() {
    RunExport(IDC_EXPORT_SECTIONS_DAT);
}

void CTrevanoDlg::OnExportSectionsCsv() {
    RunExport(IDC_EXPORT_SECTIONS_CSV);
}
