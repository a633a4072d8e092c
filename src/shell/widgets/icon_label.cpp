#include "shell/widgets/icon_label.h"

#include <QPainter>
#include <utility>

namespace tarlyk {

IconLabel::IconLabel(QIcon icon, QWidget* parent) : QWidget(parent), icon_(std::move(icon)) {}

void IconLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  icon_.paint(&p, rect());
}

}  // namespace tarlyk
