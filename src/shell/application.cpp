#include "shell/application.h"

#include <dlfcn.h>
#include <malloc.h>

#include <memory>

#include "art/fonts.h"
#include "art/look.h"
#include "art/render/built_in_pictures.h"
#include "help/help.h"
#include "settings/settings_file.h"
#include "shell/about_window.h"
#include "shell/app_style.h"
#include "shell/boss_key.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/shell_icons.h"
#include "shell/splash_window.h"
#include "shell/widgets/message_box.h"
#include "view/card_rain.h"
#include "view/player_picture.h"
#include "view/table_painter.h"

namespace tarlyk {

namespace {

// Start-up failures that leave the game unable to run: a warning box with one OK button.
void ShowStartupFailure(const std::string& text) {
  ShowMessage(nullptr, QMessageBox::Warning, QString::fromStdString(CardLoadCaption()),
              QString::fromStdString(text));
}

// The settings routines compose their boxes; the shell shows them.
void SettingsBox(const std::string& caption, const std::string& text) {
  ShowSettingsErrorBox(QString::fromStdString(caption), QString::fromStdString(text));
}

// Loading the font configuration takes several milliseconds, all spent at the first
// text drawn (the splash's). The font library Qt uses is already loaded with Qt, and its
// initialisation is thread-safe and done once, so it runs on a second thread while the
// Qt application connects to the display. Without that library nothing is started.
std::thread WarmUpFonts() {
  using InitFn = int (*)();
  const auto init = reinterpret_cast<InitFn>(dlsym(RTLD_DEFAULT, "FcInit"));
  if (init == nullptr) return {};
  return std::thread(init);
}

void Finish(std::thread& thread) {
  if (thread.joinable()) thread.join();
}

}  // namespace

void ShowSettingsErrorBox(const QString& caption, const QString& text) {
  ShowMessage(nullptr, QMessageBox::Critical, caption, text, QMessageBox::Ok, QMessageBox::NoButton,
              BoxLayer::kAboveAll);
}

Application::Application(int& argc, char** argv)
    : lock_(LockNameFor(RunningExecutablePath(argc > 0 ? argv[0] : nullptr))),
      fontWarmUp_(WarmUpFonts()),
      app_(argc, argv),
      random_(SeededRandom::FromClock()) {}

Application::~Application() {
  Finish(fontWarmUp_);
  Shutdown();
}

int Application::exec() {
  Finish(fontWarmUp_);
  QApplication::setApplicationName(QStringLiteral("tarlyk"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tarlyk"));
  // Before the first widget, so that no window ever asks the platform style directly.
  QApplication::setStyle(new AppStyle);

  // The splash exists in every copy; a second copy only shows the 0-001 box.
  splash_ = std::make_unique<SplashWindow>();
  // Every window shown sends all sizes of its icon to the X server, up to 256 pixels
  // (drawn for the larger pixel ratios); the splash has no taskbar button, so it gets
  // only the smallest. A window takes the application's icon when it is made, before
  // its own replaces it: the application gets its icon once the splash is up.
  const QIcon icon = AppIcon();
  splash_->setWindowIcon(QIcon(icon.pixmap(16)));
  if (lock_.IsSecondInstance()) {
    QApplication::setWindowIcon(icon);
    ShowSecondCopyBox(nullptr);
    splash_.reset();
    return 0;
  }

  values_ = ComputeStartupValues();
  splash_->ShowNow();
  QApplication::setWindowIcon(icon);

  // Created hidden, in this order.
  frmMain_ = std::make_unique<TfrmMain>();
  frmMain_->setWindowIcon(icon);
  frmMain_->setWindowIconText(QString::fromUtf8(kApplicationTitle));
  frmOptions_ = std::make_unique<TfrmOptions>(
      frmMain_.get(), QString::fromStdString(values_.WinVersion), frmMain_.get());
  frmOptions_->SetScoreCounters(&score_);
  frmOptions_->SetRandom(&random_);
  LoadSettings(values_.SettingsFileName, *frmOptions_, score_, values_.WinVersion, SettingsBox);
  frmAbout_ = std::make_unique<TfrmAbout>(frmMain_.get());

  const bool loaded = CreateGameState();
  splash_->hide();
  if (!loaded) {
    splash_.reset();
    return 1;
  }

  Wire();
  frmMain_->show();
  // The splash goes once the main window is up: ending it waits for the drawing of its
  // finer picture to stop, which need not hold the main window back.
  splash_.reset();
  // Start-up leaves freed decoding buffers and widget scratch in the heap, and the
  // splash picture is not shown again; handing them back now keeps the resident size of
  // a game that may run for hours down.
  malloc_trim(0);
  ReleaseBuiltInSplashPicture();
  const int code = QApplication::exec();
  Shutdown();
  return code;
}

bool Application::CreateGameState() {
  dmData_ = std::make_unique<TdmData>(*frmMain_, *frmOptions_, random_, score_, values_.PlayerName);

  // The look first: the light faces are tinted towards the button's resting colour.
  SettleLook(DesktopScheme());
  frmMain_->ApplyLook();

  pictures_ = std::make_unique<PanelPictures>();
  const QString picturePath = QString::fromStdString(values_.UserPicturePath);
  const bool repair = NeedRepairIcon(frmOptions_->RepairUserIcon(), values_.WinVersion);
  const int storedShortId = ReadShortID(values_.SettingsFileName);
  const CardLoadResult result = LoadCardImages(
      QCoreApplication::applicationDirPath().toStdString(), frmMain_->TableColor().rgb(), images_,
      dmData_->AllCards, [] { QCoreApplication::processEvents(); },
      [&] { ApplyUserPicture(*pictures_, picturePath, repair); },
      [this](int n, const QImage& back) { frmOptions_->SetBackThumbnail(n, back); }, storedShortId,
      random_);
  if (result.status != CardLoadResult::kOk) {
    // The splash stays on top of every window: it goes before the box comes up, so
    // the box is not hidden behind it (and the wait cursor goes with it).
    if (splash_) splash_->hide();
    ShowStartupFailure(result.status == CardLoadResult::kLibraryMissing
                           ? MissingLibraryText()
                           : DamagedLibraryText(result.errorList));
    return false;
  }
  frmOptions_->PlaceBackSelector(storedShortId, images_.ActiveShortID);
  painter_ = std::make_unique<TablePainter>(images_, *pictures_);

  dmData_->RefreshCounts();

  bossKey_ = std::make_unique<BossKey>();
  bossKey_->Watch(frmMain_.get());
  bossKey_->SetArmed(frmOptions_->BossKeyActive());
  return true;
}

void Application::Wire() {
  TfrmMain* main = frmMain_.get();
  TfrmOptions* options = frmOptions_.get();

  main->SetDeskComposer([this]() -> DeskWidget::Drawing {
    if (!painter_) return {};
    TablePalette palette;
    palette.tableColor = frmMain_->TableColor().rgb();
    palette.shadeColor = frmMain_->TableShadeColor().rgb();
    palette.textColor = syscolor::WindowText().rgb();
    palette.highlight = syscolor::ButtonHighlight().rgb();
    palette.shadow = syscolor::ButtonShadow().rgb();
    auto scene = std::make_shared<const TableScene>(painter_->Compose(
        *dmData_, palette, TahomaPx(11, true),
        QSize(frmMain_->TableWidth(), frmMain_->TableHeight()), frmMain_->MarkedCard()));
    return [this, scene](QImage& picture) {
      if (painter_) painter_->Render(picture, *scene);
    };
  });
  main->SetRainComposer([this]() -> DeskWidget::Drawing {
    if (!frmOptions_->EndAnimation()) {
      frmMain_->SetAnimationTimer(false);
      return {};
    }
    const RainDrop drop =
        NextRainDrop(QSize(frmMain_->TableWidth(), frmMain_->TableHeight()), random_);
    return [this, drop](QImage& picture) {
      if (painter_) painter_->DrawRainDrop(picture, drop);
    };
  });
  main->SetGame(dmData_.get());
  main->SetCloseHandler(
      [this] { SaveScore(values_.SettingsFileName, *frmOptions_, score_, SettingsBox); });

  QObject::connect(main, &TfrmMain::optionsRequested, options, [options] { options->exec(); });
  QObject::connect(main, &TfrmMain::helpRequested, main, [main] { OpenHelp(main); });
  QObject::connect(main, &TfrmMain::aboutRequested, frmAbout_.get(),
                   [about = frmAbout_.get()] { about->exec(); });

  options->onBossKeyToggled = [this](bool on) { bossKey_->SetArmed(on); };
  options->onBackChosen = [this](int back) { images_.ActiveShortID = back; };
  options->onScoreChanged = [this] { dmData_->RefreshCounts(); };
  options->onClosing = [this] {
    if (dmData_->GameActive) dmData_->RepaintDesk();
  };
  options->onSaveSettings = [this] {
    SaveSettings(values_.SettingsFileName, *frmOptions_, score_, values_.WinVersion, SettingsBox);
  };
}

void Application::Shutdown() {
  // The game-state module goes first (it releases the hot key), then the windows.
  if (frmMain_) frmMain_->SetGame(nullptr);
  bossKey_.reset();
  painter_.reset();
  dmData_.reset();
  frmAbout_.reset();
  frmOptions_.reset();
  frmMain_.reset();
  splash_.reset();
}

}  // namespace tarlyk
