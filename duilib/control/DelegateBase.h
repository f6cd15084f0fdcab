#pragma once
// A callable bound to a plain function, or to a member function of an object, that
// takes one untyped parameter and answers whether the caller may go on. Event sources
// (CEventSource) hold copies of them.
//
//   control->NotifyListeners += MakeDelegate(this, &CMyTab::OnButtonNotify);

#include <cstring>

namespace DuiLib {

class CDelegateBase {
public:
    virtual ~CDelegateBase() = default;
    // A new heap copy of the same kind; the caller owns it.
    [[nodiscard]] virtual CDelegateBase* Copy() const = 0;

    bool operator()(void* param) { return Invoke(param); }
    // Same object and same function.
    [[nodiscard]] bool Equals(const CDelegateBase& rhs) const noexcept
    {
        return m_pObject == rhs.m_pObject && std::memcmp(m_fn, rhs.m_fn, sizeof(m_fn)) == 0;
    }
    [[nodiscard]] void* GetObjectW() const noexcept { return m_pObject; }
    // The bytes that identify the function (a member function pointer does not fit a
    // data pointer).
    [[nodiscard]] const void* GetFn() const noexcept { return m_fn; }

protected:
    template <typename Fn>
    CDelegateBase(void* pObject, Fn fn) noexcept : m_pObject(pObject)
    {
        static_assert(sizeof(Fn) <= sizeof(m_fn), "function pointer does not fit the delegate");
        std::memcpy(m_fn, &fn, sizeof(Fn));
    }
    CDelegateBase(const CDelegateBase&) = default;
    CDelegateBase& operator=(const CDelegateBase&) = default;
    virtual bool Invoke(void* param) = 0;

private:
    void* m_pObject;
    unsigned char m_fn[2 * sizeof(void*)] = {};
};

// Bound to a plain function; its object is null.
class CDelegateStatic final : public CDelegateBase {
public:
    using Fn = bool (*)(void*);
    explicit CDelegateStatic(Fn pFn) noexcept : CDelegateBase(nullptr, pFn), m_pFn(pFn) {}
    [[nodiscard]] CDelegateBase* Copy() const override { return new CDelegateStatic(*this); }

protected:
    bool Invoke(void* param) override { return m_pFn(param); }

private:
    Fn m_pFn;
};

// Bound to a member function of an object. Borrowed: the object must outlive every
// source that holds the delegate, or be removed from it first.
template <class O, class T = O>
class CDelegate final : public CDelegateBase {
public:
    using Fn = bool (T::*)(void*);
    CDelegate(O* pObj, Fn pFn) noexcept : CDelegateBase(pObj, pFn), m_pObj(pObj), m_pFn(pFn) {}
    [[nodiscard]] CDelegateBase* Copy() const override { return new CDelegate(*this); }

protected:
    bool Invoke(void* param) override { return (m_pObj->*m_pFn)(param); }

private:
    O* m_pObj;
    Fn m_pFn;
};

template <class O, class T>
[[nodiscard]] CDelegate<O, T> MakeDelegate(O* pObject, bool (T::*pFn)(void*))
{
    return CDelegate<O, T>(pObject, pFn);
}

[[nodiscard]] inline CDelegateStatic MakeDelegate(bool (*pFn)(void*))
{
    return CDelegateStatic(pFn);
}

} // namespace DuiLib
