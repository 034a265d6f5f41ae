#include "RemovalGuard.h"

#include <cstdio>

#include "BackupJob.h"

namespace {

// How often the waiting worker looks for the answer.
const DWORD ANSWER_POLL_MS = 10;

} // namespace

bool IsMassRemoval(int nGone, int nMirrorFiles) {
    return nGone >= GUARD_MIN_FILES && 2LL * nGone >= nMirrorFiles;
}

CString GuardWarning(int nGone, int nMirrorFiles) {
    char sz[200];
    std::snprintf(sz, sizeof sz,
                  " のミラーの %d 個のファイルのうち %d 個を削除することになるため、"
                  "削除を行いませんでした。\n",
                  nMirrorFiles, nGone);
    return sz;
}

CString GuardQuestion(const CRemovalQuestion& question) {
    char sz[160];
    std::snprintf(sz, sizeof sz,
                  "\n\nこのまま続けると、バックアップ先の %d 個のファイルのうち %d 個が"
                  "削除されます。",
                  question.nInMirror, question.nToDelete);
    CString strText = "次のバックアップ元のフォルダが空になったか、別のフォルダに替わった"
                      "可能性があります。\n";
    strText += question.strFolder;
    strText += sz;
    strText += "\n削除してよろしいですか?"
               "\n「いいえ」を選ぶと、このフォルダの削除だけを行わずにバックアップを続けます。";
    return strText;
}

void CBackupJob::GuardRemovals() {
    if (m_spec.removalGuard == GUARD_OFF)
        return;
    for (CEntryRemovals& removals : m_removals) {
        if (!IsMassRemoval(removals.nGone, removals.nMirrorFiles))
            continue;
        if (m_spec.removalGuard == GUARD_ASK && AskCarryOut(removals))
            continue;
        if (m_bAbort)
            return;
        SkipRemovals(removals);
    }
}

bool CBackupJob::AskCarryOut(const CEntryRemovals& removals) {
    m_question.strFolder = removals.strFolder;
    m_question.nToDelete = removals.nGone;
    m_question.nInMirror = removals.nMirrorFiles;
    m_status.Flush();
    m_nQuestion = QUESTION_WAITING; // last: the question above is written
    while (m_nQuestion == QUESTION_WAITING && !m_bAbort)
        Sleep(ANSWER_POLL_MS);
    bool bCarryOut = m_nQuestion.exchange(QUESTION_NONE) == ANSWER_CARRY_OUT;
    return bCarryOut && !m_bAbort;
}

void CBackupJob::SkipRemovals(CEntryRemovals& removals) {
    removals.bSkipped = true;
    // The result counts what left the mirror; the space check, what frees.
    m_nDeleted -= removals.nGone;
    m_nBytesToFree -= removals.nFreed;
    ++m_nGuardedEntries;
    CString strText = GuardWarning(removals.nGone, removals.nMirrorFiles);
    AddWarning(removals.strFolder, strText);
}

bool CBackupJob::IsRemovalSkipped(size_t nEntry) const {
    for (const CEntryRemovals& removals : m_removals)
        if (removals.nEntry == nEntry && removals.bSkipped)
            return true;
    return false;
}
