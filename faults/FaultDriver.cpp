// Runs one backup of a data file the way the Start command does: the set is
// loaded, its mirrors assigned as the save before a run assigns them, and
// the engine runs on its worker until the run is over. The fault suite
// starts it as a child process, so it can kill it at any point or take a
// drive away under it.
//
//   fault_driver.exe DATAFILE RESULTFILE [--as-loaded] [--no-copy LIST]
//                    [--at-go grow|delete PATH [BYTES]] [--signal-copy EVENT]
//                    [--restore ITEM]...
//
// --as-loaded runs the mirrors as the file holds them. --at-go changes a
// source file once the survey is done, when the space check asks for the
// free space: a file that grows after the check, or one that vanishes
// before its copy. --signal-copy sets the named event at the go-ahead, so
// the suite can time a kill from the moment files begin to be copied; the
// result tells how long the copies took (copyms). --restore, instead of a
// backup, restores the items (paths inside the destination) back to the
// sources their mirrors belong to, as the restore list does; each path not
// restored is a warning. The result file gets the status, the message the
// user would see, the counts, every warning, every folder text the loading
// of the data file left out (the window tells the user of those when it
// opens the file) and every entry's mirror, one "key=value" a line.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BackupRun.h"
#include "FileOps.h"
#include "Handle.h"
#include "MrqDoc.h"
#include "RestoreEngine.h"
#include "RestorePair.h"
#include "RestoreTarget.h"
#include "RunSpecOfSet.h"
#include "SizeText.h"
#include "StatusMessage.h"
#include "WorkerStatus.h"

namespace {

struct COptions {
    const char* pszDataFile = nullptr;
    const char* pszResultFile = nullptr;
    bool bAsLoaded = false;
    CString strNoCopy;
    std::string atGo; // "", "grow" or "delete"
    CString strAtGoPath;
    unsigned long nGrowBytes = 0;
    const char* pszCopyEvent = nullptr;
    std::vector<CString> restoreItems;
};

bool ParseOptions(int argc, char** argv, COptions& options) {
    if (argc < 3)
        return false;
    options.pszDataFile = argv[1];
    options.pszResultFile = argv[2];
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--as-loaded") == 0) {
            options.bAsLoaded = true;
        } else if (std::strcmp(argv[i], "--no-copy") == 0 && i + 1 < argc) {
            options.strNoCopy = argv[++i];
        } else if (std::strcmp(argv[i], "--at-go") == 0 && i + 2 < argc) {
            options.atGo = argv[++i];
            options.strAtGoPath = argv[++i];
            if (options.atGo == "grow" && i + 1 < argc)
                options.nGrowBytes = std::strtoul(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--restore") == 0 && i + 1 < argc) {
            options.restoreItems.push_back(argv[++i]);
        } else if (std::strcmp(argv[i], "--signal-copy") == 0 && i + 1 < argc) {
            options.pszCopyEvent = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

void ChangeSourceAtGo(const COptions& options) {
    if (options.atGo == "delete") {
        SetFileAttributesA(options.strAtGoPath, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(options.strAtGoPath);
    } else if (options.atGo == "grow") {
        HANDLE h = CreateFileA(options.strAtGoPath, FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        std::string block(65536, 'g');
        DWORD dwWritten = 0;
        for (unsigned long n = 0; h != INVALID_HANDLE_VALUE && n < options.nGrowBytes;
             n += block.size())
            WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &dwWritten, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
}

// Runs the backup until it is over; returns how long the copies took, from
// the go-ahead on (0 when there was none). The space check's query is the
// moment of the go-ahead: a change --at-go asks for happens there.
DWORD RunToTheEnd(const COptions& options, const CMrqDoc& doc, CRunOutcome& outcome) {
    CHandle hCopyEvent(options.pszCopyEvent
                           ? OpenEventA(EVENT_MODIFY_STATE, FALSE, options.pszCopyEvent)
                           : nullptr);
    DWORD dwGoAhead = 0;
    CBackupRun run;
    run.SetFreeSpaceQuery([&](const char* pszPath) {
        if (!options.atGo.empty())
            ChangeSourceAtGo(options);
        ULONGLONG nFree = GetFreeSpace(pszPath);
        dwGoAhead = GetTickCount();
        if (hCopyEvent.IsValid())
            SetEvent(hCopyEvent); // the copies begin
        return nFree;
    });
    outcome = RunToEnd(run, SpecOfSet(doc, options.strNoCopy));
    return dwGoAhead ? GetTickCount() - dwGoAhead : 0;
}

void WriteText(const char* pszResultFile, const CString& strText) {
    FILE* pFile = std::fopen(pszResultFile, "wb");
    if (pFile) {
        std::fwrite(static_cast<const char*>(strText), 1, strText.GetLength(), pFile);
        std::fclose(pFile);
    }
}

// The lines that end every result: the folders the set did not take and
// the mirrors of the entries it did.
CString EntriesText(const CMrqDoc& doc) {
    CString strText;
    for (POSITION pos = doc.m_refusedFolders.GetHeadPosition(); pos;)
        strText += "refusedfolder=" + doc.m_refusedFolders.GetNext(pos) + "\n";
    for (POSITION pos = doc.m_sources.GetHeadPosition(); pos;)
        strText += "mirror=" + GetNextSource(doc.m_sources, pos)->m_strMirror + "\n";
    return strText;
}

// bRefused: the Start command's checks refused the set and no run began, so
// the empty outcome must not read as a run that went well.
void WriteResult(const char* pszResultFile, const CRunOutcome& outcome, const CMrqDoc& doc,
                 DWORD dwCopyMs, bool bRefused = false) {
    CString strText;
    strText.Format("status=%d\nmessage=%s\ncounts=%d %d %d %d\ncopyms=%lu\n", outcome.nStatus,
                   static_cast<const char*>(StatusMessage(outcome.nStatus)), outcome.nTotal,
                   outcome.nNew, outcome.nUpdated, outcome.nDeleted, dwCopyMs);
    if (bRefused)
        strText += "refused=1\n";
    std::string warnings = outcome.strWarnings.str();
    for (size_t nStart = 0; nStart < warnings.size();) {
        size_t nEnd = warnings.find('\n', nStart);
        strText += "warning=" + CString(warnings.substr(nStart, nEnd - nStart)) + "\n";
        nStart = nEnd == std::string::npos ? warnings.size() : nEnd + 1;
    }
    WriteText(pszResultFile, strText + EntriesText(doc));
}

// The restore of the items, on this thread; every path not restored is a
// warning of the result.
void RestoreItems(const COptions& options, const CMrqDoc& doc) {
    CWorkerStatus status;
    status.m_text.Open(nullptr);
    for (const CString& strItem : options.restoreItems)
        status.m_items.AddTail(new CRestorePair(strItem, MapRestoreTarget(doc, strItem)));
    RestoreThreadProc(&status);
    CString strText;
    strText.Format("status=0\nmessage=copies tried %ld, paths not restored %ld\n",
                   static_cast<long>(status.m_nCount.load()),
                   static_cast<long>(status.m_nFailed.load()));
    for (POSITION pos = status.m_failures.GetHeadPosition(); pos;)
        strText += "warning=" + status.m_failures.GetNext(pos) + " not-restored\n";
    WriteText(options.pszResultFile, strText + EntriesText(doc));
    while (!status.m_items.IsEmpty())
        delete status.m_items.RemoveHead();
}

} // namespace

int main(int argc, char** argv) {
    COptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: fault_driver DATAFILE RESULTFILE [--as-loaded] "
                             "[--no-copy LIST] [--at-go grow|delete PATH [BYTES]] "
                             "[--signal-copy EVENT] [--restore ITEM]...\n");
        return 2;
    }
    CMrqDoc doc;
    if (!doc.OnOpenDocument(options.pszDataFile))
        return 3;
    // The Start command refuses a set without sources or without an
    // existing destination before anything is written.
    if (doc.m_sources.IsEmpty() || !IsExistingFolder(doc.m_strDestination)) {
        WriteResult(options.pszResultFile, CRunOutcome(), doc, 0, true);
        return 4;
    }
    if (!options.bAsLoaded)
        doc.AssignMirrors();
    if (!options.restoreItems.empty()) {
        RestoreItems(options, doc);
        return 0;
    }

    CRunOutcome outcome;
    DWORD dwCopyMs = RunToTheEnd(options, doc, outcome);
    WriteResult(options.pszResultFile, outcome, doc, dwCopyMs);
    return 0;
}
