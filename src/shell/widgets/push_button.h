// The push button every window of the program uses: a vertical colour gradient that
// changes between rest, pointer-over and pressed, a black border while the pointer is
// over it or it is held down, and the icon drawn left of the caption.
#pragma once

#include <QPushButton>
#include <optional>

#include "art/look.h"

namespace tarlyk {

class TarlykButton : public QPushButton {
  Q_OBJECT

 public:
  enum class VisualState { kRest, kHover, kPressed };

  explicit TarlykButton(QWidget* parent = nullptr);
  explicit TarlykButton(const QString& text, QWidget* parent = nullptr);

  // Resting colours; until set, the current look's (see look.h).
  void SetRestColors(const QColor& first, const QColor& second);
  void ResetRestColors();
  QColor RestFirstColor() const;
  QColor RestSecondColor() const;

  // The two colours painted in the current state.
  GradientPair StateColors() const;
  VisualState State() const;

  // Pixels between the icon and the caption (4 unless set).
  void SetIconSpacing(int pixels);
  int IconSpacing() const { return iconSpacing_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  std::optional<GradientPair> rest_;
  bool hovered_ = false;
  bool keyboardFocus_ = false;  // the focus frame shows only when reached by the keyboard
  int iconSpacing_ = 4;
};

}  // namespace tarlyk
