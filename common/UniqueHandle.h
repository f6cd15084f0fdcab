#pragma once
// Single owner of an OS handle. Traits give the handle type, the value that means
// "no handle" and the call that releases it:
//   struct Traits { using Type = HFONT; static Type Invalid() noexcept; static void Close(Type) noexcept; };

#include <utility>

template <typename Traits>
class UniqueHandle final {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type handle) noexcept : m_handle(handle) {}
    ~UniqueHandle() noexcept { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    [[nodiscard]] Type get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return m_handle != Traits::Invalid(); }

    // Gives up ownership without closing.
    [[nodiscard]] Type release() noexcept { return std::exchange(m_handle, Traits::Invalid()); }

    void reset(Type handle = Traits::Invalid()) noexcept
    {
        const Type old = std::exchange(m_handle, handle);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Type m_handle = Traits::Invalid();
};
