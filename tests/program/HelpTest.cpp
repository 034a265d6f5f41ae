// The help commands open the user guide that the build puts beside the
// program, in the shell's default browser. The test makes the shell's
// handler of .html pages a recorder (reg.exe, which writes the page it is
// given into the registry), so it sees exactly what a browser would be
// handed.
#include "ProgramTest.h"
#include "RegistryTestSupport.h"
#include "resource.h"

namespace {

const char* const PAGE_EXTENSION_KEY = "Software\\Classes\\.html";
const char* const RECORDER_TYPE = "mrqtest.htmlpage";
const char* const RECORDER_TYPE_KEY = "Software\\Classes\\mrqtest.htmlpage";
const char* const OPENED_KEY = "Software\\mrqtest.help";
const char* const OPENED_VALUE = "Opened";

std::string GuideBesideProgram() {
    std::string strProgram = ProgramPath();
    return strProgram.substr(0, strProgram.rfind('\\') + 1) + "mrq.html";
}

class Help : public ProgramTest {
protected:
    Help()
        : m_pageExtension(HKEY_LOCAL_MACHINE, PAGE_EXTENSION_KEY),
          m_recorderType(HKEY_LOCAL_MACHINE, RECORDER_TYPE_KEY),
          m_opened(HKEY_CURRENT_USER, OPENED_KEY) {}

    void SetUp() override {
        ProgramTest::SetUp();
        SetText(HKEY_LOCAL_MACHINE, PAGE_EXTENSION_KEY, nullptr, RECORDER_TYPE);
        std::string strCommand = std::string("reg.exe add \"HKCU\\") + OPENED_KEY + "\" /v " +
                                 OPENED_VALUE + " /d \"%1\" /f";
        SetText(HKEY_LOCAL_MACHINE,
                (std::string(RECORDER_TYPE_KEY) + "\\shell\\open\\command").c_str(), nullptr,
                strCommand.c_str());
    }

    // The page the browser was given, once it has been; "" after the wait.
    static std::string WaitForOpenedPage() {
        std::string strPage;
        WaitUntil([&] {
            strPage = ReadText(HKEY_CURRENT_USER, OPENED_KEY, OPENED_VALUE);
            return strPage != "<missing>";
        });
        return strPage == "<missing>" ? "" : strPage;
    }

private:
    CSavedRegistryKey m_pageExtension;
    CSavedRegistryKey m_recorderType;
    CSavedRegistryKey m_opened;
};

TEST_F(Help, F1TheHelpMenuAndContextHelpOpenTheGuideBesideTheProgram) {
    MarkInstalled();
    CRunningProgram program;
    HWND hMain = program.WaitForMainWindow();
    ASSERT_NE(nullptr, hMain);

    const LPARAM lF1Down = 1 | (0x3B << 16);
    const struct {
        const char* pszHow;
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
    } kWays[] = {
        {"F1", WM_KEYDOWN, VK_F1, lF1Down},
        {"the help menu", WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0},
        {"context help (Shift+F1, tool bar)", WM_COMMAND, MAKEWPARAM(ID_CONTEXT_HELP, 0), 0},
    };
    for (const auto& way : kWays) {
        SCOPED_TRACE(way.pszHow);
        RegDeleteTreeA(HKEY_CURRENT_USER, OPENED_KEY);
        ASSERT_TRUE(::PostMessageA(hMain, way.nMessage, way.wParam, way.lParam));
        EXPECT_EQ(GuideBesideProgram(), WaitForOpenedPage());
    }
    EXPECT_TRUE(program.CloseAndWait());
}

} // namespace
