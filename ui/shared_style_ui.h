#pragma once
#include <QColor>
#include <QFont>

namespace lanxi {

// The font and face colour the skinned controls draw with; created once before the main
// window is loaded.
void CreateSharedUiStyle();
const QFont& SharedUiFont();
const QColor& SharedFaceColour();

} // namespace lanxi
