// Texts the framework takes from the string table (here the tests' own,
// FrameworkText.rc): the arguments go into their places once, whatever
// they hold, and a text the program lacks still passes its details on.
#include <gtest/gtest.h>

#include "AppText.h"

TEST(AppTextTest, ArgumentsTakeTheirPlacesOnceAndSurviveAMissingText) {
    EXPECT_EQ(CString("ファイル D:\\表\\%2.mrd を開けませんでした。\n能%1"),
              AfxFormatString(AFX_IDP_FAILED_TO_OPEN_DOC, "D:\\表\\%2.mrd", "能%1"));
    EXPECT_EQ(CString("半角 64 文字 (全角  文字) 以内で入力してください。"),
              AfxFormatString(AFX_IDP_PARSE_STRING_SIZE, "64", nullptr));

    const UINT kMissing = AFX_IDP_PARSE_STRING_SIZE + 1;
    EXPECT_TRUE(AfxLoadString(kMissing).IsEmpty());
    EXPECT_EQ(CString("D:\\表.mrd\nディスク"), AfxFormatString(kMissing, "D:\\表.mrd", "ディスク"));
    EXPECT_EQ(CString("12"), AfxFormatString(kMissing, "12"));
}
