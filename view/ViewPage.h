// One page of the main view's tabs. A page shows its controls, answers the
// events of the controls it owns from a map of its own (the view hands them
// to it, whichever page is shown: a tree is filled while hidden, too), and
// answers in its own way the commands of the buttons the pages share
// (register, delete, clear, start) and the folders dropped on it, which the
// view gives the page shown.
#pragma once

#include <initializer_list>
#include <vector>

#include "CmdTarget.h"
#include "String.h"

class CBrowseTree;
class CPageHost;

class CViewPage : public CCmdTarget {
public:
    // The page's controls, in the order they are shown.
    CViewPage(CPageHost& host, std::initializer_list<int> controls)
        : m_host(host), m_controls(controls) {}

    // Shows or hides the page's controls (SW_SHOW or SW_HIDE).
    void ShowControls(int nCmdShow);
    // Whether the log panel and the splitter come with the page.
    virtual bool HasLogAndSplitter() const { return true; }
    // The tree the page registers from, or null.
    virtual CBrowseTree* GetTree() { return nullptr; }

    // The Register button and the trees' menu: the folder selected in the
    // page's tree, when it has a path the rules can take.
    void OnRegister();
    // The trees' menu: the information window of the selected item, with
    // its subfolders counted.
    void OnTreeItemInfo();
    virtual void OnDelete() {}
    virtual void OnClear() {}
    virtual void OnStart() {}
    // A folder dropped on the page (not a data file); false ends the drop.
    virtual bool OnDropFolder(const char*) { return true; }

protected:
    // A folder of the page's tree, its path shorter than 260 bytes.
    virtual void RegisterFolder(const CString&) {}

    CPageHost& m_host;

private:
    std::vector<int> m_controls;
};
