// Asks for one file extension (without its period), for the never-copied
// list of the settings page and the extension list of a source's
// properties. The text is taken as typed.
#pragma once

#include "Dialog.h"
#include "String.h"

class CListBox;

class CExtensionEntryDlg : public CDialog {
public:
    explicit CExtensionEntryDlg(CWnd* pParentWnd = nullptr);

    CString m_strExtension;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Asks for an extension and adds it to the list unless it is empty or the
// list already holds it byte for byte (letter case matters, which the list
// box's own search ignores). The list sorts it in.
void AddEnteredExtension(CWnd* pParentWnd, CListBox& list);
