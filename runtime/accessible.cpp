// SPDX-License-Identifier: MIT
#include "runtime/accessible.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "runtime/pictureboxwidget.h"
#include "runtime/qtbridge.h"
#include "runtime/widgets.h"

namespace rt::detail {
namespace {

// A windowless label read as static text: its name, its text and its visibility are what the box
// last applied for painting, so they change just as the events saying so go out. Read only: no
// caret, no selection.
class LabelAccessible : public QAccessibleObject, public QAccessibleTextInterface {
 public:
  explicit LabelAccessible(ReadLabel* label) : QAccessibleObject(label), label_(*label) {}

  QWindow* window() const override { return label_.box.window()->windowHandle(); }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(&label_.box);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return caption();
    return t == QAccessible::Description ? label_.description : QString();
  }
  QRect rect() const override {
    return {label_.box.mapToGlobal(item().drawn.topLeft()), item().drawn.size()};
  }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.invisible = !item().visible || !label_.box.isVisible();
    return s;
  }
  QColor foregroundColor() const override { return toQColor(item().label->ForeColor()); }
  QColor backgroundColor() const override { return label_.box.background(); }
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
    const QPoint origin = label_.box.textOrigin(item(), item().box);
    const QRect local(origin.x() + metrics.horizontalAdvance(all.left(offset)), origin.y(),
                      metrics.horizontalAdvance(all.at(offset)), metrics.height());
    return {label_.box.mapToGlobal(local.topLeft()), local.size()};
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
  const PictureBoxWidget::Item& item() const { return label_.box.item(label_.item); }
  QString caption() const { return item().text.text(); }

  ReadLabel& label_;
};

// An animated picture that holds text: "animation" tells a listener what it is; its name and
// description say what it shows. The labels it reads follow its own child widgets, if any.
class PictureBoxAccessible : public QAccessibleWidget {
 public:
  explicit PictureBoxAccessible(PictureBoxWidget* box)
      : QAccessibleWidget(box, QAccessible::Animation) {}

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.animated = true;
    return s;
  }
  int childCount() const override {
    return QAccessibleWidget::childCount() + static_cast<int>(readers().size());
  }
  QAccessibleInterface* child(int index) const override {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) return QAccessibleWidget::child(index);
    const auto i = static_cast<std::size_t>(index - widgets);
    return i < readers().size() ? QAccessible::queryAccessibleInterface(readers()[i]) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto found = std::find(readers().begin(), readers().end(), child->object());
    if (found == readers().end()) return QAccessibleWidget::indexOfChild(child);
    return QAccessibleWidget::childCount() + static_cast<int>(found - readers().begin());
  }
  // Labels are painted over the box: the topmost shown one under the point is the child there.
  QAccessibleInterface* childAt(int x, int y) const override {
    for (std::size_t i = readers().size(); i-- > 0;) {
      QAccessibleInterface* label = QAccessible::queryAccessibleInterface(readers()[i]);
      if (!label->state().invisible && label->rect().contains(x, y)) return label;
    }
    return QAccessibleWidget::childAt(x, y);
  }

 private:
  const std::vector<ReadLabel*>& readers() const {
    return static_cast<PictureBoxWidget*>(widget())->readers();
  }
};

QAccessibleInterface* makeInterface(const QString& className, QObject* object) {
  if (className == QLatin1String(FormWindow::staticMetaObject.className()))
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  if (className == QLatin1String(PictureBoxWidget::staticMetaObject.className()))
    return new PictureBoxAccessible(static_cast<PictureBoxWidget*>(object));
  if (className == QLatin1String(ReadLabel::staticMetaObject.className()))
    return new LabelAccessible(static_cast<ReadLabel*>(object));
  return nullptr;
}

}  // namespace

void installAccessibility() {
  QAccessible::removeFactory(makeInterface);  // after Qt's own, so ours is asked first
  QAccessible::installFactory(makeInterface);
}

ReadLabel::ReadLabel(PictureBoxWidget& box, std::size_t item, QString description)
    : QObject(&box), box(box), item(item), description(std::move(description)) {}

void ReadLabel::textChanged(const QString& before) {
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* self = QAccessible::queryAccessibleInterface(this);
  QAccessibleTextUpdateEvent text(self, 0, before, self->text(QAccessible::Name));
  QAccessible::updateAccessibility(&text);
  QAccessibleEvent name(self, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&name);
}

void ReadLabel::shownOrHidden(bool shown) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(QAccessible::queryAccessibleInterface(this),
                         shown ? QAccessible::ObjectShow : QAccessible::ObjectHide);
  QAccessible::updateAccessibility(&event);
}

}  // namespace rt::detail
