#pragma once
// Conversion between UTF-16 text and narrow text in the system's ANSI code page (932 under the
// Japanese locale). Behind an interface so that the registry reader stays free of platform calls.
#include <string>
#include <string_view>

namespace tenmoru {

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;

    // The text in the ANSI code page; characters it cannot hold become its default character.
    virtual std::string Encode(std::wstring_view text) const = 0;

    // The bytes decoded from the ANSI code page. Reads exactly bytes.size() bytes, a zero byte
    // included; an invalid or cut-off byte sequence gives a replacement character, never a failure.
    virtual std::wstring Decode(std::string_view bytes) const = 0;
};

}  // namespace tenmoru
