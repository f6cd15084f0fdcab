#include "engine/browser/MenuPresenter.h"

#include <atomic>

namespace engine {
namespace {

std::atomic<MenuPresenter> g_presenter{nullptr};

} // namespace

void SetMenuPresenterForTesting(MenuPresenter presenter) noexcept
{
    g_presenter = presenter;
}

int PresentMenu(HWND owner, HMENU menu, POINT screenPoint)
{
    if (const MenuPresenter presenter = g_presenter.load()) {
        return presenter(owner, menu, screenPoint);
    }
    return static_cast<int>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screenPoint.x,
        screenPoint.y, 0, owner, nullptr));
}

} // namespace engine
