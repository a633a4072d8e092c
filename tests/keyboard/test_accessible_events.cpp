// The events through which a screen reader hears of the game: the focus on the marked
// card, the table's children and states changing, and the game's news spoken through the
// table's notification. Qt passes events on only while its bridge to assistive technology
// is active, so this runs in an X session with an accessibility bus (with_atspi.sh).
#include <gtest/gtest.h>

#include <algorithm>

#include "keyboard/keyboard_table.h"

namespace tarlyk {
namespace {

// What the accessibility events said, captured through Qt's update handler.
struct Heard {
  QAccessible::Event type;
  QString name;
  QAccessible::Role role;
  QAccessible::State changed;
  const QAccessibleInterface* source;
};
std::vector<Heard>* g_heard = nullptr;

void Capture(QAccessibleEvent* event) {
  QAccessibleInterface* iface = event->accessibleInterface();
  QAccessible::State changed;
  if (event->type() == QAccessible::StateChanged)
    changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
  g_heard->push_back({event->type(), Name(iface),
                      iface != nullptr ? iface->role() : QAccessible::NoRole, changed, iface});
}

struct Listener {
  Listener() {
    g_heard = &heard;
    QAccessible::installUpdateHandler(&Capture);
  }
  // Qt hands events on only while a bridge to assistive technology is active; on X11 it
  // becomes active once it has found the accessibility bus.
  bool Active() const {
    for (int i = 0; i < 100 && !QAccessible::isActive(); ++i) QTest::qWait(50);
    return QAccessible::isActive();
  }
  ~Listener() {
    QAccessible::installUpdateHandler(nullptr);
    g_heard = nullptr;
  }
  bool Heard(QAccessible::Event type, const QString& name) const {
    return std::any_of(heard.begin(), heard.end(),
                       [&](const auto& h) { return h.type == type && h.name == name; });
  }
  int Count(QAccessible::Event type) const {
    return static_cast<int>(
        std::count_if(heard.begin(), heard.end(), [&](const auto& h) { return h.type == type; }));
  }
  // The last message spoken through the notification, or an empty string.
  QString Spoken() const {
    for (auto it = heard.rbegin(); it != heard.rend(); ++it)
      if (it->type == QAccessible::ObjectShow && it->role == QAccessible::Notification)
        return it->name;
    return {};
  }
  std::vector<struct Heard> heard;
};

TEST(AccessibleEvents, TellOfEveryChangeAndTheNewsIsSpoken) {
  KeyboardTable t;
  ASSERT_TRUE(t.active);
  Listener l;
  if (!l.Active()) {
    // Under with_atspi.sh the bridge must come up; elsewhere there may be none.
    ASSERT_FALSE(qEnvironmentVariableIsSet("TARLYK_ATSPI")) << "the accessibility bridge is off";
    GTEST_SKIP() << "no accessibility bridge is active";
  }
  t.Press(Qt::Key_Return);  // a new game; the person leads
  EXPECT_GE(l.Count(QAccessible::ObjectReorder), 1);
  EXPECT_EQ(l.Spoken(), QStringLiteral("Ходите, Тест..."));
  EXPECT_TRUE(l.Heard(QAccessible::NameChanged, QStringLiteral("Ходите, Тест...")))
      << "the status label tells of its new text";

  // Moving the mark: the focus goes to the card; hints are not spoken as news.
  l.heard.clear();
  t.Press(Qt::Key_Home);
  const QString first = CardName(t.data.UserCards[0]);
  EXPECT_TRUE(l.Heard(QAccessible::Focus, first));
  EXPECT_TRUE(l.Heard(QAccessible::DescriptionChanged, QStringLiteral("Игровой стол")));
  EXPECT_EQ(l.Spoken(), QString());
  l.heard.clear();
  t.Press(Qt::Key_Right);
  EXPECT_TRUE(l.Heard(QAccessible::Focus, CardName(t.data.UserCards[1])));
  EXPECT_FALSE(l.Heard(QAccessible::Focus, first));

  // Playing: the hand's list changes, the focus moves to the card now under the mark,
  // and the new pair is spoken with the status line when that changed.
  l.heard.clear();
  const QString led = CardName(t.data.UserCards[1]);
  t.Press(Qt::Key_Space);
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(t.w.imgDesk);
  EXPECT_TRUE(l.Heard(QAccessible::ObjectReorder, QStringLiteral("Ваши карты")));
  EXPECT_TRUE(l.Heard(QAccessible::Focus, CardName(t.data.UserCards[1])));
  const QString spoken = l.Spoken();
  EXPECT_TRUE(spoken.startsWith(QStringLiteral("Атака: ") + led)) << spoken.toStdString();
  if (t.data.ThrowInMode) {
    EXPECT_TRUE(spoken.endsWith(QStringLiteral(". Тест, я беру, подкидывайте ещё...")));
  }
  EXPECT_TRUE(ChildNames(table).contains(spoken)) << "the notification keeps it";

  // Every card whose playability changed says so.
  std::vector<bool> disabledBefore;
  QAccessibleInterface* hand = HandList(table);
  for (int i = 0; i < hand->childCount(); ++i)
    disabledBefore.push_back(hand->child(i)->state().disabled);
  l.heard.clear();
  const int cardsBefore = hand->childCount();
  if (!t.w.btnEvent->isHidden()) t.Press(Qt::Key_Return);
  if (hand->childCount() == cardsBefore) {
    for (int i = 0; i < hand->childCount(); ++i) {
      const bool flipped =
          disabledBefore[static_cast<size_t>(i)] != (hand->child(i)->state().disabled != 0);
      const bool heard = std::any_of(l.heard.begin(), l.heard.end(), [&](const auto& h) {
        return h.type == QAccessible::StateChanged && h.changed.disabled &&
               h.name == Name(hand->child(i));
      });
      EXPECT_EQ(heard, flipped) << i;
    }
  }

  // The mouse takes the mark away: the focus returns to the table.
  t.MarkCard(1);
  l.heard.clear();
  t.MoveTo(QPoint(10, 10));
  EXPECT_TRUE(l.Heard(QAccessible::Focus, QStringLiteral("Игровой стол")));

  // To the end of the game: its result is the last news.
  for (int step = 0; t.data.GameActive && step < 400; ++step) {
    int p = 0;
    for (int k = 1; k <= t.HandSize() && p == 0; ++k)
      if (t.data.ApplyRules(t.data.UserCards[static_cast<size_t>(k - 1)], t.data.WhoGoing == 0))
        p = k;
    if (p != 0) {
      t.MarkCard(p);
      t.Press(Qt::Key_Space);
    } else {
      t.Press(Qt::Key_Return);
    }
  }
  ASSERT_FALSE(t.data.GameActive);
  // News follow each other from two objects in turn, so that a screen reader that is
  // behind does not take the older one for a repeat of the newer.
  std::vector<const QAccessibleInterface*> shown;
  for (const auto& h : l.heard)
    if (h.type == QAccessible::ObjectShow && h.role == QAccessible::Notification)
      shown.push_back(h.source);
  ASSERT_GE(shown.size(), 2u);
  for (size_t i = 1; i < shown.size(); ++i) EXPECT_NE(shown[i], shown[i - 1]);
  const QString result = l.Spoken();
  EXPECT_TRUE(result.endsWith(QString::fromStdString(t.data.StatusText))) << result.toStdString();
  EXPECT_TRUE(t.data.StatusText == t.data.MsgUserWins || t.data.StatusText == t.data.MsgUserLoses ||
              t.data.StatusText == t.data.MsgNobodyWins);
}

}  // namespace
}  // namespace tarlyk
