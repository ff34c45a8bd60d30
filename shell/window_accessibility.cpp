#include "shell/window_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QPlainTextEdit>

#include "shell/listing_accessible.h"
#include "shell/paint_box.h"

namespace zentarix {

QAccessibleInterface* WindowAccessibleFactory(const QString& className, QObject* object) {
  if (!object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  // Only the exact class: QFrame's subclasses (labels, text boxes) keep Qt's interfaces.
  if (className == QLatin1String(QFrame::staticMetaObject.className()) && !widget->isWindow()) {
    return new QAccessibleWidget(widget, QAccessible::Pane);
  }
  if (className == QLatin1String(PaintBox::staticMetaObject.className())) {
    return new QAccessibleWidget(widget, QAccessible::Graphic);
  }
  if (className == QLatin1String(Announcer::staticMetaObject.className())) {
    return new QAccessibleWidget(widget, QAccessible::Notification);
  }
  if (className == QLatin1String(QPlainTextEdit::staticMetaObject.className()) &&
      widget->objectName() == QLatin1String("Memo1")) {
    return new ListingAccessible(static_cast<QPlainTextEdit*>(widget));
  }
  return nullptr;
}

Announcer::Announcer(QWidget* parent) : QWidget(parent) { hide(); }

// The name is the text; the showing is the cue. A reader that gets the same text twice in a
// row speaks it twice, as the user did the same thing twice.
void Announcer::Announce(const QString& text) {
  setAccessibleName(text);
  if (!QAccessible::isActive()) return;
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace zentarix
