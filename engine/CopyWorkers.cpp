#include "CopyWorkers.h"

#include <memory>
#include <new>

#include "BackupJob.h"
#include "ExactText.h"
#include "FileOps.h"
#include "PathText.h"
#include "WorkerThread.h"

namespace {

const size_t NO_LINE = static_cast<size_t>(-1);

// Names as the file system compares them: letter case ignored.
bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The history file a line's shift writes: its folder's history name and
// the file's own name, whatever the generation.
std::wstring HistoryKeyOf(const CCopyItem& item) {
    CString strKey = JoinPath(item.strHistoryName, GetLastComponent(item.strSource));
    return WideOfText(strKey);
}

} // namespace

CCopyWorkers::CCopyWorkers(CBackupJob& job)
    : m_job(job), m_reader(job.m_copyList), m_nStopAt(NO_LINE), m_nSilentFrom(NO_LINE) {}

void CCopyWorkers::Run(int nWorkers) {
    {
        // Declared here, so that a worker never outlives what it reads;
        // leaving early (no memory) stops them and waits for them.
        std::vector<std::unique_ptr<CWorkerThread>> helpers;
        for (int i = 1; i < nWorkers; ++i) {
            auto helper = std::make_unique<CWorkerThread>(m_job.m_bAbort);
            if (!helper->Start(WorkerProc, this))
                break;
            helpers.push_back(std::move(helper));
        }
        Work();
        for (auto& helper : helpers)
            helper->Wait();
    }
    CSlimLock::CHold hold(m_lock);
    Publish();
}

UINT CCopyWorkers::WorkerProc(LPVOID pThis) {
    CCopyWorkers& workers = *static_cast<CCopyWorkers*>(pThis);
    try {
        workers.Work();
    } catch (const std::bad_alloc&) {
        // As on the run's own worker: the run stops, never as a success.
        workers.m_job.m_nStatus = ERROR_NOT_ENOUGH_MEMORY;
        workers.m_job.m_bAbort = 1;
    }
    return 0;
}

void CCopyWorkers::Work() {
    CLine line;
    CString strMadeFolder; // the folder of this worker's last line, made
    while (Take(line)) {
        // Lines of one folder follow each other: its chain is made once.
        const CString& strMirror = line.item.strMirror;
        CString strFolder = strMirror.Left(FindBackslash(strMirror, false));
        if (strFolder != strMadeFolder)
            strMadeFolder = MakeFolderChain(strMirror, false) ? strFolder : CString();
        DWORD dwError = ERROR_SUCCESS;
        bool bOk = m_job.CopyItem(line.item, &line.bCancel, dwError);
        Done(line, bOk, dwError);
    }
}

bool CCopyWorkers::ReadNext() {
    if (!m_bNext && m_reader.Next(m_next)) {
        m_nextKeys.strMirror = WideOfText(m_next.strMirror);
        m_nextKeys.strHistory = HistoryKeyOf(m_next);
        m_nextKeys.bAlone = m_next.nSize >= m_job.m_nAloneCopySize;
        m_bNext = true;
    }
    return m_bNext;
}

bool CCopyWorkers::MayStartNext() const {
    if (m_nextKeys.bAlone && !m_underWay.empty())
        return false;
    for (const CUnderWay& other : m_underWay) {
        if (other.bAlone || SameName(other.strMirror, m_nextKeys.strMirror) ||
            SameName(other.strHistory, m_nextKeys.strHistory))
            return false;
    }
    return true;
}

bool CCopyWorkers::Take(CLine& line) {
    CSlimLock::CHold hold(m_lock);
    for (;;) {
        if (m_job.m_bAbort || m_nTaken >= m_nStopAt || !ReadNext())
            return false;
        if (MayStartNext())
            break;
        // An abort sets no condition: look again now and then.
        m_changed.Wait(m_lock, 10);
    }
    line.nIndex = m_nTaken++;
    std::swap(line.item, m_next);
    line.bCancel = false;
    m_underWay.push_back(m_nextKeys);
    m_underWay.back().nIndex = line.nIndex;
    m_underWay.back().pbCancel = &line.bCancel;
    m_bNext = false;
    return true;
}

void CCopyWorkers::Done(const CLine& line, bool bOk, DWORD dwError) {
    CSlimLock::CHold hold(m_lock);
    for (auto it = m_underWay.begin(); it != m_underWay.end(); ++it) {
        if (it->nIndex == line.nIndex) {
            m_underWay.erase(it);
            break;
        }
    }
    m_changed.WakeAll();
    if (!bOk) {
        bool bStops = dwError != ERROR_SUCCESS && dwError != ERROR_FILE_NOT_FOUND &&
                      dwError != ERROR_SHARING_VIOLATION &&
                      !(dwError == ERROR_OPERATION_ABORTED && m_job.m_bAbort);
        if (bStops && line.nIndex < m_nStopAt) {
            // Nothing after this line would have been started.
            m_nStopAt = line.nIndex + 1;
            for (CUnderWay& other : m_underWay)
                if (other.nIndex > line.nIndex)
                    *other.pbCancel = true;
        }
        m_failures[line.nIndex] = {line.item.strSource, dwError};
    }
    Publish();
}

void CCopyWorkers::Publish() {
    size_t nFirstUnderWay = m_nTaken;
    for (const CUnderWay& other : m_underWay)
        if (other.nIndex < nFirstUnderWay)
            nFirstUnderWay = other.nIndex;
    while (!m_failures.empty() && m_failures.begin()->first < nFirstUnderWay) {
        auto it = m_failures.begin();
        if (it->first < m_nSilentFrom &&
            m_job.ReportCopyFailure(it->second.strSource, it->second.dwError))
            m_nSilentFrom = it->first + 1;
        m_failures.erase(it);
    }
}
