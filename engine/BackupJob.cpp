#include "BackupJob.h"

#include <cstring>
#include <new>

#include "CopyWorkers.h"
#include "ExactText.h"
#include "FileOps.h"
#include "PathText.h"

const char* const LINK_WARNING = " はフォルダのリンクなので、たどりませんでした。\n";
const char* const SOURCE_NAME_WARNING =
    " は名前に扱えない文字があるため、コピーされませんでした。\n";
const char* const MIRROR_NAME_WARNING =
    " は名前に扱えない文字があるため、削除の確認ができず残しました。\n";
const char* const NOT_COPIED_WARNING = " がコピーされませんでした。\n";
const char* const SEARCHING_TEXT = "検索中 : ";
const char* const COPYING_TEXT = "Backup中 : ";
const char* const REMOVAL_SEARCH_TEXT = "削除ファイル検索中";

CBackupJob::CBackupJob() : m_nCopyWorkers(COPY_WORKERS), m_nAloneCopySize(ALONE_COPY_SIZE) {}

void CBackupJob::AccumulateSize(std::atomic<ULONGLONG>& nTotal, const char* pszPath) {
    AddToTotal(nTotal, AddFileSize(0, pszPath));
}

void CBackupJob::AddToTotal(std::atomic<ULONGLONG>& nTotal, ULONGLONG nBytes) {
    nTotal += nBytes;
}

namespace {

ULONGLONG ReadTotal(std::atomic<ULONGLONG>& nTotal, bool bReset) {
    return bReset ? nTotal.exchange(0) : nTotal.load();
}

} // namespace

ULONGLONG CBackupJob::ReadBytesToCopy(bool bReset) {
    return ReadTotal(m_nBytesToCopy, bReset);
}

ULONGLONG CBackupJob::ReadBytesToFree(bool bReset) {
    return ReadTotal(m_nBytesToFree, bReset);
}

void CBackupJob::AddToCopyList(const char* pszSource, const char* pszMirror,
                               const char* pszHistoryName, bool bChanged, ULONGLONG nSize) {
    if (!m_bCopyListOk)
        return;
    try {
        m_copyList.Add(pszSource, pszMirror, pszHistoryName, m_nHistoryLimit, bChanged, nSize);
    } catch (const std::bad_alloc&) {
        m_bCopyListOk = 0;
    }
}

void CBackupJob::AddToDeleteList(const char* pszPath) {
    AddToDeleteList(m_deleteList, pszPath);
}

void CBackupJob::AddToDeleteList(CDeleteList& list, const char* pszPath) {
    if (!m_bDeleteListOk)
        return;
    try {
        list.Add(pszPath);
    } catch (const std::bad_alloc&) {
        m_bDeleteListOk = 0;
    }
}

void AppendWarning(CString& strWarnings, const char* pszPath, const char* pszText) {
    try {
        strWarnings += "Warning : ";
        strWarnings += ShownText(pszPath);
        strWarnings += pszText;
    } catch (const std::bad_alloc&) {
        // The warning is lost, the run goes on.
    }
}

void CBackupJob::AddWarning(const char* pszPath, const char* pszText) {
    AppendWarning(m_strWarnings, pszPath, pszText);
}

void CBackupJob::ShowFile(const char* pszPrefix, const char* pszPath) {
    m_status.SetText(pszPrefix, ShownShortPath(pszPath, 30));
}
