// Paths longer than the 260-byte buffers: the affected files fail like any
// file that cannot be copied, nothing overflows, and no other file or path
// is touched.
#include <gtest/gtest.h>

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

class LongPathTest : public CBackupFixture {
protected:
    LongPathTest() : CBackupFixture("long", "src", "2") {}
};

TEST_F(LongPathTest, TreeDeeperThanTheBufferFailsOnlyItsDeepFiles) {
    // src\<100>\<100>\<100>\deep.txt is well over 260 bytes.
    CString strDeep = m_strSource;
    for (int i = 0; i < 3; ++i)
        strDeep += "\\" + JapaneseName(100);
    ASSERT_TRUE(WriteLongFile(strDeep + "\\deep.txt", "deep"));
    ASSERT_TRUE(WriteLongFile(m_strSource + "\\" + JapaneseName(100) + "\\near.txt", "near"));
    m_tree.WriteFile("src\\top.txt", "top");

    CRunResult result = RunBackup(*m_source, m_strDestination);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("top", ReadWholeFile(m_source->m_strMirror + "\\top.txt"));
    EXPECT_EQ("near",
              ReadWholeFile(m_source->m_strMirror + "\\" + JapaneseName(100) + "\\near.txt"));
    EXPECT_NE(-1, result.strWarnings.Find("がコピーされませんでした。"));
    // Nothing was written outside the mirror folder.
    EXPECT_EQ(2, CountFiles(m_strDestination));

    // A second run over the same tree behaves the same and removes nothing.
    CRunResult again = RunBackup(*m_source, m_strDestination);
    EXPECT_EQ(0, again.nStatus);
    EXPECT_EQ(0, again.nDeleted);
    EXPECT_EQ(2, CountFiles(m_strDestination));
}

TEST_F(LongPathTest, LongFileNameInAShortSourceFailsAlone) {
    CString strName = CString('x', 240) + ".txt";
    ASSERT_TRUE(WriteLongFile(m_strSource + "\\" + strName, "long"));
    ASSERT_GE(m_strSource.GetLength() + 1 + strName.GetLength(), MAX_PATH);
    m_tree.WriteFile("src\\short.txt", "short");
    CRunResult result = RunBackup(*m_source, m_strDestination);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("short", ReadWholeFile(m_source->m_strMirror + "\\short.txt"));
    EXPECT_EQ(CString("Warning : ") + m_strSource + "\\" + strName +
                  " がコピーされませんでした。\n",
              result.strWarnings);
}

TEST_F(LongPathTest, FilteredFileIsNotReportedEvenWhenItsPathIsTooLong) {
    ASSERT_TRUE(WriteLongFile(m_strSource + "\\" + CString('x', 240) + ".tmp", "t"));
    CRunOptions options;
    options.strNoCopy = "tmp";
    CRunResult result = Run(options);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("", result.strWarnings);
}

TEST_F(LongPathTest, LongDestinationFailsTheFilesThatNoLongerFit) {
    // The source path fits; its mirror path under a deep destination does not.
    CString strDeepDestination = m_strDestination + "\\" + JapaneseName(150);
    ASSERT_TRUE(MakeFolders(strDeepDestination));
    auto source = MakeSource(m_strSource, strDeepDestination);
    CString strName = JapaneseName(100) + ".txt";
    m_tree.WriteFile(CString("src\\") + strName, "fits in the source");
    ASSERT_GE(source->m_strMirror.GetLength() + 1 + strName.GetLength(), MAX_PATH);
    m_tree.WriteFile("src\\a.txt", "a");

    CRunResult result = RunBackup(*source, strDeepDestination);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("a", ReadWholeFile(source->m_strMirror + "\\a.txt"));
    EXPECT_NE(-1, result.strWarnings.Find(strName));
    EXPECT_EQ(1, CountFiles(strDeepDestination));
}

TEST_F(LongPathTest, HistoryPathTooLongKeepsTheMirrorCopy) {
    // The mirror path fits but "mrq HistoryFolder\bk1\<title>\..." does not:
    // the old version must stay in the mirror, not be lost.
    CString strName = JapaneseName(70) + "\\" + JapaneseName(150) + ".txt";
    CString strFile = m_tree.WriteFile(CString("src\\") + strName, "v1");
    ASSERT_TRUE(PathExists(strFile));
    SetWriteTime(strFile, 2020, 1, 1, 0, 0, 0);
    RunBackup(*m_source, m_strDestination);
    CString strMirror = m_source->m_strMirror + "\\" + strName;
    ASSERT_EQ("v1", ReadWholeFile(strMirror));
    CString strHistory = m_strDestination + "\\mrq HistoryFolder\\bk1\\src\\" + strName;
    ASSERT_GE(strHistory.GetLength(), MAX_PATH);

    WriteWholeFile(strFile, "v2");
    SetWriteTime(strFile, 2020, 1, 2, 0, 0, 0);
    CRunResult result = RunBackup(*m_source, m_strDestination);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ("v1", ReadWholeFile(strMirror));
    EXPECT_EQ(CString("Warning : ") + strFile + " がコピーされませんでした。\n",
              result.strWarnings);
}

TEST_F(LongPathTest, MirrorFileWhoseSourcePathCannotBeBuiltIsKept) {
    // The mirror folder's name is much shorter than the source's, so a
    // mirror file can exist whose source path would not fit: it must not be
    // taken for gone.
    CString strLongSource = m_tree.MakeFolder(JapaneseName(140));
    CBackupSource source(strLongSource);
    source.m_strMirror = m_strDestination + "\\m";
    CString strName = JapaneseName(120) + ".txt";
    CString strKept = m_tree.WriteFile(CString("dest\\m\\") + strName, "kept");
    ASSERT_TRUE(PathExists(strKept));
    ASSERT_GE(strLongSource.GetLength() + 1 + strName.GetLength(), MAX_PATH);

    CRunResult result = RunBackup(source, m_strDestination);
    EXPECT_EQ(0, result.nDeleted);
    EXPECT_TRUE(LongPathExists(strKept));
}

TEST_F(LongPathTest, FoldersWhosePatternNoLongerFitsAreReportedNotSkipped) {
    // A subfolder path of 256 to 259 bytes fits, "\*.*" after it does not.
    for (int nLength = 256; nLength <= 259; ++nLength) {
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
        EXPECT_EQ(0, result.nStatus);
        EXPECT_NE(-1, result.strWarnings.Find(strSub + " がコピーされませんでした。")) << nLength;
        EXPECT_EQ(1, CountFiles(strDestination));

        // The same folder registered as a source is refused the same way.
        auto deep = MakeSource(strSub, strDestination, "0");
        CRunResult direct = RunBackup(*deep, strDestination);
        EXPECT_NE(-1, direct.strWarnings.Find(strSub + " がコピーされませんでした。")) << nLength;
    }
}

} // namespace
