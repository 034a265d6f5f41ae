// The rows that kill a backup at random points of its copies, as a crash or
// a power cut would, and check that the next run puts everything right.
#include "FaultCases.h"

#include <cstdio>

#include "FaultScene.h"

namespace {

// Kills the driver at nPoints random moments of the copies of a run of the
// scene, each time on a fresh scene, and measures the kill and the next
// run. The moments count from the go-ahead and spread over the measured
// length of the copies: counted from the start, most of them fell into
// the start-up or after the end, as the start-up takes as long as the
// copies and varies more.
CFaultRow KilledDuring(const char* pszFault, CFaultWorld& world, int nPoints, CBuild build,
                       int nLimit) {
    CFaultRow row;
    row.fault = pszFault;
    DWORD dwCopy = CopyTimeOf(world, build, nLimit);
    int nLanded = 0, nStaged = 0, nMissing = 0;
    for (int i = 0; i < nPoints; ++i) {
        CScene scene("killed");
        build(scene);
        std::string set = scene.WriteSet(nLimit);
        CVersions before = scene.Versions();
        CTreeSnapshot outside = scene.Outside();
        CDriverRun run;
        run.dataFile = set;
        run.bFromCopyStart = true;
        run.nActAfterMs = static_cast<int>(world.Random()() % dwCopy);
        run.act = [](HANDLE hProcess) {
            TerminateProcess(hProcess, 9);
            WaitForSingleObject(hProcess, INFINITE);
        };
        CDriverResult result = world.Run(run);
        nLanded += result.bKilled && result.bCopyBegan;
        // A run that ended before its kill tells how long its copies took:
        // the machine runs faster now, and the next points follow it.
        if (result.bRan && result.dwCopyMs > 0 && result.dwCopyMs < dwCopy)
            dwCopy = result.dwCopyMs;
        nStaged += scene.CountStaging();
        CVersions after = scene.Versions();
        for (const auto& file : after)
            nMissing += !PathExists(scene.m_mirror + "\\" + file.first.c_str());
        Measure(scene, before, outside, result, row);
        Recover(world, scene, set, before, row);
    }
    char sz[240];
    std::snprintf(sz, sizeof sz,
                  "%d of %d kills landed while files were copied (the copies of a run took %lu "
                  "ms at the last measure); %d staging files and %d mirror files between history "
                  "and copy were left by the kills, all put right by the next run",
                  nLanded, nPoints, dwCopy, nStaged, nMissing);
    row.notes.push_back(sz);
    row.bMissedItsAim = nLanded * 4 < nPoints * 3;
    return row;
}

void BuildLargeCopy(CScene& scene) {
    for (int i = 0; i < 32; ++i)
        scene.AddFile("big" + std::to_string(i) + ".bin", 1000000 + 37000 * i, 1, 5);
}

void BuildHistoryShifts(CScene& scene) {
    for (int i = 0; i < 300; ++i)
        scene.AddFile("d" + std::to_string(i % 10) + "\\f" + std::to_string(i) + ".txt", 900 + i, 3,
                      3);
}

// Files small enough to be copied COPY_WORKERS at a time, in folders that
// the workers make at once, each shifting two generations of its own; one
// in eight under a name the code page lacks, one in eight at a path past
// 259 bytes.
void BuildParallelCopies(CScene& scene) {
    const std::string deep = std::string(120, 'd') + "\\" + std::string(100, 'e');
    for (int i = 0; i < 240; ++i) {
        std::string name = "f" + std::to_string(i) + ".dat";
        if (i % 8 == 3)
            name = "caf<U+00E9><U+D55C>" + name;
        if (i % 8 == 5)
            name = deep + "\\" + name;
        scene.AddFile("p" + std::to_string(i % 6) + "\\表" + std::to_string(i / 6) + "\\" + name,
                      2000 + 131 * i, i % 3, 2);
    }
}

} // namespace

CFaultRow KilledDuringALargeCopy(CFaultWorld& world, int nPoints) {
    return KilledDuring("killed at random points of a large copy", world, nPoints, BuildLargeCopy,
                        5);
}

CFaultRow KilledWithSeveralCopiesInFlight(CFaultWorld& world, int nPoints) {
    return KilledDuring("killed while several copies are in flight", world, nPoints,
                        BuildParallelCopies, 2);
}

CFaultRow KilledDuringHistoryShifts(CFaultWorld& world, int nPoints) {
    return KilledDuring("killed at random points of history shifts", world, nPoints,
                        BuildHistoryShifts, 3);
}
