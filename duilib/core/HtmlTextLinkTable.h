#pragma once
// The caller's link arrays of one formatted-text call. Writes past the capacity are
// dropped, so a text with more links than slots never overruns either array.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"

namespace DuiLib {

class HtmlTextLinkTable final {
public:
    HtmlTextLinkTable() noexcept = default;
    // Borrowed; either array may be null, which drops what would go there.
    HtmlTextLinkTable(RECT* rects, CDuiString* texts, int capacity) noexcept;

    void SetText(int index, LPCTSTR text, int length);
    void SetRect(int index, const RECT& rc) noexcept;
    // Links recorded when nextIndex links were seen.
    [[nodiscard]] int Recorded(int nextIndex) const noexcept;
    // The text of the first slot whose rectangle holds pt; false when none does.
    [[nodiscard]] bool FindTextAt(POINT pt, CDuiString& text) const;

private:
    RECT* m_rects = nullptr;
    CDuiString* m_texts = nullptr;
    int m_capacity = 0;
};

} // namespace DuiLib
