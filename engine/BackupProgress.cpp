#include "BackupProgress.h"

#include "BackupSource.h"
#include "PathText.h"
#include "SizeText.h"

CBackupProgress::CBackupProgress() : m_pfnGetFreeSpace(&GetFreeSpace), m_pJob(new CBackupJob) {}

CBackupProgress::~CBackupProgress() {
    End();
    delete m_pJob;
}

bool CBackupProgress::Start(const CString& strNoCopy) {
    m_pJob->m_strNoCopy = strNoCopy;
    m_pJob->m_strDestination = m_strDestination;
    CString strRoot(m_strDestination);
    AddBackslash(strRoot);
    m_pJob->m_strHistoryRoot = strRoot + HISTORY_FOLDER_NAME;
    m_bProgress = 0;
    m_pJob->m_bAwaitGo = 0;
    m_hStatusMutex.Reset(CreateMutexA(nullptr, FALSE, "mrq Backup Execute"));
    m_pJob->m_hMutex = m_hStatusMutex;

    // Started suspended and kept after it ends, so End() can wait for it.
    m_pThread =
        AfxBeginThread(BackupThreadProc, m_pJob, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_pThread) {
        // Never a success: the system may not have said why.
        DWORD dwError = GetLastError();
        m_pJob->m_nStatus = dwError ? static_cast<int>(dwError) : ERROR_NOT_ENOUGH_MEMORY;
        m_pJob->m_bFinished = 1;
        return false;
    }
    m_pThread->m_bAutoDelete = false;
    m_pThread->ResumeThread();
    return true;
}

void CBackupProgress::OnAbort() {
    m_pJob->m_bAbort = 1;
    m_pJob->m_nStatus = STATUS_ABORTED;
}

bool CBackupProgress::IsWorkerRunning() const {
    return m_pThread && !m_pThread->WaitForEnd(0);
}

void CBackupProgress::End() {
    if (m_pThread) {
        if (!m_pJob->m_bFinished) {
            // The dialog went away early: stop the worker, and never let
            // the cut-off run count as a success.
            m_pJob->m_bAbort = 1;
            int nOk = STATUS_OK;
            m_pJob->m_nStatus.compare_exchange_strong(nOk, STATUS_ABORTED);
        }
        m_pThread->WaitForEnd();
        delete m_pThread;
        m_pThread = nullptr;
    }
    m_pJob->m_hMutex = nullptr;
    m_hStatusMutex.Close();
}

CProgressTick CBackupProgress::OnTimer() {
    CProgressTick tick;
    tick.bStatusText = m_pJob->TakeStatusText(tick.strStatusText);

    // After a failed space check the worker ends within one poll; the run
    // is over once it has.
    if (m_pJob->m_bAwaitGo && !GoAhead(tick)) {
        End();
        m_pJob->m_bAwaitGo = 0;
    }

    if (m_bProgress) {
        tick.bSetPos = true;
        tick.nPos = static_cast<int>(m_pJob->ReadBytesToCopy(false) >> m_nScale);
    }

    if (m_pJob->m_bFinished) {
        m_strDestination = m_pJob->m_nStatus == STATUS_OK ? "バックアップが終了しました。" : "";
        tick.bClose = true;
    }
    return tick;
}

bool CBackupProgress::GoAhead(CProgressTick& tick) {
    ULONGLONG nFreed = m_pJob->ReadBytesToFree(false);
    ULONGLONG nAvailable = m_pfnGetFreeSpace(m_pJob->m_strHistoryRoot) + nFreed;
    // From here on the worker counts the bytes it has copied.
    ULONGLONG nToCopy = m_pJob->ReadBytesToCopy(true);
    ULONGLONG nNeeded = nToCopy + SPACE_MARGIN;
    if (nNeeded >= nAvailable) {
        // The worker keeps waiting (m_bAwaitGo stays set) until it sees the
        // abort: it must never start deleting after a failed check.
        m_pJob->m_nStatus = STATUS_NO_SPACE;
        m_pJob->m_bAbort = 1;
        return false;
    }

    tick.bSpaceText = true;
    tick.strSpaceText =
        "空き容量 : " + FormatSize(nAvailable) + "  バックアップ容量 : " + FormatSize(nToCopy);
    m_nScale = 0;
    ULONGLONG nMax = nToCopy;
    while (nMax > PROGRESS_RANGE_LIMIT) {
        nMax >>= 1;
        ++m_nScale;
    }
    tick.bSetRange = true;
    tick.nRangeMax = static_cast<int>(nMax);
    m_bProgress = 1;
    m_pJob->m_bAwaitGo = 0; // last: from here on the worker may delete
    return true;
}
