// The main window across runs: it opens where it was last closed (its
// restored rectangle, also when closed maximised) and never gets smaller
// than 550 x 360, neither by sizing nor from a stored size.
#include "ProgramTest.h"
#include "RegistryTestSupport.h"

namespace {

const std::string WINDOW_KEY = std::string(SETTINGS_KEY) + "\\Settings\\Window";

class WindowPlacement : public ProgramTest {
protected:
    static void Place(HWND hWnd, int x, int y, int cx, int cy) {
        ::SetWindowPos(hWnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    static void Resize(HWND hWnd, int cx, int cy) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    static void ExpectStored(int x, int y, int cx, int cy) {
        EXPECT_EQ(x, StoredPlacement("x"));
        EXPECT_EQ(y, StoredPlacement("y"));
        EXPECT_EQ(cx, StoredPlacement("cx"));
        EXPECT_EQ(cy, StoredPlacement("cy"));
    }
    static void ExpectRect(HWND hWnd, int x, int y, int cx, int cy) {
        RECT rc = WindowRect(hWnd);
        EXPECT_EQ(x, rc.left);
        EXPECT_EQ(y, rc.top);
        EXPECT_EQ(cx, rc.right - rc.left);
        EXPECT_EQ(cy, rc.bottom - rc.top);
    }
};

TEST_F(WindowPlacement, SavedAtCloseAndRestoredAtTheNextStart) {
    MarkInstalled();
    {
        CRunningProgram program;
        HWND hMain = program.WaitForMainWindow();
        ASSERT_NE(nullptr, hMain);
        ExpectRect(hMain, 80, 80, 550, 360); // nothing stored yet
        Place(hMain, 123, 45, 700, 500);
        ASSERT_TRUE(program.CloseAndWait());
    }
    ExpectStored(123, 45, 700, 500);

    CRunningProgram again;
    HWND hMain = again.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);
    ExpectRect(hMain, 123, 45, 700, 500);
    EXPECT_TRUE(again.CloseAndWait());
}

TEST_F(WindowPlacement, ClosedMaximisedReopensNormalAtItsRestoredRectangle) {
    MarkInstalled();
    {
        CRunningProgram program;
        HWND hMain = program.WaitForMainWindow();
        ASSERT_NE(nullptr, hMain);
        Place(hMain, 150, 100, 640, 420);
        ::ShowWindow(hMain, SW_MAXIMIZE);
        ASSERT_TRUE(WaitUntil([&] { return ::IsZoomed(hMain) != 0; }));
        ASSERT_TRUE(program.CloseAndWait());
    }
    ExpectStored(150, 100, 640, 420);

    CRunningProgram again;
    HWND hMain = again.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);
    EXPECT_FALSE(::IsZoomed(hMain));
    ExpectRect(hMain, 150, 100, 640, 420);
    EXPECT_TRUE(again.CloseAndWait());
}

TEST_F(WindowPlacement, MinimumSizeIsHeldAndKeptAcrossRuns) {
    MarkInstalled();
    {
        CRunningProgram program;
        HWND hMain = program.WaitForMainWindow();
        ASSERT_NE(nullptr, hMain);
        Place(hMain, 60, 50, 600, 400);
        Resize(hMain, 300, 200);
        ExpectRect(hMain, 60, 50, 550, 360);
        Resize(hMain, 549, 401); // each side is held on its own
        ExpectRect(hMain, 60, 50, 550, 401);
        Resize(hMain, 601, 359);
        ExpectRect(hMain, 60, 50, 601, 360);
        ASSERT_TRUE(program.CloseAndWait());
    }
    ExpectStored(60, 50, 601, 360);

    // A stored size below the minimum (written by hand) opens at it.
    SetNumber(HKEY_CURRENT_USER, WINDOW_KEY.c_str(), "cx", 100);
    SetNumber(HKEY_CURRENT_USER, WINDOW_KEY.c_str(), "cy", 100);
    CRunningProgram again;
    HWND hMain = again.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);
    ExpectRect(hMain, 60, 50, 550, 360);
    EXPECT_TRUE(again.CloseAndWait());
    ExpectStored(60, 50, 550, 360);
}

} // namespace
