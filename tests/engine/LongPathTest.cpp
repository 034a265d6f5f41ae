// Paths of 260 bytes and more: backed up, kept in the history, removed and
// compared like any other, up to the file system's own limit; nothing
// overflows, and no other file or path is touched.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "BackupHarness.h"
#include "ScratchTree.h"

namespace {

std::wstring Widen(const CString& str) {
    std::wstring w(MAX_PATH * 4, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, str, -1, &w[0], static_cast<int>(w.size()));
    w.resize(n > 0 ? n - 1 : 0);
    return L"\\\\?\\" + w;
}

// Creates a file of any path length with the wide, prefixed interface.
bool WriteLongFile(const CString& strPath, const std::string& content) {
    std::wstring path = Widen(strPath);
    for (size_t i = 7; i < path.size(); ++i)
        if (path[i] == L'\\')
            CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD dw = 0;
    WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &dw, nullptr);
    CloseHandle(h);
    return true;
}

bool LongPathExists(const CString& strPath) {
    return GetFileAttributesW(Widen(strPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A name of n bytes built from double-byte characters whose trail byte is
// 0x5C, so a scan that loses the character rule cuts in the wrong place.
// (Each becomes 3 bytes of UTF-8 on the Linux side, whose names stop at 255
// bytes: keep n at 160 or less.)
CString JapaneseName(int nBytes) {
    CString str;
    while (str.GetLength() + 2 <= nBytes)
        str += "表";
    if (str.GetLength() < nBytes)
        str += "x";
    return str;
}

// The files of a snapshot: a mirror folder whose source has gone goes in
// the run after its files (once it is empty).
CTreeSnapshot FilesOf(CTreeSnapshot snapshot) {
    for (auto it = snapshot.begin(); it != snapshot.end();)
        it = it->second == "<folder>" ? snapshot.erase(it) : std::next(it);
    return snapshot;
}

class LongPathTest : public CBackupFixture {
protected:
    LongPathTest() : CBackupFixture("long", "src", "2") {}
};

// src\<100>\<100>...: ten levels make a path of over 1,000 bytes.
CString DeepFolder(const CString& strTop, int nLevels) {
    CString str = strTop;
    for (int i = 0; i < nLevels; ++i)
        str += "\\" + JapaneseName(100);
    return str;
}

TEST_F(LongPathTest, DeepFilesAreBackedUpKeptInTheHistoryAndRemoved) {
    CString strDeep = DeepFolder(m_strSource, 3) + "\\deep.txt";   // about 320 bytes
    CString strDeeper = DeepFolder(m_strSource, 10) + "\\far.txt"; // over 1,000 bytes
    ASSERT_GE(strDeeper.GetLength(), 1000);
    ASSERT_TRUE(WriteLongFile(strDeep, "v1"));
    ASSERT_TRUE(WriteLongFile(strDeeper, "far"));
    ASSERT_TRUE(WriteLongFile(m_strSource + "\\" + CString('x', 240) + ".txt", "long name"));
    m_tree.WriteFile("src\\top.txt", "top");

    CRunResult first = RunBackup(*m_source, m_strDestination);
    EXPECT_EQ(0, first.nStatus);
    EXPECT_EQ("", first.strWarnings);
    EXPECT_EQ(4, first.nNew);
    EXPECT_EQ(SnapshotTree(m_strSource), SnapshotTree(m_source->m_strMirror));

    // Changed: the old version goes to a history path longer still.
    ASSERT_TRUE(WriteLongFile(strDeep, "v2"));
    SetWriteTime(strDeep, 2020, 1, 2, 0, 0, 0);
    CRunResult changed = RunBackup(*m_source, m_strDestination);
    EXPECT_EQ(1, changed.nUpdated);
    CString strRest = strDeep.Mid(m_strSource.GetLength());
    EXPECT_EQ("v2", ReadWholeFile(m_source->m_strMirror + strRest));
    EXPECT_EQ("v1", ReadWholeFile(m_strDestination + "\\mrq HistoryFolder\\bk1\\src" + strRest));

    // Unchanged: nothing copied, nothing removed.
    CRunResult again = RunBackup(*m_source, m_strDestination);
    EXPECT_EQ(0, again.nNew + again.nUpdated + again.nDeleted);

    // Gone from the source: gone from the mirror, folders and all.
    RemoveTree(DeepFolder(m_strSource, 4));
    CRunResult removed = RunBackup(*m_source, m_strDestination);
    EXPECT_EQ(1, removed.nDeleted);
    EXPECT_EQ(FilesOf(SnapshotTree(m_strSource)), FilesOf(SnapshotTree(m_source->m_strMirror)));
}

TEST_F(LongPathTest, FilteredFileIsNotReportedEvenWhenItsPathIsLong) {
    ASSERT_TRUE(WriteLongFile(m_strSource + "\\" + CString('x', 240) + ".tmp", "t"));
    CRunOptions options;
    options.strNoCopy = "tmp";
    CRunResult result = Run(options);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("", result.strWarnings);
    EXPECT_EQ(0, CountFiles(m_strDestination));
}

TEST_F(LongPathTest, DeepDestinationTakesFilesAndHistoryPastTheOldLimit) {
    // The source path fits; its mirror and history paths do not.
    CString strDeepDestination = m_strDestination + "\\" + JapaneseName(150);
    ASSERT_TRUE(MakeFolders(strDeepDestination));
    auto source = MakeSource(m_strSource, strDeepDestination);
    CString strName = JapaneseName(100) + ".txt";
    CString strFile = m_tree.WriteFile(CString("src\\") + strName, "v1");
    ASSERT_GE(source->m_strMirror.GetLength() + 1 + strName.GetLength(), MAX_PATH);
    SetWriteTime(strFile, 2020, 1, 1, 0, 0, 0);
    EXPECT_EQ(0, RunBackup(*source, strDeepDestination).nStatus);
    EXPECT_EQ("v1", ReadWholeFile(source->m_strMirror + "\\" + strName));

    WriteWholeFile(strFile, "v2");
    SetWriteTime(strFile, 2020, 1, 2, 0, 0, 0);
    CRunResult result = RunBackup(*source, strDeepDestination);
    EXPECT_EQ("", result.strWarnings);
    EXPECT_EQ("v2", ReadWholeFile(source->m_strMirror + "\\" + strName));
    EXPECT_EQ("v1",
              ReadWholeFile(strDeepDestination + "\\mrq HistoryFolder\\bk1\\src\\" + strName));
}

TEST_F(LongPathTest, MirrorFileOfALongSourcePathGoesOnlyOnceItsSourceHasGone) {
    // The mirror folder's name is much shorter than the source's, so the
    // mirror file's source path is past the old limit.
    CString strLongSource = m_tree.MakeFolder(JapaneseName(140));
    CBackupSource source(strLongSource);
    source.m_strMirror = m_strDestination + "\\m";
    CString strName = JapaneseName(120) + ".txt";
    ASSERT_GE(strLongSource.GetLength() + 1 + strName.GetLength(), MAX_PATH);
    ASSERT_TRUE(WriteLongFile(strLongSource + "\\" + strName, "kept"));
    EXPECT_EQ(0, RunBackup(source, m_strDestination).nStatus);
    ASSERT_TRUE(LongPathExists(source.m_strMirror + "\\" + strName));

    CRunResult still = RunBackup(source, m_strDestination);
    EXPECT_EQ(0, still.nDeleted);
    ASSERT_TRUE(DeleteFileW(Widen(strLongSource + "\\" + strName).c_str()));
    CRunResult gone = RunBackup(source, m_strDestination);
    EXPECT_EQ(1, gone.nDeleted);
    EXPECT_FALSE(LongPathExists(source.m_strMirror + "\\" + strName));
}

TEST_F(LongPathTest, FoldersAroundTheOldLimitAreBackedUp) {
    // Subfolder paths of 255 to 261 bytes: the folder, its "\*.*" pattern or
    // its file's path crossed the old 260-byte limit.
    for (int nLength = 255; nLength <= 261; ++nLength) {
        CScratchTree tree("longpat");
        CString strDestination = tree.MakeFolder("d");
        CString strTop = tree.MakeFolder("s");
        CString strSub = strTop;
        while (strSub.GetLength() + 101 < nLength)
            strSub += "\\" + JapaneseName(100);
        strSub += "\\" + JapaneseName(nLength - strSub.GetLength() - 1);
        ASSERT_EQ(nLength, strSub.GetLength());
        ASSERT_TRUE(WriteLongFile(strSub + "\\a", "a"));
        tree.WriteFile("s\\top.txt", "top");
        auto source = MakeSource(strTop, strDestination, "0");
        CRunResult result = RunBackup(*source, strDestination);
        EXPECT_EQ(0, result.nStatus) << nLength;
        EXPECT_EQ("", result.strWarnings) << nLength;
        EXPECT_EQ(SnapshotTree(strTop), SnapshotTree(source->m_strMirror)) << nLength;
    }
}

} // namespace
