// Files dropped from the shell onto the main window, as real WM_DROPFILES
// messages carrying a drop handle of the shell's own format. Every drop's
// memory must go back to the system, wherever it lands.
#include "ViewHarness.h"

#include <objbase.h>
#include <shlobj.h>

#include "BackupSource.h"
#include "LogBuffer.h"
#include "MultiByte.h"
#include "ScratchTree.h"

namespace {

// A drop handle as the shell makes it: DROPFILES, then each path with its
// NUL, then one more NUL; wide paths in the wide format, as Explorer gives
// names the code page cannot hold.
template <class TChar> HGLOBAL MakeDrop(const std::vector<std::basic_string<TChar>>& paths) {
    size_t cbPaths = sizeof(TChar);
    for (const auto& path : paths)
        cbPaths += (path.size() + 1) * sizeof(TChar);
    HGLOBAL hDrop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + cbPaths);
    auto* pDrop = static_cast<DROPFILES*>(::GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = sizeof(TChar) > 1;
    auto* p = reinterpret_cast<TChar*>(pDrop + 1);
    for (const auto& path : paths) {
        std::memcpy(p, path.c_str(), (path.size() + 1) * sizeof(TChar));
        p += path.size() + 1;
    }
    ::GlobalUnlock(hDrop);
    return hDrop;
}

// A shell shortcut made by the shell-link object.
bool MakeShortcut(const char* pszLink, const char* pszTarget) {
    ::CoInitialize(nullptr);
    IShellLinkA* pLink = nullptr;
    bool bOk = false;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkA, reinterpret_cast<void**>(&pLink)))) {
        IPersistFile* pFile = nullptr;
        if (SUCCEEDED(pLink->SetPath(pszTarget)) &&
            SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))) {
            WCHAR wsz[MAX_PATH];
            ::MultiByteToWideChar(CP_ACP, 0, pszLink, -1, wsz, MAX_PATH);
            bOk = SUCCEEDED(pFile->Save(wsz, TRUE));
            pFile->Release();
        }
        pLink->Release();
    }
    ::CoUninitialize();
    return bOk;
}

class MrqViewDropTest : public CMrqViewTest {
protected:
    void SetUp() override {
        CMrqViewTest::SetUp();
        // The question whether to save the changed set is answered No.
        AfxSetMessageBoxHandler([](HWND, const char* pszText, const char* pszCaption, UINT nType) {
            s_boxes.push_back({pszText, pszCaption, nType});
            return (nType & MB_TYPEMASK) == MB_YESNOCANCEL ? IDNO : IDOK;
        });
        Start();
    }

    // Drops the paths on the window; its memory must be released by then.
    template <class TChar>
    void DropOn(HWND hWnd, const std::vector<std::basic_string<TChar>>& paths) {
        HGLOBAL hDrop = MakeDrop(paths);
        ::SendMessageA(hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
        EXPECT_EQ(UINT{GMEM_INVALID_HANDLE}, ::GlobalFlags(hDrop)) << "the drop was not released";
    }
    void DropOn(HWND hWnd, const std::vector<CString>& paths) {
        std::vector<std::string> texts;
        for (const CString& strPath : paths)
            texts.push_back(strPath.str());
        DropOn(hWnd, texts);
    }
    void Drop(const std::vector<CString>& paths) { DropOn(View()->GetSafeHwnd(), paths); }
    void DropWide(const std::vector<std::wstring>& paths) { DropOn(View()->GetSafeHwnd(), paths); }

    std::vector<CString> SourceFolders() const {
        std::vector<CString> folders;
        for (POSITION pos = Doc()->m_sources.GetHeadPosition(); pos;)
            folders.push_back(GetNextSource(Doc()->m_sources, pos)->m_strFolder);
        return folders;
    }
    // A saved set of one source, to be dropped.
    CString SaveSet(const CScratchTree& scratch, const char* pszName, const char* pszSource) {
        CMrqDoc doc;
        doc.m_sources.AddTail(new CBackupSource(pszSource));
        CString strPath = scratch.Path(pszName);
        EXPECT_TRUE(doc.OnSaveDocument(strPath));
        return strPath;
    }

    CScratchTree m_scratch{"drop"};
};

TEST_F(MrqViewDropTest, FoldersOnTheSourcePageAreRegisteredInDropOrder) {
    CString a = m_scratch.MakeFolder("a"), b = m_scratch.MakeFolder("b");
    CString c = m_scratch.MakeFolder("表");
    CString strFile = m_scratch.WriteFile("file.txt", "");
    int nLogLines = LogBuffer().m_nLines;
    Drop({c, a, strFile, "E:\\", m_scratch.Path("missing"), a, b});
    EXPECT_EQ((std::vector<CString>{c, a, b}), SourceFolders());
    EXPECT_EQ(nLogLines + 3, LogBuffer().m_nLines);
    // The folder dropped twice is refused once, and the drop goes on.
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(CString("すでにバックアップされるフォルダになっています。"), s_boxes[0].strText);
}

TEST_F(MrqViewDropTest, DataFileIsOpenedAndEndsTheDrop) {
    CString a = m_scratch.MakeFolder("a"), b = m_scratch.MakeFolder("b");
    CString strSet = SaveSet(m_scratch, "set.mrd", "E:\\from_set");
    Drop({a, strSet, b});
    // a went into the set that was replaced; b came after the data file.
    EXPECT_EQ(strSet, Doc()->GetPathName());
    EXPECT_EQ((std::vector<CString>{"E:\\from_set"}), SourceFolders());

    // The extension counts in any case, but only after the name's first dot.
    CString strCaps = SaveSet(m_scratch, "CAPS.MRD", "E:\\caps");
    Drop({strCaps, a});
    EXPECT_EQ(strCaps, Doc()->GetPathName());
    EXPECT_EQ((std::vector<CString>{"E:\\caps"}), SourceFolders());
    CString strDotted = SaveSet(m_scratch, "old.set.mrd", "E:\\dotted");
    Drop({strDotted, a});
    EXPECT_EQ(strCaps, Doc()->GetPathName());
    EXPECT_EQ((std::vector<CString>{"E:\\caps", a}), SourceFolders());
}

TEST_F(MrqViewDropTest, DestinationPageTakesOnlyTheFirstFolder) {
    CString a = m_scratch.MakeFolder("a"), b = m_scratch.MakeFolder("b");
    CString strSource = m_scratch.MakeFolder("source");
    Drop({strSource});
    SelectTab(1);
    Drop({m_scratch.WriteFile("file.txt", ""), a, b});
    EXPECT_EQ(a, Doc()->m_strDestination);
    // A refused first folder ends the drop too.
    Drop({strSource, b});
    EXPECT_EQ(a, Doc()->m_strDestination);
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(CString("バックアップ元に登録されているフォルダです。"), s_boxes[0].strText);
}

TEST_F(MrqViewDropTest, ShortcutToAFolderRegistersItsTarget) {
    CString strTarget = m_scratch.MakeFolder("能\\十");
    CString strLink = m_scratch.Path("link.lnk");
    ASSERT_TRUE(MakeShortcut(strLink, strTarget));
    Drop({strLink});
    EXPECT_EQ((std::vector<CString>{strTarget}), SourceFolders());
}

TEST_F(MrqViewDropTest, RestoreAndSettingsPagesTakeOnlyDataFiles) {
    CString a = m_scratch.MakeFolder("a");
    SelectTab(2);
    Drop({a});
    SelectTab(3);
    Drop({a});
    EXPECT_TRUE(SourceFolders().empty());
    EXPECT_TRUE(Doc()->m_strDestination.IsEmpty());
    CString strSet = SaveSet(m_scratch, "set.mrd", "E:\\from_set");
    Drop({a, strSet});
    EXPECT_EQ(strSet, Doc()->GetPathName());
}

TEST_F(MrqViewDropTest, PathTooLongForTheProgramIsPassedOverNotCut) {
    // A folder whose path takes all 259 bytes, and a dropped path one byte
    // longer that begins with it.
    CString strFolder = m_scratch.Root() + "\\";
    strFolder += CString('x', 259 - strFolder.GetLength());
    ASSERT_TRUE(::CreateDirectoryA(strFolder, nullptr));
    Drop({strFolder + "y"});
    EXPECT_TRUE(SourceFolders().empty());
    Drop({strFolder});
    EXPECT_EQ((std::vector<CString>{strFolder}), SourceFolders());
}

TEST_F(MrqViewDropTest, DropsWhileADialogHasTheWindowDisabledChangeNothing) {
    CString a = m_scratch.MakeFolder("a表"), b = m_scratch.MakeFolder("b");
    CString strSet = SaveSet(m_scratch, "set.mrd", "E:\\from_set");
    Drop({a});
    ASSERT_EQ(1, SourceList().GetItemCount());
    POSITION pos = Doc()->m_sources.GetHeadPosition();
    CBackupSource* pEntry = GetNextSource(Doc()->m_sources, pos);
    // The properties of a's row are open when the shell drops a folder and
    // a data file on the window; then the dialog's OK.
    SourceList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    bool bDisabled = false;
    AfxSetModalDialogHandler([&](CDialog& dlg) {
        bDisabled = !::IsWindowEnabled(m_pApp->m_pMainWnd->GetSafeHwnd());
        Drop({b});
        Drop({strSet});
        dlg.SetDlgItemText(IDC_NOTE, "メモ");
        return IDOK;
    });
    NMHDR nmhdr = {Control(IDC_SOURCE_LIST), IDC_SOURCE_LIST, static_cast<UINT>(NM_DBLCLK)};
    View()->SendMessage(WM_NOTIFY, IDC_SOURCE_LIST, reinterpret_cast<LPARAM>(&nmhdr));
    AfxSetModalDialogHandler(nullptr);

    EXPECT_TRUE(bDisabled);
    EXPECT_EQ((std::vector<CString>{a}), SourceFolders());
    EXPECT_NE(strSet, Doc()->GetPathName());
    EXPECT_EQ(1, SourceList().GetItemCount());
    EXPECT_EQ(CString("メモ"), pEntry->m_strNote);
    EXPECT_EQ(CString("メモ"), SourceList().GetItemText(0, 1));
    // Enabled again, the window takes drops as before.
    Drop({b});
    EXPECT_EQ((std::vector<CString>{a, b}), SourceFolders());
}

// A dropped folder whose name the code page cannot hold would come through
// the ANSI interface as a look-alike: Café as Cafe, another folder. It is
// refused with one message naming it ("?" for what is missing), as is any
// folder text holding a wildcard, and nothing changes.
TEST_F(MrqViewDropTest, NamesOutsideTheCodePageAndWildcardsAreRefusedNeverTakenForALookAlike) {
    std::wstring cafe = m_scratch.MakeWideFolder(L"Caf\u00e9");
    m_scratch.MakeFolder("Cafe");
    CString strKanji = m_scratch.MakeFolder("表纊");
    const CString strRefused =
        "\nこの名前にはプログラムで扱えない文字(? * など)が含まれているため、登録できません。";
    DropWide({cafe, ToWide(strKanji)});
    EXPECT_EQ((std::vector<CString>{strKanji}), SourceFolders());
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(m_scratch.Path("Caf?") + strRefused, s_boxes[0].strText);
    EXPECT_EQ(0, View()->GetSourcePage().RegisterSource(m_scratch.Path("Caf?")));
    SelectTab(1);
    DropWide({cafe});
    EXPECT_EQ(0, View()->GetDestinationPage().SetDestination(m_scratch.Path("Caf*")));
    EXPECT_TRUE(Doc()->m_strDestination.IsEmpty());
    EXPECT_EQ((std::vector<CString>{strKanji}), SourceFolders());
    ASSERT_EQ(4u, s_boxes.size());
    EXPECT_EQ(m_scratch.Path("Caf*") + strRefused, s_boxes[3].strText);
}

// A data file's folder texts that name no folder plainly (a wildcard, bytes
// of no character) are left out of the set, with one message for them all.
TEST_F(MrqViewDropTest, DataFileFoldersThatAreNoPlainPathAreLeftOutWithOneMessage) {
    CString strSet = m_scratch.WriteFile(
        "odd.mrd", "mrq Backup File \tHeaderVersion 2.1\r\nF:\\bk?\t\r\n"
                   "D:\\Caf?\t->\t\t1\t\tする\t-1\t\r\nD:\\表\r\nD:\\a*b\r\nD:\\\x85\x40\r\n");
    Drop({strSet});
    EXPECT_EQ(strSet, Doc()->GetPathName());
    EXPECT_EQ((std::vector<CString>{"D:\\表"}), SourceFolders());
    EXPECT_TRUE(Doc()->m_strDestination.IsEmpty());
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(
        CString("データファイルの次のフォルダは、名前にプログラムで扱えない文字(? * など)が"
                "含まれているため読み込みませんでした。\nF:\\bk?\nD:\\Caf?\nD:\\a*b\nD:\\\x85\x40"),
        s_boxes[0].strText);
}

TEST_F(MrqViewDropTest, DropsOnTheFrameAndItsBarsAreReleasedToo) {
    CString a = m_scratch.MakeFolder("a");
    auto* pFrame = static_cast<CMainFrame*>(m_pApp->m_pMainWnd);
    DropOn(pFrame->GetSafeHwnd(), {a});
    DropOn(pFrame->m_wndToolBar.GetSafeHwnd(), {a});
    DropOn(pFrame->m_wndStatusBar.GetSafeHwnd(), {a});
    EXPECT_TRUE(SourceFolders().empty());
}

} // namespace
