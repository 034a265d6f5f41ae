// The fault suite: real backups under faults and bad input, each run in a
// child process (fault_driver.exe), with the whole destination and source
// checked afterwards. It prints one row per fault: cases run, file
// versions lost, partial files under a real name, changes outside the
// mirrors, and the status and message the user saw.
//
//   fault_suite.exe DRIVER SCRATCH CORPUS [SMALL_DRIVE_LETTER] [--quick]
//
// DRIVER is fault_driver.exe, SCRATCH a folder for data and result files,
// CORPUS the folder of the test data files. SMALL_DRIVE_LETTER names a
// drive of a few megabytes (make faults mounts one when it runs as root);
// without it the disk-full rows are skipped. The exit code is 1 when any
// file was lost, left partial or changed outside the mirrors, or when most
// kills of a row came where they test nothing.
#include <cstdio>
#include <cstring>

#include "FaultCases.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: fault_suite DRIVER SCRATCH CORPUS [DRIVE] [--quick]\n");
        return 2;
    }
    bool bQuick = false;
    char chSmall = 0;
    const char* pszOnly = nullptr;
    for (int i = 4; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            bQuick = true;
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            pszOnly = argv[++i];
        else if (std::strlen(argv[i]) == 1)
            chSmall = argv[i][0];
    }
    CFaultWorld world(argv[1], argv[2]);
    int nKills = bQuick ? 4 : 24;
    using CCase = std::function<CFaultRow()>;
    const std::vector<CCase> cases = {
        [&] { return KilledDuringALargeCopy(world, nKills); },
        [&] { return KilledDuringHistoryShifts(world, nKills); },
        [&] { return KilledWithSeveralCopiesInFlight(world, nKills); },
        [&] { return DiskFullAtTheSpaceCheck(world, chSmall); },
        [&] { return DiskFullMidCopy(world, chSmall); },
        [&] { return LockedSourceFile(world); },
        [&] { return LockedMirrorFile(world); },
        [&] { return SourceFileVanishedBeforeItsCopy(world); },
        [&] { return SourceDriveRemovedMidRun(world, bQuick ? 3 : 12); },
        [&] { return FolderLinkLoops(world); },
        [&] { return OddSourcePaths(world); },
        [&] { return LeadBytesF0ToFC(world); },
        [&] { return NamesOutsideTheCodePage(world); },
        [&] { return EmptiedSource(world); },
        [&] { return LongPaths(world); },
        [&] { return HostileDataFiles(world, argv[3], bQuick ? 10 : 120); },
    };
    std::vector<CFaultRow> rows;
    const char* const names[] = {"kill-copy", "kill-history",  "kill-parallel", "full-check",
                                 "full-copy", "locked-source", "locked-mirror", "vanished",
                                 "drive",     "links",         "odd",           "lead",
                                 "names",     "emptied",       "long",          "hostile"};
    for (size_t i = 0; i < cases.size(); ++i) {
        if (pszOnly && std::strcmp(pszOnly, names[i]) != 0)
            continue;
        rows.push_back(cases[i]());
        // On the table's stream, flushed: a pipe gets it now and in order.
        std::printf("  done: %s\n", rows.back().fault.c_str());
        std::fflush(stdout);
    }
    PrintTable(rows);
    for (const CFaultRow& row : rows)
        if (row.nLost || row.nPartial || row.nOutside || row.bMissedItsAim)
            return 1;
    return 0;
}
