// CCmdTarget: anything with a message map. Windows, documents and the
// application are command targets, so a menu command can be handled by the
// view, the document, the frame or the application (see FrameWnd.h for the
// order in which they are asked).
#pragma once

#include "MessageMap.h"

class CCmdUI;

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Offers command nID to this target and those it routes to. With
    // pCmdUI, asks for the command's update handler instead and lets it
    // set pCmdUI's state. With bCheckOnly, only says whether a handler
    // exists. True when some table took it.
    virtual bool OnCmdMsg(UINT nID, CCmdUI* pCmdUI, bool bCheckOnly = false);

    // Offers a window message to this target's map, as a window's own map
    // takes it: a window hands the commands and notifications of some of its
    // controls to a part of itself that keeps a map of its own. True when
    // the map took it, with the handler's answer in *pResult.
    bool HandleMessage(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    // This class's message map; see MessageMap.h. The root has no entries.
    virtual const CMessageMap* GetMessageMap() const;
    // The first entry of the map chain that takes the message, or null.
    const CMessageMapEntry* FindEntry(UINT nMsg, WPARAM wParam, LPARAM lParam) const;
    // Calls the entry's handler with the message's arguments.
    LRESULT CallHandler(const CMessageMapEntry& entry, WPARAM wParam, LPARAM lParam);
};
