// A backup run takes its entries, with their options, from a document
// loaded from a data file.
#include <gtest/gtest.h>

#include <vector>

#include "BackupHarness.h"
#include "DocTestSupport.h"
#include "MrqDoc.h"
#include "ScratchTree.h"

namespace {

class DocumentBackupTest : public testing::Test {
protected:
    DocumentBackupTest() : m_tree("docrun") {
        m_strDocs = m_tree.MakeFolder("資料\\表");
        m_tree.WriteFile("資料\\表\\a.txt", "aaa");
        m_tree.WriteFile("資料\\表\\ソ\\b.txt", "bbb");
        m_strFlat = m_tree.MakeFolder("能");
        m_tree.WriteFile("能\\c.txt", "ccc");
        m_tree.WriteFile("能\\sub\\d.txt", "ddd");
        m_strDestination = m_tree.MakeFolder("dest");
    }

    // Both sources, the second without subfolders; mirrors as given.
    CString WriteDataFile(const CString& strDocsMirror, const CString& strFlatMirror) {
        std::string content = "mrq Backup File \tHeaderVersion 2.1\r\n" + m_strDestination.str() +
                              "\t2000/03/16 21:05:09\r\n" + m_strDocs.str() + "\t->\t" +
                              strDocsMirror.str() + "\t2\tdocs\tする\t-1\t\r\n" + m_strFlat.str() +
                              "\t->\t" + strFlatMirror.str() + "\t0\t\tしない\t-1\t\r\n";
        return m_tree.WriteFile("set.mrd", content);
    }

    CRunResult Run(CMrqDoc& doc) {
        std::vector<CBackupSource*> entries;
        for (POSITION pos = doc.m_sources.GetHeadPosition(); pos;)
            entries.push_back(GetNextSource(doc.m_sources, pos));
        return RunBackup(entries, doc.m_strDestination);
    }

    void ExpectMirrored(const CString& strDocsMirror, const CString& strFlatMirror) {
        EXPECT_EQ("aaa", ReadWholeFile(strDocsMirror + "\\a.txt"));
        EXPECT_EQ("bbb", ReadWholeFile(strDocsMirror + "\\ソ\\b.txt"));
        EXPECT_EQ("ccc", ReadWholeFile(strFlatMirror + "\\c.txt"));
        EXPECT_FALSE(PathExists(strFlatMirror + "\\sub"));
    }

    CScratchTree m_tree;
    CString m_strDocs, m_strFlat, m_strDestination;
    CMessageCapture m_messages;
};

} // namespace

TEST_F(DocumentBackupTest, RunMirrorsIntoTheFoldersTheFileNames) {
    CString strDocsMirror = m_strDestination + "\\docs mirror";
    CString strFlatMirror = m_strDestination + "\\能";
    CMrqDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(WriteDataFile(strDocsMirror, strFlatMirror)));
    CRunResult result = Run(doc);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(3, result.nNew);
    ExpectMirrored(strDocsMirror, strFlatMirror);
}

TEST_F(DocumentBackupTest, SaveBeforeTheRunAssignsTheMirrors) {
    CMrqDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(WriteDataFile("", "")));
    ASSERT_TRUE(doc.OnSaveDocument(doc.GetPathName()));
    CRunResult result = Run(doc);
    EXPECT_EQ(0, result.nStatus);
    ExpectMirrored(m_strDestination + "\\表", m_strDestination + "\\能");
}
