#pragma once
// Conversion to and from the system's ANSI code page with the Windows conversion functions.
#include "about/ansi_code_page.hpp"

namespace tenmoru {

class SystemAnsiCodePage final : public AnsiCodePage {
public:
    std::string Encode(std::wstring_view text) const override;
    std::wstring Decode(std::string_view bytes) const override;
};

}  // namespace tenmoru
