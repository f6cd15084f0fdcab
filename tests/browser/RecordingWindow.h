#pragma once
// Stands in for the main window: records what the clients of its views report, as short
// strings per view ("start", "end", "error:<url>", "title:<text>", "popup:<url>"), and
// answers as the window does: a load error loads the error page in the same view.

#include <map>
#include <string>
#include <vector>

#include "browser/CefWebLoadCallback.h"
#include "browser/CefWebkitUI.h"

namespace browser_test {

class RecordingWindow final : public CCefWebLoadCallback {
public:
    void OnWebLoadStart(CCefHandler* /*handler*/, CCefWebkitUI* owner) override { Add(owner, L"start"); }
    void OnWebLoadEnd(CCefHandler* /*handler*/, CCefWebkitUI* owner, CefRefPtr<CefBrowser> /*browser*/) override
    {
        Add(owner, L"end");
    }
    void OnWebLoadError(CCefHandler* /*handler*/, CCefWebkitUI* owner, CefRefPtr<CefFrame> frame) override
    {
        Add(owner, L"error:" + frame->GetURL().ToWString());
        if (owner != nullptr && !errorPage.empty()) {
            owner->LoadURL(errorPage.c_str());
        }
    }
    void OnWebTitleChange(CCefHandler* /*handler*/, CCefWebkitUI* owner, LPCWSTR title) override
    {
        Add(owner, title != nullptr ? L"title:" + std::wstring(title) : L"title:(null)");
    }
    bool OnWebPopup(CCefHandler* /*handler*/, CCefWebkitUI* owner, LPCWSTR url) override
    {
        Add(owner, L"popup:" + std::wstring(url));
        return cancelPopups;
    }

    [[nodiscard]] const std::vector<std::wstring>& Of(CCefWebkitUI* view) { return m_events[view]; }
    [[nodiscard]] int Count(CCefWebkitUI* view, const std::wstring& event) const
    {
        const auto found = m_events.find(view);
        int count = 0;
        for (std::size_t i = 0; found != m_events.end() && i < found->second.size(); ++i) {
            count += found->second[i] == event ? 1 : 0;
        }
        return count;
    }

    std::wstring errorPage; // loaded in answer to an error when set
    bool cancelPopups = true;

private:
    void Add(CCefWebkitUI* view, std::wstring event) { m_events[view].push_back(std::move(event)); }

    std::map<CCefWebkitUI*, std::vector<std::wstring>> m_events;
};

} // namespace browser_test
