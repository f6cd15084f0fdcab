#pragma once
// Keeps a failing error page from being loaded again and again. The window answers a
// main-frame load error by loading its local error page in the same view; when that
// page fails as well (missing, unreadable, no renderer), answering again would start
// the same failing load without end. The guard marks the loads asked for while an
// error is being reported, and refuses every load asked for while the failure of such
// an answer is being reported. Pure bookkeeping for one browser.

class CErrorPageGuard final {
public:
    // The window asks the main frame to load; false when the load must not start.
    [[nodiscard]] bool OnLoadRequested() noexcept;
    // The main frame started a load, asked for by the window or not (a link, a reload).
    void OnLoadStarted() noexcept;
    // The main frame finished a load: a page that shows is no failed answer any more.
    void OnLoadEnded() noexcept { m_loadIsAnswer = false; }
    // Bracket the report of one main-frame load error to the window.
    void BeginErrorReport() noexcept;
    void EndErrorReport() noexcept;

private:
    bool m_reporting = false;
    bool m_reportingAnswerFailure = false; // the error being reported ended an answer
    bool m_answerRequested = false;        // the load asked for last answers an error
    bool m_loadIsAnswer = false;           // the load under way answers an error
};
