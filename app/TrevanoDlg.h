// The main dialog: the loaded drawing, its two counters, and one button per command.
#pragma once

#include "Dialog.h"
#include "Polyline.h"

class CTrevanoDlg : public CDialog {
public:
    explicit CTrevanoDlg(CWnd* pParent = nullptr);
    ~CTrevanoDlg() override;

    CPolylineList m_polylines;
    INT32 m_nPolylineCount = 0;
    INT32 m_nPointCount = 0;
    HICON m_hIcon;
    // Where the file dialogs open within this run (nothing is kept between runs): the open
    // dialog in the folder of the drawing last loaded, the save dialogs in that one or in the
    // folder of the last file exported, whichever came later. Empty before any: the folder the
    // program started in.
    CString m_strDrawingFolder;
    CString m_strExportFolder;

    // Where the icon goes in a minimised window of the given client size: centred, in signed
    // arithmetic, so a client narrower than the icon gives a negative origin.
    static int IconOrigin(int nClient, int nIcon) { return (nClient - nIcon + 1) / 2; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

public:
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnLoadDxf();
    void OnExportPointList();
    void OnExportSectionsDat();
    void OnExportSectionsCsv();
    void OnInfo();
    void SortPolylines();

private:
    // The save dialog, then the export frame, for the export that the button runs.
    void RunExport(UINT nButtonId);

    DECLARE_MESSAGE_MAP()
};
