#include "FaultScene.h"

#include <algorithm>

namespace {

const char* const HISTORY = "mrq HistoryFolder";

bool HasEntriesBelow(const CTreeSnapshot& snapshot, const std::string& folder) {
    auto it = snapshot.lower_bound(folder + "\\");
    return it != snapshot.end() && it->first.compare(0, folder.size() + 1, folder + "\\") == 0;
}

} // namespace

std::string Version(const std::string& rel, int nVersion, size_t nSize) {
    std::string text = rel + " version " + std::to_string(nVersion) + "\n";
    text.resize(std::max(nSize, text.size()), static_cast<char>('a' + nVersion % 26));
    return text;
}

CScene::CScene(const char* pszName, char chDestinationDrive)
    : m_sources(pszName, 'D'), m_destinations(pszName, chDestinationDrive) {
    m_source = m_sources.MakeFolder("src");
    m_destination = m_destinations.MakeFolder("dest");
    m_mirror = m_destination + "\\src";
    m_destinations.WriteFile("dest\\other set\\keep.txt", "another set's mirror");
    m_destinations.WriteFile("dest\\mrq HistoryFolder\\bk1\\other set\\keep.txt", "its history");
    m_destinations.WriteFile("dest\\Backup.mrd", "a data file");
    m_destinations.WriteFile("beside\\keep.txt", "beside the destination");
}

void CScene::AddFile(const std::string& rel, size_t nSize, int nGenerations, int nLimit,
                     bool bChanged) {
    int nNewest = nGenerations + (bChanged ? 1 : 0);
    std::string source = Version(rel, nNewest, nSize + nNewest);
    std::string mirror = bChanged ? Version(rel, nGenerations, nSize + nGenerations) : source;
    CString strSource = m_source + "\\" + rel.c_str(), strMirror = m_mirror + "\\" + rel.c_str();
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

void CScene::AddKnownContent(const std::string& rel, const std::string& content) {
    m_known[rel].insert(content);
}

CString CScene::Generation(int g) const {
    return m_destination + "\\" + HISTORY + "\\bk" + std::to_string(g).c_str() + "\\src";
}

CVersions CScene::Versions() const {
    CVersions versions;
    for (const auto& file : m_known) {
        std::set<std::string>& seen = versions[file.first];
        AddIfPresent(seen, m_mirror + "\\" + file.first.c_str());
        for (int g = 1; g <= 9; ++g)
            AddIfPresent(seen, Generation(g) + "\\" + file.first.c_str());
    }
    return versions;
}

int CScene::CountLost(const CVersions& before, const CVersions& after,
                      std::vector<std::string>* pNotes) const {
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

int CScene::CountPartial(std::vector<std::string>* pNotes) const {
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

int CScene::CountStaging() const {
    return CountStagingFiles(SnapshotTree(m_destinations.Root()));
}

CTreeSnapshot CScene::Outside() const {
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

bool CScene::MirrorEqualsSource() const {
    return SnapshotTree(m_source) == SnapshotTree(m_mirror);
}

std::string CScene::WriteSet(int nHistory, const std::string& folderText) const {
    std::string file = m_sources.Path("set.mrd").str();
    std::string folder = folderText.empty() ? m_source.str() : folderText;
    WriteWholeFile(file.c_str(), DataFileText(m_destination.str(), {{folder, "", nHistory}}));
    return file;
}

void CScene::AddIfPresent(std::set<std::string>& seen, const CString& strPath) {
    if (PathExists(strPath))
        seen.insert(ReadWholeFile(strPath));
}

bool CScene::IsPartial(const std::string& rel, const std::string& content) const {
    auto it = m_known.find(rel);
    return content != "<folder>" && it != m_known.end() && !it->second.count(content);
}

std::string Seen(const CDriverResult& result) {
    if (!result.bRan)
        return result.bKilled ? (result.message.empty() ? "killed" : result.message)
                              : "did not run";
    if (result.bRefused)
        return "refused by the Start command's checks";
    return std::to_string(result.nStatus) + " " + result.message;
}

void AddSeen(const CDriverResult& result, CFaultRow& row) {
    row.seen.insert(Seen(result));
    for (const std::string& warning : result.warnings) {
        size_t nCut = warning.rfind(' ');
        row.seen.insert("warning \"" +
                        (nCut == std::string::npos ? warning : warning.substr(nCut + 1)) + "\"");
    }
}

void Measure(const CScene& scene, const CVersions& before, const CTreeSnapshot& outside,
             const CDriverResult& result, CFaultRow& row, const char* pszCaseChanged) {
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

CFaultRow OneFault(const char* pszFault, CFaultWorld& world, CScene& scene, int nLimit,
                   const std::vector<std::string>& arguments, bool bRecover,
                   const char* pszCaseChanged) {
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

CFaultRow Skipped(const char* pszFault, const char* pszWhy) {
    CFaultRow row;
    row.fault = pszFault;
    row.bSkipped = true;
    row.notes.push_back(pszWhy);
    return row;
}

void BuildFew(CScene& scene) {
    for (int i = 0; i < 5; ++i)
        scene.AddFile("f" + std::to_string(i) + ".txt", 5000, 1, 3);
}
