#pragma once
// Values that travel between the browser process and the renderers.

#include <cstddef>

#include "CefRefCounting.h"
#include "CefString.h"
#include "CefTypes.h"

// An ordered list of simple values (bool, int, double, string).
class CefListValue : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] static CefRefPtr<CefListValue> Create();

    [[nodiscard]] virtual bool IsValid() = 0;
    [[nodiscard]] virtual bool IsReadOnly() = 0;
    // Grows with null values or shrinks the list.
    virtual bool SetSize(std::size_t size) = 0;
    [[nodiscard]] virtual std::size_t GetSize() = 0;
    virtual bool Clear() = 0;
    virtual bool Remove(std::size_t index) = 0;
    // VTYPE_INVALID for an index past the end.
    [[nodiscard]] virtual cef_value_type_t GetType(std::size_t index) = 0;
    // Getters return false, 0, 0.0 or "" for a missing index or another type.
    [[nodiscard]] virtual bool GetBool(std::size_t index) = 0;
    [[nodiscard]] virtual int GetInt(std::size_t index) = 0;
    [[nodiscard]] virtual double GetDouble(std::size_t index) = 0;
    [[nodiscard]] virtual CefString GetString(std::size_t index) = 0;
    // Setters grow the list as needed; false on a read-only list.
    virtual bool SetNull(std::size_t index) = 0;
    virtual bool SetBool(std::size_t index, bool value) = 0;
    virtual bool SetInt(std::size_t index, int value) = 0;
    virtual bool SetDouble(std::size_t index, double value) = 0;
    virtual bool SetString(std::size_t index, const CefString& value) = 0;
    [[nodiscard]] virtual CefRefPtr<CefListValue> Copy() = 0;
};

// A named message with arguments, sent with CefBrowser::SendProcessMessage.
class CefProcessMessage : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] static CefRefPtr<CefProcessMessage> Create(const CefString& name);

    [[nodiscard]] virtual bool IsValid() = 0;
    // True once the message has been received (arguments can no longer change).
    [[nodiscard]] virtual bool IsReadOnly() = 0;
    [[nodiscard]] virtual CefRefPtr<CefProcessMessage> Copy() = 0;
    [[nodiscard]] virtual CefString GetName() = 0;
    [[nodiscard]] virtual CefRefPtr<CefListValue> GetArgumentList() = 0;
};

// The switches of a process command line ("--name=value").
class CefCommandLine : public virtual CefBaseRefCounted {
public:
    [[nodiscard]] virtual bool IsValid() = 0;
    [[nodiscard]] virtual bool IsReadOnly() = 0;
    [[nodiscard]] virtual CefString GetCommandLineString() = 0;
    [[nodiscard]] virtual bool HasSwitch(const CefString& name) = 0;
    [[nodiscard]] virtual CefString GetSwitchValue(const CefString& name) = 0;
    virtual void AppendSwitch(const CefString& name) = 0;
    virtual void AppendSwitchWithValue(const CefString& name, const CefString& value) = 0;
};
