// The frame that marks the chosen card back: a rounded rectangle in the highlight
// colour with a dotted outline, lying behind the item it frames.
#pragma once

#include <QWidget>

namespace tarlyk {

class BackSelector : public QWidget {
  Q_OBJECT

 public:
  // Margin between the frame and the item it surrounds, on every side.
  static constexpr int kMargin = 4;

  explicit BackSelector(QWidget* parent = nullptr);

  // Frames `item` (in the parent's coordinates) and stays behind its siblings.
  void Frame(const QWidget* item);
  // The widget currently framed, or nullptr before the first Frame().
  const QWidget* Framed() const { return framed_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QWidget* framed_ = nullptr;
};

}  // namespace tarlyk
