#pragma once
#include <functional>

namespace lanxi {

// Starts `work` on a thread of its own that nobody joins. False when the system has no thread
// to give (the caller then treats the work as failed instead of ending the program).
bool StartDetachedThread(std::function<void()> work);

} // namespace lanxi
