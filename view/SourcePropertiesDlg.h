// "バックアップ元の情報": the options of one registered source folder, a
// note, the number of history versions, whether subfolders are backed up
// and an extension filter. The main view fills the members from the
// selected row and its entry, and writes them back after OK.
#pragma once

#include "Dialog.h"
#include "ListBox.h"
#include "SpinButtonCtrl.h"
#include "String.h"

// Radio indexes of the two groups.
enum {
    SUBFOLDERS_INDEX_YES = 0,
    SUBFOLDERS_INDEX_NO = 1,
    FILTER_INDEX_EXCLUDE = 0,
    FILTER_INDEX_ONLY = 1,
};

// Most history versions the dialog offers.
const int HISTORY_MAX = 99;

class CSourcePropertiesDlg : public CDialog {
public:
    explicit CSourcePropertiesDlg(CWnd* pParentWnd = nullptr);

    CString m_strHistory;    // decimal text, at most 2 characters on OK
    CString m_strFolderName; // the folder's own name, shown only
    CString m_strNote;
    int m_nSubfolders = SUBFOLDERS_INDEX_YES;
    int m_nFilterMode = FILTER_INDEX_EXCLUDE;
    int m_bUseFilter = 0;
    // In: the extensions joined by ","; out (once the window is gone): the
    // list's items in its order, joined the same way.
    CString m_strExtensions;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    void OnDestroy();
    void OnUseFilter();
    void OnAddExtension();
    void OnRemoveExtension();
    const CMessageMap* GetMessageMap() const override;

private:
    // The filter's controls follow the check box; disabled ones keep
    // their values.
    void UpdateFilterControls();

    CSpinButtonCtrl m_historySpin;
    CListBox m_extensionList;
};
