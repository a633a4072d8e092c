// A band filled with a vertical gradient (the strip under the table and the footers
// of the dialogs). Its colours default to the current look's band colours.
#pragma once

#include <QWidget>
#include <optional>

#include "art/look.h"

namespace tarlyk {

class GradientBand : public QWidget {
  Q_OBJECT

 public:
  explicit GradientBand(QWidget* parent = nullptr);

  void SetColors(const QColor& top, const QColor& bottom);
  void ResetColors();
  GradientPair Colors() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<GradientPair> colors_;
};

}  // namespace tarlyk
