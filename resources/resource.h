// Numbers of the program's resources, commands and controls (mrq.rc).
// Read by the resource compiler and by the C++ code alike: plain defines.
#pragma once

// Shared by the main frame, its menu, accelerators, tool bar, icon and the
// document template string.
#define IDR_MAINFRAME 300
#define IDR_CONTEXT_MENUS 302

// Icons. The data file's icon must stay the second icon group in id order:
// the shell association points at icon number 1 of the program file.
#define IDI_PROGRAM 300
#define IDI_DATAFILE 301
#define IDI_FINISHED 351

#define IDCUR_SPLITTER 200

// Images of the view's image list: image i is bitmap IDB_IMAGE_FIRST + i.
#define IDB_IMAGE_FIRST 400
#define IDB_COMPUTER 400
#define IDB_NETWORK 401
#define IDB_FIXED 402
#define IDB_FIXED_SELECTED 403
#define IDB_REMOVABLE 404
#define IDB_REMOVABLE_SELECTED 405
#define IDB_FOLDER 406
#define IDB_FOLDER_OPEN 407
#define IDB_SYNC_ROOT 408
#define IDB_DOCUMENT 409
#define IDB_REMOTE 410
#define IDB_REMOTE_SELECTED 411
#define IDB_CDROM 412
#define IDB_CDROM_SELECTED 413
#define IDB_GLOBE 414
#define IDB_IMAGE_COUNT 15

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_MRQ_FORM 101
#define IDD_SOURCE_PROPERTIES 103
#define IDD_PROGRESS 104
#define IDD_BACKUP_RESULT 105
#define IDD_RESTORE_RESULT 108
#define IDD_INSTALL 109
#define IDD_UNINSTALL 110
#define IDD_RESTORE 111
#define IDD_FOLDER_INFO 113
#define IDD_FILE_INFO 114
#define IDD_PASSWORD 115
#define IDD_EXTENSION 141

// Strings of their own (the command prompts share the command numbers).
#define IDS_APP_TITLE 57344
#define IDS_IDLE_MESSAGE 57345
#define ID_INDICATOR_LAST_BACKUP 500
#define ID_INDICATOR_CLOCK 501

// Framework commands.
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_MRU_FILE1 57616
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_CONTEXT_HELP 57669
#define ID_HELP 57670
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Commands of the context menus.
#define ID_SOURCE_EDIT 32774
#define ID_SOURCE_INFO 32775
#define ID_RESTORE_ITEM_INFO 32777
#define ID_SOURCE_DELETE 32779
#define ID_RESTORE_ITEM_DELETE 32780
#define ID_LIST_INIT 32783
#define ID_TREE_REGISTER 32784
#define ID_TREE_ITEM_INFO 32785

// Main form view (IDD_MRQ_FORM).
#define IDC_TAB 1000
#define IDC_FOLDER_TREE 1001
#define IDC_SOURCE_LIST 1002
#define IDC_FOLDER_SORTER 1003
#define IDC_SPLITTER 1004
#define IDC_REGISTER 1005
#define IDC_DELETE 1006
#define IDC_INIT_LIST 1007
#define IDC_DESTINATION 1008
#define IDC_FILE_SORTER 1009
#define IDC_SYNC_TREE 1011
#define IDC_RESTORE_LIST 1013
#define IDC_START 1014
#define IDC_FILE_NAME 1015
#define IDC_DATAFILE_GROUP 1018
#define IDC_START_BACKUP 1019
#define IDC_START_BACKUP_EXIT 1020
#define IDC_EXTENDED_GROUP 1021
#define IDC_LOG_VIEW 1022
#define IDC_EXTENDED 1023
#define IDC_NOCOPY_GROUP 1024
#define IDC_OPTIONS_GROUP 1027
#define IDC_NOCOPY_LIST 1028
#define IDC_NOCOPY_ADD 1029
#define IDC_NOCOPY_REMOVE 1030
#define IDC_OPEN_LOG 1031
#define IDC_EXTENDED_TAB 1032
#define IDC_LOG_FILE 1033
#define IDC_CHECK_SPACE 1034
#define IDC_LOG_TEXT 1038
#define IDC_LOG_FRAME 1039
#define IDC_LOG_SCROLL 1043
#define IDC_FREE_SPACE 1048
#define IDC_REMOVAL_GROUP 1060
#define IDC_KEEP_DELETED 1061
#define IDC_REMOVAL_GUARD 1062

// Source properties (IDD_SOURCE_PROPERTIES).
#define IDC_EXTENSION_LIST 1003
#define IDC_NOTE 1010
#define IDC_HISTORY_SPIN 1012
#define IDC_FOLDER_NAME 1015
#define IDC_HISTORY 1016
#define IDC_FILTER_LABEL 1017
#define IDC_FILTER_NOTE 1018
#define IDC_SUBFOLDERS_YES 1022
#define IDC_SUBFOLDERS_NO 1023
#define IDC_EXTENSION_ADD 1048
#define IDC_FILTER_EXCLUDE 1049
#define IDC_USE_FILTER 1050
#define IDC_FILTER_ONLY 1051
#define IDC_EXTENSION_REMOVE 1052

// Extension entry (IDD_EXTENSION) and password (IDD_PASSWORD).
#define IDC_EXTENSION 1010
#define IDC_PASSWORD 1010
#define IDC_RESOURCE 1015

// Backup and restore progress (IDD_PROGRESS, IDD_RESTORE).
#define IDC_STATUS 1015
#define IDC_SPACE 1016
#define IDC_ABORT 1017
#define IDC_PROGRESS 1053

// Result dialogs (IDD_BACKUP_RESULT, IDD_RESTORE_RESULT).
#define IDC_TOTAL 1015
#define IDC_RESTORED 1015
#define IDC_NEW 1016
#define IDC_UPDATED 1017
#define IDC_DELETED 1018
#define IDC_RESULT_TEXT 1019

// Folder and file information (IDD_FOLDER_INFO, IDD_FILE_INFO).
#define IDC_INFO_NAME 1015
#define IDC_INFO_CREATED 1016
#define IDC_INFO_TOTAL_SIZE 1017
#define IDC_INFO_MODIFIED 1017
#define IDC_INFO_FILES 1018
#define IDC_INFO_FILE_SIZE 1018
#define IDC_INFO_FOLDERS 1019
#define IDC_INFO_TYPE 1019

// About box (IDD_ABOUTBOX).
#define IDC_VERSION 601
