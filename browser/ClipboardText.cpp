#include "ClipboardText.h"

#include <cstring>

#include "common/UniqueHandle.h"
#include "common/Win32.h"

namespace {

struct GlobalBlockTraits {
    using Type = HGLOBAL;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { (void)::GlobalFree(h); }
};
using UniqueGlobalBlock = UniqueHandle<GlobalBlockTraits>;

class OpenClipboardScope final {
public:
    OpenClipboardScope() noexcept : m_open(::OpenClipboard(nullptr) != FALSE) {}
    ~OpenClipboardScope() noexcept
    {
        if (m_open) {
            (void)::CloseClipboard();
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    [[nodiscard]] bool IsOpen() const noexcept { return m_open; }

private:
    bool m_open;
};

[[nodiscard]] UniqueGlobalBlock CopyToMovableBlock(const std::wstring& text)
{
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobalBlock block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    void* data = block ? ::GlobalLock(block.get()) : nullptr;
    if (data == nullptr) {
        return UniqueGlobalBlock();
    }
    std::memcpy(data, text.c_str(), bytes);
    (void)::GlobalUnlock(block.get()); // FALSE with NO_ERROR is the normal result for the last lock
    return block;
}

} // namespace

bool CopyTextToClipboard(const std::wstring& text)
{
    const OpenClipboardScope clipboard;
    if (!clipboard.IsOpen() || !::EmptyClipboard()) {
        return false;
    }
    UniqueGlobalBlock block = CopyToMovableBlock(text);
    if (!block || ::SetClipboardData(CF_UNICODETEXT, block.get()) == nullptr) {
        return false;
    }
    (void)block.release(); // the clipboard owns the block once it accepted it
    return true;
}
