#pragma once
// Work handed to a thread of the process's pool.

#include <functional>

namespace engine {

// Runs `task` on a pool thread. False, with `task` not run, when the pool takes no
// more work.
[[nodiscard]] bool RunInBackground(std::function<void()> task);

} // namespace engine
