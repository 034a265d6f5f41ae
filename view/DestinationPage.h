// The destination page ("バックアップ先"): the folder tree, the destination
// box (control 1008) and the free space of its drive. A folder from the
// tree or a drop becomes the destination unless it is, holds or lies in a
// registered source that covers it; text typed into the box goes into the
// set as it is.
#pragma once

#include "Edit.h"
#include "ViewPage.h"

class CBackupCommand;
class CFolderTreePane;
class CSourcePage;

class CDestinationPage : public CViewPage {
public:
    CDestinationPage(CPageHost& host, CFolderTreePane& folders, const CSourcePage& sources,
                     CBackupCommand& backup);

    void Attach(const CWnd& form);

    // 1 when the folder became the destination (box, set, log line, free
    // space); 0 when it was refused, with a warning.
    int SetDestination(const char* pszPath);
    // True when the box is not empty and the path is the destination, lies
    // inside it or contains it.
    bool IsRelated(const char* pszPath) const;
    // The box's text the way the rules read it, at most 259 bytes.
    CString GetText() const;
    // Puts the text in the box as a replacement of all it holds, which
    // marks the box modified: its change rule copies the text into the set.
    void ReplaceText(const char* pszText);
    // "空き容量 : " and the free space of the box's drive.
    void RefreshFreeSpace();

    CBrowseTree* GetTree() override;
    void OnStart() override;
    // Only the first folder of a drop is offered as the destination.
    bool OnDropFolder(const char* pszPath) override;

protected:
    void RegisterFolder(const CString& strPath) override { SetDestination(strPath); }
    const CMessageMap* GetMessageMap() const override;

private:
    void OnChange();

    CFolderTreePane& m_folders;
    const CSourcePage& m_sources;
    CBackupCommand& m_backup;
    CEdit m_box;
    CWnd m_freeSpace;
};
