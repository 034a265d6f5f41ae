#include "BackupRun.h"

#include "HistoryFolder.h"
#include "PathText.h"
#include "SizeText.h"
#include "StatusMessage.h"

CBackupRun::CBackupRun() {
    m_job.m_freeSpaceQuery = &GetFreeSpace;
}

CBackupRun::~CBackupRun() {
    End();
}

void CBackupRun::SetFreeSpaceQuery(std::function<ULONGLONG(const char*)> query) {
    m_job.m_freeSpaceQuery = std::move(query);
}

bool CBackupRun::Start(const CRunSpec& spec) {
    m_job.m_spec = spec;
    CString strRoot(spec.strDestination);
    AddBackslash(strRoot);
    m_job.m_strHistoryRoot = strRoot + HISTORY_FOLDER_NAME;
    m_bProgress = false;
    m_job.m_status.Open("mrq Backup Execute");
    if (!m_worker.Start(BackupThreadProc, &m_job)) {
        // Never a success: the system may not have said why.
        DWORD dwError = GetLastError();
        m_job.m_nStatus = dwError ? static_cast<int>(dwError) : ERROR_NOT_ENOUGH_MEMORY;
        m_job.m_bFinished = 1;
        return false;
    }
    return true;
}

void CBackupRun::Abort() {
    m_job.m_bAbort = 1;
    m_job.m_nStatus = STATUS_ABORTED;
}

void CBackupRun::Answer(bool bCarryOut) {
    int nWaiting = QUESTION_WAITING;
    // An answer the worker no longer waits for (it was stopped) is dropped.
    m_job.m_nQuestion.compare_exchange_strong(nWaiting, bCarryOut ? ANSWER_CARRY_OUT : ANSWER_SKIP);
    m_bQuestionShown = false;
}

void CBackupRun::End() {
    if (m_worker.IsRunning() && !m_job.m_bFinished) {
        // Cut off early: stop the worker, and never let the run count as a
        // success.
        int nOk = STATUS_OK;
        m_job.m_nStatus.compare_exchange_strong(nOk, STATUS_ABORTED);
    }
    m_worker.End();
    m_job.m_status.Close();
}

CRunOutcome CBackupRun::GetOutcome() {
    m_worker.Wait();
    CRunOutcome outcome;
    outcome.nStatus = m_job.m_nStatus;
    outcome.nTotal = m_job.m_nTotal;
    outcome.nNew = m_job.m_nNew;
    outcome.nUpdated = m_job.m_nUpdated;
    outcome.nDeleted = m_job.m_nDeleted;
    outcome.strWarnings = m_job.m_strWarnings;
    outcome.nGuardedEntries = m_job.m_nGuardedEntries;
    if (IsCompletedRun(outcome.nStatus))
        outcome.strResultText = StatusMessage(outcome.nStatus);
    return outcome;
}

CProgressTick CBackupRun::Poll() {
    CProgressTick tick;
    tick.bStatusText = m_job.m_status.TakeText(tick.strStatusText);
    if (!m_bProgress && m_job.m_bGoAhead)
        ShowGoAhead(tick);
    if (m_bProgress) {
        tick.bSetPos = true;
        tick.nPos = static_cast<int>(m_job.ReadBytesToCopy(false) >> m_nScale);
    }
    if (!m_bQuestionShown && m_job.m_nQuestion == QUESTION_WAITING) {
        tick.bQuestion = true;
        tick.question = m_job.m_question;
        m_bQuestionShown = true;
    }
    tick.bClose = m_job.m_bFinished != 0;
    return tick;
}

void CBackupRun::ShowGoAhead(CProgressTick& tick) {
    tick.bSpaceText = true;
    tick.strSpaceText = FREE_SPACE_LABEL + FormatSize(m_job.m_nSpaceAvailable) +
                        "  バックアップ容量 : " + FormatSize(m_job.m_nSpaceToCopy);
    m_nScale = 0;
    ULONGLONG nMax = m_job.m_nSpaceToCopy;
    while (nMax > PROGRESS_RANGE_LIMIT) {
        nMax >>= 1;
        ++m_nScale;
    }
    tick.bSetRange = true;
    tick.nRangeMax = static_cast<int>(nMax);
    m_bProgress = true;
}

CRunOutcome RunToEnd(CBackupRun& run, const CRunSpec& spec, DWORD nPollMs,
                     const std::function<void(const CProgressTick&)>& onTick) {
    if (run.Start(spec) && onTick) {
        for (;;) {
            Sleep(nPollMs);
            CProgressTick tick = run.Poll();
            onTick(tick);
            if (tick.bClose)
                break;
        }
    }
    return run.GetOutcome();
}
