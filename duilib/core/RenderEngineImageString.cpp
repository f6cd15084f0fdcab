// The image attribute string of CRenderEngine: parsed by CImageAttribute, the images
// come from the paint manager's registry.

#include "duilib/core/RenderEngine.h"

#include "duilib/core/ImageAttribute.h"
#include "duilib/core/PaintManager.h"

#include <algorithm>

namespace DuiLib {

namespace {

struct ImageTarget {
    HDC hDC;
    CPaintManagerUI& manager;
    const RECT& item;
    const RECT& paint;
};

// All zero means the whole image; the rest is kept inside the bitmap, which the
// platform's blend refuses to read past.
RECT SourceInImage(const RECT& source, const TImageInfo& image) noexcept
{
    if (source.left == 0 && source.top == 0 && source.right == 0 && source.bottom == 0) {
        return {0, 0, image.nX, image.nY};
    }
    return {std::clamp<LONG>(source.left, 0, image.nX), std::clamp<LONG>(source.top, 0, image.nY),
            std::clamp<LONG>(source.right, 0, image.nX), std::clamp<LONG>(source.bottom, 0, image.nY)};
}

bool DrawDescribedImage(const ImageTarget& target, const ImageDrawParams& params)
{
    if (params.name.IsEmpty()) {
        return false;
    }
    const LPCTSTR type = params.type.IsEmpty() ? nullptr : params.type.GetData();
    const TImageInfo* image = target.manager.GetImageEx(params.name, type, params.mask);
    if (image == nullptr) {
        return false;
    }
    const RECT dest = CImageAttribute::Destination(params, target.item);
    RECT visible{};
    if (::IntersectRect(&visible, &dest, &target.item) && ::IntersectRect(&visible, &dest, &target.paint)) {
        const RECT source = SourceInImage(params.source, *image);
        CRenderEngine::DrawImage(target.hDC, image->hBitmap.get(), dest, target.paint, source, params.corners,
                                 image->alphaChannel, params.fade, params.hole, params.xtiled, params.ytiled);
    }
    return true;
}

} // namespace

bool CRenderEngine::DrawImageString(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem, const RECT& rcPaint,
                                    LPCTSTR pStrImage, LPCTSTR pStrModify)
{
    if (hDC == nullptr || pManager == nullptr) {
        return false;
    }
    const ImageTarget target{hDC, *pManager, rcItem, rcPaint};
    ImageDrawParams params;
    params.name = pStrImage;
    // An image drawn because another one follows in the same string has no say in the result.
    const auto drawEarlier = [&target](const ImageDrawParams& earlier) { (void)DrawDescribedImage(target, earlier); };
    CImageAttribute::Apply(pStrImage, params, drawEarlier);
    CImageAttribute::Apply(pStrModify, params, drawEarlier);
    return DrawDescribedImage(target, params);
}

} // namespace DuiLib
