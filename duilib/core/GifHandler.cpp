#include "duilib/core/GifHandler.h"

#include <cassert>
#include <utility>

namespace DuiLib {

void CGifHandler::AddFrameInfo(std::unique_ptr<TGifFrameInfo> frame)
{
    assert(frame && "AddFrameInfo() needs a frame");
    m_frames.push_back(std::move(frame));
}

const TGifFrameInfo* CGifHandler::GetFrameInfoAt(int index) const noexcept
{
    if (index < 0 || index >= GetFrameCount()) {
        return nullptr;
    }
    return m_frames[static_cast<size_t>(index)].get();
}

const TGifFrameInfo* CGifHandler::GetCurrentFrameInfo() const noexcept
{
    return GetFrameInfoAt(m_nCurrentFrame);
}

const TGifFrameInfo* CGifHandler::GetNextFrameInfo() noexcept
{
    const TGifFrameInfo* frame = GetCurrentFrameInfo();
    if (frame != nullptr) {
        m_nCurrentFrame = (m_nCurrentFrame + 1) % GetFrameCount();
    }
    return frame;
}

} // namespace DuiLib
