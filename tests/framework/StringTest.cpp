// CString: byte lengths of Shift-JIS text, the clamping of the substring
// functions, Format beyond any fixed buffer, case mapping that must not touch
// trail bytes, and the GetBuffer/ReleaseBuffer protocol of the Win32 calls.
#include <gtest/gtest.h>

#include <cstring>

#include "String.h"

TEST(String, LengthsAreBytesOfTheAnsiCodePage) {
    CString str("表ソ.txt");
    EXPECT_EQ(8, str.GetLength());
    EXPECT_EQ(0x5C, static_cast<unsigned char>(str[1]));
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_EQ("abc", CString("abcdef", 3));
    EXPECT_EQ("", CString("abc", -1));
    EXPECT_EQ("---", CString('-', 3));
}

TEST(String, SubstringsClampToTheText) {
    CString str("D:\\能\\x");
    EXPECT_EQ("D:", str.Left(2));
    EXPECT_EQ(str, str.Left(100));
    EXPECT_EQ("", str.Left(-1));
    EXPECT_EQ("\\x", str.Right(2));
    EXPECT_EQ(str, str.Right(100));
    EXPECT_EQ("", str.Right(0));
    EXPECT_EQ("能\\x", str.Mid(3));
    EXPECT_EQ("能", str.Mid(3, 2));
    EXPECT_EQ(str, str.Mid(-5));
    EXPECT_EQ("x", str.Mid(6, 100));
    EXPECT_EQ("", str.Mid(7));
    EXPECT_EQ("", str.Mid(2, 0));
}

TEST(String, FindIsByteWiseFromTheStartIndex) {
    // The byte search finds the trail byte of 能 (0x94 0x5C): callers that
    // look for separators must use the path functions instead.
    CString str("D:\\能\\x");
    EXPECT_EQ(2, str.Find('\\'));
    EXPECT_EQ(4, str.Find('\\', 3));
    EXPECT_EQ(5, str.Find('\\', 5));
    EXPECT_EQ(-1, str.Find('\\', 6));
    EXPECT_EQ(-1, str.Find('x', 8));
    EXPECT_EQ(-1, str.Find('x', -1));
    EXPECT_EQ(3, str.Find("能"));
    EXPECT_EQ(-1, str.Find(static_cast<const char*>(nullptr)));
    EXPECT_EQ(7, str.Find("", 7));
}

TEST(String, ConcatenationAndComparison) {
    CString str("表");
    str += "\\";
    str += CString("ソ");
    str += '.';
    str += static_cast<const char*>(nullptr);
    EXPECT_EQ("表\\ソ.", str);
    EXPECT_EQ("a表", "a" + CString("表"));
    EXPECT_EQ("表b", CString("表") + 'b');
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_NE(CString("Data"), "data");
    EXPECT_EQ(0, CString().Compare(nullptr));
    EXPECT_LT(CString("A").Compare("a"), 0);
}

TEST(String, CaseMappingKeepsDoubleByteCharacters) {
    // ア is 0x83 0x41 and イ 0x83 0x43: a byte-wise mapping would turn the
    // trail bytes into 'a' and 'c' and break the characters.
    CString str("アイソ表.TXT");
    str.MakeLower();
    EXPECT_EQ("アイソ表.txt", str);
    str.MakeUpper();
    EXPECT_EQ("アイソ表.TXT", str);
    CString strEmpty;
    strEmpty.MakeLower();
    EXPECT_TRUE(strEmpty.IsEmpty());
}

TEST(String, FormatHasNoLengthLimit) {
    std::string long_text(5000, 'x');
    CString str;
    str.Format("%s|%d|%s", long_text.c_str(), -12, "十");
    ASSERT_EQ(5000 + 7, str.GetLength());
    EXPECT_EQ("|-12|十", str.Right(7));
    str.Format("%llu", 18446744073709551615ull);
    EXPECT_EQ("18446744073709551615", str);
    str.Format("%s", "");
    EXPECT_TRUE(str.IsEmpty());
}

TEST(String, BufferRoundTrip) {
    CString str("old");
    char* p = str.GetBuffer(MAX_PATH);
    // The requested length plus the terminator is writable.
    std::memset(p, 'z', MAX_PATH);
    p[MAX_PATH] = '\0';
    std::strcpy(p, "D:\\表");
    str.ReleaseBuffer();
    EXPECT_EQ("D:\\表", str);
    EXPECT_EQ(5, str.GetLength());

    p = str.GetBuffer(0);
    EXPECT_EQ('D', p[0]);
    str.ReleaseBuffer(2);
    EXPECT_EQ("D:", str);
}

TEST(String, IndexOutsideTheTextThrows) {
    CString str("ab");
    EXPECT_THROW(str.GetAt(2), std::out_of_range);
    EXPECT_THROW(str.SetAt(-1, 'x'), std::out_of_range);
    str.SetAt(1, 'c');
    EXPECT_EQ("ac", str);
}
