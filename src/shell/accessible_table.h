// The table as assistive technology (a screen reader over AT-SPI) sees it: "Игровой стол",
// described by the status line, holding, from top to bottom, the computer's card count,
// the pairs in play, the trump card, the stock counter, the person's hand as a list of
// cards by their Russian names (those that may not be played now are disabled), and the
// notifications through which the game's news is spoken. The card under the
// keyboard's mark is the accessible focus while the table has the keyboard focus.
#pragma once

#include <QAccessibleWidget>
#include <QString>
#include <map>
#include <vector>

namespace tarlyk {

class DeskWidget;
class TableItem;

// Makes every DeskWidget show itself as an AccessibleTable; safe to call again.
void InstallAccessibleTable();

class AccessibleTable : public QAccessibleWidget {
 public:
  explicit AccessibleTable(DeskWidget* desk);
  ~AccessibleTable() override;
  AccessibleTable(const AccessibleTable&) = delete;
  AccessibleTable& operator=(const AccessibleTable&) = delete;

  // The accessible table of this widget, made at the first call.
  static AccessibleTable* Of(DeskWidget* desk);

  QString text(QAccessible::Text t) const override;
  QAccessible::Role role() const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* focusChild() const override;

  // Tells assistive technology what changed since the last call: children that came or
  // went, new names, descriptions and playability, the focus moving to another card (or
  // back to the table). A non-empty message (the new status line) is then spoken through
  // the notification, after the pairs that newly lie on the table.
  void Update(const QString& message);

  // --- what the items read ---
  enum Key : int {
    kHand = 1,
    kComputer = 2,
    kTrump = 3,
    kStock = 4,
    kNotice = 5,  // and 6: the two notifications
    kPair = 10,   // + pair index 0..5
    kCard = 100,  // + card ID 0..51
  };
  QAccessibleInterface* Item(int key) const;
  QAccessibleInterface* ParentOf(int key) const;
  QAccessible::Role RoleOf(int key) const;
  QAccessible::State StateOf(int key) const;
  QString NameOf(int key) const;
  QString DescriptionOf(int key) const;
  QRect RectOf(int key) const;  // on the screen
  // The keys of the table's children, and of the hand's, in their order now.
  std::vector<int> TableKeys() const;
  std::vector<int> HandKeys() const;
  const DeskWidget* Desk() const;

 private:
  struct Seen {
    int key;
    QString name, description;
    bool disabled;
  };
  std::vector<Seen> Look() const;
  // 1-based position of a card in the person's hand, 0 when it is not there.
  int HandPosition(int cardId) const;
  int FocusKey() const;

  mutable std::map<int, TableItem*> items_;
  mutable std::map<int, QAccessible::Id> itemIds_;
  std::vector<Seen> seen_;
  std::vector<int> seenTableKeys_, seenHandKeys_;
  QString seenDescription_;
  int seenFocus_ = 0;
  QString notices_[2];
  int lastNotice_ = 1;
};

}  // namespace tarlyk
