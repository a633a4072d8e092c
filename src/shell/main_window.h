// The main window: the table picture, the gradient strip, the status and score lines,
// the action button with its four modes, and the menu bar. It owns no game state; its
// handlers pass every event on to the game-state module. From the keyboard, Left, Right,
// Home and End move a mark over the person's hand, Space plays the marked card and Enter
// presses the action button; after every event the accessible table tells assistive
// technology what changed.
#pragma once

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <functional>

#include "art/look.h"
#include "game/game_interfaces.h"
#include "shell/background_picture.h"
#include "shell/desk_widget.h"
#include "shell/hand_mark.h"
#include "shell/widgets/gradient_band.h"
#include "shell/widgets/push_button.h"

namespace tarlyk {

class TdmData;

class TfrmMain : public QMainWindow, public IGameWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 710;
  static constexpr int kClientHeight = 514;
  static constexpr int kDeskWidth = 710;
  static constexpr int kDeskHeight = 480;

  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  // --- hooks for the start-up code ---
  // The game the table's mouse events, the action button and the new-game command go to.
  void SetGame(TdmData* game);
  // Paints a whole table picture (pre-filled with the table colour) from the game as it
  // is; RepaintDesk has it paint at once and shows what it painted.
  void SetDeskPainter(std::function<void(QImage&)> paint);
  // Takes what the table shows from the game as it is at RepaintDesk and returns the
  // drawing of that moment, which the table runs when it next needs its picture (once for
  // all the repaints of one event) and again on a screen of another pixel ratio. Takes
  // the place of a desk painter.
  void SetDeskComposer(std::function<DeskWidget::Drawing()> compose);
  // One step of the card rain, drawn onto the visible table picture. The tick may
  // switch the rain off through SetAnimationTimer(false).
  void SetRainTick(std::function<void(QImage&)> tick);
  // The same as the drawing of the card that falls, which the table keeps with it (empty
  // when the rain has been switched off). Takes the place of a rain tick.
  void SetRainComposer(std::function<DeskWidget::Drawing()> compose);
  // Runs when the window closes (the score is saved there); then the program ends.
  void SetCloseHandler(std::function<void()> handler);
  // Replaces the 2-001 question box (tests); gets the caption and the text with '\r'
  // line breaks, answers true for Yes.
  void SetQuestionBox(std::function<bool(const QString&, const QString&)> ask);

  // Applies the look settled in look.h (backgrounds, bands, buttons, menus, the title
  // picture while it is still shown).
  void ApplyLook();

  QImage& DeskImage();
  // The card of the person's hand (1..n) the keyboard's mark frames now, 0 for none.
  int MarkedCard() const { return imgDesk->MarkedCard(); }
  bool TitleShown() const { return titleShown_; }
  int ActionState() const { return actionState_; }
  // The table's colours: the action button's resting colours (named ones fall back).
  QColor TableColor() const;
  QColor TableShadeColor() const;
  // The action button's caption in each mode.
  static QString ActionCaption(int actionState);

  // --- IGameWindow ---
  void SetStatus(const std::string& text) override;
  void SetCounts(const std::string& text) override;
  void SetActionButton(int actionState, const std::string& caption, bool visible) override;
  void RepaintDesk() override;
  void SetAnimationTimer(bool on) override;
  bool ConfirmAbandonGame(const std::string& text) override;
  int TableWidth() const override { return kDeskWidth; }
  int TableHeight() const override { return kDeskHeight; }
  std::string DecimalSeparator() const override;

  // Controls, named as the rest of the program knows them.
  DeskWidget* imgDesk = nullptr;
  GradientBand* labFon = nullptr;
  QLabel* labStatus = nullptr;
  QLabel* labCounts = nullptr;
  TarlykButton* btnEvent = nullptr;
  QTimer* timAnimate = nullptr;
  QAction* N4 = nullptr;  // the new game
  QAction* actOptions = nullptr;
  QAction* actExit = nullptr;
  QAction* actHelp = nullptr;
  QAction* actAbout = nullptr;

 signals:
  void newGameRequested();
  void optionsRequested();
  void helpRequested();
  void aboutRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // The table's keys, wherever the focus is in the window; false for a key they leave
  // alone (every chord, Ctrl+Enter among them).
  bool TableKey(QKeyEvent* event);
  void MoveMark(MarkKey key);
  // The mouse was used on the table: the mark goes.
  void HideMark();
  // Where the mark is drawn, given the game, the hand and the focus: 1..n or 0.
  int VisibleMark() const;
  void imgDeskFocusChanged();
  // Tells assistive technology about the changes of this event once it is handled.
  void ScheduleAccessibility();
  void FlushAccessibility();

  void BuildMenus();
  // Shows the title picture in the table's colours at the screen's device pixel ratio,
  // while the table shows it; at a ratio other than 1 drawn on a second thread and shown
  // once the event loop runs.
  void ShowTitlePicture();
  void imgDeskMouseUp(Qt::MouseButton button, int x, int y);
  void imgDeskClick();
  void imgDeskMouseMove(int x, int y);
  void btnEventClick();
  void N4Click();
  void timAnimateTimer();

  TdmData* data_ = nullptr;
  std::function<void(QImage&)> deskPainter_;
  std::function<DeskWidget::Drawing()> deskComposer_;
  std::function<void(QImage&)> rainTick_;
  std::function<DeskWidget::Drawing()> rainComposer_;
  std::function<void()> closeHandler_;
  std::function<bool(const QString&, const QString&)> ask_;
  QWidget* client_ = nullptr;
  int actionState_ = kActionNewGame;
  bool titleShown_ = true;
  GradientPair titleColors_;  // the colours the title picture was drawn in
  qreal titleRatio_ = 1.0;    // and the device pixel ratio
  BackgroundPicture finerTitle_;
  // The finer title is drawn once the table has been painted: drawn earlier it would
  // share the processor with the start-up it is meant to stay out of the way of.
  bool deskPainted_ = false;
  bool animationOn_ = false;
  HandMark mark_;
  QPoint lastPointer_{-1, -1};
  bool hinting_ = false;        // the status line is showing a hint, not news
  bool statusToSpeak_ = false;  // the game changed the status line in this event
  bool accessibilityPending_ = false;
};

}  // namespace tarlyk
