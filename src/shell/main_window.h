// The main window: the table picture, the gradient strip, the status and score lines,
// the action button with its four modes, and the menu bar. It owns no game state; its
// handlers pass every event on to the game-state module.
#pragma once

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <functional>

#include "game/game_interfaces.h"
#include "shell/desk_widget.h"
#include "shell/gradient_band.h"
#include "shell/look.h"
#include "shell/push_button.h"

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
  // The game the table's mouse events, the action button and "Новая партия" go to.
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
  bool TitleShown() const { return titleShown_; }
  int ActionState() const { return actionState_; }
  // The table's colours: the action button's resting colours (named ones fall back).
  QColor TableColor() const;
  QColor TableShadeColor() const;
  // "Новая партия", "Беру", "Отбой", "Отдать".
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
  QAction* N4 = nullptr;          // "Новая партия"
  QAction* actOptions = nullptr;  // "Параметры..."
  QAction* actExit = nullptr;     // "Выход"
  QAction* actHelp = nullptr;     // "Вызов справки..."
  QAction* actAbout = nullptr;    // "О программе..."

 signals:
  void newGameRequested();
  void optionsRequested();
  void helpRequested();
  void aboutRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
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
  bool animationOn_ = false;
};

}  // namespace tarlyk
