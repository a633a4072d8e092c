#include "shell/widgets/track_description.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tarlyk {

TrackDescription::TrackDescription(const QString& html, QWidget* parent)
    : QWidget(parent), html_(html) {
  document_.setDocumentMargin(0);
  document_.setHtml(html_);
}

void TrackDescription::Relayout() const {
  document_.setDefaultFont(font());
  document_.setTextWidth(width());
}

int TrackDescription::TextHeight() const {
  Relayout();
  return static_cast<int>(std::ceil(document_.size().height()));
}

void TrackDescription::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) update();
}

void TrackDescription::paintEvent(QPaintEvent*) {
  Relayout();
  QPainter painter(this);
  // Some stand-in fonts report an ascent smaller than their tallest capitals; push the
  // text down by the difference so the first line is not cut at the panel's top.
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  const int overflow =
      std::max(0, -metrics.tightBoundingRect(QStringLiteral("ЙМ")).top() - metrics.ascent());
  painter.translate(0, overflow);
  QAbstractTextDocumentLayout::PaintContext context;
  context.palette = palette();
  context.palette.setColor(QPalette::Text, palette().color(QPalette::WindowText));
  document_.documentLayout()->draw(&painter, context);
}

}  // namespace tarlyk
