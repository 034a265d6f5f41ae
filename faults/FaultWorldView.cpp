#include "FaultWorldView.h"

#include <iterator>

#include "FaultScene.h"
#include "PathText.h"

CTreeSnapshot CWorldView::Snapshot() const {
    CTreeSnapshot all;
    for (const std::string& root : m_roots)
        for (const auto& entry : SnapshotTree(root.c_str()))
            all[root + "\\" + entry.first] = entry.second;
    return all;
}

void CWorldView::ErasePrefix(CTreeSnapshot& snapshot, const CString& strPrefix) {
    std::wstring folded = FoldCase(strPrefix);
    for (auto it = snapshot.begin(); it != snapshot.end();) {
        std::wstring key = FoldCase(it->first.c_str());
        bool bInside = key.compare(0, folded.size(), folded) == 0 &&
                       (key.size() == folded.size() || key[folded.size()] == L'\\');
        it = bInside ? snapshot.erase(it) : std::next(it);
    }
}

CTreeSnapshot CWorldView::OutsideMirrors(CTreeSnapshot snapshot, const std::string& destination,
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

CString CWorldView::HistoryOf(const CString& strDestination, int g) {
    CString str = JoinPath(strDestination, "mrq HistoryFolder");
    return g ? str + "\\bk" + std::to_string(g).c_str() : str;
}

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

std::vector<CDriverResult> RunSets(CFaultWorld& world, const CWorldView& view,
                                   const std::vector<std::string>& sets, CFaultRow& row,
                                   bool bBothWays, const std::vector<std::string>& arguments) {
    std::vector<CDriverResult> results;
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
            results.push_back(result);
        }
    }
    return results;
}

CTreeSnapshot FilesOf(const CTreeSnapshot& snapshot) {
    CTreeSnapshot files;
    for (const auto& entry : snapshot)
        if (entry.second != "<folder>")
            files.insert(entry);
    return files;
}

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
