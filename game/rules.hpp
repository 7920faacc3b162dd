#pragma once
// The how-to-play message: five lines joined by CR LF.
#include <string>

#include "runtime/ui.hpp"

namespace tenmoru {

std::wstring RulesMessage();

// Shows the rules in one message box.
void ShowRules(Ui& ui);

}  // namespace tenmoru
