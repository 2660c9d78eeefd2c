#pragma once
// Worker threads never touch widgets: they hand their results to the window thread here.
#include <functional>

namespace lanxi {

// Prepares the hand-over; call on the window thread before starting workers that post.
void PrepareWindowThreadPosting();
// Runs `task` on the window thread later. Does nothing once the application is going away,
// so a worker that outlives the windows never reaches freed objects.
void PostToWindowThread(std::function<void()> task);

} // namespace lanxi
