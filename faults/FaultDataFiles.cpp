// The row of hostile data files: the test corpus, crafted overlaps of
// sources and destinations, and seeded random sets.
#include "FaultCases.h"

#include <algorithm>

#include "FaultWorldView.h"

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
