#include "shell/widgets/push_button.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace tarlyk {

TarlykButton::TarlykButton(QWidget* parent) : QPushButton(parent) {
  setAttribute(Qt::WA_Hover);
  setIconSize(QSize(16, 16));
}

TarlykButton::TarlykButton(const QString& text, QWidget* parent) : TarlykButton(parent) {
  setText(text);
}

void TarlykButton::SetRestColors(const QColor& first, const QColor& second) {
  rest_ = GradientPair{first, second};
  update();
}

void TarlykButton::ResetRestColors() {
  rest_.reset();
  update();
}

QColor TarlykButton::RestFirstColor() const {
  return rest_ ? rest_->first : CurrentLook().buttonRest.first;
}

QColor TarlykButton::RestSecondColor() const {
  return rest_ ? rest_->second : CurrentLook().buttonRest.second;
}

TarlykButton::VisualState TarlykButton::State() const {
  if (isDown()) return VisualState::kPressed;
  if (hovered_ && isEnabled()) return VisualState::kHover;
  return VisualState::kRest;
}

GradientPair TarlykButton::StateColors() const {
  switch (State()) {
    case VisualState::kPressed:
      return CurrentLook().buttonPressed;
    case VisualState::kHover:
      return CurrentLook().buttonHover;
    case VisualState::kRest:
      break;
  }
  return {RestFirstColor(), RestSecondColor()};
}

void TarlykButton::SetIconSpacing(int pixels) {
  iconSpacing_ = pixels;
  updateGeometry();
  update();
}

QSize TarlykButton::sizeHint() const {
  const QFontMetrics fm(font());
  int w = fm.horizontalAdvance(text()) + 16;
  if (!icon().isNull()) w += iconSize().width() + iconSpacing_;
  const int h = std::max(fm.height(), iconSize().height()) + 8;
  return {w, h};
}

void TarlykButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QPushButton::enterEvent(event);
}

void TarlykButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QPushButton::leaveEvent(event);
}

void TarlykButton::focusInEvent(QFocusEvent* event) {
  keyboardFocus_ = event->reason() == Qt::TabFocusReason ||
                   event->reason() == Qt::BacktabFocusReason ||
                   event->reason() == Qt::ShortcutFocusReason;
  QPushButton::focusInEvent(event);
}

void TarlykButton::focusOutEvent(QFocusEvent* event) {
  keyboardFocus_ = false;
  QPushButton::focusOutEvent(event);
}

void TarlykButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  const QRect r = rect();
  const GradientPair colors = StateColors();
  QLinearGradient gradient(0, r.top(), 0, r.bottom());
  gradient.setColorAt(0, colors.first);
  gradient.setColorAt(1, colors.second);
  p.fillRect(r, gradient);

  const bool framed = State() != VisualState::kRest;
  p.setPen(framed ? QColor(0, 0, 0) : colors.second.darker(125));
  p.drawRect(r.adjusted(0, 0, -1, -1));
  if (hasFocus() && keyboardFocus_ && !framed) {
    QPen dotted(colors.second.darker(170));
    dotted.setStyle(Qt::DotLine);
    p.setPen(dotted);
    p.drawRect(r.adjusted(2, 2, -3, -3));
  }

  // Icon and caption as one block centred in the button.
  const QFontMetrics fm(font());
  const bool hasIcon = !icon().isNull();
  const QSize is = hasIcon ? iconSize() : QSize(0, 0);
  const int textWidth = fm.horizontalAdvance(text());
  const int blockWidth = is.width() + (hasIcon && !text().isEmpty() ? iconSpacing_ : 0) + textWidth;
  int x = r.left() + (r.width() - blockWidth) / 2;
  const int shift = isDown() ? 1 : 0;
  if (hasIcon) {
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QPixmap pm = icon().pixmap(is, devicePixelRatioF(), mode);
    p.drawPixmap(x + shift, r.top() + (r.height() - is.height()) / 2 + shift, pm);
    x += is.width() + iconSpacing_;
  }
  p.setFont(font());
  p.setPen(isEnabled() ? syscolor::WindowText() : syscolor::ButtonShadow());
  p.drawText(QRect(x + shift, r.top() + shift, textWidth + 1, r.height()),
             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text());
}

}  // namespace tarlyk
