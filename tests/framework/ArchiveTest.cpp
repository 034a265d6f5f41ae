// Line reading and byte writing over files: the line rules at every buffer
// boundary, NUL bytes, a 10 MB line, and writes that fail halfway.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "Archive.h"
#include "ScratchTree.h"

namespace {

using Lines = std::vector<std::string>;

class ArchiveTest : public testing::Test {
protected:
    ArchiveTest() : m_tree("archive") {}
    ~ArchiveTest() override { CFile::FailWritesAfter(-1); }

    Lines ReadLines(const std::string& content, UINT nBufferSize = 65536) {
        CString strPath = m_tree.WriteFile("in.txt", content);
        CFile file;
        EXPECT_TRUE(file.Open(strPath, CFile::modeRead));
        CArchive ar(&file, CArchive::load, nBufferSize);
        EXPECT_TRUE(ar.IsLoading());
        Lines lines;
        CString strLine;
        while (ar.ReadString(strLine))
            lines.push_back(strLine.str());
        EXPECT_TRUE(strLine.IsEmpty());
        EXPECT_EQ(0u, ar.GetError());
        return lines;
    }

    CScratchTree m_tree;
};

struct CLineCase {
    const char* pszName;
    std::string content;
    Lines expected;
};

} // namespace

TEST_F(ArchiveTest, LineRulesHoldAtEveryBufferBoundary) {
    using namespace std::string_literals;
    const CLineCase cases[] = {
        {"empty file has no line", "", {}},
        {"CR LF and LF both end a line", "a\r\nb\nc\r\n", {"a", "b", "c"}},
        {"last line needs no terminator", "a\r\nlast", {"a", "last"}},
        {"lone LF is one empty line", "\n", {""}},
        {"lone CR at the end is one empty line", "\r", {""}},
        {"CR takes another byte along as the last character", "ab\rXcd\n", {"abX", "cd"}},
        {"CR takes a CR along", "a\r\r\nb", {"a\r", "", "b"}},
        {"CR takes a TAB along", "a\r\tb", {"a\t", "b"}},
        {"CR at the very end ends the last line", "a\r\nb\r", {"a", "b"}},
        {"empty lines are lines", "\r\n\r\n\n", {"", "", ""}},
        {"NUL bytes are characters", "x\0y\r\n\0"s, {"x\0y"s, "\0"s}},
        {"trail byte 0x5C and TAB stay", "表\tソ\r\n能\\十", {"表\tソ", "能\\十"}},
    };
    for (UINT nBuffer : {1u, 2u, 3u, 5u, 65536u}) {
        for (const CLineCase& c : cases)
            EXPECT_EQ(c.expected, ReadLines(c.content, nBuffer))
                << c.pszName << ", buffer " << nBuffer;
    }
}

TEST_F(ArchiveTest, TenMegabyteLineIsReadWholeAndQuickly) {
    std::string line(10 * 1024 * 1024, 'x');
    line[5 * 1024 * 1024] = '\0';
    auto start = std::chrono::steady_clock::now();
    Lines lines = ReadLines(line + "\r\nend");
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(2u, lines.size());
    EXPECT_TRUE(lines[0] == line);
    EXPECT_EQ("end", lines[1]);
    EXPECT_LT(seconds, 5.0);
}

TEST_F(ArchiveTest, WriteStringWritesTheBytesOnly) {
    using namespace std::string_literals;
    CString strPath = m_tree.Path("out.txt");
    CFile file;
    ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeWrite));
    {
        CArchive ar(&file, CArchive::store, 4);
        EXPECT_TRUE(ar.IsStoring());
        ar.WriteString("表\t");
        ar.WriteString(CString("a\0b"s));
        ar.WriteString("");
        ar.WriteString(CString(std::string(10000, 'z')));
    }
    EXPECT_EQ(10006u, file.GetLength());
    file.Close();
    EXPECT_EQ("表\ta\0b"s + std::string(10000, 'z'), ReadWholeFile(strPath));
}

TEST_F(ArchiveTest, WriteFailingHalfwayKeepsTheFirstErrorAndStops) {
    CString strPath = m_tree.Path("full.txt");
    CFile file;
    CFile::FailWritesAfter(10);
    ASSERT_TRUE(file.Open(strPath, CFile::modeCreate | CFile::modeWrite));
    CArchive ar(&file, CArchive::store, 8);
    for (int i = 0; i < 10; ++i)
        ar.WriteString("0123456789");
    ar.Close();
    EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), ar.GetError());
    file.Close();
    EXPECT_EQ("01234567", ReadWholeFile(strPath).substr(0, 8));
    EXPECT_EQ(10u, ReadWholeFile(strPath).size());
}

TEST_F(ArchiveTest, FileReportsOpenFailuresWithTheSystemError) {
    CFile file;
    EXPECT_FALSE(file.Open(m_tree.Path("missing.txt"), CFile::modeRead));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), file.GetError());
    EXPECT_FALSE(file.Open("G:\\gone.txt", CFile::modeCreate | CFile::modeWrite));
    EXPECT_NE(0u, file.GetError());
    EXPECT_FALSE(file.IsOpen());
}
