// The composition root: takes the single-instance lock, builds every window and the
// game-state module behind the splash in their fixed order, wires them together, runs
// the event loop and tears everything down in order.
#pragma once

#include <QApplication>
#include <memory>
#include <thread>

#include "game/random.h"
#include "game/tdm_data.h"
#include "settings/startup_values.h"
#include "shell/russian_translation.h"
#include "shell/shell_texts.h"
#include "shell/single_instance.h"
#include "view/card_images.h"
#include "view/panel_pictures.h"

namespace tarlyk {

class BossKey;
class SplashWindow;
class TablePainter;
class TfrmAbout;
class TfrmMain;
class TfrmOptions;

// The box of the settings file's routines: an error icon and one OK button, above the
// splash window, which covers the middle of the screen while the file is loaded.
void ShowSettingsErrorBox(const QString& caption, const QString& text);

class Application {
 public:
  // Takes the single-instance lock before anything else, starts loading the font
  // configuration on a second thread, then creates the Qt application object and gives
  // it the Russian texts of the standard buttons.
  Application(int& argc, char** argv);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Runs the whole start-up, the event loop and the shutdown; the process exit code.
  int exec();

  bool IsSecondInstance() const { return lock_.IsSecondInstance(); }

 private:
  bool CreateGameState();  // false when the card pictures could not be loaded
  void Wire();
  void Shutdown();

  SingleInstanceLock lock_;
  std::thread fontWarmUp_;  // joined before the first window
  QApplication app_;
  RussianTranslation translation_;  // before any box can come up
  SeededRandom random_;
  StartupValues values_;
  ScoreCounters score_;
  CardImages images_;
  std::unique_ptr<PanelPictures> pictures_;
  std::unique_ptr<SplashWindow> splash_;
  std::unique_ptr<TfrmMain> frmMain_;
  std::unique_ptr<TfrmOptions> frmOptions_;
  std::unique_ptr<TfrmAbout> frmAbout_;
  std::unique_ptr<TdmData> dmData_;
  std::unique_ptr<TablePainter> painter_;
  std::unique_ptr<BossKey> bossKey_;
};

}  // namespace tarlyk
