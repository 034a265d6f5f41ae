#include "ToolBar.h"

#include <vector>

#include "CmdUI.h"
#include "FrameWnd.h"

namespace {

const WORD kToolBarResourceType = 241;

class CToolCmdUI : public CCmdUI {
public:
    CToolCmdUI(CToolBar& bar, UINT nIndex, UINT nID) : CCmdUI(nID, nIndex), m_bar(bar) {}
    void Enable(bool bOn) override {
        CCmdUI::Enable(bOn);
        m_bar.SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override {
        m_bar.SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck ? TRUE : FALSE, 0));
    }

private:
    CToolBar& m_bar;
};

} // namespace

bool CToolBar::Create(CFrameWnd* pFrame, DWORD dwStyle, UINT nID) {
    if (!CreateBar(pFrame, TOOLBARCLASSNAMEA, dwStyle, nID))
        return false;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return true;
}

bool CToolBar::LoadToolBar(UINT nIDResource) {
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDResource),
                                      MAKEINTRESOURCEA(kToolBarResourceType));
    HGLOBAL hData = hResource ? ::LoadResource(hInstance, hResource) : nullptr;
    const WORD* pWords = hData ? static_cast<const WORD*>(::LockResource(hData)) : nullptr;
    DWORD cbSize = hResource ? ::SizeofResource(hInstance, hResource) : 0;
    if (!pWords || cbSize < 4 * sizeof(WORD) || pWords[0] != 1)
        return false;
    WORD nCount = pWords[3];
    if (cbSize < (4u + nCount) * sizeof(WORD))
        return false;

    int nImages = 0;
    std::vector<UINT> ids(pWords + 4, pWords + 4 + nCount);
    for (UINT nID : ids)
        nImages += nID != ID_SEPARATOR;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(pWords[1], pWords[2]));
    TBADDBITMAP bitmap = {hInstance, nIDResource};
    if (SendMessage(TB_ADDBITMAP, nImages, reinterpret_cast<LPARAM>(&bitmap)) == -1)
        return false;
    return SetButtons(ids.data(), nCount);
}

bool CToolBar::SetButtons(const UINT* pIDs, int nCount) {
    std::vector<TBBUTTON> buttons(nCount);
    int nImage = 0;
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON& button = buttons[i];
        button.idCommand = static_cast<int>(pIDs[i]);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = pIDs[i] == ID_SEPARATOR ? BTNS_SEP : BTNS_BUTTON;
        button.iBitmap = pIDs[i] == ID_SEPARATOR ? 0 : nImage++;
    }
    return SendMessage(TB_ADDBUTTONSA, nCount, reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

UINT CToolBar::GetItemID(int nIndex) const {
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&button)))
        return ID_SEPARATOR;
    return static_cast<UINT>(button.idCommand);
}

int CToolBar::CalcHeight() {
    // The common tool bar fits itself to the top of its parent.
    SendMessage(TB_AUTOSIZE);
    RECT rect;
    GetWindowRect(&rect);
    return rect.bottom - rect.top;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget) {
    int nCount = GetButtonCount();
    for (int i = 0; i < nCount; ++i) {
        UINT nID = GetItemID(i);
        if (nID == ID_SEPARATOR)
            continue;
        CToolCmdUI ui(*this, static_cast<UINT>(i), nID);
        ui.DoUpdate(pTarget, true);
    }
}
