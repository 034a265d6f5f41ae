#include "MainDocTemplate.h"

#include "DocTemplate.h"
#include "MainFrame.h"
#include "MrqDoc.h"
#include "MrqView.h"
#include "resource.h"

CSingleDocTemplate* NewMainDocTemplate() {
    return new CSingleDocTemplate(
        IDR_MAINFRAME, [] { return new CMrqDoc; }, [] { return new CMainFrame; },
        [] { return new CMrqView; });
}
