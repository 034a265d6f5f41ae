// Asks for one file extension (without its period), for the never-copied
// list of the settings page and the extension list of a source's
// properties. The text is taken as typed.
#pragma once

#include "Dialog.h"
#include "String.h"

class CExtensionEntryDlg : public CDialog {
public:
    explicit CExtensionEntryDlg(CWnd* pParentWnd = nullptr);

    CString m_strExtension;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
