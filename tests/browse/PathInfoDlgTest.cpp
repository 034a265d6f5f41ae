// The information windows on real folders and files: what they show, the
// folder count past 4 GiB, and a window closed during its count.
#include <gtest/gtest.h>

#include <string>

#include "FileOps.h"
#include "FolderTotals.h"
#include "HeldThreads.h"
#include "PathInfoDlg.h"
#include "ScratchTree.h"
#include "resource.h"

namespace {

class PathInfoDlgTest : public testing::Test {
protected:
    void TearDown() override { AfxSetModalDialogHandler(nullptr); }

    CScratchTree m_tree{"info"};
};

// What the window shows once nothing changes any more.
struct CShown {
    UINT nTemplate = 0;
    CString strName, strLine1, strLine2, strLine3, strLine4;
};

// Runs ShowPathInfo; the "user" waits for the count (at most 20 s) and
// reads the window before closing it.
CShown ShowAndRead(const char* pszPath, bool bRecurse) {
    CShown shown;
    AfxSetModalDialogHandler([&](CDialog& d) {
        if (auto* pFolder = dynamic_cast<CFolderInfoDlg*>(&d)) {
            for (int i = 0; i < 2000 && !pFolder->m_status.m_bFinished; ++i)
                Sleep(10);
            // Let the timer show the final totals.
            MSG msg;
            for (int i = 0; i < 5; ++i) {
                Sleep(20);
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                    DispatchMessageA(&msg);
            }
        }
        shown.nTemplate = d.GetTemplateID();
        shown.strName = d.GetDlgItemText(IDC_INFO_NAME);
        shown.strLine1 = d.GetDlgItemText(1016);
        shown.strLine2 = d.GetDlgItemText(1017);
        shown.strLine3 = d.GetDlgItemText(1018);
        shown.strLine4 = d.GetDlgItemText(1019);
        return IDCANCEL;
    });
    ShowPathInfo(pszPath, bRecurse);
    AfxSetModalDialogHandler(nullptr);
    return shown;
}

} // namespace

TEST_F(PathInfoDlgTest, FolderWindowCountsPastFourGigabytes) {
    ASSERT_TRUE(MakeSparseFile(m_tree.Path("表\\a.bin"), 3LL << 30));
    ASSERT_TRUE(MakeSparseFile(m_tree.Path("表\\ソ\\b.bin"), 2LL << 30));
    m_tree.WriteFile("表\\ソ\\十\\c.txt", "");

    CShown all = ShowAndRead(m_tree.Path("表"), true);
    EXPECT_EQ(static_cast<UINT>(IDD_FOLDER_INFO), all.nTemplate);
    EXPECT_EQ(FormatCreationTime(m_tree.Path("表")), all.strLine1);
    EXPECT_STREQ("5.00GB", all.strLine2);
    EXPECT_STREQ("3", all.strLine3);
    EXPECT_STREQ("2", all.strLine4);

    CShown top = ShowAndRead(m_tree.Path("表"), false);
    EXPECT_STREQ("3.00GB", top.strLine2);
    EXPECT_STREQ("1", top.strLine3);
    EXPECT_STREQ("0", top.strLine4);
}

TEST_F(PathInfoDlgTest, FileWindowShowsDatesSizeAndTypeWithAShortenedName) {
    std::string deep = std::string(30, 'd') + "\\" + std::string(30, 'e');
    CString strFile = m_tree.WriteFile((deep + "\\noextension").c_str(), std::string(1536, 'x'));
    CShown shown = ShowAndRead(strFile, true);
    EXPECT_EQ(static_cast<UINT>(IDD_FILE_INFO), shown.nTemplate);
    // The long middle gives way; the scratch folder and the name stay.
    EXPECT_EQ(m_tree.Root() + "\\.. \\noextension", shown.strName);
    EXPECT_EQ(FormatCreationTime(strFile), shown.strLine1);
    EXPECT_EQ(FormatWriteTime(strFile), shown.strLine2);
    EXPECT_STREQ("1.50KB", shown.strLine3);
    EXPECT_EQ(strFile + " ファイル", shown.strLine4); // no dot: the whole path
}

TEST_F(PathInfoDlgTest, NothingThereShowsNothing) {
    bool bShown = false;
    AfxSetModalDialogHandler([&](CDialog&) {
        bShown = true;
        return IDCANCEL;
    });
    ShowPathInfo(m_tree.Path("無い"), true);
    ShowPathInfo("", true);
    EXPECT_FALSE(bShown);
}

TEST_F(PathInfoDlgTest, ClosingDuringTheCountStopsAndWaitsForTheWorker) {
    // Enough files that the count is still going when the hold comes: 300
    // were counted before it now and then.
    const int FILES = 3000;
    for (int i = 0; i < FILES; ++i)
        m_tree.WriteFile(("many\\f" + std::to_string(i)).c_str(), "1");
    CFolderInfoDlg dlg;
    dlg.m_strFolder = m_tree.Path("many");
    CSumItem item(dlg.m_strFolder, true);
    dlg.m_status.m_items.AddTail(&item);
    // The count stands still for a while: a window that ended before its
    // worker would show it still running.
    CHeldThreads held;
    AfxSetModalDialogHandler([&held](CDialog&) {
        held.HoldFor(300);
        return IDCANCEL; // "閉じる" at once
    });
    dlg.DoModal();
    AfxSetModalDialogHandler(nullptr);
    EXPECT_FALSE(dlg.IsWorkerRunning());
    EXPECT_EQ(1, dlg.m_status.m_bStop);
    EXPECT_EQ(1, dlg.m_status.m_bFinished);
    EXPECT_LT(dlg.m_status.m_nCount, FILES);
    dlg.m_status.m_items.RemoveAll();
}
