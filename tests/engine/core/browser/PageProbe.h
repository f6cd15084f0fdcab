#pragma once
// Finds where on a browser window a page shows a link or an image, by laying the same
// markup out with the same page view the browser window uses.

#include <functional>
#include <optional>
#include <string>

#include "engine/render/PageView.h"

namespace enginetest {

// The first client point (scanning rows from the top) whose hit satisfies `wanted`,
// for a window `width` x `height` showing `html` from `baseUrl`.
[[nodiscard]] std::optional<POINT> FindPoint(const std::string& html, const std::wstring& baseUrl, int width,
    int height, const std::function<bool(const engine::PageView::Hit&)>& wanted);

// Posts a click of the given button at `point` (client coordinates) to `window`.
void Click(HWND window, POINT point, bool right = false);

} // namespace enginetest
