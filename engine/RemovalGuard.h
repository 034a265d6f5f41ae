// The guard against an emptied source. A source folder that is still there
// but empty, or another folder in its place (a re-formatted drive, a wrong
// drive letter, a cloud folder signed out), looks to the removal pass like
// a folder whose files have all gone: one run would take the whole mirror
// away. When the survey finds that an entry would lose at least half of
// its mirror's files, and at least GUARD_MIN_FILES of them, the run asks
// before anything is deleted, or, with nobody to ask, leaves that entry's
// deletions undone; its copies run either way.
#pragma once

#include "String.h"
#include "Types.h"

const int GUARD_MIN_FILES = 100;

// What the removal pass of one entry's survey found.
struct CEntryRemovals {
    size_t nEntry = 0;    // its place among the run's sources
    CString strFolder;    // the source folder as the run reads it
    int nMirrorFiles = 0; // files the pass met in the mirror
    int nGone = 0;        // of them, files whose source has gone
    ULONGLONG nFreed = 0; // the bytes their deletion frees
    // Their lines in the delete list and in the keep list, [first, end):
    // an entry's removal pass lists before its copy walk does.
    INT_PTR nFirstDelete = 0, nEndDelete = 0;
    INT_PTR nFirstKept = 0, nEndKept = 0;
    bool bSkipped = false; // the guard left them undone
};

// The question of an entry, asked while the worker waits (GUARD_ASK).
struct CRemovalQuestion {
    CString strFolder;
    int nToDelete = 0;
    int nInMirror = 0;
};

// Where the question stands; the worker sets QUESTION_WAITING once the
// question is written, the poller one of the answers.
enum QuestionState { QUESTION_NONE, QUESTION_WAITING, ANSWER_CARRY_OUT, ANSWER_SKIP };

// At least half of the mirror's files, and at least GUARD_MIN_FILES.
bool IsMassRemoval(int nGone, int nMirrorFiles);

// The question put to the user: the entry, what its run would delete and
// what its mirror holds, and what each answer does ("はい" deletes).
CString GuardQuestion(const CRemovalQuestion& question);

// The warning of an entry whose deletions were left undone (after its
// folder, as every warning).
CString GuardWarning(int nGone, int nMirrorFiles);
