// Playing from the keyboard: the mark over the hand, Space on the marked card, Enter on
// the action button, and what the mouse, the focus and the game's end do to the mark.
#include <gtest/gtest.h>

#include "keyboard/keyboard_table.h"

namespace tarlyk {
namespace {

// The first card of the hand the rules let the person play now, or 0.
int FirstPlayable(const TdmData& d) {
  for (int k = 1; k <= GetCardsCount(d.UserCards); ++k)
    if (d.ApplyRules(d.UserCards[static_cast<size_t>(k - 1)], d.WhoGoing == 0)) return k;
  return 0;
}

// The first card the rules refuse now, or 0.
int FirstRefused(const TdmData& d) {
  for (int k = 1; k <= GetCardsCount(d.UserCards); ++k)
    if (!d.ApplyRules(d.UserCards[static_cast<size_t>(k - 1)], d.WhoGoing == 0)) return k;
  return 0;
}

TEST(KeyboardPlay, ArrowsHomeAndEndMoveTheMarkAndTheStatusLineFollows) {
  KeyboardTable t;
  ASSERT_TRUE(t.active);
  t.data.N4Click();
  const int n = t.HandSize();
  ASSERT_EQ(n, 6);
  EXPECT_EQ(t.w.MarkedCard(), 0);

  const auto expectMark = [&](int key, int position) {
    t.Press(key);
    EXPECT_TRUE(t.w.imgDesk->hasFocus());
    EXPECT_EQ(t.w.MarkedCard(), position);
    EXPECT_EQ(t.paintedMark, position) << "the picture frames the marked card";
    EXPECT_EQ(t.w.labStatus->text().toStdString(), t.data.CardHint(position));
  };
  expectMark(Qt::Key_End, n);
  expectMark(Qt::Key_Right, 1);  // wraps
  expectMark(Qt::Key_Right, 2);
  expectMark(Qt::Key_Left, 1);
  expectMark(Qt::Key_Left, n);  // wraps
  expectMark(Qt::Key_Home, 1);
  expectMark(Qt::Key_Home, 1);
}

TEST(KeyboardPlay, TheFirstKeyShowsTheMarkWhereItWasAndTakesTheFocusFromTheButton) {
  KeyboardTable t(7, 1);  // the computer leads, so the button "Беру" is shown
  ASSERT_TRUE(t.active);
  t.data.N4Click();
  t.w.btnEvent->setFocus(Qt::TabFocusReason);

  t.Press(Qt::Key_Right);  // shows the mark on the first card, without stepping
  EXPECT_TRUE(t.w.imgDesk->hasFocus());
  EXPECT_EQ(t.w.MarkedCard(), 1);
  t.Keys({Qt::Key_Right, Qt::Key_Right});
  EXPECT_EQ(t.w.MarkedCard(), 3);

  // The frame goes with the focus, and the first key back shows it where it was.
  t.Press(Qt::Key_Tab);
  EXPECT_TRUE(t.w.btnEvent->hasFocus());
  EXPECT_EQ(t.w.MarkedCard(), 0);
  EXPECT_EQ(t.paintedMark, 0);
  t.Press(Qt::Key_Left);
  EXPECT_TRUE(t.w.imgDesk->hasFocus());
  EXPECT_EQ(t.w.MarkedCard(), 3);
  t.Press(Qt::Key_Tab);
  t.Press(Qt::Key_Tab);  // Tab comes back to the table: the frame with it
  EXPECT_TRUE(t.w.imgDesk->hasFocus());
  EXPECT_EQ(t.w.MarkedCard(), 3);
  EXPECT_EQ(t.paintedMark, 3);
}

TEST(KeyboardPlay, KeysDoWhatTheMouseAndTheButtonDoThroughWholeGames) {
  // Twin games from the same deal: one played with keys only, the other with the pointer
  // and the button; after every step both show the same.
  for (const int firstStep : {1, 2}) {
    for (const uint64_t seed : {3u, 11u, 29u}) {
      KeyboardTable mouse(seed, firstStep), keys(seed, firstStep);
      keys.Activate();
      ASSERT_TRUE(keys.active);
      keys.Press(Qt::Key_Return);
      mouse.w.btnEvent->click();
      ASSERT_EQ(keys.State(), mouse.State());
      ASSERT_TRUE(keys.data.GameActive);

      int step = 0;
      for (; keys.data.GameActive && step < 400; ++step) {
        const int refused = FirstRefused(keys.data);
        const int playable = FirstPlayable(keys.data);
        if (step % 4 == 1 && refused != 0) {
          // A refused card: nothing happens on either side, beyond the hint.
          const std::string before = keys.State();
          keys.MarkCard(refused);
          keys.Press(Qt::Key_Space);
          mouse.MoveTo(mouse.CardPoint(refused));
          mouse.Click(mouse.CardPoint(refused));
          EXPECT_EQ(keys.HandSize(), GetCardsCount(mouse.data.UserCards));
          if (GetFirstID(keys.data.CPUCards) != -1) {
            EXPECT_NE(keys.State(), before) << "the hint for the refused card is shown";
          }
        } else if (playable != 0 && (step % 3 != 0 || mouse.w.btnEvent->isHidden())) {
          keys.MarkCard(playable);
          keys.Press(Qt::Key_Space);
          mouse.MoveTo(mouse.CardPoint(playable));
          mouse.Click(mouse.CardPoint(playable));
        } else {
          // Enter, or the keypad's Enter, takes effect exactly while the button is shown.
          const bool shown = !mouse.w.btnEvent->isHidden();
          EXPECT_EQ(step % 2 == 0 ? keys.Press(Qt::Key_Return)
                                  : keys.Press(Qt::Key_Enter, Qt::KeypadModifier),
                    shown);
          if (shown) mouse.w.btnEvent->click();
        }
        ASSERT_EQ(keys.State(), mouse.State()) << "seed " << seed << ", step " << step;
      }
      EXPECT_FALSE(keys.data.GameActive) << "the game ends";
      EXPECT_EQ(keys.score.Wins + keys.score.Loses + keys.score.Nones, 1);
      // No mark on the cards left over, whatever key comes.
      keys.Keys({Qt::Key_End, Qt::Key_Left});
      EXPECT_EQ(keys.w.MarkedCard(), 0);
      EXPECT_EQ(keys.paintedMark, 0);
    }
  }
}

TEST(KeyboardPlay, AfterACardLeavesTheMarkStaysOnItsPosition) {
  KeyboardTable t;
  ASSERT_TRUE(t.active);
  t.data.N4Click();
  // Any card may lead: the second one goes, the mark stays second, now on the next card.
  t.MarkCard(2);
  const int third = t.CardId(3);
  t.Press(Qt::Key_Space);
  ASSERT_EQ(t.HandSize(), 5);
  EXPECT_EQ(t.w.MarkedCard(), 2);
  EXPECT_EQ(t.CardId(2), third);

  // Walking on with Space alone: a refused card keeps the mark where it is; the last card
  // played leaves the mark on the new last card.
  for (int i = 0; i < 12 && t.data.GameActive && t.HandSize() > 0; ++i) {
    const int n = t.HandSize();
    const int at = t.w.MarkedCard();
    ASSERT_GE(at, 1);
    const bool playable =
        t.data.ApplyRules(t.data.UserCards[static_cast<size_t>(at - 1)], t.data.WhoGoing == 0);
    const int next = at < n ? t.CardId(at + 1) : -1;
    t.Press(Qt::Key_Space);
    if (!t.data.GameActive || t.HandSize() == 0) break;
    if (!playable) {
      EXPECT_EQ(t.HandSize(), n);
      EXPECT_EQ(t.w.MarkedCard(), at);
      t.Press(Qt::Key_Right);
    } else if (t.HandSize() == n - 1) {
      EXPECT_EQ(t.w.MarkedCard(), std::min(at, n - 1));
      if (next != -1) {
        EXPECT_EQ(t.CardId(t.w.MarkedCard()), next);
      }
    }
  }
}

TEST(KeyboardPlay, TheMarkStaysOnItsCardWhenTakenCardsAreSortedIn) {
  for (const uint64_t seed : {1u, 2u, 3u, 4u}) {
    KeyboardTable t(seed, 1);  // the computer leads
    ASSERT_TRUE(t.active);
    t.data.N4Click();
    ASSERT_EQ(t.data.ActionState, kActionTake);
    t.MarkCard(4);
    const int marked = t.CardId(4);
    t.Press(Qt::Key_Return);  // "Беру"
    ASSERT_GT(t.HandSize(), 6);
    ASSERT_GE(t.w.MarkedCard(), 1);
    EXPECT_EQ(t.CardId(t.w.MarkedCard()), marked) << "seed " << seed;
  }
}

TEST(KeyboardPlay, ChordsAndTheBossKeyPassThroughUntouched) {
  KeyboardTable t(7, 1);  // "Беру" shown
  ASSERT_TRUE(t.active);
  t.data.N4Click();
  t.Press(Qt::Key_Home);
  const std::string before = t.State();
  for (QWidget* focus : {static_cast<QWidget*>(t.w.imgDesk), static_cast<QWidget*>(t.w.btnEvent)}) {
    focus->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(t.Press(Qt::Key_Return, Qt::ControlModifier));
    EXPECT_FALSE(t.Press(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier));
    EXPECT_FALSE(t.Press(Qt::Key_Home, Qt::AltModifier));
    EXPECT_EQ(t.State(), before);
  }
  EXPECT_EQ(t.data.ActionState, kActionTake) << "the button was not pressed";
  t.w.imgDesk->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(t.Press(Qt::Key_Space, Qt::ShiftModifier));
  EXPECT_FALSE(t.Press(Qt::Key_Right, Qt::ControlModifier));
  EXPECT_EQ(t.State(), before);
  EXPECT_EQ(t.w.MarkedCard(), 1);
}

TEST(KeyboardPlay, TheButtonWithTheFocusTakesSpaceAndEnterAsBefore) {
  KeyboardTable t(7, 1);
  ASSERT_TRUE(t.active);
  ASSERT_TRUE(t.w.btnEvent->hasFocus()) << "the button has the focus at start";
  t.Press(Qt::Key_Space);
  ASSERT_TRUE(t.data.GameActive);
  ASSERT_EQ(t.data.ActionState, kActionTake);
  const int hand = t.HandSize();
  t.Press(Qt::Key_Space);  // "Беру"
  EXPECT_GT(t.HandSize(), hand);
  const int more = t.HandSize();
  if (t.data.GameActive) {
    t.Press(Qt::Key_Return);
    EXPECT_GT(t.HandSize(), more);
  }
  EXPECT_TRUE(t.w.btnEvent->hasFocus());
  EXPECT_EQ(t.w.MarkedCard(), 0);
}

TEST(KeyboardPlay, UsingTheMouseOnTheTableHidesTheMark) {
  KeyboardTable t;
  ASSERT_TRUE(t.active);
  t.data.N4Click();
  t.MoveTo(QPoint(300, 300));
  t.MarkCard(3);
  ASSERT_EQ(t.w.MarkedCard(), 3);

  t.MoveTo(QPoint(300, 300));  // no movement: the mark stays
  EXPECT_EQ(t.w.MarkedCard(), 3);
  t.MoveTo(QPoint(301, 300));
  EXPECT_EQ(t.w.MarkedCard(), 0);
  EXPECT_EQ(t.paintedMark, 0);
  EXPECT_TRUE(t.w.imgDesk->hasFocus()) << "the focus stays";
  EXPECT_EQ(t.w.labStatus->text().toStdString(), t.data.MsgUserGoes) << "the pointer's hint";

  t.Press(Qt::Key_Right);  // back where it was
  EXPECT_EQ(t.w.MarkedCard(), 3);

  t.MarkCard(2);
  t.Mouse(QEvent::MouseButtonRelease, Qt::MiddleButton, QPoint(301, 300));
  EXPECT_EQ(t.w.MarkedCard(), 0);
  EXPECT_FALSE(t.Press(Qt::Key_Space)) << "no mark, nothing to play";
  EXPECT_EQ(t.HandSize(), 6);
}

TEST(KeyboardPlay, NoMarkAndNoCardPlayedWithoutAGame) {
  KeyboardTable t;
  ASSERT_TRUE(t.active);
  t.Press(Qt::Key_Home);
  EXPECT_TRUE(t.w.imgDesk->hasFocus());
  EXPECT_EQ(t.w.MarkedCard(), 0);
  EXPECT_EQ(t.paints, 0) << "the title picture stays";
  EXPECT_FALSE(t.Press(Qt::Key_Space)) << "Space starts no game";
  EXPECT_FALSE(t.data.GameActive);
  EXPECT_TRUE(t.Press(Qt::Key_Return));
  EXPECT_TRUE(t.data.GameActive);
}

}  // namespace
}  // namespace tarlyk
