/* Templates and control ids of the control gallery, the test-only dialogs
   that show every control of the library in every state. Shared by
   gallery.rc and the tests. */
#ifndef MORVANTIA_GALLERY_IDS_H
#define MORVANTIA_GALLERY_IDS_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* The gallery: rectangular and elliptic buttons in the five looks, two
   county-like buttons, a table painted off-screen, texts and fields. */
#define IDD_GALLERY 201
#define IDC_RECT_NORMAL 1001
#define IDC_RECT_SELECTED 1002
#define IDC_RECT_FOCUS 1003
#define IDC_RECT_PRESSED 1004
#define IDC_RECT_DISABLED 1005
#define IDC_ELLIPSE_NORMAL 1011
#define IDC_ELLIPSE_SELECTED 1012
#define IDC_ELLIPSE_FOCUS 1013
#define IDC_ELLIPSE_PRESSED 1014
#define IDC_ELLIPSE_DISABLED 1015
#define IDC_COUNTY_UNWORKED 1021
#define IDC_COUNTY_WORKED 1022
#define IDC_TABLE 1030
#define IDC_GALLERY_TEXT 1040
#define IDC_GALLERY_EDIT 1041
#define IDC_GALLERY_LIST 1042
#define IDC_GALLERY_ADVANCED_EDIT 1043

/* A bare button to take over, with a check box, a three-state box and a
   radio button beside it (their type is replaced on take-over). */
#define IDD_BUTTONS 202
#define IDC_WIDE_BUTTON 1101
#define IDC_CHECK_BOX 1102
#define IDC_THREE_STATE 1103
#define IDC_RADIO 1104

/* Nested colour dialogs: a popup and a child template placed inside it
   (and inside itself, for a grandchild). */
#define IDD_NEST_PARENT 203
#define IDD_NEST_CHILD 204
#define IDC_NEST_TEXT 1201
#define IDC_NEST_EDIT 1202
#define IDC_NEST_LIST 1203
#define IDC_NEST_ADVANCED_EDIT 1204

#endif
