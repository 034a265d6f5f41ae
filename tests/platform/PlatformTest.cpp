// The ground every other test stands on: the code page, the scratch drives
// and the Shift-JIS literals.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "ScratchTree.h"

TEST(Platform, AnsiCodePageIsJapanese) {
    // Without the ja_JP.UTF-8 locale wine silently runs with 1252.
    ASSERT_EQ(932u, GetACP()) << "generate the ja_JP.UTF-8 locale and set LC_ALL=ja_JP.UTF-8";
}

TEST(Platform, LiteralsAreShiftJis) {
    const char* psz = "表";
    ASSERT_EQ(2u, std::strlen(psz));
    EXPECT_EQ(0x95, static_cast<unsigned char>(psz[0]));
    EXPECT_EQ(0x5C, static_cast<unsigned char>(psz[1]));
}

TEST(Platform, ScratchDrivesAreFixedDisks) {
    for (const char* pszRoot : {"D:\\", "E:\\", "F:\\"}) {
        EXPECT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeA(pszRoot)) << pszRoot;
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(pszRoot)) << pszRoot;
    }
}

TEST(Platform, JapaneseNamesRoundTrip) {
    CScratchTree tree("platform");
    CString strPath = tree.WriteFile("表ソ\\能十.txt", "content");
    EXPECT_EQ("content", ReadWholeFile(strPath));
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(tree.Path("表ソ\\*.txt"), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    FindClose(h);
    EXPECT_STREQ("能十.txt", data.cFileName);
}
