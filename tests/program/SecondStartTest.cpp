// A second start while the program runs: it hands its command line to the
// running window, brings that window back (from minimised or maximised) and
// ends; the running program keeps the data file it has open. The exact
// hand-over is read by a stand-in for the running program that the test
// process plays itself.
#include "ProgramTest.h"
#include "RegistryTestSupport.h"
#include "StandInInstance.h"

namespace {

class SecondStart : public ProgramTest {
protected:
    // Minimises (SW_MINIMIZE) or maximises (SW_MAXIMIZE) the window and
    // waits until it is so.
    static bool ShowAs(HWND hWnd, int nCmdShow) {
        ::ShowWindow(hWnd, nCmdShow);
        return WaitUntil([&] {
            return nCmdShow == SW_MINIMIZE ? ::IsIconic(hWnd) != 0 : ::IsZoomed(hWnd) != 0;
        });
    }
    static bool IsRestored(HWND hWnd) {
        return ::IsWindowVisible(hWnd) && !::IsIconic(hWnd) && !::IsZoomed(hWnd);
    }
};

TEST_F(SecondStart, WithoutArgumentsRestoresTheMinimisedWindowAndEnds) {
    MarkInstalled();
    CRunningProgram first;
    HWND hMain = first.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);
    ASSERT_TRUE(ShowAs(hMain, SW_MINIMIZE));

    CRunningProgram second;
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(0u, second.ExitCode());

    EXPECT_TRUE(WaitUntil([&] { return IsRestored(hMain); }));
    EXPECT_EQ(hMain, ::GetForegroundWindow());
    EXPECT_TRUE(first.IsRunning());
    EXPECT_EQ("New DataFile", FileLabel(hMain));
    EXPECT_EQ(PROGRAM_TITLE, WindowText(hMain));
    EXPECT_TRUE(first.CloseAndWait());
}

TEST_F(SecondStart, WithADataFileRestoresTheMaximisedWindowWhichKeepsItsFile) {
    MarkInstalled();
    StoreStartButtons(0, 0);
    std::string strOpen = CopyDataFile("no_sources.mrd", "open.mrd");
    std::string strOther = CopyDataFile("two_sources.mrd", "other.mrd");
    CRunningProgram first(Quoted(strOpen));
    HWND hMain = first.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);
    ASSERT_EQ(strOpen, FileLabel(hMain));
    ASSERT_TRUE(ShowAs(hMain, SW_MAXIMIZE));

    CRunningProgram second(Quoted(strOther));
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(0u, second.ExitCode());

    EXPECT_TRUE(WaitUntil([&] { return IsRestored(hMain); }));
    EXPECT_EQ(hMain, ::GetForegroundWindow());
    EXPECT_EQ(strOpen, FileLabel(hMain));
    EXPECT_EQ(PROGRAM_TITLE, WindowText(hMain));
    EXPECT_TRUE(first.CloseAndWait());
}

TEST_F(SecondStart, HandsOverItsCommandLineByteForByte) {
    MarkInstalled();
    const std::string kCommandLines[] = {
        "\"D:\\データ\\表 1.mrd\"", // quotes kept; 表 ends in byte 0x5C
        "D:\\a.mrd  D:\\b.mrd",     // two blanks stay two
        "/UNINSTALL",               // not the uninstall argument
        "/uninstall ",              // nor is it with a trailing blank
    };
    for (const std::string& strCommandLine : kCommandLines) {
        SCOPED_TRACE(strCommandLine);
        CStandInInstance running;
        ASSERT_NE(nullptr, running.Window());
        ::ShowWindow(running.Window(), SW_SHOWMINNOACTIVE);

        CRunningProgram second(strCommandLine);
        ASSERT_TRUE(running.RunUntilExit(second.ProcessHandle(), WINDOW_WAIT_MS));
        EXPECT_EQ(0u, second.ExitCode());

        ASSERT_EQ(1u, running.Received().size());
        const CReceivedCopyData& data = running.Received()[0];
        EXPECT_EQ(0u, data.dwData);
        EXPECT_EQ(strCommandLine.size() + 1, data.cbData);
        EXPECT_EQ(strCommandLine + '\0', data.bytes);
        EXPECT_TRUE(IsRestored(running.Window()));
    }
}

TEST_F(SecondStart, WithoutArgumentsSendsNoTextButStillRestoresTheWindow) {
    MarkInstalled();
    CStandInInstance running;
    ASSERT_NE(nullptr, running.Window());
    ::ShowWindow(running.Window(), SW_SHOWMAXIMIZED);

    CRunningProgram second;
    ASSERT_TRUE(running.RunUntilExit(second.ProcessHandle(), WINDOW_WAIT_MS));
    EXPECT_EQ(0u, second.ExitCode());
    EXPECT_TRUE(running.Received().empty());
    EXPECT_TRUE(IsRestored(running.Window()));
    EXPECT_EQ(running.Window(), ::GetForegroundWindow());
}

TEST_F(SecondStart, WhileTheRunningProgramHasNoWindowYetEndsQuietly) {
    MarkInstalled();
    CStandInInstance running(false);
    std::string strFile = CopyDataFile("no_sources.mrd", "set.mrd");
    CRunningProgram second(Quoted(strFile));
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(0u, second.ExitCode());
    // It never went on as a first instance.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY));
}

} // namespace
