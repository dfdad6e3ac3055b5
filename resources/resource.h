// Resource identifiers of pyxom.exe.
#pragma once

#define IDM_ABOUTBOX       0x0010
#define IDD_ABOUTBOX       100
#define IDS_ABOUTBOX       101
#define IDD_PYXOM_DIALOG   102
#define IDR_MAINFRAME      159
#define IDC_ABOUT_TEXT     1000
