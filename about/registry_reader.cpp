#include "about/registry_reader.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "runtime/number.hpp"

namespace tenmoru {

namespace {

// Owns an opened key for the length of one read and closes it on every way out, also when the
// open failed and the handle is still 0 (the registry treats that as nothing to close).
class KeyCloser {
public:
    explicit KeyCloser(Registry& registry) : registry_(registry) {}
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;
    ~KeyCloser() { registry_.CloseKey(key); }

    RegistryKey key = 0;

private:
    Registry& registry_;
};

// A string value stored with its terminating zero keeps everything before it. Only the last byte
// is tested: a zero elsewhere stays part of the data.
std::span<const std::byte> WithoutFinalZero(std::span<const std::byte> data) {
    if (!data.empty() && data.back() == std::byte{0}) {
        return data.first(data.size() - 1);
    }
    return data;
}

// A 32-bit number: exactly four bytes, least significant first.
std::optional<std::uint32_t> LittleEndianDword(std::span<const std::byte> data) {
    if (data.size() != 4) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = (value << 8) | std::to_integer<std::uint32_t>(data[i]);
    }
    return value;
}

}  // namespace

bool RegistryReader::GetKeyValue(RegistryKey KeyRoot, std::wstring_view KeyName, std::wstring_view SubKeyRef,
                                 std::wstring& KeyVal, std::uint32_t view) {
    KeyCloser opened(registry_);
    KeyVal.clear();  // every failure leaves the empty text

    if (registry_.OpenKey(KeyRoot, codePage_.Encode(KeyName), kKeyQueryValue | view, opened.key) != kRegistrySuccess) {
        return false;
    }

    std::array<std::byte, kValueBufferSize> buffer{};
    std::uint32_t type = 0;
    auto size = static_cast<std::uint32_t>(buffer.size());
    if (registry_.QueryValue(opened.key, codePage_.Encode(SubKeyRef), type, buffer, size) != kRegistrySuccess) {
        return false;
    }
    if (size > buffer.size()) {
        return false;  // a size the buffer cannot hold: never read past what was stored
    }
    const std::span<const std::byte> data(buffer.data(), size);

    switch (type) {
    case kRegSz: {
        const auto text = WithoutFinalZero(data);
        KeyVal = codePage_.Decode(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
        return true;
    }
    case kRegDword:
        if (const auto number = LittleEndianDword(data)) {
            KeyVal = DecimalText(*number);
            return true;
        }
        return false;
    default:
        return false;
    }
}

}  // namespace tenmoru
