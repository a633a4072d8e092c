#include "shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>

#include "art/art_texts.h"
#include "art/fonts.h"
#include "art/render/built_in_pictures.h"
#include "art/title_picture.h"
#include "game/tdm_data.h"
#include "shell/accessible_table.h"
#include "shell/shell_icons.h"
#include "shell/shell_texts.h"
#include "shell/widgets/message_box.h"

// The menu and button icons are compiled into this static library; register them.
static void InitIconResources() {
  Q_INIT_RESOURCE(icons);
}

namespace tarlyk {

namespace {

QString ActionIconPath(int actionState) {
  switch (actionState) {
    case kActionTake:
      return QStringLiteral(":/icons/action-take.png");
    case kActionDone:
      return QStringLiteral(":/icons/action-done.png");
    case kActionGive:
      return QStringLiteral(":/icons/action-give.png");
    default:
      return QStringLiteral(":/icons/action-new-game.png");
  }
}

QString Gradient(const GradientPair& g) {
  return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)")
      .arg(g.first.name(), g.second.name());
}

bool IsMarkKey(int key) {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End;
}

MouseButton ToGameButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MouseButton::kLeft;
    case Qt::RightButton:
      return MouseButton::kRight;
    case Qt::MiddleButton:
      return MouseButton::kMiddle;
    default:
      return MouseButton::kOther;
  }
}

}  // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
  InitIconResources();
  setWindowTitle(QString::fromUtf8(kGameName));
  // Single border with the system menu and a minimise box; no maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);

  client_ = new QWidget(this);
  client_->setFixedSize(kClientWidth, kClientHeight);
  client_->setAutoFillBackground(true);
  setCentralWidget(client_);

  imgDesk = new DeskWidget(client_);
  imgDesk->setObjectName(QStringLiteral("imgDesk"));
  imgDesk->setGeometry(0, 0, kDeskWidth, kDeskHeight);

  labFon = new GradientBand(client_);
  labFon->setObjectName(QStringLiteral("labFon"));
  labFon->setGeometry(0, 480, 710, 34);

  // Both lines sit with their baseline where a 13-pixel line puts it.
  const auto makeLine = [this](const char* name, QRect place, bool bold, const QString& text) {
    auto* label = new QLabel(text, client_);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setFont(TahomaPx(11, bold));
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, syscolor::WindowText());
    label->setPalette(pal);
    return label;
  };
  labStatus =
      makeLine("labStatus", QRect(6, 482, 555, 13), true, QString::fromStdString(kStatusAtStart));
  labCounts =
      makeLine("labCounts", QRect(6, 497, 555, 13), false, QString::fromStdString(kCountsAtStart));

  btnEvent = new TarlykButton(client_);
  btnEvent->setObjectName(QStringLiteral("btnEvent"));
  btnEvent->setGeometry(580, 485, 125, 24);
  btnEvent->setFont(TahomaPx(11, true));
  btnEvent->setFocusPolicy(Qt::TabFocus);
  btnEvent->installEventFilter(this);
  imgDesk->installEventFilter(this);
  SetActionButton(kActionNewGame, ActionCaption(kActionNewGame).toStdString(), true);
  // The button has the focus when the window first comes up, as when it was the only
  // control to take it; the table takes it by Tab or from the keys that move the mark.
  btnEvent->setFocus(Qt::OtherFocusReason);

  timAnimate = new QTimer(this);
  timAnimate->setObjectName(QStringLiteral("timAnimate"));
  timAnimate->setSingleShot(true);
  timAnimate->setInterval(80);

  connect(imgDesk, &DeskWidget::clicked, this, &TfrmMain::imgDeskClick);
  connect(imgDesk, &DeskWidget::mouseReleased, this, &TfrmMain::imgDeskMouseUp);
  connect(imgDesk, &DeskWidget::mouseMoved, this, &TfrmMain::imgDeskMouseMove);
  connect(imgDesk, &DeskWidget::focusChanged, this, &TfrmMain::imgDeskFocusChanged);
  connect(btnEvent, &QPushButton::clicked, this, &TfrmMain::btnEventClick);
  connect(timAnimate, &QTimer::timeout, this, &TfrmMain::timAnimateTimer);

  BuildMenus();
  ApplyLook();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  layout()->activate();
  move(49, 1);
}

TfrmMain::~TfrmMain() {
  // Closing the window as it is destroyed takes the focus from the table; by then this
  // object is no longer a main window, so the table's signals must not reach it.
  if (imgDesk != nullptr) disconnect(imgDesk, nullptr, this, nullptr);
}

void TfrmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setFont(TahomaPx(11, false));
  const auto makeAction = [this](const char* name, const QString& text, const QKeySequence& key,
                                 const char* icon) {
    auto* action = new QAction(PngIcon(QString::fromLatin1(icon)), text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setIconVisibleInMenu(true);
    return action;
  };
  N4 = makeAction("N4", ActionCaption(kActionNewGame), QKeySequence(Qt::Key_F2),
                  ":/icons/menu-new-game.png");
  actOptions = makeAction("actOptions", QString::fromUtf8(kOptionsItem),
                          QKeySequence(Qt::CTRL | Qt::Key_P), ":/icons/menu-options.png");
  actExit = makeAction("actExit", QString::fromUtf8(kExitItem), QKeySequence(Qt::ALT | Qt::Key_F4),
                       ":/icons/menu-exit.png");
  actHelp = makeAction("actHelp", QString::fromUtf8(kHelpItem), QKeySequence(Qt::Key_F1),
                       ":/icons/menu-help.png");
  actAbout = makeAction("actAbout", QString::fromUtf8(kAboutItem),
                        QKeySequence(Qt::CTRL | Qt::Key_F1), ":/icons/menu-about.png");

  QMenu* game = bar->addMenu(QString::fromUtf8(kGameMenu));
  game->setObjectName(QStringLiteral("menuGame"));
  game->addAction(N4);
  game->addSeparator();
  game->addAction(actOptions);
  game->addAction(actExit);
  QMenu* help = bar->addMenu(QString::fromUtf8(kHelpCaption));
  help->setObjectName(QStringLiteral("menuHelp"));
  help->addAction(actHelp);
  help->addAction(actAbout);
  for (QMenu* menu : {game, help}) menu->setFont(TahomaPx(11, false));

  connect(N4, &QAction::triggered, this, &TfrmMain::N4Click);
  connect(actOptions, &QAction::triggered, this, &TfrmMain::optionsRequested);
  connect(actExit, &QAction::triggered, this, &QWidget::close);
  connect(actHelp, &QAction::triggered, this, &TfrmMain::helpRequested);
  connect(actAbout, &QAction::triggered, this, &TfrmMain::aboutRequested);
}

void TfrmMain::ApplyLook() {
  const LookColors& look = CurrentLook();
  QPalette pal = client_->palette();
  pal.setColor(QPalette::Window, look.mainBackground);
  client_->setPalette(pal);
  QPalette own = palette();
  own.setColor(QPalette::Window, look.mainBackground);
  setPalette(own);
  labFon->ResetColors();
  btnEvent->ResetRestColors();

  // Setting a style sheet re-polishes the menus; skip it when the look is unchanged.
  const QString sheet =
      QStringLiteral(
          "QMenuBar { background: %1; border-bottom: 1px solid %2; }"
          "QMenuBar::item { background: transparent; color: black; padding: 3px 8px; }"
          "QMenuBar::item:selected, QMenuBar::item:pressed { background: %3;"
          " border: 1px solid %4; padding: 2px 7px; }"
          "QMenu { background: white; border: 1px solid %4; padding: 1px; }"
          "QMenu::item { color: black; padding: 4px 26px 4px 30px;"
          " border: 1px solid transparent; }"
          "QMenu::item:selected { background: %3; border: 1px solid %4; }"
          "QMenu::icon { padding-left: 6px; }"
          "QMenu::separator { height: 1px; background: %2; margin: 3px 4px 3px 30px; }")
          .arg(Gradient(look.menuBar), look.menuBar.second.name(), Gradient(look.menuHighlight),
               look.menuFrame.name());
  if (menuBar()->styleSheet() != sheet) menuBar()->setStyleSheet(sheet);

  ShowTitlePicture();
  update();
}

void TfrmMain::ShowTitlePicture() {
  // The title picture is compiled in for the classic colours at a device pixel ratio of 1
  // and costs milliseconds to draw for others: taken again only for new colours or a
  // screen of another ratio.
  const QColor table = TableColor();
  const QColor shade = TableShadeColor();
  const qreal ratio = devicePixelRatioF();
  if (!titleShown_ || (!imgDesk->Image().isNull() && table == titleColors_.first &&
                       shade == titleColors_.second && ratio == titleRatio_)) {
    return;
  }
  const QSize size(kDeskWidth, kDeskHeight);
  if (ratio == 1.0) {
    imgDesk->SetImage(TitlePicture(size, table, shade, ratio));
    titleColors_ = {table, shade};
    titleRatio_ = ratio;
    return;
  }
  // A finer picture costs tens of milliseconds: a second thread draws it, and only once
  // the table has been painted (the event filter starts it), out of start-up's way.
  // Meanwhile the compiled-in picture stands in, enlarged, or before the first painting
  // the one for colours of the person's own drawn at ratio 1. Colours or a screen that
  // change meanwhile are drawn for when it is done.
  QImage standIn = BuiltInTitlePicture(size, table, shade);
  if (standIn.isNull() && !deskPainted_) standIn = DrawTitlePicture(size, table, shade);
  if (!standIn.isNull()) imgDesk->SetImage(standIn);
  if (!deskPainted_ || finerTitle_.Busy()) return;
  RegisterTahoma();  // the registration is for the main thread
  finerTitle_.Start(
      [=](const std::atomic<bool>&) { return TitlePicture(size, table, shade, ratio); },
      [this, table, shade, ratio](QImage picture) {
        if (!titleShown_) return;
        if (table != TableColor() || shade != TableShadeColor() || ratio != devicePixelRatioF()) {
          ShowTitlePicture();
          return;
        }
        imgDesk->SetImage(std::move(picture));
        titleColors_ = {table, shade};
        titleRatio_ = ratio;
        ReleaseBuiltInTitlePicture();  // it stood in and is gone
      });
}

bool TfrmMain::event(QEvent* event) {
  // Moved to a screen of another device pixel ratio: the title picture is drawn for it.
  if (event->type() == QEvent::ScreenChangeInternal) ShowTitlePicture();
  return QMainWindow::event(event);
}

void TfrmMain::SetGame(TdmData* game) {
  data_ = game;
  imgDesk->SetGame(game);
  mark_.Reset();
  imgDesk->SetMarkedCard(0);
}

void TfrmMain::SetDeskPainter(std::function<void(QImage&)> paint) {
  deskPainter_ = std::move(paint);
}

void TfrmMain::SetDeskComposer(std::function<DeskWidget::Drawing()> compose) {
  deskComposer_ = std::move(compose);
}

void TfrmMain::SetRainTick(std::function<void(QImage&)> tick) {
  rainTick_ = std::move(tick);
}

void TfrmMain::SetRainComposer(std::function<DeskWidget::Drawing()> compose) {
  rainComposer_ = std::move(compose);
}

void TfrmMain::SetCloseHandler(std::function<void()> handler) {
  closeHandler_ = std::move(handler);
}

void TfrmMain::SetQuestionBox(std::function<bool(const QString&, const QString&)> ask) {
  ask_ = std::move(ask);
}

QImage& TfrmMain::DeskImage() {
  return imgDesk->Image();
}

QColor TfrmMain::TableColor() const {
  return TableColorsFrom(btnEvent->RestFirstColor(), btnEvent->RestSecondColor()).table;
}

QColor TfrmMain::TableShadeColor() const {
  return TableColorsFrom(btnEvent->RestFirstColor(), btnEvent->RestSecondColor()).shade;
}

QString TfrmMain::ActionCaption(int actionState) {
  return QString::fromStdString(ActionCaptionFor(actionState));
}

void TfrmMain::SetStatus(const std::string& text) {
  labStatus->setText(QString::fromStdString(text));
  if (!hinting_) statusToSpeak_ = true;
  ScheduleAccessibility();
}

void TfrmMain::SetCounts(const std::string& text) {
  labCounts->setText(QString::fromStdString(text));
}

void TfrmMain::SetActionButton(int actionState, const std::string& caption, bool visible) {
  actionState_ = actionState;
  btnEvent->setText(QString::fromStdString(caption));
  btnEvent->setIcon(PngIcon(ActionIconPath(actionState)));
  btnEvent->setVisible(visible);
}

void TfrmMain::RepaintDesk() {
  // The mark follows the hand it frames; with the game over it goes.
  if (data_ != nullptr && data_->GameActive) {
    mark_.Follow(data_->UserCards);
  } else {
    mark_.Reset();
  }
  imgDesk->SetMarkedCard(VisibleMark());
  ScheduleAccessibility();

  // The table keeps one picture (PaintBitmap) and replaces what it shows in one step.
  // The title picture goes for good.
  if (titleShown_) ReleaseBuiltInTitlePicture();
  titleShown_ = false;
  if (deskComposer_) {
    imgDesk->SetDrawing(deskComposer_(), false);
    return;
  }
  imgDesk->SetDrawing(
      [this](QImage& PaintBitmap) {
        PaintBitmap.fill(TableColor());
        if (deskPainter_) deskPainter_(PaintBitmap);
      },
      true);
}

void TfrmMain::SetAnimationTimer(bool on) {
  animationOn_ = on;
  if (on) {
    timAnimate->start();
  } else {
    timAnimate->stop();
  }
}

void TfrmMain::timAnimateTimer() {
  if (rainComposer_) {
    imgDesk->AddDrawing(rainComposer_());
  } else if (rainTick_) {
    rainTick_(imgDesk->Image());
  }
  imgDesk->update();
  // Re-armed after the tick, so the next one follows 80 ms after this one ended.
  if (animationOn_) timAnimate->start();
}

bool TfrmMain::ConfirmAbandonGame(const std::string& text) {
  const QString caption = QString::fromUtf8(kQuestionCaption);
  const QString body = QString::fromStdString(text);
  if (ask_) return ask_(caption, body);
  return AskYesNo(this, caption, body);
}

std::string TfrmMain::DecimalSeparator() const {
  return QLocale::system().decimalPoint().toStdString();
}

void TfrmMain::imgDeskMouseUp(Qt::MouseButton button, int x, int y) {
  HideMark();
  if (data_) data_->imgDeskMouseUp(ToGameButton(button), x, y);
}

void TfrmMain::imgDeskClick() {
  HideMark();
  if (data_) data_->imgDeskClick();
}

void TfrmMain::imgDeskMouseMove(int x, int y) {
  // Only a real move counts as using the mouse: a move to where the pointer already was
  // may come from the window system without the mouse being touched.
  if (QPoint(x, y) != lastPointer_) {
    lastPointer_ = QPoint(x, y);
    HideMark();
  }
  if (!data_) return;
  hinting_ = true;
  const PointerShape shape = data_->imgDeskMouseMove(x, y);
  hinting_ = false;
  switch (shape) {
    case PointerShape::kResetOverride:
      if (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
      break;
    case PointerShape::kArrow:
      imgDesk->setCursor(Qt::ArrowCursor);
      break;
    case PointerShape::kHand:
      imgDesk->setCursor(Qt::PointingHandCursor);
      break;
  }
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
  if (TableKey(event)) {
    event->accept();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == imgDesk && event->type() == QEvent::Paint) {
    // The first picture of the table is on its way to the screen: after it, the
    // finer title can be drawn.
    if (!deskPainted_) {
      deskPainted_ = true;
      QTimer::singleShot(0, this, [this] { ShowTitlePicture(); });
    }
    // Once painted, the compiled-in title is held by the window's backing store, which
    // shows it again when the window is uncovered; its pages go back to the system and
    // are read from the program file again only when the table is painted anew.
    if (titleShown_ && IsBuiltInTitlePicture(imgDesk->Image())) {
      QTimer::singleShot(0, this, [] { ReleaseBuiltInTitlePicture(); });
    }
    return false;
  }
  // The button would move the focus on Left and Right; they move the mark instead.
  if (watched == btnEvent && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsMarkKey(key->key()) && TableKey(key)) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TfrmMain::TableKey(QKeyEvent* event) {
  if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  switch (event->key()) {
    case Qt::Key_Left:
      MoveMark(MarkKey::kLeft);
      return true;
    case Qt::Key_Right:
      MoveMark(MarkKey::kRight);
      return true;
    case Qt::Key_Home:
      MoveMark(MarkKey::kHome);
      return true;
    case Qt::Key_End:
      MoveMark(MarkKey::kEnd);
      return true;
    case Qt::Key_Space: {
      const int marked = VisibleMark();
      if (marked == 0 || data_ == nullptr) return false;
      // Holding the key down does not play the following cards.
      if (!event->isAutoRepeat()) data_->ClickUserCard(marked);
      return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (btnEvent->isHidden()) return false;
      if (!event->isAutoRepeat()) btnEvent->click();
      return true;
    default:
      return false;
  }
}

void TfrmMain::MoveMark(MarkKey key) {
  // A mark out of sight (the focus was elsewhere) first shows where it was.
  if (imgDesk->MarkedCard() == 0) mark_.Hide();
  imgDesk->setFocus(Qt::OtherFocusReason);
  if (data_ == nullptr || !data_->GameActive || GetCardsCount(data_->UserCards) == 0) return;
  mark_.Key(key, data_->UserCards);
  // The status line follows the mark as it follows the pointer.
  hinting_ = true;
  data_->ShowCardHint(mark_.Position());
  hinting_ = false;
  RepaintDesk();
}

void TfrmMain::HideMark() {
  if (!mark_.Shown()) return;
  mark_.Hide();
  if (imgDesk->MarkedCard() != 0) RepaintDesk();
}

int TfrmMain::VisibleMark() const {
  if (data_ == nullptr || !data_->GameActive || !mark_.Shown() || !imgDesk->hasFocus()) return 0;
  const int n = GetCardsCount(data_->UserCards);
  return n > 0 ? std::min(mark_.Position(), n) : 0;
}

void TfrmMain::imgDeskFocusChanged() {
  // The frame shows only while the table has the focus.
  if (VisibleMark() != imgDesk->MarkedCard()) {
    RepaintDesk();
  } else {
    ScheduleAccessibility();
  }
}

void TfrmMain::ScheduleAccessibility() {
  if (accessibilityPending_) return;
  accessibilityPending_ = true;
  QMetaObject::invokeMethod(this, &TfrmMain::FlushAccessibility, Qt::QueuedConnection);
}

void TfrmMain::FlushAccessibility() {
  accessibilityPending_ = false;
  const QString message = statusToSpeak_ ? labStatus->text() : QString();
  statusToSpeak_ = false;
  if (AccessibleTable* table = AccessibleTable::Of(imgDesk)) table->Update(message);
}

void TfrmMain::btnEventClick() {
  if (data_) data_->btnEventClick();
}

void TfrmMain::N4Click() {
  if (data_) data_->N4Click();
  emit newGameRequested();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  // No question, even during a game: save the score and end the program.
  if (closeHandler_) closeHandler_();
  event->accept();
  QCoreApplication::quit();
}

}  // namespace tarlyk
