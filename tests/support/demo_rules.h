#pragma once
// Points the default rule files at a demo site listening on any port, so code running under
// a TempHome talks to a DemoSite started on a free port instead of the default 8733.

namespace lanxi::test {

// Writes both rule files (RulePath(0), RulePath(1)) as the built-in defaults with every
// ":8733" replaced by ":" + port.
void PointRulesAtPort(int port);

} // namespace lanxi::test
