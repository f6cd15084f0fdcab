#pragma once
// Reads a payload written by PayloadWriter. Every read fails (false) instead of
// running past the end, and the reader stays failed.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/api/ListValue.h"

namespace engine {

class PayloadReader final {
public:
    explicit PayloadReader(std::string_view payload) : m_rest(payload) {}

    [[nodiscard]] bool U32(std::uint32_t& value);
    [[nodiscard]] bool I32(std::int32_t& value);
    [[nodiscard]] bool Bytes(std::string& bytes);
    [[nodiscard]] bool Text(std::wstring& text);
    [[nodiscard]] bool List(CefRefPtr<ListValue>& list);
    // True when everything was read and nothing is left over.
    [[nodiscard]] bool AtCleanEnd() const noexcept { return m_ok && m_rest.empty(); }

private:
    [[nodiscard]] bool Take(std::size_t count, std::string_view& taken);

    std::string_view m_rest;
    bool m_ok = true;
};

} // namespace engine
