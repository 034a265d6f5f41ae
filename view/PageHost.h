// What a part of the main view reaches through the view that holds it: the
// backup set, the log panel, the pictures the trees and lists share, the
// network connections, and the form itself, which holds the controls and
// owns the parts' message boxes, menus and dialogs.
#pragma once

class CLogPanel;
class CMrqDoc;
class CViewImages;
class CWnd;

class CPageHost {
public:
    // Null until the view shows a document.
    virtual CMrqDoc* GetBackupSet() const = 0;
    virtual CLogPanel& GetLog() = 0;
    virtual CViewImages& GetImages() = 0;
    virtual CWnd& GetForm() = 0;
    // Connects a network share before it is read, asking for a password
    // when the share wants one: 1 go on, 0 the password was refused.
    virtual int ConnectShare(const char* pszRemote) = 0;
    // False until the first document has been shown: the automatic backup
    // of the first update comes before the window ever shows.
    virtual bool IsShown() const = 0;

protected:
    ~CPageHost() = default;
};
