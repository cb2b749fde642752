// SPDX-License-Identifier: MIT
// Moving a window on a real X server, watched by a second client of the same server.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "runtime/x11.h"

namespace {

// Counts the server's reports of a window's moves.
struct MoveReports : QAbstractNativeEventFilter {
  xcb_window_t window = 0;
  int count = 0;
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (type == "xcb_generic_event_t" && (event->response_type & 0x7F) == XCB_CONFIGURE_NOTIFY &&
        reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window == window)
      ++count;
    return false;
  }
};

class X11Place : public testing::Test {
 protected:
  void SetUp() override {
    if (!rt::isPlatformX11()) GTEST_SKIP() << "needs an X server";
    other_ = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(other_), 0);
    for (QWidget* w : {&window_, &reference_}) {
      w->setFixedSize(200, 100);
      w->move(40, 30);
      w->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    place_ = std::make_unique<rt::WindowPlace>(window_);
    // Installed after the place's own filter, so it sees every report, even those Qt is spared.
    QCoreApplication::instance()->installNativeEventFilter(&reports_);
    reports_.window = window_.internalWinId();
  }
  void TearDown() override {
    if (other_) xcb_disconnect(other_);
  }

  // Where a window's client area is, in the server's pixels, once the server has done what was
  // asked of it so far; by then any report of it has had time to reach Qt.
  QPoint seen(const QWidget& w) {
    xcb_connection_t* own =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    std::free(xcb_get_input_focus_reply(own, xcb_get_input_focus(own), nullptr));
    std::free(xcb_get_input_focus_reply(other_, xcb_get_input_focus(other_), nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other_)).data->root;
    auto* reply = xcb_translate_coordinates_reply(
        other_, xcb_translate_coordinates(other_, w.internalWinId(), root, 0, 0), nullptr);
    if (!reply) return {};
    const QPoint at(reply->dst_x, reply->dst_y);
    std::free(reply);
    QTest::qWait(50);
    return at;
  }
  QPoint seenMovedByQt(QPoint to) {
    reference_.move(to);
    return seen(reference_);
  }
  // The place the window's size hints give a window manager that takes it over.
  QPoint hinted(const QWidget& w) {
    auto* reply = xcb_get_property_reply(
        other_,
        xcb_get_property(other_, 0, w.internalWinId(), XCB_ATOM_WM_NORMAL_HINTS,
                         XCB_ATOM_WM_SIZE_HINTS, 0, 18),
        nullptr);
    QPoint at(-1, -1);
    if (reply && xcb_get_property_value_length(reply) >= 12) {
      const auto* values = static_cast<const std::int32_t*>(xcb_get_property_value(reply));
      at = {values[1], values[2]};
    }
    std::free(reply);
    return at;
  }

  xcb_connection_t* other_ = nullptr;
  MoveReports reports_;
  QWidget window_, reference_;
  std::unique_ptr<rt::WindowPlace> place_;
};

// Run at several scale factors: a quiet move must land on the very pixel Qt's own would.
TEST_F(X11Place, MovesLandWhereQtWouldPutThemAndQtHearsNothing) {
  place_->move({60, 50});  // the first through Qt
  seen(window_);
  const QPoint qtBelief = window_.pos();
  const int heardBefore = reports_.count;
  for (const QPoint to : {QPoint(61, 50), QPoint(93, 77), QPoint(250, 333), QPoint(0, 0)}) {
    place_->move(to);
    EXPECT_EQ(place_->pos(), to);
    const QPoint expected = seenMovedByQt(to);
    EXPECT_EQ(seen(window_), expected) << "moved to " << to.x() << ", " << to.y();
  }
  EXPECT_EQ(reports_.count, heardBefore);
  EXPECT_EQ(window_.pos(), qtBelief);
}

// A window manager that takes the window over puts it where the hints say.
TEST_F(X11Place, SizeHintsLagAMovingWindowByASecondAtMostAndNameWhereItStops) {
  place_->move({60, 50});
  const QPoint start = seen(window_);
  QElapsedTimer clock;
  clock.start();
  QPoint to(60, 50);
  int behind = 0;
  while (clock.elapsed() < 2500) {
    to += QPoint(3, 1);
    place_->move(to);
    const QPoint at = seen(window_);
    behind = std::max(behind, (at - hinted(window_)).manhattanLength());
  }
  // 20 moves a second: a second's travel is 80 px at scale 1.
  EXPECT_LE(behind, 100 * window_.devicePixelRatio());
  EXPECT_NE(hinted(window_), start);
  QTest::qWait(400);
  const QPoint stopped = seen(window_);
  EXPECT_LE((hinted(window_) - stopped).manhattanLength(), 2);
  EXPECT_EQ(place_->pos(), to);
}

// As a window manager may answer a move it does not make: with the place the window has.
TEST_F(X11Place, AMoveAWindowManagerIgnoresLeavesThePlaceWhereTheWindowIs) {
  place_->move({60, 50});
  const QPoint stays = seen(window_);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other_)).data->root;
  const std::uint32_t redirect = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
  ASSERT_EQ(xcb_request_check(other_, xcb_change_window_attributes_checked(
                                          other_, root, XCB_CW_EVENT_MASK, &redirect)),
            nullptr);
  place_->move({70, 55});
  xcb_flush(other_);
  xcb_generic_event_t* request = nullptr;
  QElapsedTimer clock;
  clock.start();
  while ((!request || (request->response_type & 0x7F) != XCB_CONFIGURE_REQUEST) &&
         clock.elapsed() < 2000) {
    std::free(request);
    request = xcb_poll_for_event(other_);
    if (!request) QTest::qWait(5);
  }
  ASSERT_TRUE(request && (request->response_type & 0x7F) == XCB_CONFIGURE_REQUEST);
  const auto& asked = *reinterpret_cast<xcb_configure_request_event_t*>(request);
  xcb_configure_notify_event_t answer{};
  answer.response_type = XCB_CONFIGURE_NOTIFY;
  answer.event = answer.window = asked.window;
  answer.x = static_cast<std::int16_t>(stays.x());
  answer.y = static_cast<std::int16_t>(stays.y());
  answer.width = asked.width;
  answer.height = asked.height;
  std::free(request);
  xcb_send_event(other_, 0, window_.internalWinId(), XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&answer));
  EXPECT_EQ(seen(window_), stays);
  EXPECT_EQ(place_->pos(), QPoint(60, 50));
}

TEST_F(X11Place, FollowsAMoveBySomeoneElseAndGoesOnFromThere) {
  place_->move({60, 50});
  place_->move({70, 55});
  ASSERT_EQ(seen(window_), seenMovedByQt({70, 55}));

  const QPoint there = seenMovedByQt({120, 90});
  const std::int32_t values[] = {there.x(), there.y()};
  xcb_configure_window(other_, window_.internalWinId(), XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y,
                       values);
  ASSERT_EQ(seen(window_), there);
  QElapsedTimer clock;
  clock.start();
  while (place_->pos() != QPoint(120, 90) && clock.elapsed() < 2000) QTest::qWait(10);
  EXPECT_EQ(place_->pos(), QPoint(120, 90));

  place_->move({130, 95});
  EXPECT_EQ(place_->pos(), QPoint(130, 95));
  EXPECT_EQ(seen(window_), seenMovedByQt({130, 95}));
}

}  // namespace
