// SPDX-License-Identifier: MIT
#include "runtime/accessible.h"

#include <QAccessibleTextInterface>
#include <QFontMetrics>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "runtime/pictureboxwidget.h"
#include "runtime/qtbridge.h"
#include "runtime/widgets.h"

namespace rt::detail {

// A windowless label read as static text: its name, its text and its visibility are what the box
// last applied for painting, so they change just as the events saying so go out. Read only: no
// caret, no selection.
class LabelAccessible : public QAccessibleInterface, public QAccessibleTextInterface {
 public:
  LabelAccessible(PictureBoxWidget* box, std::size_t item) : box_(box), item_(item) {}

  bool isValid() const override { return true; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return box_->window()->windowHandle(); }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(box_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name:
        return caption();
      case QAccessible::Description:
        return item().description;
      default:
        return {};
    }
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    return {box_->mapToGlobal(item().drawn.topLeft()), item().drawn.size()};
  }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.invisible = !item().visible || !box_->isVisible();
    return s;
  }
  QColor foregroundColor() const override { return toQColor(item().label->ForeColor()); }
  QColor backgroundColor() const override { return toQColor(box_->box_.BackColor()); }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                              : nullptr;
  }

  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override {
    const QString all = caption();
    start = std::clamp(start, 0, static_cast<int>(all.size()));
    end = end < 0 ? static_cast<int>(all.size())
                  : std::clamp(end, start, static_cast<int>(all.size()));
    return all.mid(start, end - start);
  }
  int characterCount() const override { return static_cast<int>(caption().size()); }
  QRect characterRect(int offset) const override {
    const QString all = caption();
    if (offset < 0 || offset >= all.size()) return {};
    const QFontMetrics metrics(item().font);
    const QPoint origin = box_->textOrigin(item(), item().box);
    const QRect local(origin.x() + metrics.horizontalAdvance(all.left(offset)), origin.y(),
                      metrics.horizontalAdvance(all.at(offset)), metrics.height());
    return {box_->mapToGlobal(local.topLeft()), local.size()};
  }
  int offsetAtPoint(const QPoint& point) const override {
    for (int i = 0; i < characterCount(); ++i)
      if (characterRect(i).contains(point)) return i;
    return -1;
  }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

 private:
  const PictureBoxWidget::Item& item() const { return box_->items_[item_]; }
  QString caption() const { return item().text.text(); }

  PictureBoxWidget* box_;
  std::size_t item_;
};

namespace {

// The window reads in tab order: a screen reader's next object is the keyboard's next stop.
// Qt's own order is creation order, which is also the stacking order and so stays as it is.
class FormAccessible : public QAccessibleWidget {
 public:
  explicit FormAccessible(FormWindow* window) : QAccessibleWidget(window, QAccessible::Window) {}

  int childCount() const override { return static_cast<int>(readingOrder().size()); }
  QAccessibleInterface* child(int index) const override {
    const QWidgetList order = readingOrder();
    if (index < 0 || index >= order.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(order.at(index));
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child) return -1;
    return static_cast<int>(readingOrder().indexOf(qobject_cast<QWidget*>(child->object())));
  }

 private:
  // The window's own widgets that take Tab, then the others in creation order.
  QWidgetList readingOrder() const {
    auto* window = static_cast<FormWindow*>(widget());
    const auto own = [window](const QObject* o) {
      const auto* w = qobject_cast<const QWidget*>(o);
      return w && w->parentWidget() == window && !w->isWindow();
    };
    QWidgetList order;
    for (QWidget* w : window->tabStops())
      if (own(w)) order.append(w);
    for (QObject* o : window->children())
      if (own(o) && !order.contains(o)) order.append(static_cast<QWidget*>(o));
    return order;
  }
};

QAccessibleInterface* makeInterface(const QString& className, QObject* object) {
  if (className == QLatin1String(PictureBoxWidget::staticMetaObject.className()))
    return new PictureBoxAccessible(static_cast<PictureBoxWidget*>(object));
  if (className == QLatin1String(FormWindow::staticMetaObject.className()))
    return new FormAccessible(static_cast<FormWindow*>(object));
  return nullptr;
}

}  // namespace

void installAccessibility() {
  QAccessible::removeFactory(makeInterface);  // after Qt's own, so ours is asked first
  QAccessible::installFactory(makeInterface);
}

// An animated picture that holds text: "animation" tells a listener what it is; its name and
// description say what it shows.
PictureBoxAccessible::PictureBoxAccessible(PictureBoxWidget* box)
    : QAccessibleWidget(box, QAccessible::Animation) {
  box->accessible_ = this;
}

PictureBoxAccessible::~PictureBoxAccessible() {
  if (gone_) return;
  boxGone();
  box()->accessible_ = nullptr;
}

void PictureBoxAccessible::boxGone() {
  for (const auto& [item, id] : labels_) QAccessible::deleteAccessibleInterface(id);
  labels_.clear();
  made_ = gone_ = true;
}

PictureBoxWidget* PictureBoxAccessible::box() const {
  return static_cast<PictureBoxWidget*>(widget());
}

QAccessible::State PictureBoxAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.animated = true;
  return s;
}

const std::vector<std::pair<std::size_t, QAccessible::Id>>& PictureBoxAccessible::labels() const {
  if (!made_) {
    made_ = true;
    const auto& items = box()->items_;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].description.isEmpty()) continue;
      labels_.emplace_back(i,
                           QAccessible::registerAccessibleInterface(new LabelAccessible(box(), i)));
    }
  }
  return labels_;
}

QAccessibleInterface* PictureBoxAccessible::label(std::size_t item) const {
  for (const auto& [i, id] : labels())
    if (i == item) return QAccessible::accessibleInterface(id);
  return nullptr;
}

int PictureBoxAccessible::childCount() const {
  return QAccessibleWidget::childCount() + static_cast<int>(labels().size());
}

QAccessibleInterface* PictureBoxAccessible::child(int index) const {
  const int widgets = QAccessibleWidget::childCount();
  if (index < widgets) return QAccessibleWidget::child(index);
  const auto i = static_cast<std::size_t>(index - widgets);
  return i < labels().size() ? QAccessible::accessibleInterface(labels()[i].second) : nullptr;
}

int PictureBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const int widgets = QAccessibleWidget::childCount();
  for (std::size_t i = 0; i < labels().size(); ++i)
    if (QAccessible::accessibleInterface(labels()[i].second) == child)
      return widgets + static_cast<int>(i);
  return QAccessibleWidget::indexOfChild(child);
}

// Labels are painted over the box: the topmost shown one under the point is the child there.
QAccessibleInterface* PictureBoxAccessible::childAt(int x, int y) const {
  for (std::size_t i = labels().size(); i-- > 0;) {
    QAccessibleInterface* label = QAccessible::accessibleInterface(labels()[i].second);
    if (label && !label->state().invisible && label->rect().contains(x, y)) return label;
  }
  return QAccessibleWidget::childAt(x, y);
}

void PictureBoxAccessible::labelTextChanged(std::size_t item, const QString& before) {
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* iface = label(item);
  if (!iface) return;
  QAccessibleTextUpdateEvent text(iface, 0, before, iface->text(QAccessible::Name));
  QAccessible::updateAccessibility(&text);
  QAccessibleEvent name(iface, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&name);
}

void PictureBoxAccessible::labelShownOrHidden(std::size_t item) {
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* iface = label(item);
  if (!iface) return;
  QAccessibleEvent event(
      iface, box()->items_[item].visible ? QAccessible::ObjectShow : QAccessible::ObjectHide);
  QAccessible::updateAccessibility(&event);
}

}  // namespace rt::detail
