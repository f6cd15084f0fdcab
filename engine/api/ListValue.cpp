#include "engine/api/ListValue.h"

namespace engine {

bool ListValue::SetSize(std::size_t size)
{
    if (m_readOnly) {
        return false;
    }
    m_values.resize(size);
    return true;
}

bool ListValue::Clear()
{
    return SetSize(0);
}

bool ListValue::Remove(std::size_t index)
{
    if (m_readOnly || index >= m_values.size()) {
        return false;
    }
    m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

cef_value_type_t ListValue::GetType(std::size_t index)
{
    if (index >= m_values.size()) {
        return VTYPE_INVALID;
    }
    static constexpr cef_value_type_t kTypes[] = {VTYPE_NULL, VTYPE_BOOL, VTYPE_INT, VTYPE_DOUBLE, VTYPE_STRING};
    return kTypes[m_values[index].index()];
}

template <typename T>
T ListValue::Get(std::size_t index, T fallback) const
{
    if (index >= m_values.size()) {
        return fallback;
    }
    const T* value = std::get_if<T>(&m_values[index]);
    return value != nullptr ? *value : fallback;
}

bool ListValue::GetBool(std::size_t index)
{
    return Get<bool>(index, false);
}

int ListValue::GetInt(std::size_t index)
{
    return Get<int>(index, 0);
}

double ListValue::GetDouble(std::size_t index)
{
    return Get<double>(index, 0.0);
}

CefString ListValue::GetString(std::size_t index)
{
    return Get<std::wstring>(index, std::wstring());
}

bool ListValue::Set(std::size_t index, Value value)
{
    if (m_readOnly) {
        return false;
    }
    if (index >= m_values.size()) {
        m_values.resize(index + 1);
    }
    m_values[index] = std::move(value);
    return true;
}

} // namespace engine

CefRefPtr<CefListValue> CefListValue::Create()
{
    return new engine::ListValue();
}
