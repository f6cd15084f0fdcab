#pragma once
// The engine's CefListValue: a vector of simple values.

#include <string>
#include <variant>
#include <vector>

#include "CefValues.h"

namespace engine {

class ListValue final : public CefListValue {
public:
    using Value = std::variant<std::monostate, bool, int, double, std::wstring>;

    ListValue() = default;
    explicit ListValue(std::vector<Value> values) : m_values(std::move(values)) {}

    // Received lists cannot change any more.
    void MakeReadOnly() noexcept { m_readOnly = true; }
    [[nodiscard]] const std::vector<Value>& Values() const noexcept { return m_values; }

    bool IsValid() override { return true; }
    bool IsReadOnly() override { return m_readOnly; }
    bool SetSize(std::size_t size) override;
    std::size_t GetSize() override { return m_values.size(); }
    bool Clear() override;
    bool Remove(std::size_t index) override;
    cef_value_type_t GetType(std::size_t index) override;
    bool GetBool(std::size_t index) override;
    int GetInt(std::size_t index) override;
    double GetDouble(std::size_t index) override;
    CefString GetString(std::size_t index) override;
    bool SetNull(std::size_t index) override { return Set(index, std::monostate{}); }
    bool SetBool(std::size_t index, bool value) override { return Set(index, value); }
    bool SetInt(std::size_t index, int value) override { return Set(index, value); }
    bool SetDouble(std::size_t index, double value) override { return Set(index, value); }
    bool SetString(std::size_t index, const CefString& value) override { return Set(index, value.ToWString()); }
    CefRefPtr<CefListValue> Copy() override { return new ListValue(m_values); }

private:
    bool Set(std::size_t index, Value value);
    template <typename T>
    [[nodiscard]] T Get(std::size_t index, T fallback) const;

    std::vector<Value> m_values;
    bool m_readOnly = false;
    IMPLEMENT_REFCOUNTING(ListValue);
};

} // namespace engine
