// Documents: views and their updates, opening, and saves that must never
// cost the previous file (full disk halfway, read-only target, locked
// target, a path too long, a vanished drive).
#include <gtest/gtest.h>

#include <string>

#include "Archive.h"
#include "DocTestSupport.h"
#include "Document.h"
#include "ScratchTree.h"

namespace {

// A document of text lines.
class CLinesDoc : public CDocument {
public:
    void DeleteContents() override {
        ++m_nDeleted;
        m_strText.Empty();
    }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar.WriteString(m_strText);
            return;
        }
        CString strLine;
        while (ar.ReadString(strLine))
            m_strText += strLine + "|";
    }
    CString m_strText;
    int m_nDeleted = 0;
};

class DocumentTest : public testing::Test {
protected:
    DocumentTest() : m_tree("doc表") {
        m_strTarget = m_tree.WriteFile("set\\ソ.mrd", "old contents");
        m_doc.SetPathName(m_strTarget);
        m_doc.m_strText = std::string(5000, 'n').c_str();
        m_doc.SetModifiedFlag();
    }
    ~DocumentTest() override { CFile::FailWritesAfter(-1); }

    // The old file is whole, no temporary file is left, the failure was
    // reported and the document still holds unsaved changes.
    void ExpectFailedSave(const char* pszWhy) {
        EXPECT_EQ("old contents", ReadWholeFile(m_strTarget)) << pszWhy;
        EXPECT_EQ(1, CountFiles(m_tree.Path("set"))) << pszWhy;
        ASSERT_EQ(1u, m_messages.Shown().size()) << pszWhy;
        EXPECT_NE(std::string::npos, m_messages.Shown()[0].find("保存できませんでした")) << pszWhy;
        EXPECT_TRUE(m_doc.IsModified()) << pszWhy;
        EXPECT_EQ(m_strTarget, m_doc.GetPathName()) << pszWhy;
    }

    CScratchTree m_tree;
    CString m_strTarget;
    CLinesDoc m_doc;
    CMessageCapture m_messages;
};

} // namespace

TEST_F(DocumentTest, UpdatesReachEveryViewButTheSender) {
    CRecordingView first, second, third;
    m_doc.AddView(&first);
    m_doc.AddView(&second);
    m_doc.AddView(&third);
    m_doc.AddView(&second); // twice is once
    CLinesDoc hintObject;
    m_doc.UpdateAllViews(&second, 7, &hintObject);
    ASSERT_EQ(1u, first.m_updates.size());
    EXPECT_EQ(&second, first.m_updates[0].pSender);
    EXPECT_EQ(7, first.m_updates[0].lHint);
    EXPECT_EQ(&hintObject, first.m_updates[0].pHint);
    EXPECT_TRUE(second.m_updates.empty());
    EXPECT_EQ(1u, third.m_updates.size());

    m_doc.RemoveView(&first);
    EXPECT_EQ(nullptr, first.GetDocument());
    m_doc.UpdateAllViews(nullptr);
    EXPECT_EQ(1u, first.m_updates.size());
    EXPECT_EQ(1u, second.m_updates.size());
}

TEST_F(DocumentTest, ViewAndDocumentLetGoOfEachOtherWhenDestroyed) {
    CRecordingView kept;
    {
        CRecordingView gone;
        m_doc.AddView(&gone);
        m_doc.AddView(&kept);
    }
    m_doc.UpdateAllViews(nullptr, 1);
    EXPECT_EQ(1u, kept.m_updates.size());
    {
        CLinesDoc other;
        other.AddView(&kept); // moves the view
        EXPECT_EQ(&other, kept.GetDocument());
    }
    EXPECT_EQ(nullptr, kept.GetDocument());
    m_doc.UpdateAllViews(nullptr, 2);
    EXPECT_EQ(1u, kept.m_updates.size());
}

TEST_F(DocumentTest, NewDocumentIsEmptyUnnamedAndUnmodified) {
    EXPECT_TRUE(m_doc.OnNewDocument());
    EXPECT_EQ(1, m_doc.m_nDeleted);
    EXPECT_TRUE(m_doc.GetPathName().IsEmpty());
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(DocumentTest, OpenReadsTheFileAndRecordsItsPath) {
    CString strPath = m_tree.WriteFile("表\\lines.txt", "a\r\nb");
    EXPECT_TRUE(m_doc.OnOpenDocument(strPath));
    EXPECT_EQ("a|b|", m_doc.m_strText);
    EXPECT_EQ(strPath, m_doc.GetPathName());
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(DocumentTest, OpenOfAMissingFileReportsItAndKeepsTheDocument) {
    CString strMissing = m_tree.Path("missing.mrd");
    EXPECT_FALSE(m_doc.OnOpenDocument(strMissing));
    ASSERT_EQ(1u, m_messages.Shown().size());
    EXPECT_NE(std::string::npos, m_messages.Shown()[0].find(strMissing.str()));
    EXPECT_NE(std::string::npos, m_messages.Shown()[0].find("開けませんでした"));
    EXPECT_EQ(0, m_doc.m_nDeleted);
    EXPECT_EQ(m_strTarget, m_doc.GetPathName());
}

TEST_F(DocumentTest, SaveReplacesTheFileAndLeavesNothingElse) {
    EXPECT_TRUE(m_doc.OnSaveDocument(m_strTarget));
    EXPECT_EQ(std::string(5000, 'n'), ReadWholeFile(m_strTarget));
    EXPECT_EQ(1, CountFiles(m_tree.Path("set")));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(DocumentTest, SaveAsRecordsTheNewPathAndKeepsHiddenAttribute) {
    CString strOther = m_tree.WriteFile("set\\hidden.mrd", "x");
    SetFileAttributesA(strOther, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(m_doc.OnSaveDocument(strOther));
    EXPECT_EQ(strOther, m_doc.GetPathName());
    EXPECT_TRUE(Attributes(strOther) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ("old contents", ReadWholeFile(m_strTarget));
}

TEST_F(DocumentTest, SaveFailingHalfwayKeepsTheOldFile) {
    for (LONGLONG nBytes : {0, 1, 2500, 4999}) {
        CFile::FailWritesAfter(nBytes);
        CMessageCapture messages;
        m_doc.SetModifiedFlag();
        EXPECT_FALSE(m_doc.OnSaveDocument(m_strTarget));
        EXPECT_NE(std::string::npos, messages.Shown().at(0).find("空き領域"));
        ExpectFailedSave(("disk full after " + std::to_string(nBytes)).c_str());
    }
    CFile::FailWritesAfter(5000); // exactly enough
    EXPECT_TRUE(m_doc.OnSaveDocument(m_strTarget));
}

TEST_F(DocumentTest, SaveOverAReadOnlyFileFails) {
    SetFileAttributesA(m_strTarget, FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(m_doc.OnSaveDocument(m_strTarget));
    ExpectFailedSave("read-only");
    EXPECT_TRUE(Attributes(m_strTarget) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(m_strTarget, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DocumentTest, SaveOverAFileInUseFailsAtTheReplace) {
    HANDLE hOther =
        CreateFileA(m_strTarget, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hOther);
    EXPECT_FALSE(m_doc.OnSaveDocument(m_strTarget));
    CloseHandle(hOther);
    ExpectFailedSave("in use");
}

TEST_F(DocumentTest, SaveToAPathTooLongOrAVanishedDriveFails) {
    CString strLong = m_tree.Path("set\\") + CString('x', 300) + ".mrd";
    EXPECT_FALSE(m_doc.OnSaveDocument(strLong));
    EXPECT_NE(std::string::npos, m_messages.Shown().at(0).find("パスが長すぎます"));
    ExpectFailedSave("path too long");

    CMessageCapture messages;
    EXPECT_FALSE(m_doc.OnSaveDocument("G:\\set\\gone.mrd"));
    EXPECT_EQ(1u, messages.Shown().size());
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_strTarget, m_doc.GetPathName());
}
