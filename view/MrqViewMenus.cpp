// The context menus of the lists and trees. The frame owns each menu while
// it is open, so the items whose commands nothing takes show disabled, and
// a chosen command takes the frame's route to the view.
#include "MrqView.h"

#include "Menu.h"
#include "resource.h"

void CMrqView::ShowContextMenu(int nPosition) {
    POINT pt;
    ::GetCursorPos(&pt);
    CMenu menu;
    if (!menu.LoadMenu(IDR_CONTEXT_MENUS))
        return;
    CMenu popup;
    if (!popup.Attach(menu.GetSubMenu(nPosition)))
        return;
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, GetTopLevelParent());
}

void CMrqView::OnRestoreListMenu(NMHDR* pNMHDR, LRESULT*) {
    // The list has already selected the row the click was on; below the
    // rows there is nothing to act on.
    if (reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem >= 0)
        ShowContextMenu(CONTEXT_MENU_RESTORE);
}
