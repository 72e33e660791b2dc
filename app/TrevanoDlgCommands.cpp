// The main dialog's commands: the load of a drawing and the three exports, on the core's load
// and export frame.
#include "App.h"
#include "DxfLoad.h"
#include "ExportFrame.h"
#include "FileDialog.h"
#include "TrevanoDlg.h"

void CTrevanoDlg::OnLoadDxf() {
    CFileDialog dlg(TRUE, "dxf", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                    "File DXF(*.dxf)|*.dxf|Tutti i file|*.*||");
    if (dlg.DoModal() != IDOK) return;

    CWaitCursor wait;
    CDxfFile file;
    CFileException error;
    if (!file.Open(dlg.GetPathName(), CFile::modeRead, &error)) {
        error.ReportError();
        return; // the list and the counters keep the previous drawing
    }
    LoadPolylines(file, m_polylines, m_nPolylineCount, m_nPointCount);
    UpdateData(FALSE);
}

void CTrevanoDlg::SortPolylines() {
    ::SortPolylines(m_polylines);
}

void CTrevanoDlg::RunExport(const ExportSettings& settings) {
    CFileDialog dlg(FALSE, settings.pszDefaultExt, nullptr, OFN_HIDEREADONLY, settings.pszFilter);
    if (dlg.DoModal() != IDOK) return;

    CWaitCursor wait;
    CFileException error;
    if (!ExportPolylines(m_polylines, dlg.GetPathName(), settings, &error)) error.ReportError();
}

void CTrevanoDlg::OnExportPointList() {
    RunExport(g_exportPointList);
}

void CTrevanoDlg::OnExportSectionsDat() {
    RunExport(g_exportSectionsDat);
}

void CTrevanoDlg::OnExportSectionsCsv() {
    RunExport(g_exportSectionsCsv);
}
