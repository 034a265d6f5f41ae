// Message maps: the derived class's table before its base's, the default
// procedure for what no table takes, commands and notifications told apart
// by control id and code, timers, and a handler's exception stopping at the
// window procedure.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ListBox.h"
#include "ListCtrl.h"
#include "Button.h"
#include "WindowTestSupport.h"
#include "Wnd.h"

namespace {

const UINT WM_PING = WM_APP + 1;
const UINT WM_SHARED = WM_APP + 2;
const UINT WM_THROW = WM_APP + 3;
const UINT WM_UNMAPPED = WM_APP + 4;
const UINT IDC_SAVE = 100;
const UINT IDC_OPEN = 101;
const UINT IDC_SOURCES = 102;
const UINT IDC_MAPPED_LIST = 200;
const UINT IDC_OTHER_LIST = 201;

class CBaseProbe : public CWnd {
public:
    std::vector<std::string> m_log;

protected:
    const CMessageMap* GetMessageMap() const override;
    LRESULT OnPing(WPARAM wParam, LPARAM lParam) {
        m_log.push_back("base ping");
        return static_cast<LRESULT>(wParam + lParam);
    }
    LRESULT OnShared(WPARAM, LPARAM) {
        m_log.push_back("base shared");
        return 1;
    }
    void OnSave() { m_log.push_back("base save"); }
};

const CMessageMap* CBaseProbe::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapMessage(WM_PING, &CBaseProbe::OnPing),
        MapMessage(WM_SHARED, &CBaseProbe::OnShared),
        MapCommand(IDC_SAVE, &CBaseProbe::OnSave),
    };
    static const CMessageMap s_map(CWnd::GetMessageMap(), kEntries);
    return &s_map;
}

class CDerivedProbe : public CBaseProbe {
public:
    ~CDerivedProbe() override {
        if (m_pbDeleted)
            *m_pbDeleted = true;
    }
    bool* m_pbDeleted = nullptr;
    bool m_bDeleteWithWindow = false;
    UINT_PTR m_nLastTimer = 0;
    int m_nLastNotifyItem = -1;

protected:
    const CMessageMap* GetMessageMap() const override;
    void PostNcDestroy() override {
        m_log.push_back("gone");
        if (m_bDeleteWithWindow)
            delete this;
    }
    LRESULT OnShared(WPARAM, LPARAM) {
        m_log.push_back("derived shared");
        return 2;
    }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    void OnOpen() { m_log.push_back("open"); }
    void OnSourcesCommand() { m_log.push_back("sources command"); }
    void OnSourcesChange() { m_log.push_back("sources change"); }
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult) {
        const NMLISTVIEW* pInfo = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
        if (!(pInfo->uNewState & LVIS_SELECTED))
            return;
        m_log.push_back("item changed");
        m_nLastNotifyItem = pInfo->iItem;
        *pResult = 0;
    }
    void OnTimer(UINT_PTR nIDEvent) {
        m_log.push_back("timer");
        m_nLastTimer = nIDEvent;
    }
    void OnDestroy() { m_log.push_back("destroy"); }
    void OnButtonDown(UINT nFlags, POINT point) {
        m_log.push_back(std::to_string(nFlags) + " at " + std::to_string(point.x) + "," +
                        std::to_string(point.y));
    }
};

const CMessageMap* CDerivedProbe::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapMessage(WM_SHARED, &CDerivedProbe::OnShared),
        MapMessage(WM_THROW, &CDerivedProbe::OnThrow),
        MapCommand(IDC_OPEN, &CDerivedProbe::OnOpen),
        // The command entry comes first: a list box's code 1 must still
        // reach the notification entry below.
        MapCommand(IDC_SOURCES, &CDerivedProbe::OnSourcesCommand),
        MapControl(IDC_SOURCES, LBN_SELCHANGE, &CDerivedProbe::OnSourcesChange),
        MapNotify(IDC_MAPPED_LIST, LVN_ITEMCHANGED, &CDerivedProbe::OnItemChanged),
        MapTimer(&CDerivedProbe::OnTimer),
        MapEvent(WM_DESTROY, &CDerivedProbe::OnDestroy),
        MapMouse(WM_LBUTTONDOWN, &CDerivedProbe::OnButtonDown),
    };
    static const CMessageMap s_map(CBaseProbe::GetMessageMap(), kEntries);
    return &s_map;
}

HWND CreateChild(HWND hWndParent, const char* pszClass, DWORD dwStyle, UINT nID) {
    return ::CreateWindowExA(0, pszClass, "", WS_CHILD | WS_VISIBLE | dwStyle, 0, 0, 100, 60,
                             hWndParent, reinterpret_cast<HMENU>(UINT_PTR{nID}),
                             ::GetModuleHandleA(nullptr), nullptr);
}

// A part of a window with a map of its own: the window hands it the
// commands and notifications of the controls it leaves to the part.
class CPartProbe : public CCmdTarget {
public:
    std::vector<std::string> m_log;

protected:
    const CMessageMap* GetMessageMap() const override {
        static const CMessageMapEntry kEntries[] = {
            MapControl(IDC_SOURCES, LBN_SELCHANGE, &CPartProbe::OnSourcesChange),
            MapNotify(IDC_MAPPED_LIST, NM_DBLCLK, &CPartProbe::OnDoubleClick),
        };
        static const CMessageMap s_map(CCmdTarget::GetMessageMap(), kEntries);
        return &s_map;
    }
    void OnSourcesChange() { m_log.push_back("part change"); }
    void OnDoubleClick(NMHDR*, LRESULT* pResult) {
        m_log.push_back("part double click");
        *pResult = 42;
    }
};

class CPartOwnerProbe : public CDerivedProbe {
public:
    CPartProbe m_part;

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override {
        LRESULT lResult = 0;
        return m_part.HandleMessage(WM_COMMAND, wParam, lParam, &lResult);
    }
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        return m_part.HandleMessage(WM_NOTIFY, wParam, lParam, pResult);
    }
};

class MessageMap : public CWindowTest {
protected:
    void SetUp() override {
        CWindowTest::SetUp();
        ASSERT_TRUE(
            m_wnd.CreateEx(0, "probe", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0));
    }
    void TearDown() override {
        m_wnd.DestroyWindow();
        CWindowTest::TearDown();
    }
    std::vector<std::string>& Log() { return m_wnd.m_log; }

    CDerivedProbe m_wnd;
};

} // namespace

TEST_F(MessageMap, DerivedTableFirstThenBaseThenDefaultProcedure) {
    EXPECT_EQ(7, m_wnd.SendMessage(WM_PING, 3, 4));
    EXPECT_EQ(2, m_wnd.SendMessage(WM_SHARED));
    EXPECT_EQ(0, m_wnd.SendMessage(WM_UNMAPPED, 1, 1));
    EXPECT_EQ((std::vector<std::string>{"base ping", "derived shared"}), Log());

    // Text messages are in no table: the default procedure keeps the text,
    // trail byte 0x5C included.
    EXPECT_TRUE(m_wnd.SetWindowText("表示ソ十"));
    EXPECT_EQ("表示ソ十", m_wnd.GetWindowText());
    EXPECT_EQ(&m_wnd, CWnd::FromHandlePermanent(m_wnd.GetSafeHwnd()));
}

TEST_F(MessageMap, CommandsRouteByIdAndCode) {
    HWND hSave = CreateChild(m_wnd.GetSafeHwnd(), "BUTTON", BS_PUSHBUTTON, IDC_SAVE);
    HWND hSources = CreateChild(m_wnd.GetSafeHwnd(), "LISTBOX", LBS_NOTIFY, IDC_SOURCES);
    ASSERT_TRUE(hSave && hSources);

    // A real click reaches the base's entry through the derived class.
    CButton save(hSave);
    save.Click();
    // A menu item (code 0) and an accelerator (code 1, no control).
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OPEN, 0), 0);
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OPEN, 1), 0);
    // Code 1 from the list box is LBN_SELCHANGE, not a command.
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SOURCES, LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(hSources));
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SOURCES, 1), 0);
    // Neither an unmapped code of a mapped id nor an unmapped id.
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SOURCES, LBN_DBLCLK),
                      reinterpret_cast<LPARAM>(hSources));
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(999, 0), 0);

    EXPECT_EQ((std::vector<std::string>{"base save", "open", "open", "sources change",
                                        "sources command"}),
              Log());
}

TEST_F(MessageMap, NotificationsRouteByControlId) {
    CListCtrl mapped(CreateChild(m_wnd.GetSafeHwnd(), WC_LISTVIEWA, LVS_REPORT, IDC_MAPPED_LIST));
    CListCtrl other(CreateChild(m_wnd.GetSafeHwnd(), WC_LISTVIEWA, LVS_REPORT, IDC_OTHER_LIST));
    ASSERT_TRUE(mapped.GetSafeHwnd() && other.GetSafeHwnd());
    for (CListCtrl* pList : {&mapped, &other}) {
        pList->InsertColumn(0, "名前", LVCFMT_LEFT, 80);
        pList->InsertItem(0, "表");
        pList->InsertItem(1, "ソ");
    }

    other.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(Log().empty());
    mapped.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ((std::vector<std::string>{"item changed"}), Log());
    EXPECT_EQ(1, m_wnd.m_nLastNotifyItem);
}

TEST_F(MessageMap, TimerHandlerGetsItsId) {
    ASSERT_EQ(7u, m_wnd.SetTimer(7, 1));
    EXPECT_TRUE(PumpUntil([&] { return m_wnd.m_nLastTimer == 7; }));
    EXPECT_TRUE(m_wnd.KillTimer(7));
    EXPECT_FALSE(m_wnd.KillTimer(7));
}

TEST_F(MessageMap, ExceptionEndsAtTheWindowProcedure) {
    EXPECT_EQ(0, m_wnd.SendMessage(WM_THROW));
    // The window and its map still work.
    EXPECT_EQ(5, m_wnd.SendMessage(WM_PING, 2, 3));
}

TEST_F(MessageMap, DestroyDetachesAndSelfDeletingObjectGoes) {
    HWND hWnd = m_wnd.GetSafeHwnd();
    EXPECT_TRUE(m_wnd.DestroyWindow());
    EXPECT_EQ(nullptr, m_wnd.GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ((std::vector<std::string>{"destroy", "gone"}), Log());

    bool bDeleted = false;
    CDerivedProbe* pWnd = new CDerivedProbe;
    pWnd->m_pbDeleted = &bDeleted;
    pWnd->m_bDeleteWithWindow = true;
    ASSERT_TRUE(pWnd->CreateEx(0, "", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    ::DestroyWindow(pWnd->GetSafeHwnd());
    EXPECT_TRUE(bDeleted);
}

TEST_F(MessageMap, DetachedWindowGetsDefaultHandling) {
    HWND hWnd = m_wnd.Detach();
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(0, ::SendMessageA(hWnd, WM_PING, 2, 3));
    EXPECT_TRUE(Log().empty());

    // A plain wrapper owns nothing: the window outlives it.
    {
        CWnd wrapper;
        EXPECT_TRUE(wrapper.Attach(hWnd));
        EXPECT_FALSE(wrapper.Attach(hWnd));
    }
    EXPECT_TRUE(::IsWindow(hWnd));
    ::DestroyWindow(hWnd);
}

TEST_F(MessageMap, MouseHandlerGetsKeysAndASignedPoint) {
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 35));
    // A captured mouse left or above the window reports negative points.
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-50, -3));
    EXPECT_EQ((std::vector<std::string>{"1 at 120,35", "5 at -50,-3"}), Log());
}

TEST_F(MessageMap, PartAnswersWhatTheWindowHandsItAndTheRestStaysTheWindows) {
    CPartOwnerProbe owner;
    ASSERT_TRUE(owner.CreateEx(0, "owner", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0));
    HWND hSources = CreateChild(owner.GetSafeHwnd(), "LISTBOX", LBS_NOTIFY, IDC_SOURCES);
    CListCtrl list(CreateChild(owner.GetSafeHwnd(), WC_LISTVIEWA, LVS_REPORT, IDC_MAPPED_LIST));
    ASSERT_TRUE(hSources && list.GetSafeHwnd());
    list.InsertColumn(0, "名前", LVCFMT_LEFT, 80);
    list.InsertItem(0, "表");

    owner.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SOURCES, LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(hSources));
    NMHDR header = {list.GetSafeHwnd(), IDC_MAPPED_LIST, static_cast<UINT>(NM_DBLCLK)};
    EXPECT_EQ(42, owner.SendMessage(WM_NOTIFY, IDC_MAPPED_LIST, reinterpret_cast<LPARAM>(&header)));
    // What the part has no entry for goes through the window's own map.
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    owner.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_OPEN, 0), 0);
    EXPECT_EQ((std::vector<std::string>{"part change", "part double click"}), owner.m_part.m_log);
    EXPECT_EQ((std::vector<std::string>{"item changed", "open"}), owner.m_log);
    owner.DestroyWindow();
}
