#include "shell/widgets/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <algorithm>

namespace tarlyk {

namespace {
// The frame's caption band and the inner margins around the items.
constexpr int kCaptionBand = 14;
constexpr int kSideMargin = 8;
constexpr int kBottomMargin = 4;
}  // namespace

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent) {
  const QFont normal = font();
  QFont bold = normal;
  bold.setBold(true);
  setFont(bold);
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  for (const QString& text : items) {
    auto* button = new QRadioButton(text, this);
    button->setFont(normal);
    group->addButton(button, static_cast<int>(buttons_.size()));
    buttons_.push_back(button);
  }
  if (!buttons_.empty()) buttons_.front()->setChecked(true);
  LayoutItems();
}

int RadioGroup::ItemIndex() const {
  for (size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i]->isChecked()) return static_cast<int>(i);
  return 0;
}

void RadioGroup::SetItemIndex(int index) {
  if (buttons_.empty()) return;
  index = std::clamp(index, 0, Count() - 1);
  buttons_[static_cast<size_t>(index)]->setChecked(true);
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  LayoutItems();
}

// Items share the space below the caption equally, each centred in its slot.
void RadioGroup::LayoutItems() {
  if (buttons_.empty()) return;
  const int top = kCaptionBand;
  const int available = std::max(0, height() - top - kBottomMargin);
  const int slot = available / Count();
  const int width = std::max(0, this->width() - 2 * kSideMargin);
  for (int i = 0; i < Count(); ++i) {
    QRadioButton* button = buttons_[static_cast<size_t>(i)];
    const int h = std::min(slot, std::max(17, button->sizeHint().height()));
    button->setGeometry(kSideMargin, top + i * slot + (slot - h) / 2, width, h);
  }
}

}  // namespace tarlyk
