// Bad input: thousands of seeded random data files (random bytes, NUL
// bytes, lone CRs, missing or truncated lines, Shift-JIS with trail byte
// 0x5C next to a TAB) and a 10 MB line are read by the rules without a
// crash (folder texts that are no plain path left out), and what was read
// is written and read back unchanged.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "DataFileTestSupport.h"
#include "DocTestSupport.h"
#include "ScratchTree.h"

namespace {

const std::string HEADER_START = "mrq Backup File \t";

// The content's lines by the line rules, split here byte by byte without
// the archive: LF ends a line, CR ends one and takes the next byte along
// (an LF dropped, anything else kept), unterminated bytes make a last line.
std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::string line;
    bool bOpen = false;
    for (size_t i = 0; i < content.size(); ++i) {
        char ch = content[i];
        if (ch != '\n' && ch != '\r') {
            line += ch;
            bOpen = true;
            continue;
        }
        if (ch == '\r' && i + 1 < content.size() && content[++i] != '\n')
            line += content[i];
        lines.push_back(line);
        line.clear();
        bOpen = false;
    }
    if (bOpen)
        lines.push_back(line);
    return lines;
}

// A folder text the set takes: up to its first NUL (where a path ends) no
// wildcard, and only characters of the code page.
bool IsTakenFolder(const std::string& line) {
    std::string folder = line.substr(0, line.find('\t'));
    folder = folder.substr(0, folder.find('\0'));
    return folder.find_first_of("?*") == std::string::npos &&
           MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, folder.c_str(), -1, nullptr, 0) > 0;
}

size_t ExpectedEntries(const std::string& content) {
    std::vector<std::string> lines = SplitLines(content);
    if (lines.empty() || lines[0].compare(0, HEADER_START.size(), HEADER_START) != 0)
        return 0;
    size_t nEntries = 0;
    for (size_t i = 2; i < lines.size(); ++i)
        nEntries += IsTakenFolder(lines[i]);
    return nEntries;
}

class CCorpus {
public:
    explicit CCorpus(unsigned nSeed) : m_random(nSeed) {}

    std::string Make(int nKind) {
        switch (nKind) {
        case 0:
            return Bytes(Below(2000), false);
        case 1:
            return HEADER_START + "HeaderVersion 2.1\r\n" + Bytes(Below(600), true);
        case 2:
            return HEADER_START + "HeaderVersion 2.1\r\n" + Lines(Below(12));
        case 3:
            return Lines(Below(12)); // no header
        case 4: {                    // cut anywhere, even inside a double-byte character
            std::string full = HEADER_START + "x\r\n" + Lines(1 + Below(8));
            return full.substr(0, Below(static_cast<int>(full.size()) + 1));
        }
        default: { // lone CRs sprinkled over a good file
            std::string text = HEADER_START + "HeaderVersion 2.1\r\n" + Lines(1 + Below(8));
            for (int n = Below(6); n >= 0; --n)
                text.insert(static_cast<size_t>(Below(static_cast<int>(text.size()))), "\r");
            return text;
        }
        }
    }

private:
    int Below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    // Random bytes; bTricky draws most of them from the bytes that matter.
    std::string Bytes(int nLength, bool bTricky) {
        static const char tricky[] = "\t\r\n\0\\\x95\x5C\x83\x81\xE0\xEF\xFF a1-";
        std::string s;
        for (int i = 0; i < nLength; ++i)
            s += bTricky && Below(4) ? tricky[Below(sizeof tricky - 1)]
                                     : static_cast<char>(Below(256));
        return s;
    }

    std::string Field() {
        static const char* const pieces[] = {
            "表", "ソ", "能",       "十",       "\\", "D:\\data", "する",    "しない", "-1",
            "0",  "1",  "00000001", "12345678", "->", "",         "tmp,bak", "\x95",   "\0"};
        std::string s;
        for (int n = Below(4); n > 0; --n)
            s += n == 1 && Below(8) == 0 ? std::string(1, '\0') : pieces[Below(17)];
        return s;
    }

    std::string Lines(int nLines) {
        static const char* const ends[] = {"\r\n", "\n", "\r", "\rx", "\t\r\n"};
        std::string s;
        for (int i = 0; i < nLines; ++i) {
            for (int n = Below(11); n >= 0; --n)
                s += Field() + (n > 0 ? "\t" : "");
            s += i + 1 < nLines || Below(2) ? ends[Below(5)] : "";
        }
        return s;
    }

    std::mt19937 m_random;
};

class DataFileCorpusTest : public testing::Test {
protected:
    DataFileCorpusTest() : m_tree("corpus") {}

    // Reads content by the rules, then checks that the set survives a save
    // and a second load unchanged, and that the writer is stable.
    void Check(const std::string& content, const std::string& name) {
        CMrqDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(m_tree.WriteFile("in.mrd", content))) << name;
        size_t nExpected = ExpectedEntries(content);
        ASSERT_EQ(nExpected, static_cast<size_t>(doc.m_sources.GetCount())) << name;

        CString strSaved = m_tree.Path("saved.mrd");
        ASSERT_TRUE(doc.OnSaveDocument(strSaved)) << name;
        std::string saved = ReadWholeFile(strSaved);
        ASSERT_EQ(nExpected + 2, SplitLines(saved).size()) << name;

        CMrqDoc again;
        ASSERT_TRUE(again.OnOpenDocument(strSaved)) << name;
        ASSERT_EQ(Snapshot(doc), Snapshot(again)) << name;
        ASSERT_TRUE(again.OnSaveDocument(m_tree.Path("again.mrd"))) << name;
        ASSERT_EQ(saved, ReadWholeFile(m_tree.Path("again.mrd"))) << name;
    }

    CScratchTree m_tree;
    CMessageCapture m_messages;
};

} // namespace

TEST_F(DataFileCorpusTest, SeededRandomFilesAreReadByTheRules) {
    CCorpus corpus(3141592);
    for (int i = 0; i < 3000; ++i) {
        Check(corpus.Make(i % 6), "file " + std::to_string(i) + " kind " + std::to_string(i % 6));
        if (HasFatalFailure())
            return;
    }
    EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(DataFileCorpusTest, TenMegabyteLineIsOneEntry) {
    std::string line = "D:\\";
    std::mt19937 random(7);
    while (line.size() < 10 * 1024 * 1024)
        line += (random() % 3) ? "表\\ソ\t" : "abc\\";
    Check(HEADER_START + "v\r\nF:\\bk\t\r\n" + line + "\r\n", "10 MB line");
}
