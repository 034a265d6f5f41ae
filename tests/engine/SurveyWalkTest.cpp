// The survey walks an entry's removal pass and copy walk at once, listing
// each folder once for both; what it lists, counts and warns of must be
// exactly what the two passes give one after the other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BackupJob.h"
#include "BackupRun.h"
#include "ScratchTree.h"

namespace {

// Everything a survey leaves for the rest of the run, paths relative to
// the scratch tree.
struct CSurveyOutcome {
    std::vector<std::string> deletes, kept, copies;
    std::string strWarnings;
    int nTotal = 0, nNew = 0, nUpdated = 0, nDeleted = 0, nMirrorFiles = 0;
    ULONGLONG nToCopy = 0, nToFree = 0;
    // What the removal pass alone added: the guard's figures.
    int nRemovalGone = 0;
    ULONGLONG nRemovalFreed = 0;
    INT_PTR nRemovalDeletes = 0, nRemovalKept = 0;
};

bool operator==(const CSurveyOutcome& a, const CSurveyOutcome& b) {
    return a.deletes == b.deletes && a.kept == b.kept && a.copies == b.copies &&
           a.strWarnings == b.strWarnings && a.nTotal == b.nTotal && a.nNew == b.nNew &&
           a.nUpdated == b.nUpdated && a.nDeleted == b.nDeleted &&
           a.nMirrorFiles == b.nMirrorFiles && a.nToCopy == b.nToCopy && a.nToFree == b.nToFree &&
           a.nRemovalGone == b.nRemovalGone && a.nRemovalFreed == b.nRemovalFreed &&
           a.nRemovalDeletes == b.nRemovalDeletes && a.nRemovalKept == b.nRemovalKept;
}

std::ostream& operator<<(std::ostream& out, const CSurveyOutcome& outcome) {
    for (const auto* pList : {&outcome.deletes, &outcome.kept, &outcome.copies}) {
        out << "[";
        for (const std::string& line : *pList)
            out << line << "; ";
        out << "] ";
    }
    return out << outcome.strWarnings << " total " << outcome.nTotal << " gone "
               << outcome.nRemovalGone << " freed " << outcome.nRemovalFreed;
}

class SurveyWalkTest : public testing::Test {
protected:
    SurveyWalkTest() : m_tree("surveywalk") {
        m_strSource = m_tree.Path("src");
        m_strDestination = m_tree.Path("dest");
        m_strMirror = m_tree.Path("dest\\src");
    }

    std::string Relative(const CString& strPath) const {
        std::string path = static_cast<const char*>(strPath);
        const std::string root = static_cast<const char*>(m_tree.Root());
        size_t nAt;
        while ((nAt = path.find(root)) != std::string::npos)
            path.replace(nAt, root.size(), "<root>");
        return path;
    }

    // With bTogether the survey as the run makes it, else the removal pass
    // and then the copy walk, each on its own.
    CSurveyOutcome Survey(bool bTogether, bool bKeepDeleted) {
        CBackupJob job;
        job.m_status.Open(nullptr);
        job.m_strHistoryRoot = m_strDestination + "\\mrq HistoryFolder";
        job.m_spec.bKeepDeleted = bKeepDeleted;
        CSourceSpec entry;
        entry.strFolder = m_strSource;
        entry.strMirror = m_strMirror;
        job.LoadEntryOptions(entry);
        CSurveyOutcome outcome;
        if (bTogether) {
            job.SurveySource(m_strSource, m_strMirror, "src", 0);
            const CEntryRemovals& removals = job.m_removals.at(0);
            outcome.nRemovalGone = removals.nGone;
            outcome.nRemovalFreed = removals.nFreed;
            outcome.nRemovalDeletes = removals.nEndDelete - removals.nFirstDelete;
            outcome.nRemovalKept = removals.nEndKept - removals.nFirstKept;
        } else {
            job.m_bSurvey = 1;
            job.RemovalWalk(m_strSource, m_strMirror, "src");
            outcome.nRemovalGone = job.m_nDeleted;
            outcome.nRemovalFreed = job.ReadBytesToFree(false);
            outcome.nRemovalDeletes = job.m_deleteList.GetCount();
            outcome.nRemovalKept = job.m_keptList.GetCount();
            job.CopyWalk(m_strSource, m_strMirror, "src");
        }
        Collect(job, outcome);
        return outcome;
    }

    void Collect(CBackupJob& job, CSurveyOutcome& outcome) const {
        CDeleteList::CReader deletes(job.m_deleteList);
        CString strPath;
        while (deletes.Next(strPath))
            outcome.deletes.push_back(Relative(strPath));
        for (auto list : {std::make_pair(&job.m_keptList, &outcome.kept),
                          std::make_pair(&job.m_copyList, &outcome.copies)}) {
            CCopyList::CReader reader(*list.first);
            CCopyItem item;
            while (reader.Next(item))
                list.second->push_back(Relative(item.strSource) + "|" + Relative(item.strMirror) +
                                       "|" + static_cast<const char*>(item.strHistoryName) + "|" +
                                       std::to_string(item.nHistoryLimit) + "|" +
                                       (item.bChanged ? "changed" : "new") + "|" +
                                       std::to_string(item.nSize));
        }
        outcome.strWarnings = Relative(job.m_strWarnings);
        outcome.nTotal = job.m_nTotal;
        outcome.nNew = job.m_nNew;
        outcome.nUpdated = job.m_nUpdated;
        outcome.nDeleted = job.m_nDeleted;
        outcome.nMirrorFiles = job.m_nMirrorFiles;
        outcome.nToCopy = job.ReadBytesToCopy(false);
        outcome.nToFree = job.ReadBytesToFree(false);
    }

    // A mirror one run made, then a source that moved on from it in every
    // folder: files gone, changed and new, a subfolder gone and one new,
    // links on both sides. Shared subfolders are named with bytes 0x5C
    // and a lead byte of 0xFA.
    void MakeScene() {
        const char* const kFiles[] = {"top.txt",      "topgone.txt",    "表\\a.txt",
                                      "表\\gone.txt", "表\\深\\d.txt",  "表\\深\\dgone.txt",
                                      "ソ能\\b.txt",  "ソ能\\gone.txt", "纊\\c.txt",
                                      "old\\o.txt",   "old\\o2.txt"};
        for (const char* pszFile : kFiles)
            m_tree.WriteFile((std::string("src\\") + pszFile).c_str(), pszFile);
        CRunSpec spec;
        spec.strDestination = m_strDestination;
        CSourceSpec entry;
        entry.strFolder = m_strSource;
        entry.strMirror = m_strMirror;
        spec.sources.push_back(entry);
        CBackupRun run;
        ASSERT_EQ(STATUS_OK, RunToEnd(run, spec).nStatus);
        // A first generation for every file the run after this changes.
        ASSERT_EQ(STATUS_OK, RunToEnd(run, Changed(spec, "v2")).nStatus);

        for (const char* pszGone : {"topgone.txt", "表\\gone.txt", "表\\深\\dgone.txt",
                                    "ソ能\\gone.txt", "old\\o.txt", "old\\o2.txt"})
            ASSERT_TRUE(DeleteFileA(m_tree.Path((std::string("src\\") + pszGone).c_str())));
        ASSERT_TRUE(RemoveDirectoryA(m_tree.Path("src\\old")));
        Changed(spec, "version three");
        m_tree.WriteFile("src\\new\\n.txt", "n");
        m_tree.WriteFile("src\\new.txt", "n");
        CString strElsewhere = m_tree.MakeFolder("elsewhere");
        for (const char* pszFolder : {"表", "ソ能"}) {
            std::string folder = pszFolder;
            ASSERT_TRUE(
                MakeFolderLink(m_tree.Path(("src\\" + folder + "\\lnk").c_str()), strElsewhere));
            ASSERT_TRUE(MakeFolderLink(m_tree.Path(("dest\\src\\" + folder + "\\mlnk").c_str()),
                                       strElsewhere));
        }
    }

    // The files every later run finds changed get new contents.
    const CRunSpec& Changed(const CRunSpec& spec, const std::string& content) {
        for (const char* pszFile : {"top.txt", "表\\a.txt", "ソ能\\b.txt"})
            WriteWholeFile(m_tree.Path((std::string("src\\") + pszFile).c_str()),
                           content + pszFile);
        return spec;
    }

    CScratchTree m_tree;
    CString m_strSource, m_strDestination, m_strMirror;
};

TEST_F(SurveyWalkTest, BothPassesAtOnceGiveWhatEachGivesAlone) {
    MakeScene();
    for (bool bKeepDeleted : {false, true}) {
        SCOPED_TRACE(bKeepDeleted ? "gone files kept in the history" : "gone files deleted");
        CSurveyOutcome alone = Survey(false, bKeepDeleted);
        // The walks make the mirror folders of new source folders: the
        // second survey must find the mirror as the first did.
        ASSERT_TRUE(RemoveDirectoryA(m_tree.Path("dest\\src\\new")));
        CSurveyOutcome together = Survey(true, bKeepDeleted);
        EXPECT_EQ(alone, together);

        // The scene holds what a mixed order would show: gone files and
        // pushed-out generations in several folders, warnings of both.
        EXPECT_EQ(6, together.nDeleted) << together;
        EXPECT_EQ(bKeepDeleted ? 6 : 0, static_cast<int>(together.kept.size())) << together;
        EXPECT_EQ((bKeepDeleted ? 0 : 6) + 3, static_cast<int>(together.deletes.size()))
            << together;
        EXPECT_EQ(5, static_cast<int>(together.copies.size())) << together; // 3 changed, 2 new
        EXPECT_EQ(4, static_cast<int>(std::count(together.strWarnings.begin(),
                                                 together.strWarnings.end(), '\n')))
            << together;
        ASSERT_TRUE(RemoveDirectoryA(m_tree.Path("dest\\src\\new")));
    }
}

} // namespace
