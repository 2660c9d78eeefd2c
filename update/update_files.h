#pragma once

namespace lanxi {

// Removes what an earlier update left in the program directory: "zip.exe", "update.dll" and
// "update.zip", each when present.
void CleanUpdateLeftovers();

} // namespace lanxi
