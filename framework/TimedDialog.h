// A modal window that closes itself some time after it opens (the result of
// a run, so that an unattended run ends on its own); OK closes it sooner.
#pragma once

#include "Dialog.h"

// How long the result of a run stays.
const UINT RESULT_SHOW_MS = 5000;

class CTimedDialog : public CDialog {
public:
    CTimedDialog(UINT nIDTemplate, UINT nShowMs, CWnd* pParentWnd);

protected:
    bool OnInitDialog() override;
    const CMessageMap* GetMessageMap() const override;

private:
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();

    UINT m_nShowMs;
};
