#pragma once
// The engine's CefContextMenuParams: a snapshot of what was under the mouse.

#include <string>

#include "CefHandlers.h"

namespace engine {

class ContextMenuParams final : public CefContextMenuParams {
public:
    struct Values {
        POINT point{};
        int typeFlags = CM_TYPEFLAG_NONE;
        MediaType mediaType = CM_MEDIATYPE_NONE;
        std::wstring linkUrl;
        std::wstring sourceUrl;
        std::wstring pageUrl;
    };

    explicit ContextMenuParams(Values values) : m_values(std::move(values)) {}

    int GetXCoord() override { return m_values.point.x; }
    int GetYCoord() override { return m_values.point.y; }
    TypeFlags GetTypeFlags() override { return static_cast<TypeFlags>(m_values.typeFlags); }
    CefString GetLinkUrl() override { return m_values.linkUrl; }
    CefString GetUnfilteredLinkUrl() override { return m_values.linkUrl; }
    CefString GetSourceUrl() override { return m_values.sourceUrl; }
    bool HasImageContents() override { return m_values.mediaType == CM_MEDIATYPE_IMAGE; }
    CefString GetPageUrl() override { return m_values.pageUrl; }
    CefString GetFrameUrl() override { return m_values.pageUrl; }
    MediaType GetMediaType() override { return m_values.mediaType; }
    CefString GetSelectionText() override { return {}; }
    bool IsEditable() override { return false; }

private:
    Values m_values;
    IMPLEMENT_REFCOUNTING(ContextMenuParams);
};

} // namespace engine
