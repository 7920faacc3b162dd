/* Icon identifiers, shared by the .rc and the program. Plain C macros: windres reads this file too. */
#pragma once

/* The first icon group is the one Explorer shows for the file. */
#define IDI_TENMORU 1 /* program icon: 32x32 and 16x16, 16 colours */
#define IDI_ABOUT 2   /* About dialog's frame icon: three 32x32 images */
#define IDI_PICICON 3 /* the picture in the About dialog's picture box */
