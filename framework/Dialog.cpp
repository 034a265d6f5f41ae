#include "Dialog.h"

#include <commctrl.h>

#include "DataExchange.h"
#include "WinApp.h"

namespace {

// Templates may hold list views, tabs, trees, progress bars and up-downs,
// whose window classes exist only once the common controls are registered.
bool InitCommonControlsOnce() {
    static const bool s_bDone = [] {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        return ::InitCommonControlsEx(&icc) != 0;
    }();
    return s_bDone;
}

// Messages whose dialog-procedure result is the value itself rather than
// "handled", with the value in DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT nMsg) {
    switch (nMsg) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

// The application's main window, unless there is none or it is hWnd.
HWND MainWindowOtherThan(HWND hWnd) {
    CWinApp* pApp = AfxGetApp();
    HWND hWndMain = pApp && pApp->m_pMainWnd ? pApp->m_pMainWnd->GetSafeHwnd() : nullptr;
    return hWndMain != hWnd ? hWndMain : nullptr;
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_nIDTemplate(nIDTemplate) {}

CDialog::~CDialog() {
    DestroyWindow();
}

const CMessageMap* CDialog::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapMessage(WM_INITDIALOG, &CDialog::HandleInitDialog),
        MapCommand(IDOK, &CDialog::OnOK),
        MapCommand(IDCANCEL, &CDialog::OnCancel),
    };
    static const CMessageMap s_map(CWnd::GetMessageMap(), kEntries);
    return &s_map;
}

int CDialog::DoModal() {
    if (m_hWnd)
        return -1;
    // Only a top-level owner can be disabled for the time of the dialog.
    HWND hWndParent = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    HWND hWndOwner = hWndParent ? ::GetAncestor(hWndParent, GA_ROOT) : nullptr;
    m_bModal = true;
    if (!CreateDialogWindow(hWndOwner)) {
        m_bModal = false;
        return -1;
    }
    // A dialog without a parent still keeps the application's main window
    // from acting while it runs: a window left enabled beneath a modal
    // dialog can change or free what the dialog works on.
    HWND hWndDisabled = hWndOwner ? hWndOwner : MainWindowOtherThan(m_hWnd);
    bool bDisabledHere = hWndDisabled && ::IsWindowEnabled(hWndDisabled);
    if (bDisabledHere)
        ::EnableWindow(hWndDisabled, FALSE);

    // OnInitDialog may already have ended the dialog.
    if (!m_bEnded && m_hWnd) {
        ModalDialogHandler handler = AfxGetModalDialogHandler();
        if (handler) {
            AnswerFromSeam(handler);
        } else {
            ShowWindow(SW_SHOW);
            RunModalLoop();
        }
    }

    // The owner is enabled again before the dialog goes, so that activation
    // returns to it rather than to some other program's window.
    if (bDisabledHere)
        ::EnableWindow(hWndDisabled, TRUE);
    DestroyWindow();
    m_bModal = false;
    return m_nResult;
}

bool CDialog::Create(CWnd* pParentWnd) {
    if (m_hWnd)
        return false;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_bModal = false;
    return CreateDialogWindow(m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr);
}

bool CDialog::CreateDialogWindow(HWND hWndParent) {
    InitCommonControlsOnce();
    m_bEnded = false;
    m_nResult = -1;
    HWND hWnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                     hWndParent, DialogProc, reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr;
}

void CDialog::RunModalLoop() {
    MSG msg;
    while (!m_bEnded && m_hWnd) {
        BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
        if (bGot == 0) {
            // The program is quitting: leave the quit for the main loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (bGot == -1)
            return;
        if (!::IsDialogMessageA(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void CDialog::AnswerFromSeam(const ModalDialogHandler& handler) {
    int nAnswer = handler(*this);
    if (m_bEnded || !m_hWnd)
        return;
    if (nAnswer == 0) {
        RunModalLoop();
        return;
    }
    // Pressed like the button itself, so OnOK's exchange and checks run.
    SendMessage(WM_COMMAND, MAKEWPARAM(nAnswer, BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(nAnswer)));
    if (!m_bEnded)
        m_nResult = -1;
}

void CDialog::EndDialog(int nResult) {
    m_nResult = nResult;
    m_bEnded = true;
    if (!m_bModal) {
        DestroyWindow();
        return;
    }
    // Wakes the modal loop, which may be waiting in GetMessage when the
    // dialog is ended from a message sent by another thread.
    PostMessage(WM_NULL);
}

bool CDialog::UpdateData(bool bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.HasFailed();
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    return OnInitDialog() ? TRUE : FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CDialog* pDlg = static_cast<CDialog*>(FromHandlePermanent(hWnd));
    if (!pDlg && nMsg == WM_INITDIALOG) {
        pDlg = reinterpret_cast<CDialog*>(lParam);
        pDlg->AttachPermanent(hWnd);
    }
    if (!pDlg)
        return FALSE;

    LRESULT lResult = 0;
    bool bHandled = Dispatch(pDlg, nMsg, wParam, lParam, &lResult);
    if (nMsg == WM_NCDESTROY) {
        OnFinalMessage(pDlg);
        return FALSE;
    }
    if (!bHandled)
        return FALSE;
    if (ReturnsValueDirectly(nMsg))
        return static_cast<INT_PTR>(lResult);
    ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}
