// The texts of names and paths beyond the code page: exact both ways, never
// a look-alike, and the long form only where the plain one would fail.
#include <gtest/gtest.h>

#include <string>

#include "ExactText.h"

namespace {

TEST(ExactText, NamesRoundTripAndCodePageNamesStayByteForByte) {
    // 表 ソ 能 十 end in 0x5C, 纊 犾 lead with FA and FB.
    const wchar_t* pszKanji = L"\u8868\u30bd\u80fd\u5341\u7e8a\u72be.txt";
    EXPECT_EQ(CString("表ソ能十纊犾.txt"), ExactNameText(pszKanji));
    for (const wchar_t* pszName : {pszKanji, L"r\u00e9sum\u00e9.txt", L"..\u00a5..\u00a5x.txt",
                                   L"\ud55c\uae00", L"photo\U0001F600.jpg", L"\u8868\u00e9\u30bd",
                                   L"a\x01"
                                   L"b"}) {
        CString strText = ExactNameText(pszName);
        EXPECT_EQ(std::wstring(pszName), WideOfText(strText));
    }
    CString strYen = ExactNameText(L"..\u00a5x");
    EXPECT_EQ(CString("..\x01"
                      "00A5x"),
              strYen);
    EXPECT_EQ(std::string::npos, strYen.str().find('\\')) << "a yen sign never splits a path";
    EXPECT_EQ(CString("..?x"), ShownText(strYen));
    EXPECT_EQ(CString("photo??.jpg"), ShownText(ExactNameText(L"photo\U0001F600.jpg")));
}

TEST(ExactText, UnreachableNamesAreThoseAPathCannotName) {
    EXPECT_TRUE(IsReachableName(L"r\u00e9sum\u00e9 (1).txt"));
    for (const wchar_t* pszName : {L"a\\b", L"a/b", L"a*b", L"a?b", L"a\"b", L"a<b", L"a>b", L"a|b",
                                   L"a\x01"
                                   L"b",
                                   L"a\tb"})
        EXPECT_FALSE(IsReachableName(pszName));
}

TEST(ExactText, TheLongFormIsTakenOnlyWhereThePlainOneWouldFail) {
    EXPECT_EQ(L"D:\\a\\b.txt", SystemPathOf("D:\\a\\b.txt"));
    EXPECT_EQ(L"D:\\Caf\u00e9", SystemPathOf("D:\\Caf\x01"
                                             "00E9"));
    // A name that ends in a dot or a space, which the plain form drops.
    EXPECT_EQ(L"\\\\?\\D:\\a.\\b", SystemPathOf("D:\\a.\\b"));
    EXPECT_EQ(L"\\\\?\\D:\\a\\b ", SystemPathOf("D:\\a\\b "));
    EXPECT_EQ(L"D:\\a\\..\\b", SystemPathOf("D:\\a\\..\\b"));
    // From 248 units on: a folder must leave room for a name below it.
    std::string strShort = "D:\\" + std::string(LONG_FORM_FROM - 4, 'x');
    std::string strLong = strShort + "y";
    EXPECT_EQ(LONG_FORM_FROM - 1, SystemPathOf(strShort.c_str()).size());
    EXPECT_EQ(L"\\\\?\\D:\\", SystemPathOf(strLong.c_str()).substr(0, 7));
    std::string strShare = "\\\\server\\share\\" + std::string(300, 'x');
    EXPECT_EQ(L"\\\\?\\UNC\\server\\share\\", SystemPathOf(strShare.c_str()).substr(0, 21));
    // Counted in units, not bytes: 130 kanji are 260 bytes but 130 units.
    std::string strKanji = "D:\\";
    for (int i = 0; i < 130; ++i)
        strKanji += "表";
    EXPECT_EQ(L'D', SystemPathOf(strKanji.c_str())[0]);
}

} // namespace
