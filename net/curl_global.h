#pragma once

namespace lanxi {

// libcurl's global set-up, done once before the first handle of any thread.
void EnsureCurlInitialised();

} // namespace lanxi
