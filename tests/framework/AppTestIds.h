// Ids of the application-layer tests' own resources (AppTest.rc).
#pragma once

#define IDR_TEST_FRAME 300
#define IDD_TEST_FORM 310
#define IDS_TEST_PANE 500

// Commands, each handled by a different member of the route.
#define ID_TEST_SHADOWED 33001 // view and frame: the view's entry wins
#define ID_TEST_DOC 33002      // document and frame: the document's wins
#define ID_TEST_FRAME 33003    // frame and application: the frame's wins
#define ID_TEST_APP 33004      // the application only
#define ID_TEST_TOGGLE 33005   // enabled by an update handler
#define ID_TEST_UNHANDLED 33006

#define IDC_FORM_EDIT 1010
#define IDC_FORM_BUTTON 1011
