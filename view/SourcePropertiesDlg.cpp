#include "SourcePropertiesDlg.h"

#include "Button.h"
#include "DataExchange.h"
#include "ExtensionEntryDlg.h"
#include "ListBoxText.h"
#include "MessageMap.h"
#include "resource.h"

namespace {

// The history count is one or two digits (0 to 99).
const int HISTORY_DIGITS = 2;

const int FILTER_CONTROLS[] = {
    IDC_FILTER_LABEL,  IDC_FILTER_NOTE,      IDC_FILTER_EXCLUDE, IDC_FILTER_ONLY,
    IDC_EXTENSION_ADD, IDC_EXTENSION_REMOVE, IDC_EXTENSION_LIST,
};

} // namespace

CSourcePropertiesDlg::CSourcePropertiesDlg(CWnd* pParentWnd)
    : CDialog(IDD_SOURCE_PROPERTIES, pParentWnd) {}

const CMessageMap* CSourcePropertiesDlg::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapCommand(IDC_USE_FILTER, &CSourcePropertiesDlg::OnUseFilter),
        MapCommand(IDC_EXTENSION_ADD, &CSourcePropertiesDlg::OnAddExtension),
        MapCommand(IDC_EXTENSION_REMOVE, &CSourcePropertiesDlg::OnRemoveExtension),
        MapEvent(WM_DESTROY, &CSourcePropertiesDlg::OnDestroy),
    };
    static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
    return &s_map;
}

void CSourcePropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HISTORY_SPIN, m_historySpin);
    DDX_Control(pDX, IDC_EXTENSION_LIST, m_extensionList);
    DDX_Text(pDX, IDC_HISTORY, m_strHistory);
    DDV_MaxChars(pDX, m_strHistory, HISTORY_DIGITS);
    // The folder name is shown whatever its length: a long name must not
    // keep a source's options from being changed.
    DDX_Text(pDX, IDC_FOLDER_NAME, m_strFolderName);
    DDX_Text(pDX, IDC_NOTE, m_strNote);
    DDX_Radio(pDX, IDC_SUBFOLDERS_YES, m_nSubfolders);
    DDX_Radio(pDX, IDC_FILTER_EXCLUDE, m_nFilterMode);
    DDX_Check(pDX, IDC_USE_FILTER, m_bUseFilter);
}

bool CSourcePropertiesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_historySpin.SetRange(0, HISTORY_MAX);
    UpdateFilterControls();
    // The list sorts what it is given; a comma typed into an extension
    // splits it into two items here.
    while (!m_strExtensions.IsEmpty()) {
        int nComma = m_strExtensions.Find(',');
        if (nComma < 0) {
            m_extensionList.AddString(m_strExtensions);
            m_strExtensions.Empty();
        } else {
            m_extensionList.AddString(m_strExtensions.Left(nComma));
            m_strExtensions = m_strExtensions.Mid(nComma + 1);
        }
    }
    return true;
}

void CSourcePropertiesDlg::OnDestroy() {
    // The selection plays no part: every item is kept, in list order.
    m_strExtensions = JoinListBoxItems(m_extensionList, ",");
    m_historySpin.Detach();
    m_extensionList.Detach();
}

void CSourcePropertiesDlg::OnUseFilter() {
    UpdateFilterControls();
}

void CSourcePropertiesDlg::UpdateFilterControls() {
    bool bEnable = CButton(GetDlgItem(IDC_USE_FILTER)).IsChecked();
    for (int nID : FILTER_CONTROLS)
        CWnd(GetDlgItem(nID)).EnableWindow(bEnable);
}

void CSourcePropertiesDlg::OnAddExtension() {
    AddEnteredExtension(this, m_extensionList);
}

void CSourcePropertiesDlg::OnRemoveExtension() {
    int nSelected = m_extensionList.GetCurSel();
    if (nSelected >= 0)
        m_extensionList.DeleteString(nSelected);
}
