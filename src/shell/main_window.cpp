#include "shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>

#include "game/tdm_data.h"
#include "shell/app_icon.h"
#include "shell/built_in_pictures.h"
#include "shell/fonts.h"

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

bool DefaultQuestion(QWidget* parent, const QString& caption, const QString& text) {
  QString shown = text;
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(QMessageBox::Question, caption, shown, QMessageBox::Yes | QMessageBox::No,
                  parent);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
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
  setWindowTitle(QStringLiteral("Тарлык"));
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
  labStatus = makeLine("labStatus", QRect(6, 482, 555, 13), true, QStringLiteral("Сыграем?"));
  labCounts =
      makeLine("labCounts", QRect(6, 497, 555, 13), false,
               QStringLiteral("Побед: 0 (0%), Поражений: 0 (0%), Ничьих: 0 (0%), Всего игр: 0"));

  btnEvent = new TarlykButton(client_);
  btnEvent->setObjectName(QStringLiteral("btnEvent"));
  btnEvent->setGeometry(580, 485, 125, 24);
  btnEvent->setFont(TahomaPx(11, true));
  btnEvent->setFocusPolicy(Qt::TabFocus);
  SetActionButton(kActionNewGame, ActionCaption(kActionNewGame).toStdString(), true);

  timAnimate = new QTimer(this);
  timAnimate->setObjectName(QStringLiteral("timAnimate"));
  timAnimate->setSingleShot(true);
  timAnimate->setInterval(80);

  connect(imgDesk, &DeskWidget::clicked, this, &TfrmMain::imgDeskClick);
  connect(imgDesk, &DeskWidget::mouseReleased, this, &TfrmMain::imgDeskMouseUp);
  connect(imgDesk, &DeskWidget::mouseMoved, this, &TfrmMain::imgDeskMouseMove);
  connect(btnEvent, &QPushButton::clicked, this, &TfrmMain::btnEventClick);
  connect(timAnimate, &QTimer::timeout, this, &TfrmMain::timAnimateTimer);

  BuildMenus();
  ApplyLook();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  layout()->activate();
  move(49, 1);
}

TfrmMain::~TfrmMain() = default;

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
  N4 = makeAction("N4", QStringLiteral("Новая партия"), QKeySequence(Qt::Key_F2),
                  ":/icons/menu-new-game.png");
  actOptions = makeAction("actOptions", QStringLiteral("Параметры..."),
                          QKeySequence(Qt::CTRL | Qt::Key_P), ":/icons/menu-options.png");
  actExit = makeAction("actExit", QStringLiteral("Выход"), QKeySequence(Qt::ALT | Qt::Key_F4),
                       ":/icons/menu-exit.png");
  actHelp = makeAction("actHelp", QStringLiteral("Вызов справки..."), QKeySequence(Qt::Key_F1),
                       ":/icons/menu-help.png");
  actAbout = makeAction("actAbout", QStringLiteral("О программе..."),
                        QKeySequence(Qt::CTRL | Qt::Key_F1), ":/icons/menu-about.png");

  QMenu* game = bar->addMenu(QStringLiteral("Игра"));
  game->setObjectName(QStringLiteral("menuGame"));
  game->addAction(N4);
  game->addSeparator();
  game->addAction(actOptions);
  game->addAction(actExit);
  QMenu* help = bar->addMenu(QStringLiteral("Справка"));
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

  // The title picture is compiled in for the classic colours and costs milliseconds to
  // draw for others: taken again only for new colours.
  const QColor table = TableColor();
  const QColor shade = TableShadeColor();
  if (titleShown_ &&
      (imgDesk->Image().isNull() || table != titleColors_.first || shade != titleColors_.second)) {
    imgDesk->SetImage(TitlePicture(QSize(kDeskWidth, kDeskHeight), table, shade));
    titleColors_ = {table, shade};
  }
  update();
}

void TfrmMain::SetGame(TdmData* game) {
  data_ = game;
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
  switch (actionState) {
    case kActionTake:
      return QStringLiteral("Беру");
    case kActionDone:
      return QStringLiteral("Отбой");
    case kActionGive:
      return QStringLiteral("Отдать");
    default:
      return QStringLiteral("Новая партия");
  }
}

void TfrmMain::SetStatus(const std::string& text) {
  labStatus->setText(QString::fromStdString(text));
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
  // The table keeps one picture (PaintBitmap) and replaces what it shows in one step.
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
  const QString caption = QStringLiteral("Вопрос");
  const QString body = QString::fromStdString(text);
  if (ask_) return ask_(caption, body);
  return DefaultQuestion(this, caption, body);
}

std::string TfrmMain::DecimalSeparator() const {
  return QLocale::system().decimalPoint().toStdString();
}

void TfrmMain::imgDeskMouseUp(Qt::MouseButton button, int x, int y) {
  if (data_) data_->imgDeskMouseUp(ToGameButton(button), x, y);
}

void TfrmMain::imgDeskClick() {
  if (data_) data_->imgDeskClick();
}

void TfrmMain::imgDeskMouseMove(int x, int y) {
  if (!data_) return;
  switch (data_->imgDeskMouseMove(x, y)) {
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
