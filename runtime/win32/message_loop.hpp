#pragma once
// The program's message loop: runs until the last form is closed or End is called.
// Tab, Enter, Esc and the access keys work in every form of the program as they do in a dialog.
namespace tenmoru {

int RunMessageLoop();

}  // namespace tenmoru
