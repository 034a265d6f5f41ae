// The context menus of the main view's lists and trees. The frame owns a
// menu while it is open, so the items whose commands nothing takes show
// disabled, and a chosen command takes the frame's route to the view.
#pragma once

#include "Types.h"

#include <commctrl.h>

class CBrowseTree;
class CWnd;

// The drop-downs of the context menu resource, by position.
enum ContextMenu {
    CONTEXT_MENU_SOURCE = 0,
    CONTEXT_MENU_RESTORE = 1,
    CONTEXT_MENU_TREE = 2,
};

// The drop-down at nPosition, at the cursor.
void ShowContextMenu(const CWnd& form, int nPosition);

// A right click on a list, as its notification tells it: the list has
// already selected the row the click was on, which the menu's commands act
// on; below the rows there is nothing to act on, and no menu.
void ShowRowMenu(const CWnd& form, const NMHDR* pNMHDR, int nPosition);

// A right click on a tree: the item under the cursor is selected, and one
// with a path opens the trees' menu ("マイ コンピュータ", servers and
// domains have none).
void ShowTreeMenu(const CWnd& form, CBrowseTree& tree);
