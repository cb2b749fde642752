// SPDX-License-Identifier: MIT
#include "runtime/accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#include "runtime/playarea.h"

namespace rt::detail {
namespace {

// An animated picture: "animation" tells a listener what it is; its name and description say
// what it shows, and the labels of its own in it are its children, as Qt has them.
class PlayAreaAccessible : public QAccessibleWidget {
 public:
  explicit PlayAreaAccessible(QWidget* area) : QAccessibleWidget(area, QAccessible::Animation) {}

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.animated = true;
    return s;
  }
};

QAccessibleInterface* makeInterface(const QString& className, QObject* object) {
  // The form's window is a plain top-level widget, which Qt would call a client area.
  if (className == QLatin1String("QWidget") && static_cast<QWidget*>(object)->isWindow())
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  if (className == QLatin1String(PlayArea::staticMetaObject.className()))
    return new PlayAreaAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace

void installAccessibility() {
  QAccessible::removeFactory(makeInterface);  // after Qt's own, so ours is asked first
  QAccessible::installFactory(makeInterface);
}

}  // namespace rt::detail
