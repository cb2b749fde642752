// The one place that knows about X11 beyond what Qt offers.
#pragma once

class QWidget;

namespace rt {

bool isPlatformX11();

// Qt answers every ConfigureNotify of a top-level window with several round trips to the X
// server, even when the event only echoes the move Qt itself just made. A window that moves
// twenty times a second skips those echoes; any other change still reaches Qt.
void skipMoveEchoes(QWidget& window);

}  // namespace rt
