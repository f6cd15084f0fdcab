#pragma once
// Reference counting shared by every engine object and by the client's handlers.
// Objects start at a count of zero, are kept alive by CefRefPtr and delete
// themselves when the last reference goes.

#include <atomic>
#include <mutex>
#include <utility>

// The base of every reference-counted engine interface. Classes that implement
// several interfaces override these once (IMPLEMENT_REFCOUNTING), so all bases
// share one count.
class CefBaseRefCounted {
public:
    virtual void AddRef() const = 0;
    // Returns true when this call deleted the object.
    virtual bool Release() const = 0;
    [[nodiscard]] virtual bool HasOneRef() const = 0;

protected:
    virtual ~CefBaseRefCounted() = default;
};
using CefBase = CefBaseRefCounted;

// The atomic count behind IMPLEMENT_REFCOUNTING.
class CefRefCount final {
public:
    void AddRef() const noexcept { m_count.fetch_add(1, std::memory_order_relaxed); }
    // True when the count reached zero.
    [[nodiscard]] bool Release() const noexcept { return m_count.fetch_sub(1, std::memory_order_acq_rel) == 1; }
    [[nodiscard]] bool HasOneRef() const noexcept { return m_count.load(std::memory_order_acquire) == 1; }
    [[nodiscard]] int Count() const noexcept { return m_count.load(std::memory_order_acquire); }

private:
    mutable std::atomic<int> m_count{0};
};

// Put inside the class body of the final implementation class.
#define IMPLEMENT_REFCOUNTING(ClassName)                                   \
public:                                                                    \
    void AddRef() const override { m_refCount.AddRef(); }                  \
    bool Release() const override                                          \
    {                                                                      \
        if (m_refCount.Release()) {                                        \
            delete static_cast<const ClassName*>(this);                    \
            return true;                                                   \
        }                                                                  \
        return false;                                                      \
    }                                                                      \
    bool HasOneRef() const override { return m_refCount.HasOneRef(); }     \
                                                                           \
private:                                                                   \
    CefRefCount m_refCount

// A recursive lock for client objects that share state between threads.
class CefCriticalSection final {
public:
    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};

// Adds Lock()/Unlock() and a CefCriticalSection member to a class.
#define IMPLEMENT_LOCKING(ClassName)              \
public:                                           \
    void Lock() { m_critsec.Lock(); }             \
    void Unlock() { m_critsec.Unlock(); }         \
                                                  \
private:                                          \
    CefCriticalSection m_critsec

// Holds one reference to a CefBaseRefCounted object.
template <typename T>
class CefRefPtr {
public:
    CefRefPtr() noexcept = default;
    CefRefPtr(std::nullptr_t) noexcept {}
    CefRefPtr(T* p) : m_ptr(p)
    {
        if (m_ptr != nullptr) {
            m_ptr->AddRef();
        }
    }
    CefRefPtr(const CefRefPtr& other) : CefRefPtr(other.m_ptr) {}
    CefRefPtr(CefRefPtr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    template <typename U>
    CefRefPtr(const CefRefPtr<U>& other) : CefRefPtr(other.get()) {}
    ~CefRefPtr()
    {
        if (m_ptr != nullptr) {
            m_ptr->Release();
        }
    }

    CefRefPtr& operator=(CefRefPtr other) noexcept
    {
        std::swap(m_ptr, other.m_ptr);
        return *this;
    }

    [[nodiscard]] T* get() const noexcept { return m_ptr; }
    operator T*() const noexcept { return m_ptr; }
    T* operator->() const noexcept { return m_ptr; }
    T& operator*() const noexcept { return *m_ptr; }

private:
    T* m_ptr = nullptr;
};
