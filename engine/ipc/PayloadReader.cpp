#include "engine/ipc/PayloadReader.h"

#include <cstring>
#include <vector>

namespace engine {
namespace {

enum ValueTag : std::uint32_t { kNull, kBool, kInt, kDouble, kString };

} // namespace

bool PayloadReader::Take(std::size_t count, std::string_view& taken)
{
    if (!m_ok || count > m_rest.size()) {
        m_ok = false;
        return false;
    }
    taken = m_rest.substr(0, count);
    m_rest.remove_prefix(count);
    return true;
}

bool PayloadReader::U32(std::uint32_t& value)
{
    std::string_view bytes;
    if (!Take(4, bytes)) {
        return false;
    }
    value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    }
    return true;
}

bool PayloadReader::I32(std::int32_t& value)
{
    std::uint32_t raw = 0;
    if (!U32(raw)) {
        return false;
    }
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool PayloadReader::Bytes(std::string& bytes)
{
    std::uint32_t size = 0;
    std::string_view taken;
    if (!U32(size) || !Take(size, taken)) {
        return false;
    }
    bytes.assign(taken);
    return true;
}

bool PayloadReader::Text(std::wstring& text)
{
    std::uint32_t length = 0;
    std::string_view taken;
    if (!U32(length) || length > m_rest.size() / 2 || !Take(std::size_t{length} * 2, taken)) {
        m_ok = false;
        return false;
    }
    // UTF-16 travels little-endian, which is how Windows holds it in memory.
    static_assert(sizeof(wchar_t) == 2, "text is UTF-16");
    text.resize(length);
    std::memcpy(text.data(), taken.data(), taken.size());
    return true;
}

bool PayloadReader::List(CefRefPtr<ListValue>& list)
{
    std::uint32_t count = 0;
    // Every value takes at least its 4-byte tag, which bounds a hostile count.
    if (!U32(count) || count > m_rest.size() / 4) {
        m_ok = false;
        return false;
    }
    std::vector<ListValue::Value> values;
    values.reserve(count);
    for (std::uint32_t i = 0; i < count && m_ok; ++i) {
        std::uint32_t tag = 0;
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        std::wstring text;
        if (!U32(tag)) {
            break;
        }
        switch (tag) {
        case kNull: values.emplace_back(std::monostate{}); break;
        case kBool: if (U32(low)) values.emplace_back(low != 0); break;
        case kInt: if (U32(low)) values.emplace_back(static_cast<int>(static_cast<std::int32_t>(low))); break;
        case kDouble:
            if (U32(low) && U32(high)) {
                const std::uint64_t bits = (std::uint64_t{high} << 32) | low;
                double d = 0;
                std::memcpy(&d, &bits, sizeof d);
                values.emplace_back(d);
            }
            break;
        case kString: if (Text(text)) values.emplace_back(std::move(text)); break;
        default: m_ok = false; break;
        }
    }
    if (!m_ok) {
        return false;
    }
    list = new ListValue(std::move(values));
    return true;
}

} // namespace engine
