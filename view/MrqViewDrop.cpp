// Files dropped from the shell onto the view: a data file is opened as the
// backup set; folders (and shortcuts to folders) are registered as sources
// on the source page, or offered as the destination on the destination
// page, under the same rules as the Register button.
#include "MrqView.h"

#include "DropHandle.h"
#include "FileOps.h"
#include "PathText.h"
#include "WinApp.h"

LRESULT CMrqView::OnDropFiles(WPARAM wParam, LPARAM) {
    CDropHandle drop(wParam);
    // Wine delivers drops to a disabled window. Under a modal dialog a
    // dropped folder would add a row the dialog's OK then writes into, and
    // a data file would free the entries the dialog or a run works on.
    if (IsMainWindowDisabled())
        return 0;
    UINT nCount = drop.GetCount();
    for (UINT i = 0; i < nCount; i++) {
        // A name the code page cannot hold would come as a look-alike (Café
        // as Cafe, another folder; a yen sign as a backslash); its text
        // holds "?" instead, and is refused.
        CString strShown;
        if (!drop.GetExactPath(i, strShown) && RefuseUnplainPath(strShown))
            continue;
        // A path too long for the program's 260-byte paths is passed over
        // like a file: cut, it would name another folder.
        if (drop.GetPathLength(i) >= MAX_PATH)
            continue;
        char szPath[MAX_PATH];
        drop.GetPath(i, szPath, sizeof szPath);
        ResolveShortcut(szPath);
        if (HasListedExtension(szPath, "mrd")) {
            if (CWinApp* pApp = AfxGetApp())
                pApp->OpenDocumentFile(szPath);
            return 0;
        }
        if (GetPathKind(szPath) != PATH_FOLDER)
            continue;
        if (m_nPage == PAGE_SOURCES) {
            RegisterSource(szPath);
        } else if (m_nPage == PAGE_DESTINATION) {
            // Only the first folder of a drop is offered as the destination.
            SetDestination(szPath);
            return 0;
        }
    }
    return 0;
}
