#include "engine/browser/BackgroundTask.h"

#include <memory>

#include "common/Win32.h"

namespace engine {
namespace {

using Task = std::function<void()>;

void CALLBACK RunTask(PTP_CALLBACK_INSTANCE, void* context) noexcept
{
    const std::unique_ptr<Task> task(static_cast<Task*>(context));
    try {
        (*task)();
    } catch (...) {
        // Out of memory; nothing may unwind into the pool's frames.
    }
}

} // namespace

bool RunInBackground(std::function<void()> task)
{
    auto owned = std::make_unique<Task>(std::move(task));
    if (!::TrySubmitThreadpoolCallback(&RunTask, owned.get(), nullptr)) {
        return false;
    }
    (void)owned.release();
    return true;
}

} // namespace engine
