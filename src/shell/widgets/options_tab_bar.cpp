#include "shell/widgets/options_tab_bar.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tarlyk {

namespace {
constexpr int kIconSize = 16;
constexpr int kPadding = 4;       // left of the icon and right of the caption
constexpr int kIconGap = 3;       // between icon and caption
constexpr int kInactiveDrop = 2;  // inactive tabs start this much lower

QFont BoldOf(QFont font) {
  font.setBold(true);
  return font;
}
}  // namespace

OptionsTabBar::OptionsTabBar(QWidget* parent) : QTabBar(parent) {
  setIconSize(QSize(kIconSize, kIconSize));
  setDrawBase(false);
  setExpanding(false);
  setUsesScrollButtons(false);
}

// Every tab is as wide as its caption in bold, so the width does not jump on selection.
// When a wider stand-in font would push the last tab out of the page control, all tabs
// give up the same amount and their captions are elided.
QSize OptionsTabBar::tabSizeHint(int index) const {
  const QFontMetrics metrics(BoldOf(font()));
  auto natural = [&](int i) {
    return kPadding + kIconSize + kIconGap + metrics.horizontalAdvance(tabText(i)) + kPadding;
  };
  int width = natural(index);
  if (parentWidget() != nullptr && count() > 0) {
    int total = 0;
    for (int i = 0; i < count(); ++i) total += natural(i);
    const int available = parentWidget()->width() - 2;
    if (total > available) width -= (total - available + count() - 1) / count();
  }
  return QSize(width, kTabHeight);
}

void OptionsTabBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QColor border = palette().color(QPalette::Mid);
  for (int i = 0; i < count(); ++i) {
    const bool active = i == currentIndex();
    QRectF r = tabRect(i);
    r.adjust(0.5, active ? 0.5 : 0.5 + kInactiveDrop, -0.5, active ? 0.5 : 0);

    QPainterPath shape;
    const qreal radius = 4;
    shape.moveTo(r.left(), r.bottom());
    shape.lineTo(r.left(), r.top() + radius);
    shape.quadTo(r.left(), r.top(), r.left() + radius, r.top());
    shape.lineTo(r.right() - radius, r.top());
    shape.quadTo(r.right(), r.top(), r.right(), r.top() + radius);
    shape.lineTo(r.right(), r.bottom());

    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    if (active) {
      fill.setColorAt(0, Qt::white);
      fill.setColorAt(1, palette().color(QPalette::Window));
    } else {
      fill.setColorAt(0, palette().color(QPalette::Window).lighter(104));
      fill.setColorAt(1, palette().color(QPalette::Window).darker(110));
    }
    painter.setPen(QPen(border, 1));
    painter.setBrush(fill);
    painter.drawPath(shape);

    const QRect box = tabRect(i).adjusted(0, active ? 0 : kInactiveDrop, 0, 0);
    const QIcon icon = tabIcon(i);
    if (!icon.isNull()) {
      const QPixmap pixmap =
          icon.pixmap(iconSize(), devicePixelRatioF(),
                      isTabEnabled(i) ? QIcon::Normal : QIcon::Disabled);
      painter.drawPixmap(box.left() + kPadding, box.top() + (box.height() - kIconSize) / 2, pixmap);
    }
    painter.setFont(active ? BoldOf(font()) : font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect textBox = box.adjusted(kPadding + kIconSize + kIconGap, 0, -kPadding, 0);
    const QString caption =
        painter.fontMetrics().elidedText(tabText(i), Qt::ElideRight, textBox.width());
    painter.drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft, caption);
  }
}

}  // namespace tarlyk
