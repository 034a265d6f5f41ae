// Path text: every scan must step over double-byte characters whose trail
// byte is 0x5C (表 95 5C, ソ 83 5C, 能 94 5C, 十 8F 5C), and nothing may be
// written past a MAX_PATH buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "PathText.h"
#include "ScratchTree.h"

namespace {

// A path buffer followed by guard bytes that an overflow would change.
struct CGuardedPath {
    char sz[MAX_PATH];
    unsigned char guard[16];

    explicit CGuardedPath(const std::string& text = "") {
        std::memset(sz, 'q', sizeof sz);
        std::memset(guard, 0xCC, sizeof guard);
        std::memcpy(sz, text.c_str(), text.size() + 1);
    }
    bool GuardIntact() const {
        for (unsigned char c : guard)
            if (c != 0xCC)
                return false;
        return true;
    }
};

std::string Repeat(char ch, size_t n) {
    return std::string(n, ch);
}

std::string LastComponent(const char* psz) {
    char sz[MAX_PATH];
    std::strcpy(sz, psz);
    GetLastComponent(sz);
    return sz;
}

std::string Shortened(const char* psz, int nMax) {
    char sz[MAX_PATH];
    std::strcpy(sz, psz);
    ShortenPath(sz, nMax);
    return sz;
}

std::string ShareName(const char* psz, bool* pbResult) {
    CGuardedPath out;
    *pbResult = GetShareName(psz, out.sz);
    EXPECT_TRUE(out.GuardIntact());
    return *pbResult ? std::string(out.sz) : std::string("<none>");
}

} // namespace

TEST(PathText, AddBackslashAfterATrailByte5C) {
    CGuardedPath path("E:\\表");
    EXPECT_EQ(6, AddBackslash(path.sz));
    EXPECT_STREQ("E:\\表\\", path.sz);
    EXPECT_EQ(6, AddBackslash(path.sz)); // now it ends in a real backslash
    EXPECT_STREQ("E:\\表\\", path.sz);

    CGuardedPath root("E:\\");
    EXPECT_EQ(3, AddBackslash(root.sz));
    CGuardedPath empty("");
    EXPECT_EQ(0, AddBackslash(empty.sz));
    EXPECT_STREQ("", empty.sz);

    CString str("D:\\ソ");
    AddBackslash(str);
    EXPECT_EQ("D:\\ソ\\", str);
    AddBackslash(str);
    EXPECT_EQ("D:\\ソ\\", str);
    CString strEmpty;
    AddBackslash(strEmpty);
    EXPECT_EQ("", strEmpty);
}

TEST(PathText, AddBackslashStopsAtTheBufferEnd) {
    CGuardedPath fits("D:\\" + Repeat('a', 255)); // 258 bytes
    EXPECT_EQ(259, AddBackslash(fits.sz));
    EXPECT_EQ('\\', fits.sz[258]);
    EXPECT_TRUE(fits.GuardIntact());

    std::string full = "D:\\" + Repeat('a', 254) + "表"; // 259 bytes
    CGuardedPath refused(full);
    EXPECT_EQ(-1, AddBackslash(refused.sz));
    EXPECT_EQ(full, refused.sz);
    EXPECT_TRUE(refused.GuardIntact());
}

TEST(PathText, JoinPathWithJapaneseNames) {
    CGuardedPath out;
    EXPECT_TRUE(JoinPath(out.sz, "D:\\a\\表", "ソ.txt"));
    EXPECT_STREQ("D:\\a\\表\\ソ.txt", out.sz);
    EXPECT_TRUE(JoinPath(out.sz, "D:\\", "能"));
    EXPECT_STREQ("D:\\能", out.sz);
    EXPECT_TRUE(JoinPath(out.sz, "D:\\十", "*.*"));
    EXPECT_STREQ("D:\\十\\*.*", out.sz);
    EXPECT_TRUE(JoinPath(out.sz, "", "x"));
    EXPECT_STREQ("x", out.sz);

    EXPECT_EQ("D:\\a\\表\\ソ.txt", JoinPath(CString("D:\\a\\表"), "ソ.txt"));
    EXPECT_EQ("D:\\a\\", JoinPath(CString("D:\\a\\"), ""));
}

TEST(PathText, JoinPathOf259BytesFitsAnd260IsRefused) {
    // Folder without a backslash at the end: one byte is added between.
    std::string folder = "D:\\" + Repeat('f', 240) + "表"; // 245 bytes
    std::string name13 = Repeat('n', 9) + ".txt";          // 13 bytes
    CGuardedPath out;
    ASSERT_TRUE(JoinPath(out.sz, folder.c_str(), name13.c_str()));
    EXPECT_EQ(259u, std::strlen(out.sz));
    EXPECT_EQ(folder + "\\" + name13, out.sz);
    EXPECT_TRUE(out.GuardIntact());

    CGuardedPath refused;
    std::string name14 = "ソ" + name13.substr(1); // 14 bytes, ends the same
    EXPECT_FALSE(JoinPath(refused.sz, folder.c_str(), name14.c_str()));
    EXPECT_STREQ("", refused.sz);
    EXPECT_TRUE(refused.GuardIntact());

    // The added backslash alone overflows a folder of 259 bytes.
    std::string folder259 = "D:\\" + Repeat('f', 254) + "十";
    CGuardedPath noRoom;
    EXPECT_FALSE(JoinPath(noRoom.sz, folder259.c_str(), ""));
    EXPECT_TRUE(noRoom.GuardIntact());
    // ...unless it is already there.
    std::string folder259Slash = "D:\\" + Repeat('f', 255) + "\\";
    EXPECT_TRUE(JoinPath(noRoom.sz, folder259Slash.c_str(), ""));
    EXPECT_EQ(folder259Slash, noRoom.sz);

    // Parts that are too long on their own.
    std::string longName = Repeat('n', 300);
    EXPECT_FALSE(JoinPath(noRoom.sz, "D:\\", longName.c_str()));
    EXPECT_FALSE(JoinPath(noRoom.sz, longName.c_str(), "x"));
    EXPECT_TRUE(noRoom.GuardIntact());
}

TEST(PathText, FindBackslashSkipsTrailBytes) {
    // D : \ a \ 表 表 \ ソ ソ . t x t  (the trail bytes at 6 and 9 are 0x5C)
    const char* psz = "D:\\a\\表\\ソ.txt";
    EXPECT_EQ(2, FindBackslash(psz, true));
    EXPECT_EQ(7, FindBackslash(psz, false));
    EXPECT_EQ(-1, FindBackslash("表ソ能十", true));
    EXPECT_EQ(-1, FindBackslash("表ソ能十", false));
    EXPECT_EQ(2, FindBackslash("十\\", true));
    EXPECT_EQ(0, FindBackslash("\\", false));
    EXPECT_EQ(-1, FindBackslash("", true));
}

TEST(PathText, GetLastComponent) {
    EXPECT_EQ("ソ.txt", LastComponent("D:\\a\\表\\ソ.txt"));
    EXPECT_EQ("十表", LastComponent("D:\\a\\十表"));
    EXPECT_EQ("", LastComponent("E:\\data\\"));
    EXPECT_EQ("D root", LastComponent("D:\\"));
    EXPECT_EQ("D root", LastComponent("D:"));
    EXPECT_EQ("", LastComponent(""));
    EXPECT_EQ("name", LastComponent("name"));
    EXPECT_EQ("能", LastComponent("\\\\pc\\能"));
    // A short path that starts with a double-byte character keeps it whole.
    EXPECT_EQ("表 root", LastComponent("表\\"));

    EXPECT_EQ("ソ.txt", GetLastComponent(CString("D:\\表\\ソ.txt")));
    EXPECT_EQ("E root", GetLastComponent(CString("E:\\")));
    std::string longPath = "D:\\" + Repeat('a', 300) + "\\表ソ";
    EXPECT_EQ("表ソ", GetLastComponent(CString(longPath.c_str())));
}

TEST(PathText, GetFolderTitleGivesTheStoredName) {
    CScratchTree tree("title");
    tree.MakeFolder("Data");
    tree.WriteFile("表\\Report.Doc", "");
    EXPECT_EQ("Data", GetFolderTitle(tree.Path("DATA")));
    EXPECT_EQ("Report.Doc", GetFolderTitle(tree.Path("表\\REPORT.DOC")));
    EXPECT_EQ("表", GetFolderTitle(tree.Path("表")));
    EXPECT_EQ("", GetFolderTitle(tree.Path("無い")));
    EXPECT_EQ("D root", GetFolderTitle("D:\\"));
    EXPECT_EQ("D root", GetFolderTitle("D:"));
    EXPECT_EQ("", GetFolderTitle("D"));
    EXPECT_EQ("", GetFolderTitle(""));
    EXPECT_EQ("能 root", GetFolderTitle("能"));
}

TEST(PathText, ShortenPathDropsFoldersFromTheRight) {
    const char* psz = "E:\\Documents\\Projects\\2000\\March\\report.doc"; // 43 bytes
    EXPECT_EQ("E:\\Documents\\.. \\report.doc", Shortened(psz, 30));
    // head + name + 3 equal to the maximum is still too long.
    EXPECT_EQ("E:\\Documents\\.. \\report.doc", Shortened(psz, 27));
    EXPECT_EQ("E:\\.. \\report.doc", Shortened(psz, 26));
    EXPECT_EQ(psz, Shortened(psz, 43));
    EXPECT_EQ("E:\\Documents\\Projects\\2000\\.. \\report.doc", Shortened(psz, 42));
}

TEST(PathText, ShortenPathWithALongName) {
    const char* psz = "E:\\Documents\\Projects\\report.doc"; // name "\report.doc": 11
    // name + 7 equal to the maximum still leaves room for a head.
    EXPECT_EQ("E:\\.. \\report.doc", Shortened(psz, 18));
    EXPECT_EQ("\\report.doc", Shortened(psz, 17));
    // A name longer than the maximum is kept whole.
    EXPECT_EQ("\\report.doc", Shortened(psz, 5));
}

TEST(PathText, ShortenPathCutsOnlyAtRealBackslashes) {
    // 11 + 9 + 9 bytes; ソ's trail byte ends the middle folder.
    const char* psz = "D:\\表表表表\\ソソソソ\\能能.txt";
    EXPECT_EQ("D:\\表表表表\\.. \\能能.txt", Shortened(psz, 25));
    EXPECT_EQ("\\能能.txt", Shortened(psz, 15));
}

TEST(PathText, ShortenPathWithoutBackslashEndsOnACharacter) {
    EXPECT_EQ("abcde", Shortened("abcdefgh", 5));
    EXPECT_EQ("表表", Shortened("表表表", 5));
    EXPECT_EQ("表表表", Shortened("表表表", 6));
}

TEST(PathText, GetShareName) {
    bool bResult = false;
    EXPECT_EQ("\\\\server\\share", ShareName("\\\\server\\share\\x\\y", &bResult));
    EXPECT_TRUE(bResult);
    EXPECT_EQ("\\\\server\\share", ShareName("\\\\server\\share", &bResult));
    EXPECT_EQ("\\\\server", ShareName("\\\\server", &bResult));
    EXPECT_TRUE(bResult);
    // Trail bytes 0x5C in the server and share names are no separators.
    EXPECT_EQ("\\\\表\\ソ十", ShareName("\\\\表\\ソ十\\能", &bResult));
    EXPECT_EQ("<none>", ShareName("D:\\share\\x", &bResult));
    EXPECT_FALSE(bResult);
    EXPECT_EQ("<none>", ShareName("\\x", &bResult));
    EXPECT_EQ("<none>", ShareName("", &bResult));
}

TEST(PathText, ExtensionIsAfterTheFirstDotLowerCased) {
    EXPECT_FALSE(HasListedExtension("E:\\x\\archive.tar.gz", "gz"));
    EXPECT_TRUE(HasListedExtension("E:\\x\\archive.tar.gz", "tar.gz"));
    EXPECT_TRUE(HasListedExtension("D:\\Report.Final.DOC", "txt,final.doc"));
    EXPECT_TRUE(HasListedExtension("D:\\.profile", "profile"));
    EXPECT_TRUE(HasListedExtension("report.TXT", "txt")); // no folder part
    // The name starts after the last real backslash: here it is b.c表d.txt,
    // not d.txt after the trail byte of 表.
    EXPECT_FALSE(HasListedExtension("D:\\a\\b.c表d.txt", "txt"));
    EXPECT_TRUE(HasListedExtension("D:\\a\\b.c表d.txt", "c表d.txt"));
    // A dot in a folder name is no extension of the file.
    EXPECT_FALSE(HasListedExtension("D:\\v1.txt\\表ソ", "txt"));
    EXPECT_TRUE(HasListedExtension("D:\\十\\能.ソ表", "bak,ソ表"));
}

TEST(PathText, ListItemsAreTakenAsWritten) {
    EXPECT_FALSE(HasListedExtension("D:\\a.doc", "Doc"));
    EXPECT_FALSE(HasListedExtension("D:\\a.doc", "txt, doc"));
    EXPECT_FALSE(HasListedExtension("D:\\a.doc", "doc "));
    EXPECT_TRUE(HasListedExtension("D:\\a.doc", "txt,doc"));
    EXPECT_FALSE(HasListedExtension("D:\\a.doc", "do"));
    EXPECT_FALSE(HasListedExtension("D:\\a.doc", ""));
}

TEST(PathText, EmptyItemMatchesOnlyADotlessName) {
    EXPECT_TRUE(HasListedExtension("D:\\README", "txt,,doc"));
    EXPECT_TRUE(HasListedExtension("D:\\README", ",txt"));
    EXPECT_TRUE(HasListedExtension("D:\\表ソ", ","));
    EXPECT_FALSE(HasListedExtension("D:\\README", "txt,"));
    EXPECT_FALSE(HasListedExtension("D:\\README", ""));
    EXPECT_FALSE(HasListedExtension("D:\\a.txt", ",,"));
    EXPECT_TRUE(HasListedExtension("D:\\a.txt", "doc,txt,"));
}

TEST(PathText, LeadBytesAreTheWholeCodePage932Set) {
    // The system's own rule under code page 932 is the oracle.
    ASSERT_EQ(932u, GetACP());
    for (int ch = 0; ch < 256; ++ch)
        EXPECT_EQ(IsDBCSLeadByte(static_cast<BYTE>(ch)) != FALSE,
                  IsLeadByte(static_cast<unsigned char>(ch)))
            << ch;
    // 纊 FA 5C and 犾 FB 5C (IBM extension kanji), F0 5C (user-defined).
    EXPECT_EQ("纊", LastComponent("D:\\資料\\纊"));
    EXPECT_EQ("犾.txt", LastComponent("D:\\犾\\犾.txt"));
    EXPECT_EQ("\xF0\x5C", LastComponent("D:\\a\\\xF0\x5C"));
    EXPECT_EQ(5, FindBackslash("D:\\纊\\犾", false));
    CGuardedPath path("E:\\犾");
    EXPECT_EQ(6, AddBackslash(path.sz));
    EXPECT_STREQ("E:\\犾\\", path.sz);
    EXPECT_EQ("E:\\.. \\纊.txt", Shortened("E:\\folder\\纊\\纊.txt", 14));
}

TEST(PathText, FolderPathsAreNormalisedOrRefused) {
    const struct {
        const char* pszIn;
        const char* pszOut; // nullptr: refused
    } kCases[] = {
        {"D:\\src", "D:\\src"},
        {"D:\\src\\", "D:\\src"},
        {"D:\\src\\.", "D:\\src"},
        {"D:\\src\\.\\", "D:\\src"},
        {"D:\\\\src\\\\sub", "D:\\src\\sub"},
        {"D:\\", "D:\\"},
        {"D:\\.", "D:\\"},
        {"D:\\資料\\纊\\", "D:\\資料\\纊"},
        {"D:\\表\\ソ\\.\\纊", "D:\\表\\ソ\\纊"},
        {"\\\\pc\\share\\", "\\\\pc\\share"},
        {"D:\\a\\..", nullptr},
        {"D:\\a\\..\\b", nullptr},
        {"D:\\a\\...", nullptr},
        {"D:\\src.", nullptr},
        {"D:\\src \\x", nullptr},
        {"D:\\CON", nullptr},
        {"D:\\nul.txt", nullptr},
        {"D:\\a/b", nullptr},
        {"D:src", nullptr},
        {"D:", nullptr},
        {"src", nullptr},
        {"\\src", nullptr},
        {"\\\\pc", nullptr},
        {"\\\\pc\\", nullptr},
        {"", nullptr},
    };
    for (const auto& c : kCases) {
        CString strOut = "unchanged";
        bool bOk = NormalizeFolderPath(c.pszIn, strOut);
        EXPECT_EQ(c.pszOut != nullptr, bOk) << c.pszIn;
        EXPECT_EQ(c.pszOut ? c.pszOut : "unchanged", strOut) << c.pszIn;
    }
    std::string tooLong = "D:\\" + Repeat('a', 256) + "\\.";
    EXPECT_TRUE(NormalizeFolderPath(tooLong.c_str(), *std::make_unique<CString>()));
    tooLong = "D:\\" + Repeat('a', 257);
    CString strOut;
    EXPECT_FALSE(NormalizeFolderPath(tooLong.c_str(), strOut));
}

TEST(PathText, RealNamesAndFoldedCase) {
    for (const char* psz : {"a", "表", "纊", "ソ.txt", "mrq HistoryFolder", ".profile", "COM10",
                            "con1", "a b", "\x81\x40"})
        EXPECT_TRUE(IsRealName(psz)) << psz;
    for (const char* psz : {"",    ".",       "..",       "a.",   "a ",     "a\\b",  "a/b",  "a:b",
                            "a*",  "a?",      "a\"",      "a<",   "a>",     "a|",    "a\tb", "CON",
                            "con", "Nul.txt", "aux .log", "COM1", "lpt9.x", "CONIN$"})
        EXPECT_FALSE(IsRealName(psz)) << psz;

    EXPECT_EQ(FoldCase("Data"), FoldCase("dATA"));
    EXPECT_EQ(FoldCase("ｄａｔａ"), FoldCase("ＤＡＴＡ"));
    EXPECT_NE(FoldCase("表"), FoldCase("ソ"));
    EXPECT_TRUE(FoldersOverlap("D:\\Src", "d:\\src"));
    EXPECT_TRUE(FoldersOverlap("D:\\", "D:\\bk\\x"));
    EXPECT_TRUE(FoldersOverlap("E:\\bk\\Sub", "E:\\BK"));
    EXPECT_TRUE(FoldersOverlap("\\\\pc\\share", "\\\\PC\\Share\\x"));
    EXPECT_FALSE(FoldersOverlap("D:\\src", "D:\\src2"));
    EXPECT_FALSE(FoldersOverlap("D:\\表", "D:\\ソ"));
    EXPECT_FALSE(FoldersOverlap("D:\\", "E:\\"));
}
