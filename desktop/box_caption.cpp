#include "desktop/box_caption.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <optional>

#include "desktop/interface_language.h"
#include "desktop/window_system.h"

namespace zentarix {

namespace {

constexpr int BorderWidth = 1;
constexpr int IconSize = 16;
constexpr int Gap = 4;  // between the bar's edges, its icon, its title and its button

class BoxCaption : public QWidget {
 public:
  explicit BoxCaption(QWidget& box) : QWidget(&box), FBox(box) {
    setObjectName(QStringLiteral("BoxCaption"));
    // The bar keeps the desktop's font: a box that sets its own font for its contents (the
    // About box does) would otherwise change the bar's height after it was made.
    setFont(QApplication::font());
    const int height = std::max(fontMetrics().height(), IconSize) + 2 * Gap;
    setFixedHeight(height);
    FCloseButton = new QToolButton(this);
    FCloseButton->setAutoRaise(true);
    // A title bar's button is for the pointer; the keyboard closes a box by its own buttons.
    FCloseButton->setFocusPolicy(Qt::NoFocus);
    const QString closeText = TranslateInApplication("BoxCaption", "Закрыть");
    FCloseButton->setAccessibleName(closeText);
    FCloseButton->setToolTip(closeText);
    FCloseButton->setFixedSize(height - 2 * BorderWidth, height - 2 * BorderWidth);
    FCloseButton->setIconSize(FCloseButton->size());
    PaintCloseIcon();
    connect(FCloseButton, &QToolButton::clicked, &FBox, &QWidget::close);
    FBox.installEventFilter(this);
  }

  void FollowBoxWidth() {
    setGeometry(BorderWidth, BorderWidth, FBox.width() - 2 * BorderWidth, height());
    FCloseButton->move(width() - FCloseButton->width() - BorderWidth, BorderWidth);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(),
                     palette().color(FBox.isActiveWindow() ? QPalette::Highlight : QPalette::Mid));
    const QIcon icon = FBox.windowIcon();
    const QRect iconPlace(Gap, (height() - IconSize) / 2, IconSize, IconSize);
    icon.paint(&painter, iconPlace);
    const QRect titlePlace(iconPlace.right() + 1 + Gap, 0,
                           FCloseButton->x() - Gap - (iconPlace.right() + 1 + Gap), height());
    painter.setPen(TextColor());
    painter.drawText(
        titlePlace, Qt::AlignLeft | Qt::AlignVCenter,
        fontMetrics().elidedText(FBox.windowTitle(), Qt::ElideRight, titlePlace.width()));
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    // Under Wayland a client cannot place its own window: the compositor moves it. On X the
    // window manager's move (Qt's startSystemMove) places the box off by the press's place in
    // it under openbox, so the bar moves the box itself.
    if (OnWayland()) {
      if (FBox.windowHandle() != nullptr) FBox.windowHandle()->startSystemMove();
      return;
    }
    FGrip = event->globalPosition().toPoint() - FBox.pos();
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    if (FGrip && (event->buttons() & Qt::LeftButton) != 0) {
      FBox.move(event->globalPosition().toPoint() - *FGrip);
    }
  }

  void mouseReleaseEvent(QMouseEvent*) override { FGrip.reset(); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &FBox) return false;
    switch (event->type()) {
      case QEvent::Resize:
        FollowBoxWidth();
        break;
      case QEvent::ActivationChange:
        PaintCloseIcon();
        update();
        break;
      case QEvent::WindowTitleChange:
      case QEvent::WindowIconChange:
        update();
        break;
      case QEvent::Paint:
        // The border, drawn before the box's own painting: the box draws nothing of its own
        // in its margins, and its controls stand inside them.
        DrawBorder();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  QColor TextColor() const {
    return palette().color(FBox.isActiveWindow() ? QPalette::HighlightedText
                                                 : QPalette::WindowText);
  }

  // A cross in the bar's text colour: the style's close icon is drawn for a light background
  // and all but vanishes on the active bar's.
  void PaintCloseIcon() {
    const int side = FCloseButton->iconSize().width();
    const qreal ratio = devicePixelRatioF();
    QPixmap cross(QSize(side, side) * ratio);
    cross.setDevicePixelRatio(ratio);
    cross.fill(Qt::transparent);
    QPainter painter(&cross);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(TextColor(), 1.5));
    const qreal near = side * 0.3;
    const qreal far = side - near;
    painter.drawLine(QPointF(near, near), QPointF(far, far));
    painter.drawLine(QPointF(near, far), QPointF(far, near));
    FCloseButton->setIcon(QIcon(cross));
  }

  void DrawBorder() {
    QPainter painter(&FBox);
    painter.setPen(FBox.palette().color(QPalette::Shadow));
    painter.drawRect(FBox.rect().adjusted(0, 0, -1, -1));
  }

  QWidget& FBox;
  QToolButton* FCloseButton = nullptr;
  std::optional<QPoint> FGrip;  // where the bar was pressed, from the box's corner
};

// Room for the bar and the border around the box's contents.
void MakeRoom(QWidget& box, const QMargins& room) {
  if (box.layout() != nullptr) {
    // A layout places its controls within the box's contents margins, and a box that sizes
    // itself from its layout (the message box) counts them in.
    box.setContentsMargins(room);
    return;
  }
  for (QWidget* child : box.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    child->move(child->pos() + QPoint(room.left(), room.top()));
  }
  box.setFixedSize(box.size().grownBy(room));
}

}  // namespace

void DrawOwnCaption(QWidget& box) {
  // The window's kind alone with it: Qt drops the frameless hint beside the hints for a
  // title bar's buttons.
  box.setWindowFlags((box.windowFlags() & Qt::WindowType_Mask) | Qt::FramelessWindowHint);
  auto* caption = new BoxCaption(box);
  MakeRoom(box, QMargins(BorderWidth, BorderWidth + caption->height(), BorderWidth, BorderWidth));
  caption->FollowBoxWidth();
  caption->raise();
}

}  // namespace zentarix
