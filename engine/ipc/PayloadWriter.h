#pragma once
// Builds the little-endian payload of a wire message.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/api/ListValue.h"
#include "engine/ipc/WireMessage.h"

namespace engine {

class PayloadWriter final {
public:
    void U32(std::uint32_t value);
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Bytes(std::string_view bytes);
    void Text(std::wstring_view text);
    void List(const ListValue& list);

    [[nodiscard]] std::string Take() noexcept { return std::move(m_out); }
    // The message of this payload ended by Bytes(`last`), whose bytes are moved, not copied.
    [[nodiscard]] WireMessage TakeMessage(WireType type, std::string last);

private:
    std::string m_out;
};

} // namespace engine
