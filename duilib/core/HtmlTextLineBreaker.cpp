#include "duilib/core/HtmlTextLineBreaker.h"

#include <algorithm>

namespace DuiLib {

namespace {

[[nodiscard]] bool IsLetter(TCHAR ch) noexcept { return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z'); }

// Never leaves the first half of a surrogate pair at the end of a cut.
[[nodiscard]] int BackToCharStart(LPCTSTR text, int count) noexcept
{
    return count > 0 && IS_HIGH_SURROGATE(text[count - 1]) ? count - 1 : count;
}

[[nodiscard]] int OneCharLength(LPCTSTR text, int length) noexcept
{
    return length > 1 && IS_HIGH_SURROGATE(text[0]) && IS_LOW_SURROGATE(text[1]) ? 2 : 1;
}

[[nodiscard]] int DropLastChar(LPCTSTR text, int count) noexcept
{
    return count > 0 ? BackToCharStart(text, count - 1) : 0;
}

} // namespace

HtmlRunCut HtmlTextLineBreaker::Cut(const HtmlRunRequest& run) const
{
    HtmlRunCut cut;
    // While the estimate stays inside the line a plain extent is enough; beyond it the
    // costlier measurement also says where the run must be cut.
    if (m_measurer.MaxCharWidth() * run.length < run.available) {
        cut.width = m_measurer.Width(run.text, run.length);
        if (cut.width <= run.available) {
            cut.chars = run.length;
            return cut;
        }
    }
    int whole = 0;
    const int fit = m_measurer.Fit(run.text, run.length, run.available > 0 ? run.available : 0, whole);
    if (whole <= run.available) {
        cut.chars = run.length;
        cut.width = whole;
        return cut;
    }
    cut.overflow = true;
    cut.ellipsis = run.endEllipsis;
    cut.chars = CutPoint(run, fit);
    if (run.endEllipsis) {
        cut.chars = DropLastChar(run.text, DropLastChar(run.text, cut.chars));
    }
    cut.width = cut.chars > 0 ? m_measurer.Width(run.text, cut.chars) : 0;
    return cut;
}

int HtmlTextLineBreaker::CutPoint(const HtmlRunRequest& run, int fit)
{
    fit = BackToCharStart(run.text, std::clamp(fit, 0, run.length));
    int cut = fit;
    if (run.wordBreak) {
        int lastNonLetter = fit - 1;
        while (lastNonLetter >= 0 && IsLetter(run.text[lastNonLetter])) {
            --lastNonLetter;
        }
        if (lastNonLetter >= 0) {
            cut = lastNonLetter + 1;
        } else if (!run.lineEmpty && run.lineBreakable) {
            cut = 0; // the whole word moves to the next line
        }
    }
    if (cut == 0 && run.lineEmpty) {
        cut = OneCharLength(run.text, run.length);
    }
    return cut;
}

} // namespace DuiLib
