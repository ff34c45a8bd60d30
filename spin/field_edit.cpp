#include "spin/field_edit.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <limits>

#include "spin/error_report.h"
#include "spin/field_accessible.h"
#include "spin/focus_move.h"

namespace zentarix {

namespace {

// Qt's line edit keeps one undo entry per inserted character, never given back: 80 pastes of
// 30,000 characters held some 70 MB. A paste longer than this replaces the text as a whole
// instead, which starts a new undo history.
constexpr qsizetype LongPaste = 1000;

bool IsLineBreak(QChar ch) { return ch == u'\n' || ch == u'\r'; }

QString WithoutEndBreaks(QString text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && IsLineBreak(text.at(first))) ++first;
  while (last > first && IsLineBreak(text.at(last - 1))) --last;
  return text.mid(first, last - first);
}

}  // namespace

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {
  // Screen readers meet the fields through their own interfaces (installed once per process).
  QAccessible::installFactory(FieldAccessibleFactory);
  setMaxLength(std::numeric_limits<int>::max());
}

void FieldEdit::setCtl3D(bool on) {
  FCtl3D = on;
  setFrame(on);
  // The flat frame is one pixel wide; keep the text off it.
  const int border = on ? 0 : 1;
  setTextMargins(border, border, border, border);
  FrameChanged();
  update();
}

QColor FieldFrameColor(const QPalette& palette, bool focused) {
  if (focused) return palette.color(QPalette::Highlight);
  const QColor text = palette.color(QPalette::Text);
  const QColor base = palette.color(QPalette::Base);
  return QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                (text.blue() + base.blue()) / 2);
}

// ---- Pasted text ---------------------------------------------------------------------------

void FieldEdit::InsertPasted(QString text) {
  if (!AllowsTextEdit()) return;
  text = WithoutEndBreaks(std::move(text));
  if (text.size() <= LongPaste) {
    insert(text);
    return;
  }
  const bool selected = hasSelectedText();
  const qsizetype at = selected ? selectionStart() : cursorPosition();
  const qsizetype removed = selected ? selectedText().size() : 0;
  setText(this->text().replace(at, removed, text));
  setCursorPosition(static_cast<int>(at + text.size()));
}

void FieldEdit::paste() { InsertPasted(QGuiApplication::clipboard()->text()); }

void FieldEdit::cut() {
  if (AllowsTextEdit()) QLineEdit::cut();
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    paste();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Cut)) {
    cut();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

// The middle button pastes the X11 selection on its release.
void FieldEdit::mouseReleaseEvent(QMouseEvent* event) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (event->button() != Qt::MiddleButton || !clipboard->supportsSelection()) {
    QLineEdit::mouseReleaseEvent(event);
    return;
  }
  if (rect().contains(event->position().toPoint()) && AllowsTextEdit()) {
    deselect();
    InsertPasted(clipboard->text(QClipboard::Selection));
  }
  event->accept();
}

// A dropped text is a paste by other means: cleaned, and refused where a paste would be.
void FieldEdit::dragEnterEvent(QDragEnterEvent* event) {
  if (!AllowsTextEdit()) return event->ignore();
  QLineEdit::dragEnterEvent(event);
}

void FieldEdit::dragMoveEvent(QDragMoveEvent* event) {
  if (!AllowsTextEdit()) return event->ignore();
  QLineEdit::dragMoveEvent(event);
}

void FieldEdit::dropEvent(QDropEvent* event) {
  if (!AllowsTextEdit()) return event->ignore();
  if (!event->mimeData()->hasText()) {
    QLineEdit::dropEvent(event);
    return;
  }
  QMimeData cleaned;
  cleaned.setText(WithoutEndBreaks(event->mimeData()->text()));
  QDropEvent copy(event->position(), event->possibleActions(), &cleaned, event->buttons(),
                  event->modifiers());
  copy.setDropAction(event->dropAction());
  QLineEdit::dropEvent(&copy);
  event->setDropAction(copy.dropAction());
  event->setAccepted(copy.isAccepted());
}

// Built here rather than taken from the edit, whose Paste and Cut would pass by the cleaning
// and the guards.
QMenu* FieldEdit::CreateContextMenu() {
  auto* menu = new QMenu(this);
  const auto shortcut = [](QKeySequence::StandardKey key) {
    const QString text = QKeySequence(key).toString(QKeySequence::NativeText);
    return text.isEmpty() ? text : QLatin1Char('\t') + text;
  };
  const auto add = [&](const char* label, QKeySequence::StandardKey key, bool enabled, auto slot) {
    QAction* action =
        menu->addAction(QCoreApplication::translate("QLineEdit", label) + shortcut(key));
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  const bool editable = AllowsTextEdit();
  const bool selected = hasSelectedText();
  const bool plain = echoMode() == QLineEdit::Normal;
  const bool clipboardText = !QGuiApplication::clipboard()->text().isEmpty();
  add("&Undo", QKeySequence::Undo, isUndoAvailable(), &QLineEdit::undo);
  add("&Redo", QKeySequence::Redo, isRedoAvailable(), &QLineEdit::redo);
  menu->addSeparator();
  add("Cu&t", QKeySequence::Cut, editable && selected && plain, &FieldEdit::cut)
      ->setObjectName(QStringLiteral("edit-cut"));
  add("&Copy", QKeySequence::Copy, selected && plain, &QLineEdit::copy);
  add("&Paste", QKeySequence::Paste, editable && clipboardText, &FieldEdit::paste)
      ->setObjectName(QStringLiteral("edit-paste"));
  add("Delete", QKeySequence::UnknownKey, !isReadOnly() && selected, &QLineEdit::del);
  menu->addSeparator();
  add("Select All", QKeySequence::SelectAll, !text().isEmpty(), &QLineEdit::selectAll);
  return menu;
}

void FieldEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

// ---- Focus and look
// ----------------------------------------------------------------------------------

// The frame's colour follows the focus.
void FieldEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  update();
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  update();
  if (MovesBetweenControls(event->reason())) GuardEntry([this] { Exit(); });
}

void FieldEdit::Exit() { Raise(OnExit, this); }

void FieldEdit::paintEvent(QPaintEvent* event) {
  if (FCtl3D) {
    QLineEdit::paintEvent(event);
    return;
  }
  // Styles round the corners of a frameless panel; the whole field is the base colour.
  QPainter(this).fillRect(rect(), palette().brush(QPalette::Base));
  QLineEdit::paintEvent(event);
  QPainter painter(this);
  painter.setPen(FieldFrameColor(palette(), hasFocus()));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace zentarix
