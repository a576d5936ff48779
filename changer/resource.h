// Resource and control ids of the icon changer (also used by the tests that drive its window).
#pragma once

#define IDI_APP 1
#define IDB_PRODUCT 2
#define IDB_BANNER 3
#define IDB_PLACEHOLDER 4
#define IDI_HELP 5
// The pictures drawn for 150 % (+10) and 200 % (+20); a variant the resources lack is made from
// the nearest one present.
#define IDB_PRODUCT_150 12
#define IDB_BANNER_150 13
#define IDB_PLACEHOLDER_150 14
#define IDB_PRODUCT_200 22
#define IDB_BANNER_200 23
#define IDB_PLACEHOLDER_200 24
#define IDR_HAND_CURSOR 101

#define IDC_LABEL2 1001
#define IDC_IMAGE1 1002
#define IDC_IMAGE3 1003
#define IDC_PICTURE2 1004
#define IDC_LBLPREVIEW 1005
#define IDC_IMAGE2 1006
#define IDC_LABEL1 1007
#define IDC_TXTICONPATH 1008
#define IDC_CMDBROWSE 1009
#define IDC_CBODRIVES 1010
#define IDC_CMDRESTORE 1011
#define IDC_CMDCHANGE 1012
#define IDC_CMDCLOSE 1013
#define IDC_TXTDUMMY 1014
#define IDC_WAITING 1015

// The "Change Icon" dialog, the icon picker for a shell without a working one.
#define IDD_CHANGE_ICON 100
#define IDC_PICK_FILELABEL 1101
#define IDC_PICK_FILE 1102
#define IDC_PICK_BROWSE 1103
#define IDC_PICK_LISTLABEL 1104
#define IDC_PICK_ICONS 1105
#define IDC_PICK_NOICONS 1106
