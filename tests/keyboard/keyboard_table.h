// A main window with a game behind it, shown and active, and keys and mouse events
// delivered to it as the window system delivers them.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <sstream>
#include <string>

#include "game/options_values.h"
#include "game/piles.h"
#include "game/random.h"
#include "game/tdm_data.h"
#include "shell/main_window.h"
#include "view/table_painter.h"
#include "widget_events.h"

namespace tarlyk {

struct KeyboardTable {
  explicit KeyboardTable(uint64_t seed = 7, int firstStep = 2) : random(seed) {
    options.firstStep = firstStep;
    options.endAnimation = false;
    w.SetGame(&data);
    // Every repaint records the mark it framed.
    w.SetDeskPainter([this](QImage&) {
      ++paints;
      paintedMark = w.MarkedCard();
    });
    w.show();
    Activate();
  }
  // Keys go to the active window; with two tables shown, the one to type into.
  void Activate() {
    w.activateWindow();
    active = QTest::qWaitForWindowActive(&w);
  }
  ~KeyboardTable() { w.SetGame(nullptr); }

  // A key pressed and released: to the focus widget, then up its parents while ignored.
  // Returns whether anyone took the press; the window's pending work is done afterwards.
  bool Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = w.focusWidget() != nullptr ? w.focusWidget() : &w;
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(target, &release);
    QCoreApplication::processEvents();
    return press.isAccepted();
  }
  void Keys(std::initializer_list<int> keys) {
    for (int key : keys) Press(key);
  }
  void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint at) {
    SendMouse(w.imgDesk, type, button, at);
    QCoreApplication::processEvents();
  }
  void MoveTo(QPoint at) { Mouse(QEvent::MouseMove, Qt::NoButton, at); }
  void Click(QPoint at) {
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, at);
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, at);
  }
  int HandSize() const { return GetCardsCount(data.UserCards); }
  // The middle of the visible part of the hand's card at this position.
  QPoint CardPoint(int position) const {
    return HandCardVisibleRect(position, HandSize(), 710, 480).center();
  }
  int CardId(int position) const { return data.UserCards[static_cast<size_t>(position - 1)].ID; }
  // The mark's card: moves the mark from wherever it is to this position with Home/Right.
  void MarkCard(int position) {
    Press(Qt::Key_Home);
    for (int i = 1; i < position; ++i) Press(Qt::Key_Right);
  }

  // Everything a player can see of the game, in one line.
  std::string State() const {
    std::ostringstream out;
    auto pile = [&](const char* name, auto& cards) {
      out << name << ':';
      for (const TCardRec& c : cards)
        if (IsPresent(c)) out << c.ID << ',';
      out << ' ';
    };
    pile("user", data.UserCards);
    pile("cpu", data.CPUCards);
    out << "desk:";
    for (const TCardRec& c : data.DeskCards) out << (IsPresent(c) ? c.ID : -1) << ',';
    out << " stock:" << GetCardsCount(data.ColodaCards) << " who:" << int(data.WhoGoing)
        << " throw:" << data.ThrowInMode << " active:" << data.GameActive
        << " action:" << data.ActionState << '/' << data.ActionVisible
        << " status:" << w.labStatus->text().toStdString()
        << " button:" << w.btnEvent->text().toStdString() << '/' << !w.btnEvent->isHidden()
        << " score:" << w.labCounts->text().toStdString();
    return out.str();
  }

  OptionValues options;
  SeededRandom random;
  ScoreCounters score;
  TfrmMain w;
  TdmData data{w, options, random, score, "Тест"};
  bool active = false;
  int paints = 0;
  int paintedMark = -1;
};

// --- the table as assistive technology sees it ---

inline QString Name(QAccessibleInterface* iface) {
  return iface != nullptr ? iface->text(QAccessible::Name) : QString();
}

inline QString CardName(const TCardRec& card) {
  return QString::fromStdString(CardToString(card));
}

inline QStringList ChildNames(QAccessibleInterface* iface) {
  QStringList names;
  for (int i = 0; i < iface->childCount(); ++i) names << Name(iface->child(i));
  return names;
}

inline QAccessibleInterface* HandList(QAccessibleInterface* table) {
  for (int i = 0; i < table->childCount(); ++i)
    if (table->child(i)->role() == QAccessible::List) return table->child(i);
  return nullptr;
}

}  // namespace tarlyk
