#pragma once
// A picture box: a child window that shows one icon at its top-left corner and can hold the
// keyboard focus (it draws a focus rectangle then). It wants none of the dialog keys, so Tab,
// Enter and Esc keep working while it has the focus.
#include <windows.h>

// Registers the class kPictureBoxClass once per process. The icon is set with STM_SETICON, as on
// a static control; the box does not own it.
bool RegisterPictureBoxClass(HINSTANCE instance);
