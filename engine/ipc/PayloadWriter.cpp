#include "engine/ipc/PayloadWriter.h"

#include <cstring>

namespace engine {
void PayloadWriter::U32(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        m_out.push_back(static_cast<char>((value >> shift) & 0xFFu));
    }
}

void PayloadWriter::Bytes(std::string_view bytes)
{
    U32(static_cast<std::uint32_t>(bytes.size()));
    m_out.append(bytes);
}

WireMessage PayloadWriter::TakeMessage(WireType type, std::string last)
{
    U32(static_cast<std::uint32_t>(last.size()));
    return WireMessage{type, Take(), std::move(last)};
}

// UTF-16 travels little-endian, which is how Windows holds it in memory.
void PayloadWriter::Text(std::wstring_view text)
{
    static_assert(sizeof(wchar_t) == 2, "text is UTF-16");
    U32(static_cast<std::uint32_t>(text.size()));
    m_out.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

void PayloadWriter::List(const ListValue& list)
{
    U32(static_cast<std::uint32_t>(list.Values().size()));
    for (const auto& value : list.Values()) {
        // The tag is the variant index, which PayloadReader maps back.
        U32(static_cast<std::uint32_t>(value.index()));
        if (const auto* b = std::get_if<bool>(&value)) {
            U32(*b ? 1u : 0u);
        } else if (const auto* i = std::get_if<int>(&value)) {
            I32(*i);
        } else if (const auto* d = std::get_if<double>(&value)) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, d, sizeof bits);
            U32(static_cast<std::uint32_t>(bits));
            U32(static_cast<std::uint32_t>(bits >> 32));
        } else if (const auto* s = std::get_if<std::wstring>(&value)) {
            Text(*s);
        }
    }
}

} // namespace engine
