#include "FaultCases.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "FileOps.h"
#include "PathText.h"

namespace {

const char* const HISTORY = "mrq HistoryFolder";

// Content of one version of a file: unique text, padded to a size of its own.
std::string Version(const std::string& rel, int nVersion, size_t nSize) {
    std::string text = rel + " version " + std::to_string(nVersion) + "\n";
    text.resize(std::max(nSize, text.size()), static_cast<char>('a' + nVersion % 26));
    return text;
}

bool HasEntriesBelow(const CTreeSnapshot& snapshot, const std::string& folder) {
    auto it = snapshot.lower_bound(folder + "\\");
    return it != snapshot.end() && it->first.compare(0, folder.size() + 1, folder + "\\") == 0;
}

// One source folder (D:), its mirror and history in a destination (E:),
// with things around them that a run must leave alone, built afresh for
// every case and every kill point.
class CScene {
public:
    explicit CScene(const char* pszName, char chDestinationDrive = 'E')
        : m_sources(pszName, 'D'), m_destinations(pszName, chDestinationDrive) {
        m_source = m_sources.MakeFolder("src");
        m_destination = m_destinations.MakeFolder("dest");
        m_mirror = m_destination + "\\src";
        m_destinations.WriteFile("dest\\other set\\keep.txt", "another set's mirror");
        m_destinations.WriteFile("dest\\mrq HistoryFolder\\bk1\\other set\\keep.txt",
                                 "its history");
        m_destinations.WriteFile("dest\\Backup.mrd", "a data file");
        m_destinations.WriteFile("beside\\keep.txt", "beside the destination");
    }

    // A file of the source whose mirror holds an older version (or the
    // same one when bChanged is false), with nGenerations older ones in the
    // history. When they fill all nLimit generations, the update pushes the
    // oldest out: that version may go.
    void AddFile(const std::string& rel, size_t nSize, int nGenerations, int nLimit,
                 bool bChanged = true) {
        int nNewest = nGenerations + (bChanged ? 1 : 0);
        std::string source = Version(rel, nNewest, nSize + nNewest);
        std::string mirror = bChanged ? Version(rel, nGenerations, nSize + nGenerations) : source;
        CString strSource = m_source + "\\" + rel.c_str(),
                strMirror = m_mirror + "\\" + rel.c_str();
        WriteWholeFile(strSource, source);
        WriteWholeFile(strMirror, mirror);
        SetWriteTime(strSource, 2026, 12, 1, 12, 0, 0);
        SetWriteTime(strMirror, 2026, bChanged ? 11 : 12, 1, 12, 0, 0);
        m_known[rel] = {source, mirror};
        for (int g = 1; g <= nGenerations; ++g) {
            std::string old = Version(rel, nGenerations - g, nSize + nGenerations - g);
            WriteWholeFile(Generation(g) + "\\" + rel.c_str(), old);
            m_known[rel].insert(old);
            if (g == nLimit && bChanged)
                m_pushedOut[rel] = old;
        }
    }

    // A source file whose content changes in a way the case knows of.
    void AddKnownContent(const std::string& rel, const std::string& content) {
        m_known[rel].insert(content);
    }

    CString Generation(int g) const {
        return m_destination + "\\" + HISTORY + "\\bk" + std::to_string(g).c_str() + "\\src";
    }

    // Every version of every file in the mirror and the generations.
    CVersions Versions() const {
        CVersions versions;
        for (const auto& file : m_known) {
            std::set<std::string>& seen = versions[file.first];
            AddIfPresent(seen, m_mirror + "\\" + file.first.c_str());
            for (int g = 1; g <= 9; ++g)
                AddIfPresent(seen, Generation(g) + "\\" + file.first.c_str());
        }
        return versions;
    }

    // Versions held before and missing now, except an oldest one pushed out.
    int CountLost(const CVersions& before, const CVersions& after,
                  std::vector<std::string>* pNotes = nullptr) const {
        int nLost = 0;
        for (const auto& file : before) {
            auto pushed = m_pushedOut.find(file.first);
            for (const std::string& version : file.second) {
                bool bLost = !after.at(file.first).count(version) &&
                             !(pushed != m_pushedOut.end() && pushed->second == version);
                nLost += bLost;
                if (bLost && pNotes)
                    pNotes->push_back("lost: " + version.substr(0, version.find('\n')));
            }
        }
        return nLost;
    }

    // Files under a real name in the mirror or its history that hold none
    // of the versions their file ever had.
    int CountPartial(std::vector<std::string>* pNotes = nullptr) const {
        int n = 0;
        for (int g = 0; g <= 9; ++g)
            for (const auto& entry : SnapshotTree(g ? Generation(g) : m_mirror))
                if (IsPartial(entry.first, entry.second)) {
                    ++n;
                    if (pNotes)
                        pNotes->push_back(
                            "partial: " + std::string(g ? "bk" + std::to_string(g) + " " : "") +
                            entry.first + " = " + entry.second.substr(0, 40));
                }
        return n;
    }

    int CountStaging() const { return CountStagingFiles(SnapshotTree(m_destinations.Root())); }

    // Whatever lies outside the mirror and its history tree, the sources
    // included.
    CTreeSnapshot Outside() const {
        CTreeSnapshot all = Without(SnapshotTree(m_destinations.Root()), {"dest\\src"});
        for (int g = 1; g <= 9; ++g) {
            // A generation folder comes with the history it holds.
            std::string generation = "dest\\mrq HistoryFolder\\bk" + std::to_string(g);
            all = Without(all, {(generation + "\\src").c_str()});
            auto it = all.find(generation);
            if (it != all.end() && it->second == "<folder>" && !HasEntriesBelow(all, generation))
                all.erase(it);
        }
        for (const auto& entry : Without(SnapshotTree(m_sources.Root()), {"set.mrd"}))
            all["source " + entry.first] = entry.second;
        return all;
    }

    bool MirrorEqualsSource() const { return SnapshotTree(m_source) == SnapshotTree(m_mirror); }

    // The set as a data file: this source (or a text for it) into the
    // destination.
    std::string WriteSet(int nHistory, const std::string& folderText = "") const {
        std::string file = m_sources.Path("set.mrd").str();
        std::string folder = folderText.empty() ? m_source.str() : folderText;
        WriteWholeFile(file.c_str(), DataFileText(m_destination.str(), {{folder, "", nHistory}}));
        return file;
    }

    CScratchTree m_sources, m_destinations;
    CString m_source, m_destination, m_mirror;

private:
    static void AddIfPresent(std::set<std::string>& seen, const CString& strPath) {
        if (PathExists(strPath))
            seen.insert(ReadWholeFile(strPath));
    }

    bool IsPartial(const std::string& rel, const std::string& content) const {
        auto it = m_known.find(rel);
        return content != "<folder>" && it != m_known.end() && !it->second.count(content);
    }

    std::map<std::string, std::set<std::string>> m_known; // every content of each file
    std::map<std::string, std::string> m_pushedOut;       // an oldest version that may go
};

std::string Seen(const CDriverResult& result) {
    if (!result.bRan)
        return result.bKilled ? (result.message.empty() ? "killed" : result.message)
                              : "did not run";
    if (result.bRefused)
        return "refused by the Start command's checks";
    return std::to_string(result.nStatus) + " " + result.message;
}

// The kinds of warning seen, without their paths.
void AddSeen(const CDriverResult& result, CFaultRow& row) {
    row.seen.insert(Seen(result));
    for (const std::string& warning : result.warnings) {
        size_t nCut = warning.rfind(' ');
        row.seen.insert("warning \"" +
                        (nCut == std::string::npos ? warning : warning.substr(nCut + 1)) + "\"");
    }
}

// Measures one run of a scene: versions lost, partial files under a real
// name, changes outside the mirror and its history.
// pszCaseChanged: a source file the case itself changes during the run.
void Measure(const CScene& scene, const CVersions& before, const CTreeSnapshot& outside,
             const CDriverResult& result, CFaultRow& row, const char* pszCaseChanged = nullptr) {
    ++row.nCases;
    AddSeen(result, row);
    row.nLost += scene.CountLost(before, scene.Versions(), &row.notes);
    row.nPartial += scene.CountPartial(&row.notes);
    CTreeSnapshot after = scene.Outside();
    if (pszCaseChanged)
        after[pszCaseChanged] = outside.count(pszCaseChanged) ? outside.at(pszCaseChanged) : "";
    if (pszCaseChanged && !outside.count(pszCaseChanged))
        after.erase(pszCaseChanged);
    row.nOutside += CountChanges(outside, after);
    for (const std::string& key : ChangedKeys(outside, after))
        row.notes.push_back("changed outside: " + key);
}

// The undisturbed run after a fault: the mirror must come level with the
// source, no staging file may stay and no version may have gone.
void Recover(CFaultWorld& world, const CScene& scene, const std::string& set,
             const CVersions& before, CFaultRow& row) {
    CDriverRun run;
    run.dataFile = set;
    CDriverResult result = world.Run(run);
    row.nLost += scene.CountLost(before, scene.Versions(), &row.notes);
    row.nPartial += scene.CountPartial(&row.notes);
    if (!result.bRan || result.nStatus != 0 || !scene.MirrorEqualsSource())
        row.notes.push_back("the next run did not bring the mirror level: " + Seen(result));
    if (int nStaging = scene.CountStaging())
        row.notes.push_back(std::to_string(nStaging) + " staging file(s) left after the next run");
}

DWORD TimeOf(CFaultWorld& world, const std::string& set) {
    DWORD dwStart = GetTickCount();
    CDriverRun run;
    run.dataFile = set;
    world.Run(run);
    return GetTickCount() - dwStart;
}

using CBuild = void (*)(CScene& scene);

// How long the copies of a fresh scene take, from the go-ahead to the end
// of the run (the driver's own measure): the shorter of two runs, so that
// one slowed run does not push the kill points past the end of the others.
DWORD CopyTimeOf(CFaultWorld& world, CBuild build, int nLimit) {
    DWORD dwShortest = 0;
    for (int i = 0; i < 2; ++i) {
        CScene scene("calibrate");
        build(scene);
        CDriverRun run;
        run.dataFile = scene.WriteSet(nLimit);
        CDriverResult result = world.Run(run);
        if (result.bCopyBegan && (dwShortest == 0 || result.dwCopyMs < dwShortest))
            dwShortest = result.dwCopyMs;
    }
    return std::max<DWORD>(dwShortest, 1);
}

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

// One run of a scene with a fault made by the case: measured, then the
// next run.
CFaultRow OneFault(const char* pszFault, CFaultWorld& world, CScene& scene, int nLimit,
                   const std::vector<std::string>& arguments, bool bRecover = true,
                   const char* pszCaseChanged = nullptr) {
    CFaultRow row;
    row.fault = pszFault;
    std::string set = scene.WriteSet(nLimit);
    CVersions before = scene.Versions();
    CTreeSnapshot outside = scene.Outside();
    CDriverRun run;
    run.dataFile = set;
    run.arguments = arguments;
    Measure(scene, before, outside, world.Run(run), row, pszCaseChanged);
    if (bRecover)
        Recover(world, scene, set, before, row);
    return row;
}

} // namespace

CFaultRow KilledDuringALargeCopy(CFaultWorld& world, int nPoints) {
    return KilledDuring("killed at random points of a large copy", world, nPoints, BuildLargeCopy,
                        5);
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

CFaultRow KilledWithSeveralCopiesInFlight(CFaultWorld& world, int nPoints) {
    return KilledDuring("killed while several copies are in flight", world, nPoints,
                        BuildParallelCopies, 2);
}

CFaultRow KilledDuringHistoryShifts(CFaultWorld& world, int nPoints) {
    return KilledDuring("killed at random points of history shifts", world, nPoints,
                        BuildHistoryShifts, 3);
}

namespace {

CFaultRow Skipped(const char* pszFault, const char* pszWhy) {
    CFaultRow row;
    row.fault = pszFault;
    row.bSkipped = true;
    row.notes.push_back(pszWhy);
    return row;
}

const char* const NO_SMALL_DRIVE =
    "no small drive: mounting one needs root (run make faults as root)";

} // namespace

CFaultRow DiskFullAtTheSpaceCheck(CFaultWorld& world, char chSmallDrive) {
    const char* pszFault = "disk full at the space check (4 MB drive)";
    if (!chSmallDrive)
        return Skipped(pszFault, NO_SMALL_DRIVE);
    CScene scene("spacecheck", chSmallDrive);
    for (int i = 0; i < 6; ++i)
        scene.AddFile("f" + std::to_string(i) + ".bin", 300000, 1, 2);
    for (int i = 0; i < 5; ++i)
        WriteWholeFile(scene.m_source + "\\new" + std::to_string(i).c_str() + ".bin",
                       std::string(1000000, 'n'));
    CTreeSnapshot mirror = SnapshotTree(scene.m_mirror);
    CFaultRow row = OneFault(pszFault, world, scene, 2, {}, false);
    if (SnapshotTree(scene.m_mirror) != mirror)
        row.notes.push_back("the mirror changed although the run stopped at the check");
    row.nPartial += scene.CountStaging();
    return row;
}

CFaultRow DiskFullMidCopy(CFaultWorld& world, char chSmallDrive) {
    const char* pszFault = "disk full mid-copy: a file grew after the survey";
    if (!chSmallDrive)
        return Skipped(pszFault, NO_SMALL_DRIVE);
    CScene scene("midcopy", chSmallDrive);
    for (int i = 0; i < 4; ++i)
        scene.AddFile("f" + std::to_string(i) + ".bin", 200000, 1, 2);
    scene.AddFile("grows.bin", 200000, 1, 2);
    CString strGrows = scene.m_source + "\\grows.bin";
    std::string grown = ReadWholeFile(strGrows) + std::string(6 * 1024 * 1024, 'g');
    scene.AddKnownContent("grows.bin", grown);
    CFaultRow row = OneFault(pszFault, world, scene, 2,
                             {"--at-go", "grow", strGrows.str(), std::to_string(6 * 1024 * 1024)},
                             false, "source src\\grows.bin");
    // A copy that failed leaves no staging file behind it.
    row.nPartial += scene.CountStaging();
    return row;
}

namespace {

// Holds a file open without sharing while it lives, as another program may.
class CLockedFile {
public:
    explicit CLockedFile(const char* pszPath)
        : m_h(CreateFileA(pszPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~CLockedFile() {
        if (m_h != INVALID_HANDLE_VALUE)
            CloseHandle(m_h);
    }
    bool IsLocked() const { return m_h != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_h;
};

void BuildFew(CScene& scene) {
    for (int i = 0; i < 5; ++i)
        scene.AddFile("f" + std::to_string(i) + ".txt", 5000, 1, 3);
}

} // namespace

namespace {

// One run while another program holds a file of the scene without sharing
// (a source file, or its mirror copy), measured once the lock is gone so
// that the locked file can be read.
CFaultRow RunWhileLocked(CFaultWorld& world, const char* pszScene, const char* pszFault,
                         bool bMirrorSide) {
    CScene scene(pszScene);
    BuildFew(scene);
    std::string set = scene.WriteSet(3);
    CVersions before = scene.Versions();
    CTreeSnapshot outside = scene.Outside();
    CFaultRow row;
    row.fault = pszFault;
    CDriverResult result;
    {
        CLockedFile lock((bMirrorSide ? scene.m_mirror : scene.m_source) + "\\f2.txt");
        CDriverRun run;
        run.dataFile = set;
        result = world.Run(run);
        if (!lock.IsLocked())
            row.notes.push_back(bMirrorSide ? "the mirror file could not be locked"
                                            : "the source file could not be locked");
    }
    Measure(scene, before, outside, result, row);
    Recover(world, scene, set, before, row);
    return row;
}

} // namespace

CFaultRow LockedSourceFile(CFaultWorld& world) {
    return RunWhileLocked(world, "lockedsource", "a locked source file", false);
}

CFaultRow LockedMirrorFile(CFaultWorld& world) {
    return RunWhileLocked(world, "lockedmirror", "a locked mirror file", true);
}

CFaultRow SourceFileVanishedBeforeItsCopy(CFaultWorld& world) {
    CScene scene("vanished");
    BuildFew(scene);
    // The source file goes after the survey: its mirror copy stays this
    // run (the next run removes it, as the user deleted the file).
    return OneFault("a source file vanished before its copy", world, scene, 3,
                    {"--at-go", "delete", (scene.m_source + "\\f3.txt").str()}, false,
                    "source src\\f3.txt");
}

CFaultRow SourceDriveRemovedMidRun(CFaultWorld& world, int nPoints) {
    CFaultRow row;
    row.fault = "the source drive removed mid-run";
    auto build = [](CScene& scene) {
        for (int i = 0; i < 600; ++i)
            scene.AddFile("d" + std::to_string(i % 60) + "\\f" + std::to_string(i) + ".txt", 300, 1,
                          2, i % 30 == 0);
    };
    DWORD dwIdle, dwFull;
    {
        CScene scene("drivecalibrate");
        if (!MapDriveLetter('H', scene.m_sources.Root()))
            return Skipped(row.fault.c_str(), "drive H: could not be mapped");
        dwIdle = TimeOf(world, scene.WriteSet(2, "H:\\src"));
        build(scene);
        dwFull = TimeOf(world, scene.WriteSet(2, "H:\\src"));
    }
    int nLanded = 0;
    for (int i = 0; i < nPoints; ++i) {
        CScene scene("driveremoved");
        build(scene);
        MapDriveLetter('H', scene.m_sources.Root());
        std::string set = scene.WriteSet(2, "H:\\src");
        CVersions before = scene.Versions();
        CTreeSnapshot outside = scene.Outside();
        CDriverRun run;
        run.dataFile = set;
        run.nActAfterMs = static_cast<int>(
            dwIdle * 3 / 4 + world.Random()() % std::max<DWORD>(1, dwFull - dwIdle * 3 / 4));
        bool bLanded = false;
        run.act = [&bLanded](HANDLE hProcess) {
            bLanded = WaitForSingleObject(hProcess, 0) == WAIT_TIMEOUT;
            UnmapDriveLetter('H');
        };
        CDriverResult result = world.Run(run);
        nLanded += bLanded;
        Measure(scene, before, outside, result, row);
        MapDriveLetter('H', scene.m_sources.Root());
        Recover(world, scene, set, before, row);
        UnmapDriveLetter('H');
    }
    row.notes.push_back("removed at " + std::to_string(nPoints) + " points, " +
                        std::to_string(nLanded) + " of them while the run went on (" +
                        std::to_string(dwFull) + " ms a run)");
    return row;
}

namespace {

// Snapshots of whole trees, by drive, for the cases whose entries name
// folders anywhere: what lies outside every mirror the run may write.
class CWorldView {
public:
    void AddRoot(const std::string& root) { m_roots.push_back(root); }

    CTreeSnapshot Snapshot() const {
        CTreeSnapshot all;
        for (const std::string& root : m_roots)
            for (const auto& entry : SnapshotTree(root.c_str()))
                all[root + "\\" + entry.first] = entry.second;
        return all;
    }

    // The snapshot without the entries at or below the prefix (letter case
    // ignored).
    static void ErasePrefix(CTreeSnapshot& snapshot, const CString& strPrefix) {
        std::wstring folded = FoldCase(strPrefix);
        for (auto it = snapshot.begin(); it != snapshot.end();) {
            std::wstring key = FoldCase(it->first.c_str());
            bool bInside = key.compare(0, folded.size(), folded) == 0 &&
                           (key.size() == folded.size() || key[folded.size()] == L'\\');
            it = bInside ? snapshot.erase(it) : std::next(it);
        }
    }

    // The snapshot without the mirrors of a run: folders directly inside
    // the destination, with real names other than the history folder's,
    // that the run's entries name.
    static CTreeSnapshot OutsideMirrors(CTreeSnapshot snapshot, const std::string& destination,
                                        const std::vector<std::string>& mirrors) {
        CString strDestination;
        if (!NormalizeFolderPath(destination.c_str(), strDestination))
            return snapshot;
        for (const std::string& mirror : mirrors) {
            CString strMirror;
            if (!NormalizeFolderPath(mirror.c_str(), strMirror))
                continue;
            CString strName = GetLastComponent(strMirror);
            if (!IsRealName(strName) || FoldCase(strName) == FoldCase("mrq HistoryFolder") ||
                FoldCase(JoinPath(strDestination, strName)) != FoldCase(strMirror))
                continue;
            ErasePrefix(snapshot, strMirror);
            // Its history tree, in every generation.
            for (int g = 1; g <= 9; ++g)
                ErasePrefix(snapshot, HistoryOf(strDestination, g) + "\\" + strName);
        }
        // The history's own folders (their other contents stay measured).
        snapshot.erase(HistoryOf(strDestination, 0).str());
        for (int g = 1; g <= 9; ++g)
            snapshot.erase(HistoryOf(strDestination, g).str());
        return snapshot;
    }

private:
    // destination\mrq HistoryFolder, or its generation g's folder.
    static CString HistoryOf(const CString& strDestination, int g) {
        CString str = JoinPath(strDestination, "mrq HistoryFolder");
        return g ? str + "\\bk" + std::to_string(g).c_str() : str;
    }

public:
private:
    std::vector<std::string> m_roots;
};

// The destination a data file names (its second line, up to a TAB).
std::string ReadDestination(const std::string& set) {
    std::string text = ReadWholeFile(set.c_str());
    size_t nStart = text.find_first_of("\r\n");
    if (nStart == std::string::npos)
        return "";
    nStart = text.find_first_not_of("\r\n", nStart);
    size_t nEnd = nStart == std::string::npos ? nStart : text.find_first_of("\t\r\n", nStart);
    return nStart == std::string::npos ? "" : text.substr(nStart, nEnd - nStart);
}

int CountGone(const CTreeSnapshot& before, const CTreeSnapshot& after) {
    int n = 0;
    for (const auto& entry : before)
        n += entry.second != "<folder>" && !after.count(entry.first);
    return n;
}

// Runs each data file (as the Start command would, and as loaded) and
// counts what changed outside the mirrors its entries may write.
// arguments: the driver's, for every run (a restore instead of a backup).
void RunSets(CFaultWorld& world, const CWorldView& view, const std::vector<std::string>& sets,
             CFaultRow& row, bool bBothWays = true,
             const std::vector<std::string>& arguments = {}) {
    for (const std::string& set : sets) {
        for (int nWay = 0; nWay < (bBothWays ? 2 : 1); ++nWay) {
            CTreeSnapshot before = view.Snapshot();
            CDriverRun run;
            run.dataFile = set;
            run.arguments = arguments;
            if (nWay == 1)
                run.arguments.push_back("--as-loaded");
            run.dwTimeoutMs = 60000;
            CDriverResult result = world.Run(run);
            ++row.nCases;
            AddSeen(result, row);
            std::string destination = ReadDestination(set);
            CTreeSnapshot outsideBefore =
                CWorldView::OutsideMirrors(before, destination, result.mirrors);
            CTreeSnapshot outsideAfter =
                CWorldView::OutsideMirrors(view.Snapshot(), destination, result.mirrors);
            row.nOutside += CountChanges(outsideBefore, outsideAfter);
            for (const std::string& key : ChangedKeys(outsideBefore, outsideAfter))
                row.notes.push_back("changed outside: " + key);
            row.nLost += CountGone(outsideBefore, outsideAfter);
            row.nPartial += CountStagingFiles(view.Snapshot());
        }
    }
}

} // namespace

CFaultRow FolderLinkLoops(CFaultWorld& world) {
    CFaultRow row;
    row.fault = "folder links: loops and a link out of the source";
    CScene scene("links");
    BuildFew(scene);
    CString strElsewhere = scene.m_sources.MakeFolder("elsewhere");
    WriteWholeFile(strElsewhere + "\\x.txt", "not the source's");
    scene.m_sources.MakeFolder("src\\f");
    bool bMade = MakeFolderLink(scene.m_source + "\\self", ".") &&
                 MakeFolderLink(scene.m_source + "\\up", "..") &&
                 MakeFolderLink(scene.m_source + "\\f\\loop", "..") &&
                 MakeFolderLink(scene.m_source + "\\out", strElsewhere) &&
                 MakeFolderLink(scene.m_mirror + "\\gone", strElsewhere);
    if (!bMade)
        return Skipped(row.fault.c_str(), "links could not be made");
    CWorldView view;
    view.AddRoot(scene.m_sources.Root().str());
    view.AddRoot(scene.m_destinations.Root().str());
    RunSets(world, view, {scene.WriteSet(3)}, row);
    if (!PathExists(strElsewhere + "\\x.txt"))
        row.notes.push_back("a file the links lead to was removed");
    return row;
}

CFaultRow OddSourcePaths(CFaultWorld& world) {
    CFaultRow row;
    row.fault = "odd source paths: trailing \\, \\., .., ...";
    CScene scene("oddpaths");
    BuildFew(scene);
    for (const char* pszFolder : {"a\\b", "c", "d"})
        WriteWholeFile(scene.m_sources.Path((std::string(pszFolder) + "\\f.txt").c_str()),
                       pszFolder);
    std::string root = scene.m_sources.Root().str();
    std::vector<CSetEntry> entries = {{root + "\\src\\", "", 2},
                                      {root + "\\c\\.", "", 2},
                                      {root + "\\a\\b\\..", "", 2},
                                      {root + "\\d\\...", "", 2},
                                      {root + "\\a\\.\\b", "", 2},
                                      {"", "", 2},
                                      {"src", "", 2},
                                      {root.substr(0, 2) + "d", "", 2}};
    std::string set = scene.m_sources.Path("odd.mrd").str();
    WriteWholeFile(set.c_str(), DataFileText(scene.m_destination.str(), entries));
    CWorldView view;
    view.AddRoot(scene.m_sources.Root().str());
    view.AddRoot(scene.m_destinations.Root().str());
    RunSets(world, view, {set}, row);
    if (ReadWholeFile(scene.m_destination + "\\c\\f.txt") != "c")
        row.notes.push_back("a source written with \\. was not backed up");
    return row;
}

CFaultRow LeadBytesF0ToFC(CFaultWorld& world) {
    CFaultRow row;
    row.fault = "lead bytes F0-FC with trail byte 5C (纊 犾 and F0 5C)";
    CScene scene("leadbytes");
    BuildFew(scene);
    std::vector<CSetEntry> entries;
    for (const char* pszFolder : {"資料\\纊", "犾", "\xF0\x5C", "\xFC\x5C\\表"}) {
        WriteWholeFile(scene.m_sources.Path((std::string(pszFolder) + "\\f.txt").c_str()),
                       pszFolder);
        entries.push_back({scene.m_sources.Path(pszFolder).str(), "", 2});
    }
    entries.push_back({scene.m_source.str(), "", 2});
    std::string set = scene.m_sources.Path("kanji.mrd").str();
    WriteWholeFile(set.c_str(), DataFileText(scene.m_destination.str(), entries));
    CWorldView view;
    view.AddRoot(scene.m_sources.Root().str());
    view.AddRoot(scene.m_destinations.Root().str());
    RunSets(world, view, {set}, row);
    for (const char* pszMirror : {"纊", "犾", "\xF0\x5C", "表"})
        if (CountFiles(scene.m_destination + "\\" + pszMirror) != 1)
            row.notes.push_back(std::string("nothing backed up into the mirror ") + pszMirror);
    return row;
}

namespace {

// Source files beside the look-alikes the ANSI listing would give them
// (best fit: résumé as resume, ü as u) and names it has no mapping for
// (Hangul, an emoji, a folder Café); the look-alikes are real files too.
void WriteUnnamableSources(const CScratchTree& sources) {
    int n = 0;
    for (const wchar_t* pszName :
         {L"resume.txt", L"r\u00e9sum\u00e9.txt", L"u.txt", L"\u00fc.txt", L"\ud55c\uae00.txt",
          L"photo\U0001F600.jpg", L"Caf\u00e9\\menu.txt", L"Cafe\\menu.txt"})
        sources.WriteWideFile((std::wstring(L"src\\") + pszName).c_str(),
                              "source file " + std::to_string(++n));
}

CTreeSnapshot FilesOf(const CTreeSnapshot& snapshot) {
    CTreeSnapshot files;
    for (const auto& entry : snapshot)
        if (entry.second != "<folder>")
            files.insert(entry);
    return files;
}

// Every file of the source must be in the mirror under its exact name with
// its exact bytes, and nothing else.
void CheckExactMirror(const CString& strSource, const CString& strMirror, CFaultRow& row) {
    CTreeSnapshot source = FilesOf(SnapshotTree(strSource));
    CTreeSnapshot mirror = FilesOf(SnapshotTree(strMirror));
    for (const auto& file : source) {
        auto it = mirror.find(file.first);
        if (it == mirror.end() || it->second != file.second) {
            ++row.nLost;
            row.notes.push_back("not backed up as it is: " + file.first);
        }
    }
    for (const auto& file : mirror)
        if (!source.count(file.first))
            row.notes.push_back("in the mirror, not in the source: " + file.first);
}

// A restore of the items: the targets must come to hold what the mirrors
// hold, and nothing outside the targets may change.
void RunRestore(CFaultWorld& world, const CWorldView& view, const std::string& set,
                const std::vector<std::pair<CString, CString>>& mirrorsAndTargets,
                const std::vector<std::string>& arguments, CFaultRow& row) {
    CTreeSnapshot before = view.Snapshot();
    CDriverRun run;
    run.dataFile = set;
    run.arguments = arguments;
    run.dwTimeoutMs = 60000;
    CDriverResult result = world.Run(run);
    ++row.nCases;
    AddSeen(result, row);
    CTreeSnapshot after = view.Snapshot();
    for (const auto& pair : mirrorsAndTargets) {
        CTreeSnapshot mirror = FilesOf(SnapshotTree(pair.first));
        CTreeSnapshot target = FilesOf(SnapshotTree(pair.second));
        for (const auto& file : mirror)
            if (!target.count(file.first) || target.at(file.first) != file.second) {
                ++row.nLost;
                row.notes.push_back("not restored as it is: " + file.first);
            }
        CWorldView::ErasePrefix(before, pair.second);
        CWorldView::ErasePrefix(after, pair.second);
    }
    row.nOutside += CountChanges(before, after);
    for (const std::string& key : ChangedKeys(before, after))
        row.notes.push_back("changed outside: " + key);
    row.nPartial += CountStagingFiles(after);
}

} // namespace

// Names the ANSI listing alters (a yen sign becomes a backslash, so a name
// of yen signs and dots would climb out of the source, the mirror, and on a
// restore out of the mirror and the target; best-fit names pass for their
// look-alikes; names without a mapping become "?") are backed up, kept in
// the history, removed and restored under their exact names. Backups,
// twice, a change, a removal, then a restore of the mirrors and of an item
// spelt with "?".
CFaultRow NamesOutsideTheCodePage(CFaultWorld& world) {
    CFaultRow row;
    row.fault = "names outside code page 932 (yen sign and dots, best fit, none): backed up";
    CScene scene("unnamable");
    BuildFew(scene);
    const CScratchTree& sources = scene.m_sources;
    const CScratchTree& destinations = scene.m_destinations;
    WriteUnnamableSources(sources);
    // A second source three folders below the scratch root, its mirror two:
    // three look-alike climbs lead from the one to in\x.txt and from the
    // other to the destination drive's x.txt, outside the destination.
    sources.WriteFile("in\\deep\\src2\\plain.txt", "plain");
    CString strDeep = sources.Path("in\\deep\\src2");
    sources.WriteFile("in\\x.txt", "outside the source");
    destinations.WriteFile("x.txt", "outside the destination");
    sources.WriteWideFile(L"in\\deep\\src2\\sub\\..\u00a5..\u00a5..\u00a5x.txt", "yen");
    // A mirror file of that kind whose source has gone: it goes, and its
    // look-alike, another set's mirror file, stays.
    destinations.WriteWideFile(L"dest\\src\\..\u00a5other set\u00a5keep.txt", "gone");
    std::string set = sources.Path("names.mrd").str();
    WriteWholeFile(set.c_str(),
                   DataFileText(scene.m_destination.str(),
                                {{scene.m_source.str(), "", 2}, {strDeep.str(), "", 2}}));
    CWorldView view;
    view.AddRoot(sources.Root().str());
    view.AddRoot(destinations.Root().str());
    CString strMirror2 = scene.m_destination + "\\src2";
    RunSets(world, view, {set, set}, row, false);
    CheckExactMirror(scene.m_source, scene.m_mirror, row);
    CheckExactMirror(strDeep, strMirror2, row);

    // Changed: the old version goes into the history under its name.
    CString strAccented = scene.m_source + "\\r<U+00E9>sum<U+00E9>.txt";
    WriteWholeFile(strAccented, "changed");
    SetWriteTime(strAccented, 2026, 12, 2, 12, 0, 0);
    // Gone from the source: gone from the mirror.
    RemoveTree(scene.m_source + "\\<U+D55C><U+AE00>.txt");
    RunSets(world, view, {set}, row, false);
    CheckExactMirror(scene.m_source, scene.m_mirror, row);
    if (ReadWholeFile(scene.Generation(1) + "\\r<U+00E9>sum<U+00E9>.txt") != "source file 2")
        row.notes.push_back("the changed file's old version is not in the history");

    // The restore: a mirror entry of yen signs whose look-alike climbs from
    // the mirror's sub to the destination drive's y.txt, and from the
    // target's to in\y.txt; a mirror file of another version.
    destinations.WriteFile("y.txt", "outside the mirror");
    sources.WriteFile("in\\y.txt", "outside the target");
    destinations.WriteWideFile(L"dest\\src2\\sub\\..\u00a5..\u00a5..\u00a5y.txt", "yen");
    destinations.WriteWideFile(L"dest\\src\\Caf\u00e9\\menu.txt", "the mirror's own");
    RunRestore(world, view, set, {{scene.m_mirror, scene.m_source}, {strMirror2, strDeep}},
               {"--restore", scene.m_mirror.str(), "--restore", strMirror2.str(), "--restore",
                (scene.m_mirror + "\\Caf?").str()},
               row);
    return row;
}

// Paths of 300 and 1,000 bytes, in the source, the mirror and the history:
// backed up, changed, removed and restored like any other.
CFaultRow LongPaths(CFaultWorld& world) {
    CFaultRow row;
    row.fault = "paths of 300 and 1,000 bytes";
    CScene scene("longpaths");
    BuildFew(scene);
    std::string level(100, 'L');
    std::string rel300 = level + "\\" + level + "\\" + std::string(60, 'f') + ".txt";
    std::string rel1000;
    for (int i = 0; i < 9; ++i)
        rel1000 += "表" + std::string(98, 'a' + i) + "\\";
    rel1000 += "纊ソ.txt";
    for (const std::string& rel : {rel300, rel1000})
        WriteWholeFile(scene.m_source + "\\" + rel.c_str(), "first " + rel.substr(0, 12));
    std::string set = scene.WriteSet(2);
    CWorldView view;
    view.AddRoot(scene.m_sources.Root().str());
    view.AddRoot(scene.m_destinations.Root().str());
    RunSets(world, view, {set, set}, row, false);
    CheckExactMirror(scene.m_source, scene.m_mirror, row);

    CString strChanged = scene.m_source + "\\" + rel1000.c_str();
    WriteWholeFile(strChanged, "second");
    SetWriteTime(strChanged, 2026, 12, 2, 12, 0, 0);
    RemoveTree(scene.m_source + "\\" + level.c_str());
    RunSets(world, view, {set}, row, false);
    CheckExactMirror(scene.m_source, scene.m_mirror, row);
    if (ReadWholeFile(scene.Generation(1) + "\\" + rel1000.c_str()) !=
        "first " + rel1000.substr(0, 12))
        row.notes.push_back("the old version of the 1,000-byte path is not in the history");

    WriteWholeFile(strChanged, "the user's latest");
    RunRestore(world, view, set, {{scene.m_mirror, scene.m_source}},
               {"--restore", scene.m_mirror.str()}, row);
    return row;
}

namespace {

// The folders the hostile data files name, on the drives of their own.
class CHostileWorld {
public:
    CHostileWorld() {
        for (const char* pszFile :
             {"D:\\data\\a.txt", "D:\\表\\b.txt", "D:\\x\\y\\c.txt", "D:\\x\\d.txt",
              "E:\\My Documents\\e.txt", "D:\\纊\\g.txt", "F:\\bk\\other set\\keep.txt",
              "F:\\bk\\Backup.mrd", "F:\\bk\\mrq HistoryFolder\\bk1\\other set\\keep.txt",
              "F:\\keep.txt", "F:\\bk\\inner\\h.txt"})
            WriteWholeFile(pszFile, pszFile);
        m_view.AddRoot("D:");
        m_view.AddRoot("E:");
        m_view.AddRoot("F:");
    }
    ~CHostileWorld() {
        for (const char* pszFolder : {"D:\\data", "D:\\表", "D:\\x", "D:\\纊", "E:\\My Documents",
                                      "F:\\bk", "F:\\keep.txt"}) {
            RemoveTree(pszFolder);
            DeleteFileA(pszFolder);
        }
        // Mirrors a run made directly on F:.
        for (const auto& entry : SnapshotTree("F:"))
            if (entry.first.find('\\') == std::string::npos)
                RemoveTree(("F:\\" + entry.first).c_str());
    }
    CWorldView m_view;
};

// A seeded random data file: destinations, folders and mirrors drawn from
// real folders, their relatives and odd texts.
std::string RandomSet(std::mt19937& random) {
    static const char* const destinations[] = {"F:\\bk",        "F:\\bk\\",   "F:\\",
                                               "D:\\data",      "F:\\BK",     "F:\\bk\\.",
                                               "F:\\bk\\inner", "F:\\bk\\..", "E:\\My Documents"};
    static const char* const folders[] = {"D:\\data",
                                          "D:\\表",
                                          "D:\\x",
                                          "D:\\x\\y",
                                          "D:\\X",
                                          "D:\\纊",
                                          "E:\\My Documents",
                                          "F:\\bk",
                                          "F:\\",
                                          "F:\\bk\\inner",
                                          "D:\\",
                                          "",
                                          "..",
                                          "D:\\data\\..",
                                          "D:\\data\\.",
                                          "D:\\data\\",
                                          "\\",
                                          "表",
                                          "F:\\bk\\mrq HistoryFolder",
                                          "D:\\x\\y\\..\\..",
                                          "F:\\BK\\INNER",
                                          "D:\\data\\\\",
                                          "D:"};
    static const char* const mirrors[] = {"",
                                          "F:\\bk",
                                          "F:\\bk\\data",
                                          "F:\\bk\\..",
                                          "F:\\bk\\x\\y",
                                          "D:\\data",
                                          "F:\\bk\\mrq HistoryFolder",
                                          "F:\\BK\\DATA",
                                          "F:\\",
                                          "E:\\My Documents",
                                          "F:\\bk\\con",
                                          "F:\\bk\\other set",
                                          "F:\\bk\\.",
                                          "F:\\keep.txt"};
    std::string text = "mrq Backup File \tHeaderVersion 2.1\r\n";
    text += destinations[random() % 9] + std::string("\t\r\n");
    for (int n = 1 + static_cast<int>(random() % 5); n > 0; --n)
        text += folders[random() % 23] + std::string("\t->\t") + mirrors[random() % 14] + "\t" +
                std::to_string(random() % 3) + "\t\tする\t-1\t\r\n";
    return text;
}

} // namespace

CFaultRow HostileDataFiles(CFaultWorld& world, const std::string& corpusFolder, int nRandom) {
    CFaultRow row;
    row.fault = "hostile data files (corpus, overlaps, random)";
    std::vector<std::string> sets;
    for (const char* pszName : {"fresh.mrd", "japanese.mrd", "no_sources.mrd", "two_sources.mrd"})
        sets.push_back(corpusFolder + "\\" + pszName);
    // Sources that name the destination, its parent, its drive's root, a
    // folder inside it, and each other.
    const std::vector<std::pair<std::string, std::vector<CSetEntry>>> crafted = {
        {"F:\\bk", {{"F:\\bk", "", 1}, {"D:\\data", "", 1}}},
        {"F:\\bk", {{"F:\\", "", 1}, {"D:\\data", "", 1}}},
        {"F:\\bk", {{"F:\\bk\\inner", "", 1}, {"F:\\BK\\Other Set", "", 1}}},
        {"F:\\bk\\inner", {{"F:\\bk", "", 1}, {"D:\\表", "", 1}}},
        {"F:\\bk", {{"D:\\x", "", 1}, {"D:\\x\\y", "", 1}, {"D:\\x", "", 1}, {"D:\\X", "", 1}}},
    };
    int n = 0;
    for (const auto& set : crafted) {
        std::string file = world.Scratch() + "\\crafted" + std::to_string(n++) + ".mrd";
        WriteWholeFile(file.c_str(), DataFileText(set.first, set.second));
        sets.push_back(file);
    }
    for (int i = 0; i < nRandom; ++i) {
        std::string set = world.Scratch() + "\\random" + std::to_string(i) + ".mrd";
        WriteWholeFile(set.c_str(), RandomSet(world.Random()));
        sets.push_back(set);
    }
    // A set that names F:\ as a source mirrors the mirrors of the sets before
    // it, so one world for every set grows without bound; a fresh world for
    // each few sets keeps a run to seconds.
    const size_t nSetsPerWorld = 10;
    for (size_t nFirst = 0; nFirst < sets.size(); nFirst += nSetsPerWorld) {
        CHostileWorld hostile;
        size_t nEnd = std::min(sets.size(), nFirst + nSetsPerWorld);
        RunSets(world, hostile.m_view, {sets.begin() + nFirst, sets.begin() + nEnd}, row);
    }
    return row;
}

// A source folder that is still there but holds none of its files (a drive
// formatted again, a cloud folder signed out), or holds other files (a
// wrong drive letter): with nobody to ask, the run leaves the mirror and
// its history whole, copies what the folder holds, and says so.
CFaultRow EmptiedSource(CFaultWorld& world) {
    CFaultRow row;
    row.fault = "an emptied source, and another folder in its place";
    for (bool bReplaced : {false, true}) {
        CScene scene(bReplaced ? "replacedsource" : "emptiedsource");
        for (int i = 0; i < 200; ++i)
            scene.AddFile("d" + std::to_string(i % 10) + "\\f" + std::to_string(i) + ".txt", 200, 1,
                          2, i % 4 == 0);
        RemoveTree(scene.m_source);
        CreateDirectoryA(scene.m_source, nullptr);
        for (int i = 0; bReplaced && i < 30; ++i) {
            std::string rel = "other" + std::to_string(i) + ".txt";
            std::string content = "another folder's file " + std::to_string(i);
            WriteWholeFile(scene.m_source + "\\" + rel.c_str(), content);
            scene.AddKnownContent(rel, content);
        }
        std::string set = scene.WriteSet(2);
        CVersions before = scene.Versions();
        CTreeSnapshot outside = scene.Outside();
        CDriverRun run;
        run.dataFile = set;
        CDriverResult result = world.Run(run);
        Measure(scene, before, outside, result, row);
        int nCopied = static_cast<int>(SnapshotTree(scene.m_mirror).size()) - 210;
        if (result.message != "削除を見送ったフォルダがあります。" || result.warnings.size() != 1)
            row.notes.push_back("the run did not say it left the deletions undone: " +
                                Seen(result));
        if (nCopied != (bReplaced ? 30 : 0))
            row.notes.push_back("the folder's own files were not all copied");
    }
    return row;
}
