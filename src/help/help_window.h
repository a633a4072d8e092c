// The game's own help window: the pages of the help file beside its contents and index
// (with a filter box), back and forward (buttons, Alt+Left and Alt+Right), links between
// pages followed inside the file and links out of it handed to the desktop, pictures and
// style sheets from the file. The text can be selected and copied. Not modal; it keeps
// nothing on disk.
#pragma once

#include <QWidget>

#include "help/help_book.h"

class QAbstractButton;
class QLineEdit;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarlyk {

class HelpBrowser;

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // Opens on the book's home page.
  explicit HelpWindow(HelpBook book, QWidget* parent = nullptr);
  ~HelpWindow() override;

  // Shows an internal URL's page (a missing page says so in the page area); a web or mail
  // link is handed to the desktop; any other link is not followed.
  void Follow(const QUrl& url);
  void ShowHome();

  const HelpBook& Book() const { return book_; }
  QTextBrowser* Browser() const;
  QTabWidget* Tabs() const { return tabs_; }
  QTreeWidget* ContentsTree() const { return contents_; }
  QTreeWidget* IndexTree() const { return index_; }   // nullptr when the file has no index
  QLineEdit* IndexFilter() const { return filter_; }  // nullptr when the file has no index
  QAbstractButton* BackButton() const { return back_; }
  QAbstractButton* ForwardButton() const { return forward_; }
  QAbstractButton* HomeButton() const { return home_; }

  // Hides the index entries whose keyword (or any of whose sub-entries' keywords) does
  // not contain `text`; an empty text shows them all.
  void FilterIndex(const QString& text);

 private:
  void BuildControls();
  void Place(const QWidget* over);
  void OpenItem(QTreeWidgetItem* item);
  void OpenFirstIndexMatch();
  // Marks the contents entry of the page shown (the signal comes before source() changes).
  void SelectInContents(const QUrl& source);

  HelpBook book_;
  HelpBrowser* browser_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QTreeWidget* index_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QAbstractButton* back_ = nullptr;
  QAbstractButton* forward_ = nullptr;
  QAbstractButton* home_ = nullptr;
};

}  // namespace tarlyk
