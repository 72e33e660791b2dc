#include "TrevanoDlg.h"

#include "AboutDlg.h"
#include "App.h"
#include "resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CTrevanoDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_LOAD_DXF, OnLoadDxf)
ON_BN_CLICKED(IDC_EXPORT_POINT_LIST, OnExportPointList)
ON_BN_CLICKED(IDC_EXPORT_SECTIONS_DAT, OnExportSectionsDat)
ON_BN_CLICKED(IDC_EXPORT_SECTIONS_CSV, OnExportSectionsCsv)
ON_BN_CLICKED(IDC_INFO, OnInfo)
END_MESSAGE_MAP()
// clang-format on

CTrevanoDlg::CTrevanoDlg(CWnd* pParent) : CDialog(IDD_TREVANO_DIALOG, pParent) {
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CTrevanoDlg::~CTrevanoDlg() = default;

void CTrevanoDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_POLYLINE_COUNT, m_nPolylineCount);
    DDX_Text(pDX, IDC_POINT_COUNT, m_nPointCount);
}

BOOL CTrevanoDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        CString strAboutMenu;
        AfxLoadString(IDS_ABOUTBOX, strAboutMenu);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    return TRUE; // the focus goes to the first tab stop, "Chiudi"
}

void CTrevanoDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CTrevanoDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    dc.DrawIcon(IconOrigin(rect.Width(), cxIcon), IconOrigin(rect.Height(), cyIcon), m_hIcon);
}

HCURSOR CTrevanoDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CTrevanoDlg::OnInfo() {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}
