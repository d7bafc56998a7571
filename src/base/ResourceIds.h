// Every command, resource and control identifier and every private frame message, in one
// place: the resource scripts, the portable code and the window code all read these numbers.
// Plain #defines so the resource compiler reads this file too.
#ifndef PV_BASE_RESOURCEIDS_H
#define PV_BASE_RESOURCEIDS_H
// --- File ----------------------------------------------------------------------
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_FOLDERS 130
#define ID_FILE_CAPTURE 32856
#define ID_FILE_SAVE 32848
#define ID_FILE_PRINT 57607
#define ID_FILE_PAGE_SETUP 57605
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_FILE_MRU_FIRST 57616
#define ID_FILE_MRU_LAST 57631
#define ID_FILE_MRU_DROPDOWN 32777
#define ID_APP_EXIT 57665

// --- Edit ----------------------------------------------------------------------
#define ID_EDIT_COPY 57634
#define ID_EDIT_PASTE 57637
#define ID_EDIT_CUT 57635
#define ID_FILE_PRINT_PREVIEW_CLOSE 57632

// --- Options -------------------------------------------------------------------
#define ID_OPTIONS_ASSOCIATE 32849
#define ID_OPTIONS_MANAGER_CHOICE 32864
#define ID_OPTIONS_UNCHECK_AUTO 32863

// --- Image and view --------------------------------------------------------------
#define ID_VIEW_ORIGINAL 133
#define ID_VIEW_ZOOMIN 134
#define ID_VIEW_ZOOMOUT 135
#define ID_VIEW_NEAREST 32831
#define ID_VIEW_BILINEAR 32832
#define ID_VIEW_FITTOWINDOW 32843
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
#define ID_VIEW_FULLSCREEN 32850
#define ID_VIEW_SLIDESHOW 32858
#define ID_VIEW_THUMBNAILS 32808
#define ID_VIEW_REPORT 32809
#define ID_VIEW_TOGGLE 32818
#define ID_IMAGE_RESIZE 32862

// --- Lists ---------------------------------------------------------------------
#define ID_SORT_FIRST 32821  // nine "Sort by" items, 32821..32829
#define ID_SORT_LAST 32829
#define ID_LIST_SORT_DIALOG 32810
#define ID_LIST_OPEN 32812
#define ID_LIST_SAVE 32813
#define ID_LIST_KEYWORDS 32872
#define ID_LIST_BEGIN 32842
#define ID_LIST_BACK 136
#define ID_LIST_FORWARD 137
#define ID_LIST_MANAGER 32861

// --- Effects -------------------------------------------------------------------
#define ID_EFFECT_GRAYSCALE 32844
#define ID_EFFECT_HFLIP 32845
#define ID_EFFECT_VFLIP 32846
#define ID_EFFECT_NEGATIVE 32855
#define ID_EFFECT_GLASS 32859
#define ID_EFFECT_STIPPLEDGLASS 32860

// --- Wallpaper and selection ------------------------------------------------------
#define ID_WALLPAPER_SET 32847
#define ID_SELECT_ALL 32867
#define ID_SELECT_CLEAR 32868
#define ID_SELECT_COPY 32869
#define ID_SELECT_DELETE 32870

// --- Keyword bar and keywords pane ------------------------------------------------
#define ID_KEYWORDS_COUNTTEXT 32873
#define ID_KEYWORDS_PREPARE 32874
#define ID_KEYWORDS_REDRAW 32876
#define ID_KEYWORDS_CLEAR_ACCUMULATOR 154
#define ID_PANE_CLOSE 57682

// --- Help ----------------------------------------------------------------------
#define ID_HELP_TOPICS 32854
#define ID_APP_ABOUT 57664
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

// --- Image view's right-click menu (menu 129) -----------------------------------------
#define ID_CTX_ORIGINAL 1089
#define ID_CTX_ZOOMIN 1090
#define ID_CTX_ZOOMOUT 1091
#define ID_CTX_NEAREST 1092
#define ID_CTX_BILINEAR 1093
#define ID_CTX_OPEN 1094
#define ID_CTX_FOLDERS 32819
#define ID_CTX_SAVEAS 1095

// --- Private frame messages (WM_USER + 200 .. 219) -------------------------------------
#define UM_SHOWITEM 1224
#define UM_SHOWINDEX 1227
#define UM_RESETSPLIT 1228
#define UM_OPENDIALOG 1229
#define UM_FOLDERSDIALOG 1230
#define UM_VIEWMENUCMD 1231
#define UM_SAVEAS 1232
#define UM_OPENPATH 1235
#define UM_SETFILEMANAGER 1236
#define UM_SEARCHDONE 1238
#define UM_REFRESHTEXTS 1239
#define UM_COPYPREVIEW 1240
#define UM_PANECMD1 1241
#define UM_PANECMD3 1243
#define UM_FIRST 1224
#define UM_LAST 1243

// --- Controls of the frame -------------------------------------------------------
#define IDC_STATUS_BAR 59393
#define IDC_KEYWORD_EDIT 229
#define IDC_KEYWORD_LABEL 245
#define IDC_KEYWORD_BUTTON_FIRST 240  // five buttons, 240..244
#define IDC_KEYWORD_BUTTON_LAST 244
#define IDC_POSITION_COUNTER 249
#define IDC_FOLDER_BOX 250
#define IDC_COMMAND_BAR 59440
#define IDC_TOOLBAR1 59392
#define IDC_TOOLBAR2 59396
#define IDC_REBAR 59419
#define IDC_SPLITTER 59648
#define IDC_IMAGE_VIEW 59664
#define IDC_THUMB_VIEW 59665

// Status-bar pane ids, in the order the frame lays them out. 0 is the main text pane.
#define ID_PANE_MAIN 0
#define ID_PANE_ICON 246
#define ID_PANE_KEYWORD 226
#define ID_PANE_BUTTON1 230
#define ID_PANE_BUTTON2 231
#define ID_PANE_BUTTON3 232
#define ID_PANE_BUTTON4 233
#define ID_PANE_BUTTON5 234

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

// --- Thumbnail view: its context menu, the report list and the sort dialog ---------------
#define IDR_THUMB_MENU 205
#define ID_CTX_SORT_FIRST 32833  // nine "Sort by" items, 32833..32841
#define ID_CTX_SORT_LAST 32841
#define IDC_REPORT_LIST 59666
#define IDD_SORT_FILES 43
#define IDC_SORT_LIST 32814

// Options dialog: file associations and the file manager to return to.
#define IDD_OPTIONS 207
#define IDC_OPTIONS_SELECT_ALL 1006
#define IDC_OPTIONS_LIST 1125
#define IDC_OPTIONS_MANAGER_GROUP 1029
#define IDC_OPTIONS_EXPLORER 1030
#define IDC_OPTIONS_TOTALCMD 1031
#define IDC_OPTIONS_FAR 1032

// --- Search dialogs: "Disks and Folders" and "Browse with Pictavo" ---------------------------
#define IDD_FOLDERS 210
#define IDD_BROWSE 212
#define IDB_TREE_IMAGES 116  // 16 x 16 each: 0 unused, 1 folder, 2 file, 3 drive
#define IDC_SEARCH_DATE_FROM 1004
#define IDC_SEARCH_DATE_TO 1005
#define IDC_SEARCH_CHECK_SIZE 1007
#define IDC_SEARCH_CHECK_DATE 1008
#define IDC_SEARCH_ALL_FORMATS 1025
#define IDC_SEARCH_MIN_SIZE 1033
#define IDC_SEARCH_MAX_SIZE 1034
#define IDC_SEARCH_TREE 1037
#define IDC_SEARCH_CHECK_TITLE 1056
#define IDC_SEARCH_DEFAULT 1060
#define IDC_SEARCH_TITLE 1064
#define IDC_SEARCH_SORT 1074
#define IDC_SEARCH_INCLUDE 1075
#define IDC_SEARCH_STATUS 1076
#define IDC_SEARCH_ROOT 1088
#define IDC_SEARCH_LABEL_SIZE_TO 1109
#define IDC_SEARCH_LABEL_DATE_TO 1110
#define IDC_SEARCH_FOLDER_GROUP 1111
#define IDC_SEARCH_SIZE_GROUP 1112
#define IDC_SEARCH_DATE_GROUP 1113
#define IDC_SEARCH_LABEL_SORT 1114
#define IDC_SEARCH_RUN_AUTO 1122
#define IDC_SEARCH_EXTENSIONS 1123
#define IDC_BROWSE_EXTENSIONS 1126

// --- Pictures in and out: window capture and wallpaper dialogs --------------------------
#define IDD_CAPTURE 211
#define IDC_CAPTURE_LIST 32814
#define IDD_WALLPAPER 215
#define IDC_WALLPAPER_PREVIEW 1053
#define IDC_WALLPAPER_SOURCE 1054
#define IDC_WALLPAPER_VIEW 1055

// --- Keywords and names list: the word pane, its list and its right-click menu --------------
#define IDR_WORD_MENU 44
#define IDC_WORD_PANE 59667
#define IDC_WORD_LIST 59668

// --- Copying the selected files ---------------------------------------------------------
#define IDD_COPY_SELECTED 217
#define IDC_COPY_SUMMARY 1012
#define IDC_COPY_TITLE 32871

#endif  // PV_BASE_RESOURCEIDS_H
