/* The program's name and version, shared by the version resource and the application properties.
   Plain C macros: windres reads this file too. */
#pragma once
#define TENMORU_TITLE "Tenmoru"
#define TENMORU_VERSION_MAJOR 2
#define TENMORU_VERSION_MINOR 0
#define TENMORU_VERSION_REVISION 0
#define TENMORU_VERSION_TEXT "2.00"
