/* Resource and control identifiers, shared by the .rc, the program and the end-to-end driver.
   Plain C macros: windres reads this file too. */
#pragma once

/* Icons. The first icon group is the one Explorer shows for the file. */
#define IDI_TENMORU 1   /* program icon: 32x32 and 16x16, 16 colours */
#define IDI_ABOUT 2     /* About dialog's frame icon: three 32x32 images */
#define IDI_PICICON 3   /* the picture in the About dialog's picture box */

/* Input box. */
#define IDD_INPUTBOX 100
#define IDC_INPUT_PROMPT 1001
#define IDC_INPUT_EDIT 1002
/* OK and Cancel of the input box are IDOK (1) and IDCANCEL (2). */

/* Main window (window class TENMORU_MAIN_CLASS, title "Tenmoru"). */
#define TENMORU_MAIN_CLASS L"Tenmoru"
#define IDC_CMDSTAT 201
#define IDC_CMDEND 202
#define IDC_LBLHELP 203
#define IDC_LBLVER 204

/* About dialog (window class TENMORU_ABOUT_CLASS). */
#define TENMORU_ABOUT_CLASS L"frmAbout2"
#define IDC_PICICON 301
#define IDC_LBLTITLE 302
#define IDC_LBLVERSION 303
#define IDC_LBLDESCRIPTION 304
#define IDC_LBLDISCLAIMER 305
#define IDC_CMDOK 1         /* IDOK: Enter */
#define IDC_CMDSYSINFO 306
