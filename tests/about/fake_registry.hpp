#pragma once
// A scripted registry for the reader's tests: keys and values set up by the test, and a record of
// every call in the order it was made.
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "about/ansi_code_page.hpp"
#include "about/registry.hpp"

struct StoredValue {
    StoredValue(std::uint32_t valueType, std::string bytes, std::optional<std::uint32_t> claimedSize = std::nullopt)
        : type(valueType), data(std::move(bytes)), reportedSize(claimedSize) {}

    std::uint32_t type;
    std::string data;                          // the bytes as stored
    std::optional<std::uint32_t> reportedSize; // a size the query claims instead of data.size()
};

class FakeRegistry final : public Registry {
public:
    struct OpenCall {
        RegistryKey root;
        std::string subKey;
        std::uint32_t access;
    };
    struct QueryCall {
        RegistryKey key;
        std::string valueName;
        std::uint32_t sizeOnEntry;
        std::size_t bufferSize;
    };

    // Adds a key below root; the handle is what the open hands out.
    void AddKey(RegistryKey root, std::string path, RegistryKey handle) {
        keys_[{root, std::move(path)}] = handle;
    }
    void AddValue(RegistryKey handle, std::string name, StoredValue value) {
        values_.insert_or_assign({handle, std::move(name)}, std::move(value));
    }

    RegistryStatus OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t access,
                           RegistryKey& key) override {
        opens.push_back({root, subKey, access});
        const auto found = keys_.find({root, subKey});
        if (found == keys_.end()) {
            return kFileNotFound;
        }
        key = found->second;
        return kRegistrySuccess;
    }

    RegistryStatus QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                              std::span<std::byte> data, std::uint32_t& size) override {
        queries.push_back({key, valueName, size, data.size()});
        const auto found = values_.find({key, valueName});
        if (found == values_.end()) {
            return kFileNotFound;
        }
        const StoredValue& value = found->second;
        if (value.data.size() > size) {
            size = static_cast<std::uint32_t>(value.data.size());
            return kMoreData;
        }
        std::transform(value.data.begin(), value.data.end(), data.begin(),
                       [](char c) { return static_cast<std::byte>(c); });
        type = value.type;
        size = value.reportedSize.value_or(static_cast<std::uint32_t>(value.data.size()));
        return kRegistrySuccess;
    }

    void CloseKey(RegistryKey key) override { closes.push_back(key); }

    static constexpr RegistryStatus kFileNotFound = 2;
    static constexpr RegistryStatus kMoreData = 234;

    std::vector<OpenCall> opens;
    std::vector<QueryCall> queries;
    std::vector<RegistryKey> closes;

private:
    std::map<std::pair<RegistryKey, std::string>, RegistryKey> keys_;
    std::map<std::pair<RegistryKey, std::string>, StoredValue> values_;
};

// A small piece of code page 932: single bytes stand for themselves, 0x82 0x9F..0xF1 are the
// hiragana U+3041..U+3093, and a lead byte without its trail byte gives U+30FB, as the system does.
class FakeShiftJis final : public AnsiCodePage {
public:
    std::string Encode(std::wstring_view text) const override {
        std::string bytes;
        for (const wchar_t c : text) {
            if (c >= 0x3041 && c <= 0x3093) {
                bytes += static_cast<char>(0x82);
                bytes += static_cast<char>(0x9F + (c - 0x3041));
            } else {
                bytes += c < 0x80 ? static_cast<char>(c) : '?';
            }
        }
        return bytes;
    }

    std::wstring Decode(std::string_view bytes) const override {
        decoded.emplace_back(bytes);
        std::wstring text;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte == 0x82) {
                if (i + 1 == bytes.size()) {
                    text += L'\x30FB';
                } else {
                    text += static_cast<wchar_t>(0x3041 + static_cast<unsigned char>(bytes[++i]) - 0x9F);
                }
            } else {
                text += static_cast<wchar_t>(byte);
            }
        }
        return text;
    }

    // Every byte sequence handed to Decode, in order.
    mutable std::vector<std::string> decoded;
};
