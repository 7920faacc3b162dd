#pragma once
// The program's message loop: runs until the last form is closed or End is called.
// Tab, Enter and Space work in every window of the program as they do in a dialog.
int RunMessageLoop();
