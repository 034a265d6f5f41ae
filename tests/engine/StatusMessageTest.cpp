// The words a user reads at the end of a backup run: the text of each
// status code, as the message box and the log show it.
#include <gtest/gtest.h>

#include "StatusMessage.h"

namespace {

TEST(StatusMessage, EachCodeHasItsTextAndAnyOtherItsNumber) {
    EXPECT_STREQ("バックアップが終了しました。", StatusMessage(0));
    EXPECT_STREQ("バックアップを中断しました。", StatusMessage(1));
    EXPECT_STREQ("バックアップ元のフォルダが見つかりません。", StatusMessage(3));
    EXPECT_STREQ("ドライブが使用できません。", StatusMessage(21));
    EXPECT_STREQ("CRCエラーです。", StatusMessage(23));
    // The doubled の is the program's own wording, kept as users know it.
    EXPECT_STREQ("バックアップ先のの容量が足りません。", StatusMessage(112));
    EXPECT_STREQ(" Error Code (5)", StatusMessage(5));
    EXPECT_STREQ(" Error Code (2)", StatusMessage(2));
    EXPECT_STREQ(" Error Code (1450)", StatusMessage(1450));
    EXPECT_STREQ(" Error Code (-1)", StatusMessage(-1));
}

} // namespace
