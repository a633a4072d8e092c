// A description beside a track bar: formatted text (bold title, normal text, coloured
// runs) word-wrapped to the panel's width and drawn from its top-left corner with no
// margin, so the text sits exactly where the panel is placed.
#pragma once

#include <QTextDocument>
#include <QWidget>

namespace tarlyk {

class TrackDescription : public QWidget {
  Q_OBJECT

 public:
  TrackDescription(const QString& html, QWidget* parent = nullptr);

  QString Html() const { return html_; }
  // Height the text needs at the panel's width.
  int TextHeight() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Relayout() const;

  QString html_;
  mutable QTextDocument document_;
};

}  // namespace tarlyk
