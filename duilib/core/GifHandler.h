#pragma once
// The frames of an animated image in display order, and which one is showing.

#include "duilib/core/ImageInfo.h"

#include <memory>
#include <vector>

namespace DuiLib {

class CGifHandler final {
public:
    CGifHandler() = default;
    CGifHandler(const CGifHandler&) = delete;
    CGifHandler& operator=(const CGifHandler&) = delete;

    // Appends a frame after the last one.
    void AddFrameInfo(std::unique_ptr<TGifFrameInfo> frame);
    [[nodiscard]] int GetFrameCount() const noexcept { return static_cast<int>(m_frames.size()); }
    // Null outside 0 .. count - 1. Borrowed; valid while the handler lives.
    [[nodiscard]] const TGifFrameInfo* GetFrameInfoAt(int index) const noexcept;
    [[nodiscard]] int GetCurrentFrameIndex() const noexcept { return m_nCurrentFrame; }
    // The frame at the current index; null without frames.
    [[nodiscard]] const TGifFrameInfo* GetCurrentFrameInfo() const noexcept;
    // The frame at the current index, after which the index moves on (back to the first
    // frame after the last).
    const TGifFrameInfo* GetNextFrameInfo() noexcept;

private:
    std::vector<std::unique_ptr<TGifFrameInfo>> m_frames;
    int m_nCurrentFrame = 0;
};

} // namespace DuiLib
