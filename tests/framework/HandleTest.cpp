// Handle holders: each handle is closed exactly once, where its last owner
// lets go, and a close at the end of a scope keeps the last error.
#include <gtest/gtest.h>

#include <utility>

#include "Handle.h"

namespace {

bool IsOpen(HANDLE h) {
    DWORD dwFlags = 0;
    return GetHandleInformation(h, &dwFlags) != FALSE;
}

} // namespace

TEST(HandleTest, ClosesOnceWhereOwnershipEndsAndKeepsTheLastError) {
    HANDLE hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        CHandle first(hEvent);
        CHandle second(std::move(first));
        EXPECT_FALSE(first.IsValid());
        EXPECT_FALSE(first.Close()); // nothing left to close
        EXPECT_TRUE(IsOpen(hEvent));
    }
    EXPECT_FALSE(IsOpen(hEvent));

    // The last error of the code before the end of a scope survives the
    // close, even one that fails (the handle was closed behind the
    // holder's back).
    {
        HANDLE hStale = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        CHandle stale(hStale);
        CloseHandle(hStale);
        SetLastError(ERROR_PATH_NOT_FOUND);
    }
    EXPECT_EQ(DWORD{ERROR_PATH_NOT_FOUND}, GetLastError());

    CHandle holder(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE hOld = holder;
    holder.Reset(CreateMutexA(nullptr, FALSE, nullptr));
    EXPECT_FALSE(IsOpen(hOld));
    HANDLE hMutex = holder;
    EXPECT_TRUE(IsOpen(hMutex));
    EXPECT_TRUE(holder.Close());
    EXPECT_FALSE(IsOpen(hMutex));

    // A failed CreateFileA gives INVALID_HANDLE_VALUE, which is no handle.
    CHandle none(
        CreateFileA("Z:\\no such folder\\x", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(none.IsValid());
    EXPECT_FALSE(none.Close());

    WIN32_FIND_DATAA data;
    CFindHandle find(FindFirstFileA("Z:\\*", &data));
    ASSERT_TRUE(find.IsValid());
    HANDLE hFind = find;
    EXPECT_TRUE(find.Close());
    EXPECT_FALSE(FindNextFileA(hFind, &data));
}
