#include "RunRecords.h"

#include "MrqDoc.h"
#include "RestoreResultDlg.h"
#include "RunSpec.h"
#include "StatusMessage.h"
#include "WorkerStatus.h"

const char* const RUN_LOG_FAILED = "ログファイルに記録できませんでした。";

CRunRecord StartRunRecord(const char* pszTitle, const CMrqDoc& set, CTime start) {
    CRunRecord record;
    record.strTitle = pszTitle;
    record.start = start;
    record.end = CTime::GetCurrentTime();
    record.strDataFile = set.GetPathName();
    record.strDestination = set.m_strDestination;
    return record;
}

CString BackupCountLines(const CRunOutcome& outcome) {
    return "総ファイル数 : " + Decimal(outcome.nTotal) +
           "    更新ファイル数 : " + Decimal(outcome.nUpdated) +
           "\n新規ファイル数 : " + Decimal(outcome.nNew) +
           "    削除ファイル数 : " + Decimal(outcome.nDeleted) + "\n";
}

void SetBackupOutcome(CRunRecord& record, const CRunOutcome& outcome) {
    record.nStatus = outcome.nStatus;
    record.strMessage = StatusMessage(outcome.nStatus);
    record.strCounts = BackupCountLines(outcome);
    record.strWarnings = outcome.strWarnings;
}

CString RestoreWarningLines(const CWorkerStatus& status) {
    CString strLines;
    for (POSITION pos = status.m_failures.GetHeadPosition(); pos;)
        strLines += "Warning : " + status.m_failures.GetNext(pos) + " が復元されませんでした。\n";
    CString strStop = RestoreStopText(status, " ");
    if (!strStop.IsEmpty())
        strLines += "Warning : " + strStop + "\n";
    return strLines;
}

void SetRestoreOutcome(CRunRecord& record, const CWorkerStatus& status, bool bAborted) {
    if (status.m_nFailed > 0)
        record.nStatus = RESTORE_STATUS_FAILED;
    else
        record.nStatus = bAborted ? 1 : 0;
    // The result text's first line; where a failure stopped the restore
    // comes with the warnings.
    record.strMessage = RestoreResultText(status, bAborted);
    int nLineEnd = record.strMessage.Find('\n');
    if (nLineEnd >= 0)
        record.strMessage = record.strMessage.Left(nLineEnd);
    record.strCounts = "復元ファイル数 : " + Decimal(status.m_nCount) + "\n";
    record.strWarnings = RestoreWarningLines(status);
}

CString KeepRunRecord(bool bOn, const CRunRecord& record) {
    if (!bOn || AppendRunRecord(record))
        return CString();
    return RUN_LOG_FAILED;
}
