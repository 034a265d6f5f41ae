// A report-style list view in a hidden popup window, for tests of code that
// reads or fills list rows.
#pragma once

#include "ListCtrl.h"

class CHiddenListView {
public:
    CHiddenListView() {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        m_hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                    nullptr, nullptr);
        m_list.Attach(CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 400, 300,
                                      m_hParent, nullptr, nullptr, nullptr));
    }
    ~CHiddenListView() {
        m_list.Detach();
        DestroyWindow(m_hParent);
    }
    CHiddenListView(const CHiddenListView&) = delete;
    CHiddenListView& operator=(const CHiddenListView&) = delete;

    CListCtrl& List() { return m_list; }

private:
    HWND m_hParent = nullptr;
    CListCtrl m_list;
};
