#pragma once
// The formatted-text canvas over a device context and a paint manager's fonts. For
// its lifetime it owns the context's state: everything it selects or sets, the clip
// included, is put back by its destructor.

#include "common/Handles.h"
#include "common/Win32.h"
#include "duilib/core/HtmlTextCanvas.h"
#include "duilib/core/ImageInfo.h"

#include <memory>
#include <optional>
#include <vector>

namespace DuiLib {

class CPaintManagerUI;

class HtmlTextGdiCanvas final : public IHtmlTextCanvas {
public:
    // Both borrowed; they must outlive the canvas.
    HtmlTextGdiCanvas(HDC hDC, CPaintManagerUI& manager) noexcept;
    ~HtmlTextGdiCanvas() noexcept override;
    HtmlTextGdiCanvas(const HtmlTextGdiCanvas&) = delete;
    HtmlTextGdiCanvas& operator=(const HtmlTextGdiCanvas&) = delete;

    // Limits drawing to rc (logical coordinates) on top of the existing clip.
    void ClipTo(const RECT& rc) noexcept;

    [[nodiscard]] HFONT BaseFont() override;
    [[nodiscard]] HFONT FontAt(int index) override;
    [[nodiscard]] HFONT FindOrAddFont(const HtmlFontRequest& request) override;
    [[nodiscard]] HFONT Variant(HFONT font, HtmlFontVariant variant) override;
    [[nodiscard]] HtmlFontTraits Traits(HFONT font) override;
    [[nodiscard]] int SpaceTrailingWidth(HFONT font) override;
    [[nodiscard]] int Width(HFONT font, LPCTSTR text, int length) override;
    [[nodiscard]] int Fit(HFONT font, LPCTSTR text, int length, int maxWidth, int& wholeWidth) override;
    void DrawRun(const HtmlTextRun& run) override;
    void FinishLine() override;
    [[nodiscard]] bool ImageSize(const HtmlImageRequest& request, SIZE& size) override;
    void DrawImage(const HtmlImageRequest& request, const RECT& dest, const RECT& part) override;

private:
    // What is known of one font during the call, with a context of its own to measure
    // in: selecting a font costs more than measuring a word under Wine with a display,
    // and runs switch fonts word by word.
    struct FontEntry {
        HFONT font = nullptr;
        HtmlFontTraits traits;
        int spaceWidth = 0;                       // spaces are measured one at a time, so often
        UniqueMemoryDc dc;                        // null when it could not be made
        std::optional<SelectObjectScope> select; // released before dc
    };

    void Select(HFONT font) noexcept;
    void Draw(const HtmlTextRun& run) noexcept;
    [[nodiscard]] FontEntry& Entry(HFONT font);
    [[nodiscard]] HDC MeasuringDc(HFONT font);
    [[nodiscard]] const TImageInfo* Image(const HtmlImageRequest& request);

    HDC m_hDC;
    CPaintManagerUI& m_manager;
    int m_savedState;
    HFONT m_selected = nullptr;
    std::vector<HtmlTextRun> m_line; // runs of the line, drawn font by font when it is finished
    std::vector<std::unique_ptr<FontEntry>> m_fonts;
};

} // namespace DuiLib
