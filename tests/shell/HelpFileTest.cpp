// Which file the help commands open: the guide in the program's folder
// first, else the program's own ".HLP" file, else nothing. The program's
// name holds a character whose second byte is a backslash (表 is 95 5C,
// ソ 83 5C, 纊 FA 5C): a scan that takes that byte for a separator looks in the wrong
// folder.
#include <gtest/gtest.h>

#include "HelpFile.h"
#include "ScratchTree.h"

namespace {

TEST(FindHelpFile, GuideBesideTheProgramElseItsHelpFileElseNothing) {
    for (const char* pszProgram : {"表.exe", "ソフト.v2.exe", "纊.exe"}) {
        SCOPED_TRACE(pszProgram);
        CScratchTree scratch("helpfile");
        CString strProgram = scratch.Path(pszProgram);
        CString strOldHelp = strProgram.Left(strProgram.GetLength() - 4) + ".HLP";
        EXPECT_EQ(CString(), FindHelpFile(strProgram));

        // A folder of the guide's name is no guide.
        scratch.MakeFolder("mrq.html");
        EXPECT_EQ(CString(), FindHelpFile(strProgram));
        RemoveTree(scratch.Path("mrq.html"));

        WriteWholeFile(strOldHelp, "old help");
        EXPECT_EQ(strOldHelp, FindHelpFile(strProgram));
        CString strGuide = scratch.WriteFile("mrq.html", "<html></html>");
        EXPECT_EQ(strGuide, FindHelpFile(strProgram));
    }
}

} // namespace
