#include "shell/accessible_table.h"

#include <QStringList>
#include <algorithm>

#include "game/hand_layout.h"
#include "game/piles.h"
#include "game/rounding.h"
#include "game/tdm_data.h"
#include "shell/shell_texts.h"
#include "shell/desk_widget.h"
#include "view/table_painter.h"

namespace tarlyk {

// One thing on the table. Items live as long as the table, keyed by what they show (a
// card by its identity), so a screen reader holding one never holds a dangling object;
// everything they say is read from the game when asked.
class TableItem final : public QAccessibleInterface {
 public:
  TableItem(const AccessibleTable* table, int key) : table_(table), key_(key) {}

  int Key() const { return key_; }

  bool isValid() const override { return table_->isValid(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return table_->window(); }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < childCount(); ++i) {
      QAccessibleInterface* c = child(i);
      if (c->rect().contains(x, y)) return c;
    }
    return nullptr;
  }
  QAccessibleInterface* parent() const override { return table_->ParentOf(key_); }
  QAccessibleInterface* child(int index) const override {
    if (key_ != AccessibleTable::kHand) return nullptr;
    const std::vector<int> keys = table_->HandKeys();
    if (index < 0 || index >= static_cast<int>(keys.size())) return nullptr;
    return table_->Item(keys[static_cast<size_t>(index)]);
  }
  int childCount() const override {
    return key_ == AccessibleTable::kHand ? static_cast<int>(table_->HandKeys().size()) : 0;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* item = dynamic_cast<const TableItem*>(child);
    if (key_ != AccessibleTable::kHand || item == nullptr) return -1;
    const std::vector<int> keys = table_->HandKeys();
    const auto it = std::find(keys.begin(), keys.end(), item->Key());
    return it == keys.end() ? -1 : static_cast<int>(it - keys.begin());
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return table_->NameOf(key_);
    if (t == QAccessible::Description) return table_->DescriptionOf(key_);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return table_->RectOf(key_); }
  QAccessible::Role role() const override { return table_->RoleOf(key_); }
  QAccessible::State state() const override { return table_->StateOf(key_); }

 private:
  const AccessibleTable* table_;
  int key_;
};

namespace {

QString Tr(const char* text) {
  return QString::fromUtf8(text);
}

QString NameOfCard(const TCardRec& card) {
  return QString::fromStdString(CardToString(card));
}

bool IsDealt(const TdmData* game) {
  return game != nullptr && IsPresent(game->KozirCard);
}

bool Playable(const TdmData& game, const TCardRec& card) {
  return game.GameActive && game.ApplyRules(card, game.WhoGoing == 0);
}

bool Holds(const TdmData& game, int cardId) {
  return std::any_of(game.UserCards.begin(), game.UserCards.end(),
                     [&](const TCardRec& c) { return IsPresent(c) && c.ID == cardId; });
}

// Table slots of pair k: the attack card and its cover.
int AttackSlot(const TdmData& game, int k) {
  return game.WhoGoing == 0 ? k : k + 6;
}
int CoverSlot(const TdmData& game, int k) {
  return game.WhoGoing == 0 ? k + 6 : k;
}

// A hand of n cards drawn at row y, from its first card to the end of its last.
QRect HandRect(int n, int y, int w) {
  if (n < 1) return {};
  const int left = HandCardX(0, n, w);
  return QRect(left, y, HandCardX(n - 1, n, w) + kCardWidth - left, kCardHeight);
}

QAccessibleInterface* DeskFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("tarlyk::DeskWidget"))
    if (auto* desk = qobject_cast<DeskWidget*>(object)) return new AccessibleTable(desk);
  return nullptr;
}

bool IsNotice(int key) {
  return key == AccessibleTable::kNotice || key == AccessibleTable::kNotice + 1;
}

void Send(QAccessibleInterface* iface, QAccessible::Event type) {
  QAccessibleEvent event(iface, type);
  QAccessible::updateAccessibility(&event);
}

}  // namespace

void InstallAccessibleTable() {
  static const bool installed = [] {
    QAccessible::installFactory(&DeskFactory);
    return true;
  }();
  (void)installed;
}

AccessibleTable::AccessibleTable(DeskWidget* desk)
    : QAccessibleWidget(desk, QAccessible::Pane, Tr(a11y::kTableName)) {
  seenTableKeys_ = TableKeys();
  seenHandKeys_ = HandKeys();
  seen_ = Look();
  seenDescription_ = text(QAccessible::Description);
  seenFocus_ = FocusKey();
}

AccessibleTable::~AccessibleTable() {
  // The items are registered, so the cache owns them; one it has already dropped is
  // not asked for again.
  for (const auto& [key, id] : itemIds_)
    if (QAccessible::accessibleInterface(id) != nullptr) QAccessible::deleteAccessibleInterface(id);
}

AccessibleTable* AccessibleTable::Of(DeskWidget* desk) {
  return dynamic_cast<AccessibleTable*>(QAccessible::queryAccessibleInterface(desk));
}

const DeskWidget* AccessibleTable::Desk() const {
  return static_cast<const DeskWidget*>(widget());
}

QString AccessibleTable::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return Tr(a11y::kTableName);
  if (t == QAccessible::Description) {
    const TdmData* game = Desk()->Game();
    return game != nullptr ? QString::fromStdString(game->StatusText) : QString();
  }
  return QAccessibleWidget::text(t);
}

QAccessible::Role AccessibleTable::role() const {
  return QAccessible::Pane;
}

int AccessibleTable::childCount() const {
  return static_cast<int>(TableKeys().size());
}

QAccessibleInterface* AccessibleTable::child(int index) const {
  const std::vector<int> keys = TableKeys();
  if (index < 0 || index >= static_cast<int>(keys.size())) return nullptr;
  return Item(keys[static_cast<size_t>(index)]);
}

int AccessibleTable::indexOfChild(const QAccessibleInterface* child) const {
  const auto* item = dynamic_cast<const TableItem*>(child);
  if (item == nullptr) return -1;
  const std::vector<int> keys = TableKeys();
  const auto it = std::find(keys.begin(), keys.end(), item->Key());
  return it == keys.end() ? -1 : static_cast<int>(it - keys.begin());
}

QAccessibleInterface* AccessibleTable::focusChild() const {
  const int key = FocusKey();
  return key != 0 ? Item(key) : nullptr;
}

QAccessibleInterface* AccessibleTable::Item(int key) const {
  auto it = items_.find(key);
  if (it == items_.end()) {
    auto* item = new TableItem(this, key);
    itemIds_.emplace(key, QAccessible::registerAccessibleInterface(item));
    it = items_.emplace(key, item).first;
  }
  return it->second;
}

QAccessibleInterface* AccessibleTable::ParentOf(int key) const {
  if (key >= kCard) return Item(kHand);
  return const_cast<AccessibleTable*>(this);
}

std::vector<int> AccessibleTable::TableKeys() const {
  const TdmData* game = Desk()->Game();
  std::vector<int> keys;
  if (IsDealt(game)) {
    keys.push_back(kComputer);
    for (int k = 0; k < 6; ++k)
      if (IsPresent(game->DeskCards[static_cast<size_t>(AttackSlot(*game, k))]))
        keys.push_back(kPair + k);
    keys.push_back(kTrump);
    keys.push_back(kStock);
  }
  keys.push_back(kHand);
  for (int i = 0; i < 2; ++i)
    if (!notices_[i].isEmpty()) keys.push_back(kNotice + i);
  return keys;
}

std::vector<int> AccessibleTable::HandKeys() const {
  std::vector<int> keys;
  if (const TdmData* game = Desk()->Game())
    for (const TCardRec& c : game->UserCards)
      if (IsPresent(c)) keys.push_back(kCard + c.ID);
  return keys;
}

int AccessibleTable::HandPosition(int cardId) const {
  const TdmData* game = Desk()->Game();
  if (game == nullptr) return 0;
  int k = 0;
  for (const TCardRec& c : game->UserCards) {
    if (!IsPresent(c)) continue;
    ++k;
    if (c.ID == cardId) return k;
  }
  return 0;
}

int AccessibleTable::FocusKey() const {
  const DeskWidget* desk = Desk();
  const TdmData* game = desk->Game();
  if (game == nullptr || !desk->hasFocus()) return 0;
  const int p = desk->MarkedCard();
  if (p < 1 || p > GetCardsCount(game->UserCards)) return 0;
  return kCard + game->UserCards[static_cast<size_t>(p - 1)].ID;
}

QAccessible::Role AccessibleTable::RoleOf(int key) const {
  if (key >= kCard) return QAccessible::ListItem;
  if (key == kHand) return QAccessible::List;
  if (IsNotice(key)) return QAccessible::Notification;
  return QAccessible::StaticText;
}

QAccessible::State AccessibleTable::StateOf(int key) const {
  QAccessible::State state;
  if (key < kCard) {
    state.readOnly = key != kHand;
    return state;
  }
  state.focusable = true;
  state.selectable = false;
  const TdmData* game = Desk()->Game();
  const int cardId = key - kCard;
  if (game == nullptr || HandPosition(cardId) == 0) {
    state.invisible = true;
    state.disabled = true;
    return state;
  }
  state.disabled = !Playable(*game, CardFromNumber(cardId + 1));
  state.focused = FocusKey() == key;
  return state;
}

QString AccessibleTable::NameOf(int key) const {
  const TdmData* game = Desk()->Game();
  if (key >= kCard) return NameOfCard(CardFromNumber(key - kCard + 1));
  if (key == kHand) return Tr(a11y::kHandName);
  if (IsNotice(key)) return notices_[key - kNotice];
  if (game == nullptr) return {};
  if (key == kComputer) return Tr(a11y::kComputerCards).arg(GetCardsCount(game->CPUCards));
  if (key == kTrump) return Tr(a11y::kTrump).arg(NameOfCard(game->KozirCard));
  if (key == kStock) return ColodaCounterText(GetCardsCount(game->ColodaCards));
  if (key >= kPair && key < kPair + 6) {
    const int k = key - kPair;
    const TCardRec& attack = game->DeskCards[static_cast<size_t>(AttackSlot(*game, k))];
    const TCardRec& cover = game->DeskCards[static_cast<size_t>(CoverSlot(*game, k))];
    if (!IsPresent(attack)) return {};
    if (!IsPresent(cover)) return Tr(a11y::kOpenPair).arg(NameOfCard(attack));
    return Tr(a11y::kCoveredPair).arg(NameOfCard(attack), NameOfCard(cover));
  }
  return {};
}

QString AccessibleTable::DescriptionOf(int key) const {
  const TdmData* game = Desk()->Game();
  if (key < kCard || game == nullptr) return {};
  const int cardId = key - kCard;
  const bool playable = Holds(*game, cardId) && Playable(*game, CardFromNumber(cardId + 1));
  return Tr(playable ? a11y::kPlayable : a11y::kNotPlayable);
}

QRect AccessibleTable::RectOf(int key) const {
  const DeskWidget* desk = Desk();
  const TdmData* game = desk->Game();
  if (game == nullptr) return {};
  const int w = desk->width(), h = desk->height();
  QRect r;
  if (key >= kCard) {
    r = HandCardVisibleRect(HandPosition(key - kCard), GetCardsCount(game->UserCards), w, h);
  } else if (key == kHand) {
    r = HandRect(GetCardsCount(game->UserCards), h - 101, w);
  } else if (key == kComputer) {
    r = HandRect(GetCardsCount(game->CPUCards), 5, w);
  } else if (key >= kPair && key < kPair + 6) {
    // The attacker's row starts at x 75, the covers 3 pixels right of their cards.
    const int k = key - kPair;
    const int humanY = RoundHalfEvenInt((h - 346) / 2.0 + 149);
    const int cpuY = RoundHalfEvenInt((h - 346) / 2.0 + 101);
    const bool humanAttacks = game->WhoGoing == 0;
    r = QRect(75 + 79 * k, humanAttacks ? humanY : cpuY, kCardWidth, kCardHeight);
    if (IsPresent(game->DeskCards[static_cast<size_t>(CoverSlot(*game, k))]))
      r |= QRect(78 + 79 * k, humanAttacks ? cpuY : humanY, kCardWidth, kCardHeight);
  } else if (key == kTrump || key == kStock) {
    const int x = RoundHalfEvenInt(w - 116 + 12.5);
    const int y = RoundHalfEvenInt((h - 323 - 13) / 2.0 + 101);
    r = key == kTrump ? QRect(x, y, kCardWidth, kCardHeight)
                      : QRect(x - 30, y + 35, kCardWidth + 60, 94);
  }
  if (r.isEmpty()) return {};
  return QRect(desk->mapToGlobal(r.topLeft()), r.size());
}

std::vector<AccessibleTable::Seen> AccessibleTable::Look() const {
  std::vector<Seen> seen;
  for (const std::vector<int>& keys : {TableKeys(), HandKeys()})
    for (int key : keys)
      seen.push_back({key, NameOf(key), DescriptionOf(key), StateOf(key).disabled != 0});
  return seen;
}

void AccessibleTable::Update(const QString& message) {
  const std::vector<Seen> now = Look();

  // The news: the pairs that newly lie on the table, then the message.
  QStringList spoken;
  for (const Seen& s : now) {
    if (s.key < kPair || s.key >= kPair + 6) continue;
    const auto old =
        std::find_if(seen_.begin(), seen_.end(), [&](const Seen& o) { return o.key == s.key; });
    if (old == seen_.end() || old->name != s.name) spoken << s.name;
  }
  if (!message.isEmpty()) spoken << message;
  // Two notifications take the news in turn: a screen reader that is behind passes over
  // an older showing of the object it is about to show again, not over the other one.
  int shown = -1;
  if (!spoken.isEmpty()) {
    lastNotice_ = 1 - lastNotice_;
    notices_[lastNotice_] = spoken.join(QStringLiteral(". "));
    shown = kNotice + lastNotice_;
  }

  const std::vector<int> tableKeys = TableKeys();
  const std::vector<int> handKeys = HandKeys();
  if (tableKeys != seenTableKeys_) Send(this, QAccessible::ObjectReorder);
  if (handKeys != seenHandKeys_) Send(Item(kHand), QAccessible::ObjectReorder);

  for (const Seen& s : now) {
    if (IsNotice(s.key)) continue;
    const auto old =
        std::find_if(seen_.begin(), seen_.end(), [&](const Seen& o) { return o.key == s.key; });
    if (old == seen_.end()) continue;
    if (old->name != s.name) Send(Item(s.key), QAccessible::NameChanged);
    if (old->description != s.description) Send(Item(s.key), QAccessible::DescriptionChanged);
    if (old->disabled != s.disabled) {
      QAccessible::State changed;
      changed.disabled = true;
      QAccessibleStateChangeEvent event(Item(s.key), changed);
      QAccessible::updateAccessibility(&event);
    }
  }

  const QString description = text(QAccessible::Description);
  if (description != seenDescription_) Send(this, QAccessible::DescriptionChanged);

  const int focus = FocusKey();
  if (focus != seenFocus_) {
    if (focus != 0) {
      Send(Item(focus), QAccessible::Focus);
    } else if (Desk()->hasFocus()) {
      Send(this, QAccessible::Focus);
    }
  }

  if (shown != -1) {
    Send(Item(shown), QAccessible::NameChanged);
    Send(Item(shown), QAccessible::ObjectShow);
  }

  seenTableKeys_ = tableKeys;
  seenHandKeys_ = handKeys;
  seen_ = now;
  seenDescription_ = description;
  seenFocus_ = focus;
}

}  // namespace tarlyk
