// The table as a screen reader sees it: names, roles, states and places of what lies on
// it, the focus on the marked card, and the events that tell of every change. And the
// mark's frame in the table picture.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QPainter>
#include <QRegularExpression>

#include "fake_window.h"
#include "keyboard/keyboard_table.h"
#include "view/panel_pictures.h"
#include "view/scaled_cards.h"

namespace tarlyk {
namespace {

TEST(AccessibleTable, NamesEverythingOnTheTableInRussian) {
  KeyboardTable t(7, 1);  // the computer leads one card
  ASSERT_TRUE(t.active);
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(t.w.imgDesk);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(Name(table), QStringLiteral("Игровой стол"));
  EXPECT_EQ(table->role(), QAccessible::Pane);
  EXPECT_TRUE(table->state().focusable);
  // Before a game: an empty hand, and the status line as the table's description.
  EXPECT_EQ(table->text(QAccessible::Description), QStringLiteral("Сыграем?"));
  ASSERT_EQ(table->childCount(), 1);
  EXPECT_EQ(HandList(table)->childCount(), 0);

  t.data.N4Click();
  QCoreApplication::processEvents();
  const TdmData& d = t.data;
  const QString attack = CardName(d.DeskCards[6]);
  EXPECT_EQ(ChildNames(table),
            (QStringList{QStringLiteral("Карт у компьютера: 5"),
                         QStringLiteral("Атака: ") + attack + QStringLiteral(", не покрыта"),
                         QStringLiteral("Козырь: ") + CardName(d.KozirCard),
                         QStringLiteral("Карт в колоде: 24"), QStringLiteral("Ваши карты"),
                         QStringLiteral("Атака: ") + attack + QStringLiteral(", не покрыта. ") +
                             t.w.labStatus->text()}));
  EXPECT_EQ(table->text(QAccessible::Description), t.w.labStatus->text());

  QAccessibleInterface* hand = HandList(table);
  ASSERT_EQ(hand->childCount(), 6);
  EXPECT_EQ(hand->parent(), table);
  EXPECT_EQ(table->indexOfChild(hand), 4);
  for (int i = 0; i < 6; ++i) {
    const TCardRec& c = d.UserCards[static_cast<size_t>(i)];
    QAccessibleInterface* card = hand->child(i);
    EXPECT_EQ(Name(card), CardName(c));
    EXPECT_TRUE(Name(card).contains(QRegularExpression(
        QStringLiteral("^(Шестёрка|Семерка|Восьмёрка|Девятка|Десятка|Валет|Дама|Король|Туз) "
                       "(крести|пики|буби|черви)$"))));
    EXPECT_EQ(card->role(), QAccessible::ListItem);
    EXPECT_EQ(card->parent(), hand);
    EXPECT_EQ(hand->indexOfChild(card), i);
    const bool beats = d.ApplyRules(c, false);
    EXPECT_EQ(card->state().disabled != 0, !beats) << i;
    EXPECT_TRUE(card->state().focusable);
    EXPECT_EQ(card->text(QAccessible::Description),
              beats ? QStringLiteral("можно сыграть") : QStringLiteral("сейчас нельзя"));
  }

  // The person beats the attack with his first playable card: the pair is covered.
  int beater = 0;
  for (int k = 1; k <= 6 && beater == 0; ++k)
    if (d.ApplyRules(d.UserCards[static_cast<size_t>(k - 1)], false)) beater = k;
  if (beater != 0) {
    const QString cover = CardName(d.UserCards[static_cast<size_t>(beater - 1)]);
    t.MarkCard(beater);
    t.Press(Qt::Key_Space);
    const QString pair = QStringLiteral("Атака: ") + attack + QStringLiteral(", покрыта: ") + cover;
    EXPECT_TRUE(ChildNames(table).contains(pair) || d.DeskCards[6].Value == 0)
        << ChildNames(table).join(QStringLiteral(" | ")).toStdString();
  }
}

TEST(AccessibleTable, TheMarkedCardIsTheFocusAndItemsKeepTheirIdentity) {
  KeyboardTable t;
  ASSERT_TRUE(t.active);
  t.data.N4Click();
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(t.w.imgDesk);
  QAccessibleInterface* hand = HandList(table);
  EXPECT_EQ(table->focusChild(), nullptr);

  t.MarkCard(2);
  QAccessibleInterface* second = hand->child(1);
  EXPECT_EQ(table->focusChild(), second);
  EXPECT_TRUE(second->state().focused);
  EXPECT_FALSE(hand->child(0)->state().focused);

  // Places on the screen are those of the picture: a point of the card finds it.
  const QRect visible = HandCardVisibleRect(2, 6, 710, 480);
  EXPECT_EQ(second->rect(), QRect(t.w.imgDesk->mapToGlobal(visible.topLeft()), visible.size()));
  EXPECT_EQ(hand->childAt(second->rect().center().x(), second->rect().center().y()), second);
  EXPECT_EQ(table->childAt(second->rect().center().x(), second->rect().center().y()), hand);

  // The played card's item stays a valid object, out of the hand and out of sight.
  const QString name = Name(second);
  t.Press(Qt::Key_Space);
  EXPECT_TRUE(second->isValid());
  EXPECT_EQ(Name(second), name);
  EXPECT_EQ(hand->indexOfChild(second), -1);
  EXPECT_TRUE(second->state().invisible);
  EXPECT_EQ(hand->childCount(), 5);
  EXPECT_EQ(table->focusChild(), hand->child(1)) << "the next card has the mark";
}

// --- the frame in the picture ---

QImage Card(QRgb colour) {
  QImage img(71, 96, QImage::Format_ARGB32_Premultiplied);
  img.fill(colour);
  return img;
}

struct FramedTable {
  FakeWindow window;
  OptionValues options;
  ScriptedRandom random;
  ScoreCounters score;
  TdmData data{window, options, random, score, "Игрок"};
  CardImages images;
  PanelPictures pictures;

  explicit FramedTable(int cards) {
    for (int i = 0; i < 52; ++i)
      images.ilCards[static_cast<size_t>(i)] = Card(qRgb(40 + i * 3, 120, 90));
    options.disabledCardsType = 2;
    data.GameActive = true;
    data.KozirCard = CardFromNumber(1);
    for (int i = 0; i < cards; ++i) data.UserCards[static_cast<size_t>(i)] = CardFromNumber(i + 1);
  }
  QImage Paint(int marked, qreal ratio = 1.0) const {
    QImage img(DeviceSize(QSize(710, 480), ratio), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    TablePalette palette;
    TablePainter(images, pictures).Paint(img, data, palette, QFont(), marked);
    return img;
  }
};

TEST(HandMarkFrame, ATwoToneFrameJustOutsideTheVisiblePartOfTheMarkedCard) {
  for (const int cards : {1, 6, 12, 36}) {
    FramedTable t(cards);
    const QImage plain = t.Paint(0);
    for (const int marked : {1, (cards + 1) / 2, cards}) {
      const QImage framed = t.Paint(marked);
      const QRect card = HandCardVisibleRect(marked, cards, 710, 480);
      const QRect outer = card.adjusted(-2, -2, 2, 2);
      int black = 0, white = 0;
      for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 710; ++x) {
          const QRgb a = plain.pixel(x, y), b = framed.pixel(x, y);
          const bool ring = outer.contains(x, y) && !card.contains(x, y);
          if (!ring) {
            ASSERT_EQ(a, b) << cards << " cards, mark " << marked << ": " << x << "," << y;
            continue;
          }
          ASSERT_TRUE(b == 0xFF000000u || b == 0xFFFFFFFFu) << x << "," << y;
          (b == 0xFF000000u ? black : white)++;
        }
      }
      // Every pixel of the ring is drawn, in both colours.
      EXPECT_EQ(black + white, outer.width() * outer.height() - card.width() * card.height());
      EXPECT_GT(black, 40);
      EXPECT_GT(white, 40);
    }
  }
}

// At other ratios the frame lies on the device pixels between the card's own and those
// two table pixels further out: no gap to the card and nothing drawn elsewhere.
TEST(HandMarkFrame, AtOtherRatiosTheFrameMeetsTheCardsDevicePixels) {
  FramedTable t(6);
  for (const qreal ratio : {1.5, 2.0, 1.25}) {
    const QImage plain = t.Paint(0, ratio);
    for (const int marked : {1, 6}) {
      const QImage framed = t.Paint(marked, ratio);
      const QRect card = HandCardVisibleRect(marked, 6, 710, 480);
      const auto px = [ratio](int v) { return DevicePixel(v, ratio); };
      const QRect inner(QPoint(px(card.left()), px(card.top())),
                        QPoint(px(card.right() + 1) - 1, px(card.bottom() + 1) - 1));
      const QRect outer(QPoint(px(card.left() - 2), px(card.top() - 2)),
                        QPoint(px(card.right() + 3) - 1, px(card.bottom() + 3) - 1));
      int black = 0, white = 0;
      for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
          const QRgb a = plain.pixel(x, y), b = framed.pixel(x, y);
          if (!outer.contains(x, y) || inner.contains(x, y)) {
            ASSERT_EQ(a, b) << ratio << ", mark " << marked << ": " << x << "," << y;
            continue;
          }
          ASSERT_TRUE(b == 0xFF000000u || b == 0xFFFFFFFFu) << ratio << ": " << x << "," << y;
          (b == 0xFF000000u ? black : white)++;
        }
      }
      EXPECT_GT(black, 40 * ratio);
      EXPECT_GT(white, 40 * ratio);
    }
  }
}

}  // namespace
}  // namespace tarlyk
