// A captioned group of radio buttons addressed by item index, laid out evenly in
// its frame. Exactly one item is selected at any time.
#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

namespace tarlyk {

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  // The caption is drawn bold, the items in the widget's normal font.
  RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

  int ItemIndex() const;
  // A negative index selects the first item, one past the last selects the last.
  void SetItemIndex(int index);
  int Count() const { return static_cast<int>(buttons_.size()); }
  QRadioButton* Item(int index) const { return buttons_.at(static_cast<size_t>(index)); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void LayoutItems();

  std::vector<QRadioButton*> buttons_;
};

}  // namespace tarlyk
