// SPDX-License-Identifier: MIT
// The one place that knows about X11 beyond what Qt offers.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QPoint>
#include <QTimer>
#include <cstdint>
#include <optional>

class QWidget;

namespace rt {

bool isPlatformX11();

// Where a top-level window is, and moving it. A window that moves twenty times a second is
// costly through Qt on X11: each move rewrites the window's size hints, and Qt answers the
// server's report of the move with several round trips, though it only echoes the move Qt just
// made. So once shown, the window moves itself on X11: one request, with the echo left out, and
// a record of its own of where it went, until someone else (a window manager, the user) moves
// it. Anywhere else, and onto another screen (which may scale differently, and which Qt must
// know of), Qt moves it. A window manager that takes the window over (after a restart, say) puts
// it where its size hints say, which only Qt's own moves would rewrite: so it writes its place
// into them itself, within a second while it moves and as soon as it stands still.
class WindowPlace : public QAbstractNativeEventFilter {
 public:
  explicit WindowPlace(QWidget& window);
  ~WindowPlace() override;
  WindowPlace(const WindowPlace&) = delete;
  WindowPlace& operator=(const WindowPlace&) = delete;

  // The frame's top-left, in Qt's pixels, as QWidget::pos() would say.
  QPoint pos() const;
  // Returns where the frame was put, in Qt's pixels: `to`, or the same spot in the coordinates of
  // another screen it goes onto (see placeOnAnotherScreen).
  QPoint move(QPoint to);
  // Where the X server says the window stands, in Qt's pixels: a round trip, for telling whether
  // a window manager carries out moves at all, since Qt believes what it asked for. The client
  // area's corner, a fixed offset from the frame's. Elsewhere, where Qt believes.
  QPoint reported() const;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  bool moveQuietly(QPoint to);
  void hintPlace();

  QWidget& window_;
  bool x11_ = false;
  bool movedByQt_ = false;             // since shown: the size hints say where a move puts it
  mutable std::optional<QPoint> own_;  // where the last quiet move put it
  QPoint qtBelief_;                    // where Qt believed it was then
  QPoint asked_;                       // the last quiet move's place in the server's pixels
  std::uint32_t eventMask_ = 0;        // Qt's own, read once
  QElapsedTimer hintsBehind_;          // since the size hints stopped naming where it is
  QTimer still_;                       // runs out once no quiet move has followed for a while
};

}  // namespace rt
