// The folder tree and the synchronised-folder tree of the main view,
// opened through the tree controls themselves, so every fill runs from the
// notifications the controls send.
#include "ViewHarness.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "BackupSource.h"
#include "ExactText.h"
#include "LogBuffer.h"
#include "Menu.h"
#include "PathText.h"
#include "RegistryDump.h"
#include "ScratchTree.h"
#include "FakeNetwork.h"
#include "TreeHelpers.h"

namespace {

class MrqViewTreesTest : public CMrqViewTest {
protected:
    CFolderTree& Folders() { return View()->GetFolderTree().GetTree(); }
    CSyncTree& Sync() { return View()->GetRestorePage().GetSyncTree(); }

    // The scratch folder's item in the folder tree, opened.
    HTREEITEM OpenScratch(const CScratchTree& scratch) {
        CString strName = scratch.Root().Mid(3);
        return OpenPath(Folders(),
                        {"マイ コンピュータ", scratch.Root().Left(3).str(), strName.str()});
    }
    int ImageCount() const { return View()->GetImages().GetImageCount(); }

    // The drive items of the prefix's own drives (a benchmark may have
    // added one of its own).
    std::vector<std::string> DriveTexts() {
        std::vector<std::string> drives;
        for (const std::string& text : ChildTexts(Folders(), Folders().GetRootItem()))
            if (std::string("CDEFGHIZ").find(text[0]) != std::string::npos)
                drives.push_back(text);
        return drives;
    }

    // A right click on the item (or, with null, below the last item) as
    // the mouse gives it: the cursor over it, the button down and up.
    void RightClick(CTreeCtrl& tree, HTREEITEM hItem) {
        RECT rc = {};
        if (hItem) {
            tree.SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem));
            std::memcpy(&rc, &hItem, sizeof hItem); // the item goes in, its rectangle comes out
            tree.SendMessage(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
        } else {
            tree.GetClientRect(&rc);
            rc.top = rc.bottom - 4;
        }
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        POINT ptScreen = pt;
        ::ClientToScreen(tree.GetSafeHwnd(), &ptScreen);
        ASSERT_TRUE(::SetCursorPos(ptScreen.x, ptScreen.y));
        // The tree watches for the button's release before it reports the
        // click.
        tree.PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        tree.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
        PumpMessages();
    }

    // Saves a backup set of the sources with the destination, which gives
    // each source its mirror folder, and opens it as a dropped file would.
    void OpenSet(const CScratchTree& scratch, const char* pszDestination,
                 const std::vector<CString>& sources) {
        Doc()->m_strDestination = pszDestination;
        for (const CString& strSource : sources)
            Doc()->m_sources.AddTail(new CBackupSource(strSource));
        CString strFile = scratch.Path("set.mrd");
        ASSERT_TRUE(Doc()->OnSaveDocument(strFile));
        ASSERT_NE(nullptr, m_pApp->OpenDocumentFile(strFile));
    }
};

TEST_F(MrqViewTreesTest, FolderTreeShowsFixedDrivesUnderMyComputer) {
    Start();
    CFolderTree& tree = Folders();
    ASSERT_EQ((std::vector<std::string>{"マイ コンピュータ"}), ChildTexts(tree, nullptr));
    HTREEITEM hRoot = tree.GetRootItem();
    TVITEMA root = TreeItem(tree, hRoot);
    EXPECT_EQ(IMAGE_COMPUTER, root.iImage);
    EXPECT_TRUE(root.state & TVIS_EXPANDED);
    EXPECT_EQ(NODE_ROOT, NodeOf(tree, hRoot)->m_nType);
    // G: leads nowhere; H: (network) and I: (CD-ROM) need the extended
    // functions. Z: is listed but never opened by a test.
    EXPECT_EQ((std::vector<std::string>{"C:\\", "D:\\", "E:\\", "F:\\", "Z:\\"}), DriveTexts());
    HTREEITEM hDrive = ChildItem(tree, hRoot, "D:\\");
    TVITEMA drive = TreeItem(tree, hDrive);
    EXPECT_EQ(IMAGE_FIXED, drive.iImage);
    EXPECT_EQ(IMAGE_FIXED_SELECTED, drive.iSelectedImage);
    EXPECT_EQ(1, drive.cChildren);
    EXPECT_EQ(NODE_DRIVE, NodeOf(tree, hDrive)->m_nType);
    EXPECT_EQ(CString("D:\\"), NodeOf(tree, hDrive)->m_strPath);
}

TEST_F(MrqViewTreesTest, ExtendedFunctionsAddRemoteAndCdromDrivesAndTheNetwork) {
    CFakeNetwork network;
    Start();
    Click(IDC_EXTENDED);
    CFolderTree& tree = Folders();
    HTREEITEM hRoot = tree.GetRootItem();
    EXPECT_EQ((std::vector<std::string>{"C:\\", "D:\\", "E:\\", "F:\\", "H:\\", "I:\\", "Z:\\"}),
              DriveTexts());
    TVITEMA remote = TreeItem(tree, ChildItem(tree, hRoot, "H:\\"));
    EXPECT_EQ(IMAGE_REMOTE, remote.iImage);
    EXPECT_EQ(IMAGE_REMOTE_SELECTED, remote.iSelectedImage);
    TVITEMA cdrom = TreeItem(tree, ChildItem(tree, hRoot, "I:\\"));
    EXPECT_EQ(IMAGE_CDROM, cdrom.iImage);
    EXPECT_EQ(IMAGE_CDROM_SELECTED, cdrom.iSelectedImage);
    ASSERT_EQ((std::vector<std::string>{"マイ コンピュータ", "ネットワークコンピュータ"}),
              ChildTexts(tree, nullptr));
    HTREEITEM hNetwork = tree.GetNextSiblingItem(hRoot);
    TVITEMA networkItem = TreeItem(tree, hNetwork);
    EXPECT_EQ(IMAGE_NETWORK, networkItem.iImage);
    EXPECT_EQ(1, networkItem.cChildren);
    EXPECT_EQ(NODE_NETWORK, NodeOf(tree, hNetwork)->m_nType);
    // Nothing is listed before the network root is opened.
    EXPECT_EQ(0, network.m_nOpenEnums);
    EXPECT_EQ(2u + 7u, static_cast<size_t>(tree.GetNodes().GetCount()));

    Click(IDC_EXTENDED);
    EXPECT_EQ((std::vector<std::string>{"マイ コンピュータ"}), ChildTexts(Folders(), nullptr));
    EXPECT_EQ((std::vector<std::string>{"C:\\", "D:\\", "E:\\", "F:\\", "Z:\\"}), DriveTexts());

    // A network that cannot be listed has no root.
    network.m_dwTopOpenResult = ERROR_NO_NETWORK;
    Click(IDC_EXTENDED);
    EXPECT_EQ((std::vector<std::string>{"マイ コンピュータ"}), ChildTexts(Folders(), nullptr));
}

TEST_F(MrqViewTreesTest, FolderIsReadAtItsFirstOpeningOnly) {
    CScratchTree scratch("trees");
    scratch.MakeFolder("cherry");
    scratch.MakeFolder("Apple\\pip");
    scratch.WriteFile("banana\\peel.txt", "");
    scratch.WriteFile("loose.txt", "");
    CString strHidden = scratch.MakeFolder("隠し");
    ::SetFileAttributesA(strHidden, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Start();
    CFolderTree& tree = Folders();
    HTREEITEM hScratch = OpenScratch(scratch);
    ASSERT_NE(nullptr, hScratch);

    // Folders only, hidden and system ones too, letter case ignored.
    EXPECT_EQ((std::vector<std::string>{"Apple", "banana", "cherry", "隠し"}),
              ChildTexts(tree, hScratch));
    HTREEITEM hApple = ChildItem(tree, hScratch, "Apple");
    HTREEITEM hBanana = ChildItem(tree, hScratch, "banana");
    EXPECT_EQ(scratch.Path("Apple"), NodeOf(tree, hApple)->m_strPath);
    EXPECT_EQ(NODE_FOLDER, NodeOf(tree, hApple)->m_nType);
    EXPECT_EQ(1, TreeItem(tree, hApple).cChildren);
    // A folder of files only has nothing to open here.
    EXPECT_EQ(0, TreeItem(tree, hBanana).cChildren);
    EXPECT_EQ(IMAGE_FOLDER, TreeItem(tree, hApple).iImage);
    OpenItem(tree, hApple);
    EXPECT_EQ((std::vector<std::string>{"pip"}), ChildTexts(tree, hApple));
    TVITEMA open = TreeItem(tree, hApple);
    EXPECT_EQ(IMAGE_FOLDER_OPEN, open.iImage);
    EXPECT_EQ(IMAGE_FOLDER_OPEN, open.iSelectedImage);
    tree.Expand(hApple, TVE_COLLAPSE);
    EXPECT_EQ(IMAGE_FOLDER, TreeItem(tree, hApple).iImage);

    // Opened again, the folder is not read again.
    scratch.MakeFolder("date");
    tree.Expand(hScratch, TVE_COLLAPSE);
    OpenItem(tree, hScratch);
    EXPECT_EQ(4u, ChildItems(tree, hScratch).size());
}

TEST_F(MrqViewTreesTest, NamesEndingInTheBackslashByteShowWholeAndRegisterWhole) {
    // Each of these names ends in a double-byte character whose second
    // byte is that of a backslash.
    const std::vector<std::vector<std::string>> kChains = {
        {"表", "ソ"}, {"能十"}, {"十", "能", "表"}};
    auto relative = [](const std::vector<std::string>& chain) {
        std::string strRelative;
        for (const std::string& name : chain)
            strRelative += (strRelative.empty() ? "" : "\\") + name;
        return strRelative;
    };
    CScratchTree scratch("lead");
    for (const auto& chain : kChains)
        scratch.WriteFile((relative(chain) + "\\ソ.txt").c_str(), "");
    scratch.WriteFile("bk\\表\\十\\ソ.txt", "");
    Start();

    // The folder tree: every level shows its name whole, and the deepest
    // folder of each chain registers with its own path.
    CFolderTree& folders = Folders();
    std::vector<std::string> expected;
    for (const auto& chain : kChains) {
        std::vector<std::string> texts = {"マイ コンピュータ", "D:\\", scratch.Root().Mid(3).str()};
        texts.insert(texts.end(), chain.begin(), chain.end());
        HTREEITEM hItem = OpenPath(folders, texts);
        ASSERT_NE(nullptr, hItem) << relative(chain);
        CString strPath = scratch.Path(relative(chain).c_str());
        EXPECT_EQ(strPath, NodeOf(folders, hItem)->m_strPath);
        EXPECT_EQ(0, TreeItem(folders, hItem).cChildren) << relative(chain);
        folders.SelectItem(hItem);
        Click(IDC_REGISTER);
        expected.push_back(strPath.str() + "||1|する");
    }
    EXPECT_TRUE(s_boxes.empty());
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> rows = SourceRows();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(expected, rows);

    // The synchronised-folder tree: a mirror named 表, its folder 十 and
    // the file in it.
    OpenSet(scratch, scratch.Path("bk"), {"E:\\src\\表"});
    HTREEITEM hFile = OpenPath(Sync(), {"同期フォルダ", "表", "十", "ソ.txt"});
    ASSERT_NE(nullptr, hFile);
    EXPECT_EQ(scratch.Path("bk\\表\\十\\ソ.txt"), NodeOf(Sync(), hFile)->m_strPath);
}

// Names the code page cannot hold are left out of both trees: no path of
// the program leads to them, so they could be neither registered, backed
// up nor restored. A folder holding only such names has nothing to open.
// The folder trees show only what a set can register; the synchronised
// tree shows every mirror entry, labelled in the code page, its node
// holding the exact path.
TEST_F(MrqViewTreesTest, NamesOutsideTheCodePageAreLeftOutOfTheFolderTreesOnly) {
    CScratchTree scratch("unnamable");
    scratch.MakeWideFolder(L"Caf\u00e9");
    scratch.MakeFolder("Cafe"); // its look-alike, a folder of its own
    scratch.MakeWideFolder(L"\u8868\\\ud55c\uae00");
    scratch.WriteFile("bk\\data\\resume.txt", "");
    scratch.WriteWideFile(L"bk\\data\\r\u00e9sum\u00e9.txt", "");
    scratch.WriteWideFile(L"bk\\data\\..\u00a5x.txt", "");
    Start();
    HTREEITEM hScratch = OpenScratch(scratch);
    EXPECT_EQ((std::vector<std::string>{"bk", "Cafe", "表"}), ChildTexts(Folders(), hScratch));
    EXPECT_EQ(0, TreeItem(Folders(), ChildItem(Folders(), hScratch, "表")).cChildren);

    OpenSet(scratch, scratch.Path("bk"), {"E:\\src\\data"});
    HTREEITEM hMirror = OpenPath(Sync(), {"同期フォルダ", "data"});
    ASSERT_NE(nullptr, hMirror);
    EXPECT_EQ((std::vector<std::string>{"..?x.txt", "r?sum?.txt", "resume.txt"}),
              ChildTexts(Sync(), hMirror));
    const CTreeNode* pNode = Sync().GetNode(ChildItem(Sync(), hMirror, "r?sum?.txt"));
    ASSERT_NE(nullptr, pNode);
    EXPECT_EQ(std::wstring(L"r\u00e9sum\u00e9.txt"),
              WideOfText(GetLastComponent(pNode->m_strPath)));
}

TEST_F(MrqViewTreesTest, SyncTreeShowsTheMirrorsFoldersFirstThenFilesWithTheirIcons) {
    CScratchTree scratch("sync");
    // Two sources named data mirror to data and data(1); one has gone.
    scratch.WriteFile("bk\\data\\Sub\\deep.txt", "");
    scratch.WriteFile("bk\\data\\b.txt", "");
    scratch.WriteFile("bk\\data\\A.ini", "");
    scratch.MakeFolder("bk\\data\\empty");
    scratch.WriteFile("bk\\data(1)\\only.txt", "");
    for (int i = 0; i < 30; i++) {
        const char* kTypes[] = {".txt", ".exe", ".zzq"};
        scratch.WriteFile(("bk\\data\\many" + std::to_string(i) + kTypes[i % 3]).c_str(), "");
    }
    Start();
    OpenSet(scratch, scratch.Path("bk"),
            {scratch.Path("x\\data"), "E:\\y\\data", scratch.Path("gone")});
    CSyncTree& tree = Sync();
    ASSERT_EQ((std::vector<std::string>{"同期フォルダ"}), ChildTexts(tree, nullptr));
    HTREEITEM hRoot = tree.GetRootItem();
    TVITEMA root = TreeItem(tree, hRoot);
    EXPECT_EQ(IMAGE_SYNC_ROOT, root.iImage);
    EXPECT_FALSE(root.state & TVIS_EXPANDED);
    // Mirrors in sorted order of their paths, named as stored; a missing
    // one has no name and nothing to open.
    std::vector<HTREEITEM> mirrors = ChildItems(tree, hRoot);
    ASSERT_EQ(3u, mirrors.size());
    EXPECT_EQ((std::vector<std::string>{"data", "data(1)", ""}), ChildTexts(tree, hRoot));
    EXPECT_EQ(scratch.Path("bk\\data"), NodeOf(tree, mirrors[0])->m_strPath);
    EXPECT_EQ(scratch.Path("bk\\gone"), NodeOf(tree, mirrors[2])->m_strPath);
    // Files alone give a folder something to open in this tree.
    EXPECT_EQ(1, TreeItem(tree, mirrors[1]).cChildren);
    EXPECT_EQ(0, TreeItem(tree, mirrors[2]).cChildren);

    OpenItem(tree, mirrors[0]);
    std::vector<std::string> texts = ChildTexts(tree, mirrors[0]);
    ASSERT_EQ(2u + 2u + 30u, texts.size());
    EXPECT_EQ((std::vector<std::string>{"empty", "Sub", "A.ini", "b.txt", "many0.txt"}),
              std::vector<std::string>(texts.begin(), texts.begin() + 5));
    std::vector<HTREEITEM> entries = ChildItems(tree, mirrors[0]);
    EXPECT_EQ(0, TreeItem(tree, entries[0]).cChildren);
    EXPECT_EQ(1, TreeItem(tree, entries[1]).cChildren);
    EXPECT_EQ(NODE_FILE, NodeOf(tree, entries[2])->m_nType);
    EXPECT_EQ(scratch.Path("bk\\data\\A.ini"), NodeOf(tree, entries[2])->m_strPath);

    // Each file shows its shell icon; files of one type share one image.
    int nImagesBefore = ImageCount();
    std::map<std::string, int> imageOfType;
    for (size_t i = 2; i < entries.size(); i++) {
        TVITEMA file = TreeItem(tree, entries[i]);
        EXPECT_GE(file.iImage, 15) << texts[i];
        EXPECT_EQ(file.iImage, file.iSelectedImage);
        std::string type = texts[i].substr(texts[i].rfind('.'));
        auto known = imageOfType.emplace(type, file.iImage);
        EXPECT_EQ(known.first->second, file.iImage) << texts[i];
        EXPECT_EQ(NodeOf(tree, entries[i])->m_pIcon->m_nImage, file.iImage);
    }
    EXPECT_LE(ImageCount() - nImagesBefore, 4);
    EXPECT_LE(View()->GetImages().GetIconCount(), 4);

    // File New empties the tree; the next set fills it again.
    m_pApp->OnFileNew();
    EXPECT_EQ((std::vector<std::string>{"同期フォルダ"}), ChildTexts(Sync(), nullptr));
    EXPECT_TRUE(ChildItems(Sync(), Sync().GetRootItem()).empty());
    EXPECT_EQ(1, Sync().GetNodes().GetCount());
}

TEST_F(MrqViewTreesTest, RegisterButtonAndTreeMenuTakeTheSelectedFolderByPage) {
    CScratchTree scratch("register");
    scratch.MakeFolder("one");
    scratch.MakeFolder("two");
    scratch.MakeFolder("three");
    Start();
    CFolderTree& tree = Folders();
    HTREEITEM hScratch = OpenScratch(scratch);
    ASSERT_NE(nullptr, hScratch);

    // Nothing selected, then "マイ コンピュータ": nothing to register.
    Click(IDC_REGISTER);
    tree.SelectItem(tree.GetRootItem());
    Click(IDC_REGISTER);
    EXPECT_TRUE(SourceRows().empty());

    tree.SelectItem(ChildItem(tree, hScratch, "one"));
    Click(IDC_REGISTER);
    EXPECT_EQ((std::vector<std::string>{scratch.Path("one").str() + "||1|する"}), SourceRows());
    SelectTab(1);
    tree.SelectItem(ChildItem(tree, hScratch, "two"));
    Click(IDC_REGISTER);
    EXPECT_EQ(scratch.Path("two"), Doc()->m_strDestination);

    // The menu of a folder: "登録" takes the folder the click selected;
    // the information item opens the folder's information window.
    SelectTab(0);
    ChooseFromMenus(ID_TREE_REGISTER);
    RightClick(tree, ChildItem(tree, hScratch, "three"));
    ASSERT_EQ(1u, m_menus.size());
    EXPECT_EQ((std::vector<std::string>{"登録", "-", "ﾌﾟﾛﾊﾟﾃｨ"}), m_menus[0]);
    EXPECT_EQ(ChildItem(tree, hScratch, "three"), tree.GetSelectedItem());
    EXPECT_EQ(2u, SourceRows().size());
    EXPECT_EQ(scratch.Path("three"),
              static_cast<CBackupSource*>(Doc()->m_sources.GetTail())->m_strFolder);

    // "マイ コンピュータ" is selected by the click but has no menu; below the
    // last item nothing happens.
    RightClick(tree, tree.GetRootItem());
    EXPECT_EQ(tree.GetRootItem(), tree.GetSelectedItem());
    tree.Expand(tree.GetRootItem(), TVE_COLLAPSE);
    RightClick(tree, nullptr);
    EXPECT_EQ(tree.GetRootItem(), tree.GetSelectedItem());
    EXPECT_EQ(1u, m_menus.size());
    EXPECT_TRUE(s_boxes.empty());
}

// The items below hParent as "text" lines, indented by level.
std::vector<std::string> Outline(const CTreeCtrl& tree, HTREEITEM hParent, int nLevel = 0) {
    std::vector<std::string> lines;
    for (HTREEITEM hChild : ChildItems(tree, hParent)) {
        lines.push_back(std::string(nLevel, ' ') + tree.GetItemText(hChild).str());
        for (const std::string& line : Outline(tree, hChild, nLevel + 1))
            lines.push_back(line);
    }
    return lines;
}

TEST_F(MrqViewTreesTest, NetworkIsReadDownToTheSharesAtItsFirstOpening) {
    CFakeNetwork network;
    network.m_nBatch = 2;
    network.m_openErrors["\\\\BROKEN"] = ERROR_ACCESS_DENIED;
    network.m_top = {
        FakeProvider("Windows Network",
                     {FakeContainer(RESOURCEDISPLAYTYPE_DOMAIN, "WORKGROUP",
                                    {FakeContainer(RESOURCEDISPLAYTYPE_SERVER, "\\\\BROKEN"),
                                     FakeContainer(RESOURCEDISPLAYTYPE_SERVER, "\\\\DROPPED"),
                                     FakeContainer(RESOURCEDISPLAYTYPE_SERVER, "\\\\SERVER",
                                                   {FakeShare("\\\\SERVER\\表"),
                                                    FakeShare("\\\\SERVER\\経理")}),
                                     FakeContainer(RESOURCEDISPLAYTYPE_SERVER, "\\\\LAST")}),
                      // A level of a kind the tree does not show: its
                      // contents go where it would have been.
                      FakeContainer(RESOURCEDISPLAYTYPE_GENERIC, "hidden",
                                    {FakeContainer(RESOURCEDISPLAYTYPE_SERVER, "\\\\INNER",
                                                   {FakeShare("\\\\INNER\\pub")})})}),
        // A provider that lists its own container without end.
        FakeProvider("Loop", {FakeContainer(RESOURCEDISPLAYTYPE_GENERIC, "loop",
                                            {FakeContainer(RESOURCEDISPLAYTYPE_GENERIC, "loop")})}),
        // A server whose provider says "success" with no entries, always.
        FakeProvider("Mute", {FakeContainer(RESOURCEDISPLAYTYPE_SERVER, "\\\\MUTE",
                                            {FakeShare("\\\\MUTE\\never")})}),
    };
    network.m_emptyAnswers.insert("\\\\MUTE");
    Start();
    Click(IDC_EXTENDED);
    CFolderTree& tree = Folders();
    HTREEITEM hNetwork = tree.GetNextSiblingItem(tree.GetRootItem());
    ASSERT_NE(nullptr, hNetwork);
    OpenItem(tree, hNetwork);

    // A server that cannot be listed drops the rest of its batch (DROPPED).
    EXPECT_EQ(
        (std::vector<std::string>{"Windows Network", " WORKGROUP", "  BROKEN", "  SERVER", "   表",
                                  "   経理", "  LAST", " INNER", "  pub", "Loop", "Mute", " MUTE"}),
        Outline(tree, hNetwork));
    EXPECT_EQ(0, network.m_nOpenEnums);
    EXPECT_EQ(1, network.m_nEmptyAnswers) << "asked again after an empty answer";
    HTREEITEM hProvider = tree.GetChildItem(hNetwork);
    HTREEITEM hDomain = tree.GetChildItem(hProvider);
    HTREEITEM hServer = ChildItem(tree, hDomain, "SERVER");
    HTREEITEM hShare = ChildItem(tree, hServer, "表");
    EXPECT_EQ(IMAGE_PROVIDER, TreeItem(tree, hProvider).iImage);
    EXPECT_EQ(IMAGE_COMPUTER, TreeItem(tree, hDomain).iImage);
    EXPECT_EQ(IMAGE_COMPUTER, TreeItem(tree, hServer).iImage);
    for (HTREEITEM hItem : {hProvider, hDomain, hServer}) {
        EXPECT_EQ(NODE_NETRESOURCE, NodeOf(tree, hItem)->m_nType);
        EXPECT_EQ(CString(""), NodeOf(tree, hItem)->m_strPath);
    }
    TVITEMA share = TreeItem(tree, hShare);
    EXPECT_EQ(IMAGE_FOLDER, share.iImage);
    EXPECT_EQ(1, share.cChildren);
    EXPECT_EQ(CString("\\\\SERVER\\表"), NodeOf(tree, hShare)->m_strPath);

    // Opened again, the network is not listed again.
    size_t nCalls = network.m_calls.size();
    tree.Expand(hNetwork, TVE_COLLAPSE);
    OpenItem(tree, hNetwork);
    EXPECT_EQ(nCalls, network.m_calls.size());
}

TEST_F(MrqViewTreesTest, ShareIsConnectedBeforeItIsReadAndItsPasswordIsKeptNowhere) {
    CFakeNetwork network;
    network.m_top = {FakeContainer(RESOURCEDISPLAYTYPE_SERVER, "\\\\SERVER",
                                   {FakeShare("\\\\SERVER\\表"), FakeShare("\\\\SERVER\\経理")})};
    network.m_passwords["\\\\SERVER\\経理"] = "開けゴマ";
    int nDialogs = 0;
    AfxSetModalDialogHandler([&](CDialog& dlg) {
        ++nDialogs;
        EXPECT_EQ(CString("\\\\SERVER\\経理"), dlg.GetDlgItemText(IDC_RESOURCE));
        dlg.SetDlgItemText(IDC_PASSWORD, "開けゴマ");
        return IDOK;
    });
    Start();
    Click(IDC_EXTENDED);
    CFolderTree& tree = Folders();
    HTREEITEM hServer = OpenPath(tree, {"ネットワークコンピュータ", "SERVER"});
    ASSERT_NE(nullptr, hServer);
    network.m_calls.clear();
    OpenItem(tree, ChildItem(tree, hServer, "表"));
    OpenItem(tree, ChildItem(tree, hServer, "経理"));
    EXPECT_EQ(1, nDialogs);
    EXPECT_EQ((std::vector<std::string>{"add \\\\SERVER\\表 none", "add \\\\SERVER\\経理 none",
                                        "add \\\\SERVER\\経理 ***"}),
              network.m_calls);
    network.m_calls.clear();
    EXPECT_EQ(std::string::npos, LogBuffer().m_strText.str().find("開けゴマ"));

    Close();
    // Only the share that took a password is disconnected at the end.
    EXPECT_EQ((std::vector<std::string>{"cancel \\\\SERVER\\経理"}), network.m_calls);
    std::string strSecretHex;
    for (unsigned char ch : std::string("開けゴマ")) {
        char szHex[4];
        std::snprintf(szHex, sizeof szHex, "%02x", ch);
        strSecretHex += szHex;
    }
    std::string strProfile =
        DumpKey(HKEY_CURRENT_USER, std::string("Software\\") + m_strCompany.str());
    EXPECT_NE(std::string::npos, strProfile.find("tcx"));
    EXPECT_EQ(std::string::npos, strProfile.find(strSecretHex));
}

} // namespace
