#include "TimedDialog.h"

#include "MessageMap.h"

namespace {

const UINT_PTR CLOSE_TIMER = 1;

} // namespace

CTimedDialog::CTimedDialog(UINT nIDTemplate, UINT nShowMs, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_nShowMs(nShowMs) {}

const CMessageMap* CTimedDialog::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapTimer(&CTimedDialog::OnTimer),
        MapEvent(WM_DESTROY, &CTimedDialog::OnDestroy),
    };
    static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
    return &s_map;
}

bool CTimedDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetTimer(CLOSE_TIMER, m_nShowMs);
    return true;
}

void CTimedDialog::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == CLOSE_TIMER)
        PostMessage(WM_CLOSE);
}

void CTimedDialog::OnDestroy() {
    KillTimer(CLOSE_TIMER);
}
