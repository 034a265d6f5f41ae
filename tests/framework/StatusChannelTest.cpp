// The status line a worker offers its dialog: through a mutex that neither
// side waits on, at most once per interval, the latest text never lost.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "StatusChannel.h"

namespace {

const ULONGLONG INTERVAL = 10;

class StatusChannelTest : public testing::Test {
protected:
    StatusChannelTest() { m_channel.Open(nullptr); }

    // Holds the channel's mutex on another thread, as the other side would.
    template <class F> void WhileMutexHeldElsewhere(F f) {
        HANDLE hHeld = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HANDLE hRelease = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread holder([&] {
            WaitForSingleObject(m_channel.GetMutex(), INFINITE);
            SetEvent(hHeld);
            WaitForSingleObject(hRelease, INFINITE);
            ReleaseMutex(m_channel.GetMutex());
        });
        WaitForSingleObject(hHeld, INFINITE);
        f();
        SetEvent(hRelease);
        holder.join();
        CloseHandle(hHeld);
        CloseHandle(hRelease);
    }

    CStatusChannel m_channel{INTERVAL};
};

TEST_F(StatusChannelTest, StatusTextSetWhileTheDialogHoldsTheMutexIsDropped) {
    WhileMutexHeldElsewhere([&] {
        DWORD dwStart = GetTickCount();
        m_channel.SetText("dropped");
        EXPECT_LT(GetTickCount() - dwStart, 100u); // never waits
    });
    CString str;
    EXPECT_FALSE(m_channel.TakeText(str));
    m_channel.SetText("削除ファイル検索中");
    ASSERT_TRUE(m_channel.TakeText(str));
    EXPECT_EQ("削除ファイル検索中", str);
}

TEST_F(StatusChannelTest, TakingWhileTheWorkerHoldsTheMutexGivesNothingAndKeepsTheText) {
    m_channel.SetText("kept");
    CString str = "unchanged";
    WhileMutexHeldElsewhere([&] { EXPECT_FALSE(m_channel.TakeText(str)); });
    EXPECT_EQ("unchanged", str);
    ASSERT_TRUE(m_channel.TakeText(str));
    EXPECT_EQ("kept", str);
}

TEST_F(StatusChannelTest, StatusTextIsCutToItsLimitAtACharacter) {
    m_channel.SetText("Backup中 : ", std::string(400, 'x').c_str());
    CString str;
    ASSERT_TRUE(m_channel.TakeText(str));
    EXPECT_EQ(279, str.GetLength());
    // After a 10-byte prefix, 269 bytes of 表 (95 5C) would end inside the
    // 135th: the line stops before it, on its trail byte 0x5C.
    std::string strKanji;
    for (int i = 0; i < 140; ++i)
        strKanji += "表";
    m_channel.SetText("Backup中 :", strKanji.c_str());
    m_channel.Flush();
    ASSERT_TRUE(m_channel.TakeText(str));
    EXPECT_EQ(10 + 2 * 134, str.GetLength());
    EXPECT_EQ('\x5C', str[str.GetLength() - 1]);
}

TEST_F(StatusChannelTest, StatusChannelUnderContentionNeverBlocksAndEndsWithTheLastText) {
    std::atomic<bool> bDone{false};
    std::thread worker([&] {
        char sz[32];
        // Long enough for several offers, however fast the loop runs:
        // texts go out at most once per INTERVAL.
        ULONGLONG nEnd = GetTickCount64() + 20 * INTERVAL;
        for (int i = 0; i < 20000 || GetTickCount64() < nEnd; ++i) {
            std::snprintf(sz, sizeof sz, "%d", i);
            m_channel.SetText("検索中 : ", sz);
        }
        bDone = true;
    });
    // Every text taken is a whole one, and none is older than the one
    // before: a dropped update loses a step, never the order.
    const CString strPrefix("検索中 : ");
    CString str, strWrong;
    int nLast = -1, nTaken = 0;
    while (!bDone) {
        if (!m_channel.TakeText(str))
            continue;
        ++nTaken;
        int nNumber = std::atoi(str.Mid(strPrefix.GetLength()));
        if (strWrong.IsEmpty() &&
            (str != strPrefix + std::to_string(nNumber).c_str() || nNumber <= nLast))
            strWrong = str;
        nLast = nNumber;
    }
    worker.join();
    EXPECT_EQ("", strWrong);
    EXPECT_GT(nTaken, 0);
    // Once the contention is over, the next text always gets through.
    m_channel.SetText("検索中 : ", "final");
    m_channel.Flush(); // what the worker does before a long step and at the end
    ASSERT_TRUE(m_channel.TakeText(str));
    EXPECT_EQ("検索中 : final", str);
}

ULONGLONG g_nFakeTicks = 0;
ULONGLONG FakeTickCount() {
    return g_nFakeTicks;
}

TEST_F(StatusChannelTest, StatusTextIsOfferedAtMostOncePerIntervalAndTheLatestWaits) {
    m_channel.m_pfnTickCount = FakeTickCount;
    g_nFakeTicks = 1000;
    CString str;
    m_channel.SetText("検索中 : ", "a"); // the first text goes at once
    g_nFakeTicks += INTERVAL - 1;
    m_channel.SetText("検索中 : ", "b"); // within the interval: waits
    m_channel.SetText("検索中 : ", "c"); // replaces the one waiting
    ASSERT_TRUE(m_channel.TakeText(str));
    EXPECT_EQ("検索中 : a", str);
    EXPECT_FALSE(m_channel.TakeText(str));

    g_nFakeTicks += 1; // the interval has passed: the next text goes
    m_channel.SetText("Backup中 : ", "d");
    ASSERT_TRUE(m_channel.TakeText(str));
    EXPECT_EQ("Backup中 : d", str);

    m_channel.SetText("Backup中 : ", "e"); // waits, until flushed
    EXPECT_FALSE(m_channel.TakeText(str));
    m_channel.Flush();
    ASSERT_TRUE(m_channel.TakeText(str));
    EXPECT_EQ("Backup中 : e", str);
    m_channel.Flush(); // nothing waiting: nothing offered again
    EXPECT_FALSE(m_channel.TakeText(str));

    // An offer the dialog's hold makes fail keeps the text for the next.
    g_nFakeTicks += INTERVAL;
    WhileMutexHeldElsewhere([&] { m_channel.SetText("削除ファイル検索中"); });
    EXPECT_FALSE(m_channel.TakeText(str));
    m_channel.Flush();
    ASSERT_TRUE(m_channel.TakeText(str));
    EXPECT_EQ("削除ファイル検索中", str);
}

TEST(StatusChannelWithoutInterval, EveryTextGoesAtOnceAndIsTakenOnce) {
    CStatusChannel channel;
    channel.Open(nullptr);
    // 278 bytes of prefix: the next character, 表 (2 bytes), does not fit.
    std::string prefix(CStatusChannel::TEXT_LIMIT - 1, 'p');
    channel.SetText(prefix.c_str(), "表x");
    CString strText;
    ASSERT_TRUE(channel.TakeText(strText));
    EXPECT_EQ(prefix, strText.str());
    EXPECT_FALSE(channel.TakeText(strText));
    channel.SetText("復元中 : ", "a.txt");
    ASSERT_TRUE(channel.TakeText(strText));
    EXPECT_EQ("復元中 : a.txt", strText);
}

} // namespace
