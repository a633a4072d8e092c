// Tab bar of the options dialog: 20-pixel tabs with rounded top edges, a 16-pixel
// icon each, and the active tab's caption in bold.
#pragma once

#include <QTabBar>

namespace tarlyk {

class OptionsTabBar : public QTabBar {
  Q_OBJECT

 public:
  static constexpr int kTabHeight = 20;

  explicit OptionsTabBar(QWidget* parent = nullptr);

 protected:
  QSize tabSizeHint(int index) const override;
  QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarlyk
