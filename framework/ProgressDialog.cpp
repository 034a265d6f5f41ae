#include "ProgressDialog.h"

#include "MessageMap.h"

namespace {

const UINT_PTR POLL_TIMER = 1;
const UINT POLL_INTERVAL_MS = 10;

} // namespace

CProgressDialog::CProgressDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd) {}

const CMessageMap* CProgressDialog::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapTimer(&CProgressDialog::OnTimer),
        MapEvent(WM_DESTROY, &CProgressDialog::OnDestroy),
        MapMessage(WM_ENDSESSION, &CProgressDialog::OnEndSession),
    };
    static const CMessageMap s_map(CDialog::GetMessageMap(), kEntries);
    return &s_map;
}

bool CProgressDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    StartWorker();
    SetTimer(POLL_TIMER, POLL_INTERVAL_MS);
    return true;
}

void CProgressDialog::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != POLL_TIMER)
        return;
    // Finished is read before the poll: what the poll shows is then at
    // least what the worker finished with.
    bool bFinished = IsWorkerFinished();
    ShowProgress();
    if (bFinished) {
        KillTimer(POLL_TIMER);
        PostMessage(WM_CLOSE);
    }
}

void CProgressDialog::OnOK() {
    if (IsWorkerFinished())
        EndDialog(IDOK);
}

void CProgressDialog::OnCancel() {
    if (IsWorkerFinished())
        EndDialog(IDCANCEL);
    else
        StopWorker();
}

LRESULT CProgressDialog::OnEndSession(WPARAM wParam, LPARAM) {
    if (wParam) {
        StopWorker();
        EndWorker();
    }
    return 0;
}

void CProgressDialog::OnDestroy() {
    KillTimer(POLL_TIMER);
    EndWorker();
}
