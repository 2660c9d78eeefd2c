#pragma once
// Long work on the window thread keeps the window alive by letting pending events run,
// exactly where the reading code pauses; handlers may therefore re-enter.

namespace lanxi {

void ProcessPendingMessages();
// Waits `milliseconds` while window events keep being processed.
void WaitProcessingMessages(int milliseconds);

} // namespace lanxi
