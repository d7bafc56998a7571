// Resource identifiers shared by the resource script and the code (#defines only: windres
// reads this file).
#pragma once

#include "app/CommandIds.h"

// Program icon, main menu, accelerators and the product-name string.
#define IDR_MAINFRAME 11
// The image view's right-click menu.
#define IDR_VIEW_MENU 129

// Tool-bar strips: 202 holds nine 28 x 21 images; 204 is the 80 x 2 strip of tool bar 2,
// whose buttons show their labels alone. The _2X strips are the same pictures drawn at
// twice the size for 200 % displays.
#define IDB_TOOLBAR1 202
#define IDB_TOOLBAR2 204
#define IDB_TOOLBAR1_2X 1202
// Keyword-bar button k (240..244) takes its three 54 x 21 pictures (normal, pressed,
// disabled) from bitmap 235 + k.
#define IDB_KEYWORD_FIRST 236
#define IDB_KEYWORD_2X_FIRST 1236
// Status-bar icon of pane 246.
#define IDI_STATUS 248

// About box.
#define IDD_ABOUT 100
#define IDC_ABOUT_ICON 1001
#define IDC_ABOUT_NAME 1002
#define IDC_ABOUT_VERSION 1003
#define IDC_ABOUT_TEXT 1004

// Resize dialog.
#define IDD_RESIZE 214
#define IDC_RESIZE_CURRENT 1012
#define IDC_RESIZE_WIDTH 1082
#define IDC_RESIZE_HEIGHT 1083
#define IDC_RESIZE_NEAREST 1035
#define IDC_RESIZE_BILINEAR 1036
