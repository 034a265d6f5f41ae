// Times the opening of large folders in the main view's two trees, the way
// a user opens them: the program's frame and view on the screen, the item
// opened through its tree control, and the window drawn afterwards (which
// asks for the pictures and expand buttons of the items in sight). Beside
// each figure: the time to just list the same folder.
//
//   bench_trees.exe FOLDER DATAFILE
//
// FOLDER is a folder of many subfolders on a drive of its own; DATAFILE a
// backup set whose first mirror folder holds many files. Lines starting
// with "RESULT " are for the script that builds the table.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "CommandLineInfo.h"
#include "MainDocTemplate.h"
#include "MainFrame.h"
#include "MrqDoc.h"
#include "MrqView.h"
#include "Settings.h"
#include "WinApp.h"
#include "resource.h"

namespace {

const char* const BENCH_COMPANY = "mrq bench trees";

// The program's frame, document and view, without its start-up dialogs.
class CBenchApp : public CWinApp {
public:
    bool InitInstance() override {
        SetRegistryKey(BENCH_COMPANY);
        // Opening the set must not back it up: the run would stop at a
        // message box about its (absent) source folder and time nothing.
        WriteProfileInt(SECTION_BUTTON, ENTRY_START_BACKUP, 0);
        AddDocTemplate(NewMainDocTemplate());
        CCommandLineInfo info;
        ParseCommandLine(info);
        return ProcessShellCommand(info);
    }
};

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Seconds to list the folder's entries, and how many there are.
double TimeListing(const std::string& strFolder, int* pnEntries) {
    double dStart = Now();
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA((strFolder + "\\*.*").c_str(), &data);
    int nEntries = 0;
    if (hFind != INVALID_HANDLE_VALUE) {
        do
            nEntries++;
        while (::FindNextFileA(hFind, &data));
        ::FindClose(hFind);
    }
    *pnEntries = nEntries - 2; // . and ..
    return Now() - dStart;
}

HTREEITEM ChildNamed(CTreeCtrl& tree, HTREEITEM hParent, const std::string& strText) {
    for (HTREEITEM h = tree.GetChildItem(hParent); h; h = tree.GetNextSiblingItem(h))
        if (tree.GetItemText(h).str() == strText)
            return h;
    return nullptr;
}

// Opens the item as a user does and waits until the window is drawn.
double TimeOpening(CWnd& frame, CTreeCtrl& tree, HTREEITEM hItem, int* pnChildren) {
    tree.SelectItem(hItem);
    tree.SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem));
    frame.UpdateWindow();
    Pump();
    double dStart = Now();
    tree.Expand(hItem, TVE_EXPAND);
    frame.UpdateWindow();
    ::RedrawWindow(tree.GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    double dSeconds = Now() - dStart;
    int n = 0;
    for (HTREEITEM h = tree.GetChildItem(hItem); h; h = tree.GetNextSiblingItem(h))
        n++;
    *pnChildren = n;
    return dSeconds;
}

void SelectPage(CMrqView& view, int nIndex) {
    CTabCtrl tab(view.GetDlgItem(IDC_TAB));
    tab.SetCurSel(nIndex);
    NMHDR nmhdr = {tab.GetSafeHwnd(), IDC_TAB, TCN_SELCHANGE};
    view.SendMessage(WM_NOTIFY, IDC_TAB, reinterpret_cast<LPARAM>(&nmhdr));
}

int Fail(const char* pszWhat) {
    std::fprintf(stderr, "bench_trees: %s\n", pszWhat);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return Fail("usage: bench_trees.exe FOLDER DATAFILE");
    std::string strFolder = argv[1];
    std::string strDataFile = argv[2];

    auto pApp = std::make_unique<CBenchApp>();
    pApp->SetStartupState(::GetModuleHandleA(nullptr), ("\"" + strDataFile + "\"").c_str(),
                          SW_SHOWNOACTIVATE);
    if (!pApp->InitInstance())
        return Fail("the program's window did not open");
    auto* pFrame = dynamic_cast<CFrameWnd*>(pApp->m_pMainWnd);
    auto* pView = pFrame ? dynamic_cast<CMrqView*>(pFrame->GetActiveView()) : nullptr;
    if (!pView)
        return Fail("no view");
    pFrame->MoveWindow(0, 0, 800, 600);
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    Pump();

    // The folder tree: the drive, then each folder down to the large one.
    CFolderTree& folders = pView->GetFolderTree().GetTree();
    HTREEITEM hItem = folders.GetRootItem();
    std::string strRest = strFolder.substr(3);
    std::vector<std::string> texts = {strFolder.substr(0, 3)};
    for (size_t nStart = 0; nStart <= strRest.size();) {
        size_t nSlash = strRest.find('\\', nStart);
        if (nSlash == std::string::npos)
            nSlash = strRest.size();
        texts.push_back(strRest.substr(nStart, nSlash - nStart));
        nStart = nSlash + 1;
    }
    for (size_t i = 0; i < texts.size() && hItem; i++) {
        hItem = ChildNamed(folders, hItem, texts[i]);
        if (hItem && i + 1 < texts.size())
            folders.Expand(hItem, TVE_EXPAND);
    }
    if (!hItem)
        return Fail("the folder is not in the folder tree");
    int nFolders = 0, nFolderChildren = 0;
    double dListFolders = TimeListing(strFolder, &nFolders);
    double dFolderTree = TimeOpening(*pFrame, folders, hItem, &nFolderChildren);

    // The synchronised-folder tree: the first mirror folder.
    SelectPage(*pView, 2);
    CSyncTree& sync = pView->GetRestorePage().GetSyncTree();
    sync.Expand(sync.GetRootItem(), TVE_EXPAND);
    HTREEITEM hMirror = sync.GetChildItem(sync.GetRootItem());
    if (!hMirror)
        return Fail("the data file has no mirror folder");
    std::string strMirror = sync.GetNode(hMirror)->m_strPath.str();
    int nFiles = 0, nFileChildren = 0;
    double dListFiles = TimeListing(strMirror, &nFiles);
    double dSyncTree = TimeOpening(*pFrame, sync, hMirror, &nFileChildren);
    int nImages = pView->GetImages().GetImageCount();
    // Files whose icon was asked for: the ones the window has shown.
    int nIconsFetched = 0;
    for (POSITION pos = sync.GetNodes().GetHeadPosition(); pos;)
        nIconsFetched += sync.GetNodes().GetNext(pos)->m_pIcon != nullptr;

    std::printf("RESULT folders=%d\nRESULT folder_items=%d\n", nFolders, nFolderChildren);
    std::printf("RESULT list_folders=%.3f\nRESULT folder_tree=%.3f\n", dListFolders, dFolderTree);
    std::printf("RESULT files=%d\nRESULT file_items=%d\n", nFiles, nFileChildren);
    std::printf("RESULT list_files=%.3f\nRESULT sync_tree=%.3f\n", dListFiles, dSyncTree);
    std::printf("RESULT images=%d\nRESULT icons_fetched=%d\n", nImages, nIconsFetched);

    pView->GetDocument()->SetModifiedFlag(false);
    pFrame->SendMessage(WM_CLOSE);
    pApp.reset();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + BENCH_COMPANY).c_str());
    return nFolders == nFolderChildren && nFiles == nFileChildren ? 0 : 1;
}
