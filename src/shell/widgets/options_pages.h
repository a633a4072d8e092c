// The page control of the options dialog, using the dialog's own tab bar.
#pragma once

#include <QTabWidget>

#include "shell/widgets/options_tab_bar.h"

namespace tarlyk {

class OptionsPages : public QTabWidget {
 public:
  explicit OptionsPages(QWidget* parent = nullptr) : QTabWidget(parent) {
    setTabBar(new OptionsTabBar(this));
  }
};

}  // namespace tarlyk
