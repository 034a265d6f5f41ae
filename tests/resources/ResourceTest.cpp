// The compiled resource script as the program sees it: texts in code page
// 932 (several with a 0x5C trail byte, which a careless resource compiler
// or escape handling breaks), dialogs that create with the right controls
// and whose labels fit at the dialog font, menus, accelerators, tool bar
// and pictures.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "TextIds.h"
#include "resource.h"

namespace {

HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

std::string LoadText(UINT nId) {
    char sz[1024];
    int n = LoadStringA(Module(), nId, sz, sizeof sz);
    return std::string(sz, n > 0 ? n : 0);
}

std::string WindowText(HWND hwnd) {
    char sz[512];
    int n = GetWindowTextA(hwnd, sz, sizeof sz);
    return std::string(sz, n > 0 ? n : 0);
}

std::string ClassOf(HWND hwnd) {
    char sz[64];
    int n = GetClassNameA(hwnd, sz, sizeof sz);
    std::string s(sz, n > 0 ? n : 0);
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(tolower(c)); });
    return s;
}

LONG StyleOf(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE);
}

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

class ResourceTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES |
                                                    ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                    ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
    }
    void SetUp() override {
        // Under any other code page every comparison below would fail for
        // the wrong reason.
        ASSERT_EQ(932u, GetACP());
    }
    void TearDown() override {
        if (m_hDlg)
            DestroyWindow(m_hDlg);
        if (m_hHost)
            DestroyWindow(m_hHost);
    }

    // Creates a dialog template modelessly; the child form gets a host.
    HWND Create(UINT nId) {
        HWND hParent = nullptr;
        if (nId == IDD_MRQ_FORM) {
            m_hHost = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 500, nullptr, nullptr,
                                      Module(), nullptr);
            hParent = m_hHost;
        }
        m_hDlg = CreateDialogParamA(Module(), MAKEINTRESOURCEA(nId), hParent, QuietProc, 0);
        return m_hDlg;
    }

    HWND m_hDlg = nullptr;
    HWND m_hHost = nullptr;
};

// ---------------------------------------------------------------- strings

TEST_F(ResourceTest, StringsKeepTheirJapaneseBytes) {
    const struct {
        UINT nId;
        const char* pszText;
    } strings[] = {
        {IDS_APP_TITLE, "mrq BackupTool"},
        {IDR_MAINFRAME, "mrq BackupTool\nBackup\nmrq Data File\nmrq ﾃﾞｰﾀﾌｧｲﾙ "
                        "(*.mrd)\n.mrd\nmrdfile\nmrq Data File"},
        {ID_INDICATOR_LAST_BACKUP, "前回のバックアップ時刻"},
        {ID_INDICATOR_CLOCK, "現在時刻"},
        {IDS_IDLE_MESSAGE, "ﾍﾙﾌﾟを表示するには [F1] を押してください。"},
        {ID_SOURCE_EDIT, "バックアップ元の内容変更"},
        {ID_SOURCE_INFO, "フォルダの参照"},
        {ID_RESTORE_ITEM_INFO, "ファイルの参照"},
        {ID_FILE_NEW, "新規にデータファイルを作成する\n新規ﾌｧｲﾙ"},
    };
    for (const auto& s : strings)
        EXPECT_EQ(s.pszText, LoadText(s.nId)) << "string " << s.nId;

    // 表 is 0x95 0x5C: the trail byte must not have turned into an escape.
    std::string idle = LoadText(IDS_IDLE_MESSAGE);
    EXPECT_NE(std::string::npos, idle.find("\x95\x5C\x8E\xA6")) << "表示 in code page 932";
}

TEST_F(ResourceTest, TheFrameworkFindsEveryTextItAsksFor) {
    // The framework words nothing itself: a text missing here would be an
    // empty message box. The ids are one run; those that take arguments
    // must have their places for them.
    for (UINT nId = AFX_IDS_WINDOW_CLASS; nId <= AFX_IDP_PARSE_STRING_SIZE; ++nId)
        EXPECT_FALSE(LoadText(nId).empty()) << "string " << nId;
    for (UINT nId : {AFX_IDP_ASK_TO_SAVE, AFX_IDS_ERROR_NUMBER, AFX_IDP_PARSE_STRING_SIZE,
                     AFX_IDP_FAILED_TO_OPEN_DOC, AFX_IDP_FAILED_TO_SAVE_DOC})
        EXPECT_NE(std::string::npos, LoadText(nId).find("%1")) << "string " << nId;
    for (UINT nId :
         {AFX_IDP_PARSE_STRING_SIZE, AFX_IDP_FAILED_TO_OPEN_DOC, AFX_IDP_FAILED_TO_SAVE_DOC})
        EXPECT_NE(std::string::npos, LoadText(nId).find("%2")) << "string " << nId;
    EXPECT_EQ("MrqWnd", LoadText(AFX_IDS_WINDOW_CLASS));
}

TEST_F(ResourceTest, DocumentTemplateHasSevenFieldsAndTheAppTitleFirst) {
    std::string text = LoadText(IDR_MAINFRAME);
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1)
        fields.push_back(text.substr(start, lf - start));
    fields.push_back(text.substr(start));
    ASSERT_EQ(7u, fields.size());
    // The frame's title is the template's first field; a second start
    // finds the window by exactly the application title.
    EXPECT_EQ(LoadText(IDS_APP_TITLE), fields[0]);
    EXPECT_EQ(".mrd", fields[4]);
    EXPECT_EQ("mrdfile", fields[5]);
}

TEST_F(ResourceTest, EveryToolBarAndMenuCommandHasAPromptAndTip) {
    // Tool bar buttons need the "prompt\ntip" form for their tool tips;
    // menu-only commands need at least a prompt.
    for (UINT nId : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_APP_ABOUT, ID_CONTEXT_HELP}) {
        std::string text = LoadText(nId);
        size_t lf = text.find('\n');
        ASSERT_NE(std::string::npos, lf) << "command " << nId;
        EXPECT_GT(lf, 0u) << "command " << nId;
        EXPECT_LT(lf + 1, text.size()) << "command " << nId;
    }
    for (UINT nId : {ID_FILE_SAVE_AS, ID_FILE_MRU_FILE1, ID_APP_EXIT, ID_HELP, ID_VIEW_TOOLBAR,
                     ID_VIEW_STATUS_BAR})
        EXPECT_FALSE(LoadText(nId).empty()) << "command " << nId;
}

// ------------------------------------------------------------------ menus

struct MenuItem {
    const char* pszText; // null: separator
    UINT nId;
};

void ExpectPopup(HMENU hPopup, const std::vector<MenuItem>& items) {
    ASSERT_NE(nullptr, hPopup);
    ASSERT_EQ(int(items.size()), GetMenuItemCount(hPopup));
    for (size_t i = 0; i < items.size(); ++i) {
        char sz[256] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        mii.dwTypeData = sz;
        mii.cch = sizeof sz;
        ASSERT_TRUE(GetMenuItemInfoA(hPopup, UINT(i), TRUE, &mii));
        if (!items[i].pszText) {
            EXPECT_TRUE(mii.fType & MFT_SEPARATOR) << "item " << i;
            continue;
        }
        EXPECT_STREQ(items[i].pszText, sz);
        EXPECT_EQ(items[i].nId, mii.wID) << sz;
    }
}

TEST_F(ResourceTest, MainMenu) {
    HMENU hMenu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, hMenu);
    ASSERT_EQ(3, GetMenuItemCount(hMenu));
    const char* titles[] = {"ﾌｧｲﾙ(&F)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"};
    for (int i = 0; i < 3; ++i) {
        char sz[64] = "";
        GetMenuStringA(hMenu, i, sz, sizeof sz, MF_BYPOSITION);
        EXPECT_STREQ(titles[i], sz);
    }
    ExpectPopup(GetSubMenu(hMenu, 0), {{"新規作成(&N)\tCtrl+N", ID_FILE_NEW},
                                       {"開く(&O)...\tCtrl+O", ID_FILE_OPEN},
                                       {"上書き保存(&S)\tCtrl+S", ID_FILE_SAVE},
                                       {"名前を付けて保存(&A)...", ID_FILE_SAVE_AS},
                                       {nullptr, 0},
                                       {"最新のﾌｧｲﾙ", ID_FILE_MRU_FILE1},
                                       {nullptr, 0},
                                       {"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", ID_APP_EXIT}});
    ExpectPopup(GetSubMenu(hMenu, 1),
                {{"ﾂｰﾙ ﾊﾞｰ(&T)", ID_VIEW_TOOLBAR}, {"ｽﾃｰﾀｽ ﾊﾞｰ(&S)", ID_VIEW_STATUS_BAR}});
    ExpectPopup(
        GetSubMenu(hMenu, 2),
        {{"mrqヘルプ(&H)", ID_HELP}, {nullptr, 0}, {"ﾊﾞｰｼﾞｮﾝ情報(mrq) (&A)...", ID_APP_ABOUT}});
    // The recent-file placeholder stays greyed until the list fills it.
    EXPECT_TRUE(GetMenuState(hMenu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(hMenu);
}

TEST_F(ResourceTest, ContextMenusByPosition) {
    HMENU hMenu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_CONTEXT_MENUS));
    ASSERT_NE(nullptr, hMenu);
    ASSERT_EQ(3, GetMenuItemCount(hMenu));
    ExpectPopup(GetSubMenu(hMenu, 0), {{"内容変更", ID_SOURCE_EDIT},
                                       {"削除", ID_SOURCE_DELETE},
                                       {"初期化", ID_LIST_INIT},
                                       {nullptr, 0},
                                       {"ﾌﾟﾛﾊﾟﾃｨ", ID_SOURCE_INFO}});
    ExpectPopup(GetSubMenu(hMenu, 1), {{"削除", ID_RESTORE_ITEM_DELETE},
                                       {"初期化", ID_LIST_INIT},
                                       {nullptr, 0},
                                       {"ﾌﾟﾛﾊﾟﾃｨ", ID_RESTORE_ITEM_INFO}});
    ExpectPopup(GetSubMenu(hMenu, 2),
                {{"登録", ID_TREE_REGISTER}, {nullptr, 0}, {"ﾌﾟﾛﾊﾟﾃｨ", ID_TREE_ITEM_INFO}});
    DestroyMenu(hMenu);
}

TEST_F(ResourceTest, AcceleratorsAreExactlyTheFiveKeys) {
    HACCEL hAccel = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, hAccel);
    ACCEL table[16];
    int n = CopyAcceleratorTableA(hAccel, table, 16);
    std::set<std::vector<int>> found;
    for (int i = 0; i < n; ++i)
        found.insert({table[i].fVirt & ~FNOINVERT, table[i].key, table[i].cmd});
    std::set<std::vector<int>> expected = {
        {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},     {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
        {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},    {FVIRTKEY, VK_F1, ID_HELP},
        {FVIRTKEY | FSHIFT, VK_F1, ID_CONTEXT_HELP},
    };
    EXPECT_EQ(5, n);
    EXPECT_EQ(expected, found);
}

// --------------------------------------------------------------- pictures

TEST_F(ResourceTest, ToolBarButtonsMatchItsBitmapStrip) {
    HRSRC hRes = FindResourceA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(241));
    ASSERT_NE(nullptr, hRes);
    const WORD* words = static_cast<const WORD*>(LockResource(LoadResource(Module(), hRes)));
    ASSERT_NE(nullptr, words);
    EXPECT_EQ(1, words[0]); // version
    EXPECT_EQ(16, words[1]);
    EXPECT_EQ(15, words[2]);
    std::vector<WORD> items(words + 4, words + 4 + words[3]);
    EXPECT_EQ((std::vector<WORD>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_APP_ABOUT,
                                 ID_CONTEXT_HELP}),
              items);

    // One 16 x 15 picture per button, separators have none.
    HBITMAP hStrip = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, hStrip);
    BITMAP bm = {};
    GetObjectA(hStrip, sizeof bm, &bm);
    EXPECT_EQ(16 * long(std::count_if(items.begin(), items.end(), [](WORD w) { return w != 0; })),
              bm.bmWidth);
    EXPECT_EQ(15, bm.bmHeight);
    DeleteObject(hStrip);
}

TEST_F(ResourceTest, ImageListTakesAllFifteenBitmapsWithBlueTransparent) {
    HIMAGELIST hList = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
    std::vector<std::vector<COLORREF>> pixels;
    HDC hdc = CreateCompatibleDC(nullptr);
    for (int i = 0; i < IDB_IMAGE_COUNT; ++i) {
        HBITMAP hBitmap = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_IMAGE_FIRST + i));
        ASSERT_NE(nullptr, hBitmap) << "bitmap " << IDB_IMAGE_FIRST + i;
        BITMAP bm = {};
        GetObjectA(hBitmap, sizeof bm, &bm);
        EXPECT_EQ(16, bm.bmWidth);
        EXPECT_EQ(16, bm.bmHeight);
        HGDIOBJ hOld = SelectObject(hdc, hBitmap);
        std::vector<COLORREF> image;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                image.push_back(GetPixel(hdc, x, y));
        SelectObject(hdc, hOld);
        // Each picture has a transparent background and something drawn.
        long nBlue = std::count(image.begin(), image.end(), RGB(0, 0, 255));
        EXPECT_GT(nBlue, 0) << "bitmap " << IDB_IMAGE_FIRST + i;
        EXPECT_LT(nBlue, 256) << "bitmap " << IDB_IMAGE_FIRST + i;
        pixels.push_back(image);
        EXPECT_EQ(i, ImageList_AddMasked(hList, hBitmap, RGB(0, 0, 255)));
        DeleteObject(hBitmap);
    }
    DeleteDC(hdc);
    EXPECT_EQ(IDB_IMAGE_COUNT, ImageList_GetImageCount(hList));
    ImageList_Destroy(hList);

    // A selected drive must look different from the unselected one, and no
    // two pictures may be the same (a copy-and-paste slip in the source).
    for (size_t a = 0; a < pixels.size(); ++a)
        for (size_t b = a + 1; b < pixels.size(); ++b)
            EXPECT_NE(pixels[a], pixels[b])
                << "bitmaps " << IDB_IMAGE_FIRST + a << " and " << IDB_IMAGE_FIRST + b;
}

TEST_F(ResourceTest, IconsInBothSizesAndTheDataFileIconSecond) {
    for (UINT nId : {IDI_PROGRAM, IDI_DATAFILE, IDI_FINISHED})
        for (int size : {16, 32}) {
            HICON hIcon =
                HICON(LoadImageA(Module(), MAKEINTRESOURCEA(nId), IMAGE_ICON, size, size, 0));
            ASSERT_NE(nullptr, hIcon) << "icon " << nId << " at " << size;
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(hIcon, &info));
            BITMAP bm = {};
            GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
            EXPECT_EQ(size, bm.bmWidth) << "icon " << nId;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(hIcon);
        }

    // The shell association names icon number 1 of the program file: the
    // second icon group in id order must be the data file's.
    std::vector<UINT> groups;
    EnumResourceNamesA(
        Module(), RT_GROUP_ICON,
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
            if (IS_INTRESOURCE(name))
                reinterpret_cast<std::vector<UINT>*>(param)->push_back(UINT(ULONG_PTR(name)));
            return TRUE;
        },
        LONG_PTR(&groups));
    ASSERT_GE(groups.size(), 2u);
    EXPECT_EQ(UINT(IDI_PROGRAM), groups[0]);
    EXPECT_EQ(UINT(IDI_DATAFILE), groups[1]);
}

TEST_F(ResourceTest, SplitterCursorHasItsHotSpotInTheMiddle) {
    HCURSOR hCursor = LoadCursorA(Module(), MAKEINTRESOURCEA(IDCUR_SPLITTER));
    ASSERT_NE(nullptr, hCursor);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(hCursor, &info));
    EXPECT_FALSE(info.fIcon);
    BITMAP bm = {};
    GetObjectA(info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(DWORD(bm.bmWidth / 2), info.xHotspot);
    // A monochrome cursor's mask holds the AND and XOR halves.
    EXPECT_EQ(DWORD((info.hbmColor ? bm.bmHeight : bm.bmHeight / 2) / 2), info.yHotspot);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// ---------------------------------------------------------------- dialogs

struct Control {
    int nId; // -1: a fixed label, found by its text
    const char* pszClass;
    const char* pszText; // null: not checked (filled in at run time)
};

struct ExpectedDialog {
    UINT nId;
    const char* pszCaption;
    std::vector<Control> controls;
};

const char kStatic[] = "static";
const char kButton[] = "button";
const char kEdit[] = "edit";
const char kListBox[] = "listbox";

const std::vector<ExpectedDialog>& Dialogs() {
    static const std::vector<ExpectedDialog> dialogs = {
        {IDD_ABOUTBOX,
         "ﾊﾞｰｼﾞｮﾝ情報",
         {{-1, kStatic, "mrq バックアップ ツール"},
          {-1, kStatic, "mrq.exe  Version"},
          {IDC_VERSION, kStatic, "2.6"},
          {IDCANCEL, kButton, "OK"},
          {IDOK, kButton, nullptr}}},
        {IDD_MRQ_FORM,
         "",
         {{IDC_SYNC_TREE, WC_TREEVIEWA, ""},
          {IDC_FOLDER_TREE, WC_TREEVIEWA, ""},
          {IDC_DESTINATION, kEdit, ""},
          {IDC_RESTORE_LIST, WC_LISTVIEWA, ""},
          {IDC_SOURCE_LIST, WC_LISTVIEWA, ""},
          {IDC_START, kButton, "開始"},
          {IDC_REGISTER, kButton, "登録 >"},
          {IDC_DELETE, kButton, "< 削除"},
          {IDC_INIT_LIST, kButton, "初期化"},
          {IDC_SPLITTER, kStatic, ""},
          {IDC_FOLDER_SORTER, kListBox, nullptr},
          {IDC_TAB, WC_TABCONTROLA, ""},
          {IDC_FILE_SORTER, kListBox, nullptr},
          {IDC_DATAFILE_GROUP, kButton, "データファイルについて"},
          {IDC_START_BACKUP, kButton, "ダブルクリックで起動した時すぐにバックアップを行う。"},
          {IDC_START_BACKUP_EXIT, kButton, "バックアップ後すぐに終了する。"},
          {IDC_FILE_NAME, kStatic, "ファイル名"},
          {IDC_EXTENDED_GROUP, kButton, "拡張機能"},
          {IDC_OPTIONS_GROUP, kButton, nullptr},
          {IDC_NOCOPY_LIST, kListBox, nullptr},
          {IDC_NOCOPY_ADD, kButton, "登録"},
          {IDC_NOCOPY_REMOVE, kButton, "削除"},
          {IDC_NOCOPY_GROUP, kButton, "バックアップしない拡張子"},
          {IDC_LOG_TEXT, kStatic, nullptr},
          {IDC_LOG_FRAME, kStatic, ""},
          {IDC_LOG_SCROLL, "scrollbar", ""},
          {IDC_LOG_VIEW, kButton, "ログビューを表示する。"},
          {IDC_EXTENDED, kButton, "拡張機能を有効にする。"},
          {IDC_EXTENDED_TAB, kButton, "拡張タブを有効にする。"},
          {IDC_LOG_FILE, kButton, "ログファイルを作成する。。"},
          {IDC_OPEN_LOG, kButton, "ログを開く"},
          {IDC_CHECK_SPACE, kButton, "バックアップ前に容量をチェックする。"},
          {IDC_FREE_SPACE, kStatic, "空き容量 :"},
          {IDC_REMOVAL_GROUP, kButton, "削除されたファイル"},
          {IDC_KEEP_DELETED, kButton, "ソースから削除されたファイルも履歴に残す"},
          {IDC_REMOVAL_GUARD, kButton, "大量に削除する前に確認する"}}},
        {IDD_SOURCE_PROPERTIES,
         "バックアップ元の情報",
         {{IDC_FOLDER_NAME, kStatic, ""},
          {-1, kStatic, "備 考"},
          {IDC_NOTE, kEdit, ""},
          {-1, kButton, "履歴バックアップ"},
          {-1, kStatic, "履歴数"},
          {IDC_HISTORY, kStatic, nullptr},
          {IDC_HISTORY_SPIN, UPDOWN_CLASSA, nullptr},
          {-1, kButton, "サブフォルダまでバックアップ"},
          {IDC_SUBFOLDERS_YES, kButton, "する"},
          {IDC_SUBFOLDERS_NO, kButton, "しない"},
          {-1, kButton, "対象ファイル"},
          {IDC_USE_FILTER, kButton, "バックアップ対象の拡張子を指定する。"},
          {IDC_EXTENSION_LIST, kListBox, nullptr},
          {IDC_EXTENSION_ADD, kButton, "登録"},
          {IDC_EXTENSION_REMOVE, kButton, "削除"},
          {IDC_FILTER_LABEL, kStatic, "登録した拡張子を持つファイル"},
          {IDC_FILTER_EXCLUDE, kButton, "バックアップしない。"},
          {IDC_FILTER_ONLY, kButton, "のみバックアップする。"},
          {IDC_FILTER_NOTE, kStatic,
           "  ここで 指定した対象ファイルは、他のバックアップ元の設定に引き継がれません。"},
          {IDOK, kButton, "OK"},
          {IDCANCEL, kButton, "ｷｬﾝｾﾙ"}}},
        {IDD_PROGRESS,
         "バックアップ中",
         {{-1, kStatic, "バックアップ元ファイル"},
          {IDC_STATUS, kStatic, ""},
          {IDC_SPACE, kStatic, ""},
          {IDC_ABORT, kButton, "中 断"},
          {IDC_PROGRESS, PROGRESS_CLASSA, ""}}},
        {IDD_BACKUP_RESULT,
         "バックアップ",
         {{IDC_RESULT_TEXT, kStatic, ""},
          {-1, kStatic, "総ファイル数"},
          {IDC_TOTAL, kStatic, ""},
          {-1, kStatic, "新しいファイル数"},
          {IDC_NEW, kStatic, ""},
          {-1, kStatic, "更新されたファイル数"},
          {IDC_UPDATED, kStatic, ""},
          {-1, kStatic, "削除されたファイル数"},
          {IDC_DELETED, kStatic, ""},
          {IDOK, kButton, "OK"}}},
        {IDD_RESTORE_RESULT,
         "復元の終了",
         {{IDC_RESULT_TEXT, kStatic, "復元処理が終了しました。"},
          {-1, kStatic, "復元されたファイル数"},
          {IDC_RESTORED, kStatic, ""},
          {IDOK, kButton, "OK"}}},
        {IDD_INSTALL,
         "Install",
         {{-1, kStatic, "mrq BackupToolのデータをレジストリに書き込みます。"},
          {-1, kStatic,
           "アンインストールする時は、 「コントロールパネル」 の 「アプリケーションの追加と削除」 "
           "から "
           "[mrq BackupToolの削除] を選んで実行してください。"},
          {IDOK, kButton, "閉じる"}}},
        {IDD_UNINSTALL,
         "Uninstall",
         {{-1, kStatic, "mrq BackupToolをアンインストールします。"},
          {-1, kStatic,
           "レジストリに有る mrq BackupTool "
           "用データを削除します。\n実行ファイル等は削除しません。"},
          {IDOK, kButton, "ｱﾝｲﾝｽﾄｰﾙ"},
          {IDCANCEL, kButton, "ｷｬﾝｾﾙ"}}},
        {IDD_RESTORE,
         "復元処理",
         {{-1, kStatic, "復元中のファイル"},
          {IDC_STATUS, kStatic, ""},
          {IDC_ABORT, kButton, "中 断"}}},
        {IDD_FOLDER_INFO,
         "フォルダに付いて",
         {{IDC_INFO_NAME, kStatic, ""},
          {-1, kStatic, "作成日："},
          {IDC_INFO_CREATED, kStatic, ""},
          {-1, kStatic, "総ファイル容量："},
          {IDC_INFO_TOTAL_SIZE, kStatic, ""},
          {-1, kStatic, "総ファイル数："},
          {IDC_INFO_FILES, kStatic, ""},
          {-1, kStatic, "サブフォルダ数："},
          {IDC_INFO_FOLDERS, kStatic, ""},
          {IDCANCEL, kButton, "閉じる"}}},
        {IDD_FILE_INFO,
         "ファイルに付いて",
         {{IDC_INFO_NAME, kStatic, ""},
          {-1, kStatic, "作成日："},
          {IDC_INFO_CREATED, kStatic, ""},
          {-1, kStatic, "更新日："},
          {IDC_INFO_MODIFIED, kStatic, ""},
          {-1, kStatic, "ファイル容量："},
          {IDC_INFO_FILE_SIZE, kStatic, ""},
          {-1, kStatic, "種類："},
          {IDC_INFO_TYPE, kStatic, ""},
          {IDCANCEL, kButton, "閉じる"}}},
        {IDD_PASSWORD,
         "Password",
         {{-1, kStatic, "パスワードを入力してください。"},
          {-1, kStatic, "リソース ："},
          {IDC_RESOURCE, kStatic, ""},
          {-1, kStatic, "パスワード ："},
          {IDC_PASSWORD, kEdit, ""},
          {IDOK, kButton, "OK"},
          {IDCANCEL, kButton, "ｷｬﾝｾﾙ"}}},
        {IDD_EXTENSION,
         "拡張子の登録",
         {{-1, kStatic, "拡張子を記入して下さい。"},
          {IDC_EXTENSION, kEdit, ""},
          {-1, kStatic, "bak\nの様に記入して下さい。\nピリオド( . )は、必要ありません。"},
          {IDOK, kButton, "OK"},
          {IDCANCEL, kButton, "ｷｬﾝｾﾙ"}}},
    };
    return dialogs;
}

std::vector<HWND> Children(HWND hDlg) {
    std::vector<HWND> children;
    for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    return children;
}

RECT RectIn(HWND hDlg, HWND hCtl) {
    RECT rc;
    GetWindowRect(hCtl, &rc);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool IsGroupBox(HWND h) {
    return ClassOf(h) == kButton && (StyleOf(h) & BS_TYPEMASK) == BS_GROUPBOX;
}
bool IsFrame(HWND h) {
    return ClassOf(h) == kStatic && (StyleOf(h) & SS_TYPEMASK) == SS_ETCHEDFRAME;
}
bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Two controls shown together may only meet when one is a frame or group
// box around the other.
void ExpectNoOverlap(HWND hDlg, const std::vector<HWND>& shown) {
    for (size_t a = 0; a < shown.size(); ++a)
        for (size_t b = a + 1; b < shown.size(); ++b) {
            RECT ra = RectIn(hDlg, shown[a]), rb = RectIn(hDlg, shown[b]), both;
            if (!IntersectRect(&both, &ra, &rb))
                continue;
            if ((IsGroupBox(shown[a]) || IsFrame(shown[a])) && Contains(ra, rb))
                continue;
            if ((IsGroupBox(shown[b]) || IsFrame(shown[b])) && Contains(rb, ra))
                continue;
            ADD_FAILURE() << "controls " << GetDlgCtrlID(shown[a]) << " '" << WindowText(shown[a])
                          << "' and " << GetDlgCtrlID(shown[b]) << " '" << WindowText(shown[b])
                          << "' overlap";
        }
}

// Measures each label at the dialog's own font: a Japanese label one
// character too long for its control is cut off without any error.
void ExpectTextsFit(HWND hDlg, const std::vector<HWND>& shown) {
    HDC hdc = GetDC(hDlg);
    HGDIOBJ hOld = SelectObject(hdc, HFONT(SendMessageA(hDlg, WM_GETFONT, 0, 0)));
    for (HWND h : shown) {
        std::string text = WindowText(h);
        std::string cls = ClassOf(h);
        LONG style = StyleOf(h);
        if (text.empty() || (cls != kStatic && cls != kButton))
            continue;
        if (cls == kStatic && (style & SS_TYPEMASK) > SS_RIGHT &&
            (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP)
            continue; // icons, frames, bitmaps
        RECT client;
        GetClientRect(h, &client);
        int nWidth = client.right, nHeight = client.bottom;
        UINT flags = DT_CALCRECT | DT_EXPANDTABS;
        if (cls == kStatic && (style & SS_NOPREFIX))
            flags |= DT_NOPREFIX;
        int nType = style & BS_TYPEMASK;
        if (cls == kButton) {
            if (nType == BS_GROUPBOX)
                nWidth -= 16; // caption starts inside the frame
            else if (nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON)
                nWidth -= 6;
            else
                nWidth -= GetSystemMetrics(SM_CXMENUCHECK) + 4; // the check mark
            // A multi-line button wraps its text and must hold every line.
            flags |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
        } else if ((style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP) {
            flags |= DT_SINGLELINE;
        } else {
            flags |= DT_WORDBREAK;
        }
        RECT need = {0, 0, nWidth, 0};
        DrawTextA(hdc, text.c_str(), -1, &need, flags);
        SIZE extent = {};
        GetTextExtentPoint32A(hdc, text.c_str(), int(text.size()), &extent);
        bool bFits = need.right <= nWidth &&
                     ((cls == kButton && !(style & BS_MULTILINE)) || need.bottom <= nHeight);
        EXPECT_TRUE(bFits) << "control " << GetDlgCtrlID(h) << " '" << text << "' needs "
                           << need.right << " x " << need.bottom << " (one line " << extent.cx
                           << "), has " << nWidth << " x " << nHeight;
    }
    SelectObject(hdc, hOld);
    ReleaseDC(hDlg, hdc);
}

void ExpectInside(HWND hDlg, const std::vector<HWND>& children) {
    RECT client;
    GetClientRect(hDlg, &client);
    for (HWND h : children) {
        RECT rc = RectIn(hDlg, h);
        EXPECT_TRUE(Contains(client, rc)) << "control " << GetDlgCtrlID(h) << " '" << WindowText(h)
                                          << "' reaches outside the dialog";
    }
}

TEST_F(ResourceTest, EveryDialogCreatesWithItsControlsAndFont) {
    for (const ExpectedDialog& want : Dialogs()) {
        SCOPED_TRACE(testing::Message() << "dialog " << want.nId);
        HWND hDlg = Create(want.nId);
        ASSERT_NE(nullptr, hDlg);
        EXPECT_EQ(want.pszCaption, WindowText(hDlg));

        LOGFONTA lf = {};
        GetObjectA(HFONT(SendMessageA(hDlg, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        EXPECT_STREQ("ＭＳ Ｐゴシック", lf.lfFaceName);
        HDC hdc = GetDC(nullptr);
        EXPECT_EQ(-MulDiv(9, GetDeviceCaps(hdc, LOGPIXELSY), 72), lf.lfHeight);
        ReleaseDC(nullptr, hdc);

        std::vector<HWND> children = Children(hDlg);
        for (const Control& c : want.controls) {
            HWND h = nullptr;
            if (c.nId != -1) {
                h = GetDlgItem(hDlg, c.nId);
            } else {
                for (HWND child : children)
                    if (WindowText(child) == c.pszText)
                        h = child;
            }
            ASSERT_NE(nullptr, h) << "control " << c.nId << " " << (c.pszText ? c.pszText : "");
            std::string expectedClass = c.pszClass;
            std::transform(expectedClass.begin(), expectedClass.end(), expectedClass.begin(),
                           [](unsigned char ch) { return char(tolower(ch)); });
            EXPECT_EQ(expectedClass, ClassOf(h)) << "control " << c.nId;
            if (c.pszText) {
                EXPECT_EQ(c.pszText, WindowText(h)) << "control " << c.nId;
            }
        }
        EXPECT_EQ(want.controls.size() + (want.nId == IDD_INSTALL || want.nId == IDD_UNINSTALL ||
                                          want.nId == IDD_ABOUTBOX ||
                                          want.nId == IDD_BACKUP_RESULT ||
                                          want.nId == IDD_RESTORE_RESULT ||
                                          want.nId == IDD_FOLDER_INFO || want.nId == IDD_FILE_INFO),
                  children.size())
            << "controls the table does not know";

        // Icon labels must have found their icon resource.
        for (HWND h : children)
            if (ClassOf(h) == kStatic && (StyleOf(h) & SS_TYPEMASK) == SS_ICON) {
                EXPECT_NE(0, SendMessageA(h, STM_GETICON, 0, 0));
            }

        if (want.nId != IDD_MRQ_FORM) {
            ExpectInside(hDlg, children);
            ExpectNoOverlap(hDlg, children);
            ExpectTextsFit(hDlg, children);
        }
        DestroyWindow(hDlg);
        m_hDlg = nullptr;
    }
}

TEST_F(ResourceTest, FormShowsOnlyTheTabAndFileNameAtFirstAndEachPageFits) {
    HWND hForm = Create(IDD_MRQ_FORM);
    ASSERT_NE(nullptr, hForm);
    EXPECT_TRUE(StyleOf(hForm) & WS_CHILD);
    EXPECT_FALSE(StyleOf(hForm) & WS_CAPTION);

    // The pages show their controls by hand; in the template they are hidden.
    std::vector<int> order;
    for (HWND h : Children(hForm)) {
        order.push_back(GetDlgCtrlID(h));
        bool bVisible = StyleOf(h) & WS_VISIBLE;
        EXPECT_EQ(GetDlgCtrlID(h) == IDC_TAB || GetDlgCtrlID(h) == IDC_FILE_NAME, bVisible)
            << "control " << GetDlgCtrlID(h);
    }
    const std::vector<int> templateOrder = {1011, 1001, 1008, 1013, 1002, 1014, 1005, 1006, 1007,
                                            1004, 1003, 1000, 1009, 1018, 1019, 1020, 1015, 1021,
                                            1027, 1028, 1029, 1030, 1024, 1038, 1039, 1043, 1022,
                                            1023, 1032, 1033, 1031, 1034, 1048, 1060, 1061, 1062};
    EXPECT_EQ(templateOrder, order);

    // The run log's switch and its button are the group's live controls.
    for (int nId : {IDC_EXTENDED_GROUP, IDC_LOG_FILE, IDC_OPEN_LOG})
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hForm, nId))) << nId;
    for (int nId : {IDC_EXTENDED_TAB, IDC_CHECK_SPACE})
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hForm, nId))) << nId;
    // Paths with "&" must show as they are.
    for (int nId : {IDC_FILE_NAME, IDC_LOG_TEXT, IDC_FREE_SPACE})
        EXPECT_TRUE(StyleOf(GetDlgItem(hForm, nId)) & SS_NOPREFIX) << nId;

    const int log[] = {IDC_LOG_TEXT, IDC_LOG_FRAME, IDC_LOG_SCROLL};
    const std::vector<std::vector<int>> pages = {
        {IDC_REGISTER, IDC_DELETE, IDC_INIT_LIST, IDC_START, IDC_SPLITTER, IDC_FOLDER_TREE,
         IDC_SOURCE_LIST},
        {IDC_REGISTER, IDC_START, IDC_DESTINATION, IDC_SPLITTER, IDC_FOLDER_TREE, IDC_FREE_SPACE},
        {IDC_REGISTER, IDC_DELETE, IDC_INIT_LIST, IDC_START, IDC_SPLITTER, IDC_SYNC_TREE,
         IDC_RESTORE_LIST},
        {IDC_START_BACKUP, IDC_START_BACKUP_EXIT, IDC_DATAFILE_GROUP, IDC_NOCOPY_ADD,
         IDC_NOCOPY_REMOVE, IDC_NOCOPY_GROUP, IDC_NOCOPY_LIST, IDC_OPTIONS_GROUP, IDC_LOG_VIEW,
         IDC_EXTENDED, IDC_EXTENDED_TAB, IDC_LOG_FILE, IDC_OPEN_LOG, IDC_CHECK_SPACE,
         IDC_EXTENDED_GROUP, IDC_REMOVAL_GROUP, IDC_KEEP_DELETED, IDC_REMOVAL_GUARD},
    };
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "page " << i + 1);
        std::vector<HWND> shown = {GetDlgItem(hForm, IDC_FILE_NAME)};
        for (int nId : pages[i])
            shown.push_back(GetDlgItem(hForm, nId));
        if (i < 3)
            for (int nId : log)
                shown.push_back(GetDlgItem(hForm, nId));
        ExpectInside(hForm, shown);
        ExpectNoOverlap(hForm, shown);
        ExpectTextsFit(hForm, shown);
    }
}

TEST_F(ResourceTest, SourcePropertiesGroupsAndHistoryBuddy) {
    HWND hDlg = Create(IDD_SOURCE_PROPERTIES);
    ASSERT_NE(nullptr, hDlg);
    // The radio exchange walks a group from its first button to the next
    // WS_GROUP: each pair must form a group of exactly two.
    const int groups[][2] = {{IDC_SUBFOLDERS_YES, IDC_SUBFOLDERS_NO},
                             {IDC_FILTER_EXCLUDE, IDC_FILTER_ONLY}};
    for (const auto& g : groups) {
        HWND hFirst = GetDlgItem(hDlg, g[0]), hSecond = GetDlgItem(hDlg, g[1]);
        EXPECT_TRUE(StyleOf(hFirst) & WS_GROUP);
        EXPECT_FALSE(StyleOf(hSecond) & WS_GROUP);
        EXPECT_EQ(hSecond, GetNextDlgGroupItem(hDlg, hFirst, FALSE));
        EXPECT_EQ(hFirst, GetNextDlgGroupItem(hDlg, hSecond, FALSE));
        for (HWND h : {hFirst, hSecond})
            EXPECT_EQ(BS_AUTORADIOBUTTON, StyleOf(h) & BS_TYPEMASK);
    }
    EXPECT_EQ(BS_AUTOCHECKBOX, StyleOf(GetDlgItem(hDlg, IDC_USE_FILTER)) & BS_TYPEMASK);

    // The up-down writes the history count into label 1016.
    HWND hSpin = GetDlgItem(hDlg, IDC_HISTORY_SPIN);
    EXPECT_EQ(GetDlgItem(hDlg, IDC_HISTORY), HWND(SendMessageA(hSpin, UDM_GETBUDDY, 0, 0)));
    SendMessageA(hSpin, UDM_SETRANGE32, 0, 99);
    SendMessageA(hSpin, UDM_SETPOS32, 0, 7);
    EXPECT_EQ("7", WindowText(GetDlgItem(hDlg, IDC_HISTORY)));
    EXPECT_TRUE(StyleOf(hSpin) & UDS_ARROWKEYS);
}

TEST_F(ResourceTest, ButtonRolesOfTheSmallDialogs) {
    // About: OK (command 2) is the default, the address button (command 1)
    // opens the web page.
    HWND hAbout = Create(IDD_ABOUTBOX);
    ASSERT_NE(nullptr, hAbout);
    EXPECT_EQ(BS_DEFPUSHBUTTON, StyleOf(GetDlgItem(hAbout, IDCANCEL)) & BS_TYPEMASK);
    EXPECT_TRUE(StyleOf(GetDlgItem(hAbout, IDOK)) & BS_FLAT);
    EXPECT_EQ(0u, WindowText(GetDlgItem(hAbout, IDOK)).find("http://"));
    DestroyWindow(hAbout);
    m_hDlg = nullptr;

    HWND hPassword = Create(IDD_PASSWORD);
    ASSERT_NE(nullptr, hPassword);
    EXPECT_TRUE(StyleOf(GetDlgItem(hPassword, IDC_PASSWORD)) & ES_PASSWORD);
    DestroyWindow(hPassword);
    m_hDlg = nullptr;

    // Nothing but the worker may end a running backup.
    HWND hProgress = Create(IDD_PROGRESS);
    ASSERT_NE(nullptr, hProgress);
    EXPECT_FALSE(StyleOf(hProgress) & WS_SYSMENU);
    DestroyWindow(hProgress);
    m_hDlg = nullptr;

    HWND hRestore = Create(IDD_RESTORE);
    ASSERT_NE(nullptr, hRestore);
    EXPECT_TRUE(StyleOf(hRestore) & WS_SYSMENU);
}

} // namespace
