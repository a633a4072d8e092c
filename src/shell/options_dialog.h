// The options dialog: five pages whose controls hold the live value of every option.
// It is created hidden at start-up, shown modally, and only hidden when closed, so
// the engine reads the options straight from its controls through IGameOptions and
// the settings file routines reach them through SettingsHolders. Each control takes its
// initial state and range from the option table (game/game_options.h).
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <array>
#include <functional>

#include "game/game_interfaces.h"
#include "settings/settings_holders.h"
#include "shell/shell_texts.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QSlider;
class QTabWidget;
class QWidget;

namespace tarlyk {

class BackSelector;
class ClickLabel;
class RadioGroup;
class TarlykButton;
class TrackDescription;
struct ScoreCounters;

class TfrmOptions : public QDialog, public SettingsHolders {
  Q_OBJECT

 public:
  static constexpr int kBackCount = 12;
  static constexpr int kThumbWidth = 53;
  static constexpr int kThumbHeight = 72;

  // `mainWindow` supplies the main window's position and size to the settings file
  // routines (may be null in tests); `winVersion` decides whether the picture-repair
  // option is offered (only for "5.1").
  TfrmOptions(QWidget* mainWindow, const QString& winVersion, QWidget* parent = nullptr);
  ~TfrmOptions() override;

  // --- hooks for the composition root; empty hooks do nothing ---
  std::function<void(bool)> onBossKeyToggled;  // arm (true) / disarm the hot key
  std::function<void(int)> onBackChosen;       // the new ActiveShortID after a click
  std::function<void()> onScoreChanged;        // refresh the score line after a reset
  std::function<void()> onClosing;             // the dialog's own close work (table repaint)
  std::function<void()> onSaveSettings;        // runs after the dialog has been hidden
  // Asks a Yes/No question; true = Yes. Defaults to a message box with No as default.
  std::function<bool(const QString& caption, const QString& text)> askQuestion;

  // The score the reset button clears; without it the reset only refreshes.
  void SetScoreCounters(ScoreCounters* score) { score_ = score; }
  // The generator used to draw a back when the random mode is clicked.
  void SetRandom(IRandom* random) { random_ = random; }

  // Thumbnail `n` (0..11) of the card back picture `back` (magenta = transparent). The
  // picture is kept and its thumbnail made when the dialog is first shown or its box is
  // asked for: start-up hands over every back, and few starts open the dialog.
  void SetBackThumbnail(int n, const QImage& back);
  // Places the selector after start-up has picked the back: around the random-back
  // label when the stored value was -1, otherwise around the box of `activeShortID`.
  void PlaceBackSelector(int storedShortID, int activeShortID);
  int ActiveShortID() const { return activeShortID_; }

  // --- IGameOptions and SettingsHolders: each reads or sets its control now ---
  int Value(Option option) const override;
  void SetValue(Option option, int value) override;
  void SetOffered(Option option, bool offered) override;
  // -1 while the selector frames the random-back label, otherwise the back in use.
  int ShortIDToSave() const;
  WindowPos MainWindowPos() const override;
  void SetMainWindowPos(WindowPos pos) override;
  WindowSize MainWindowFrameSize() const override;
  WindowPos OptionsPos() const override;
  void SetOptionsPos(WindowPos pos) override;
  WindowSize OptionsFrameSize() const override;
  WindowSize DesktopSize() const override;

  // --- control handlers, public so that tests can drive them like the user ---
  void btnResetCountsClick();
  void cbBossKeyClick();
  void tbDisabledChange();
  void tbDifficultChange();
  void ChooseBack(int item);  // -1 = the random-back label, 0..11 a back box

  // Controls, for the composition root and tests.
  QTabWidget* pcOptions() const { return pages_; }
  QCheckBox* cbSavePosition() const { return cbSavePosition_; }
  QCheckBox* cbSaveCounts() const { return cbSaveCounts_; }
  QCheckBox* cbBossKey() const { return cbBossKey_; }
  QCheckBox* cbRightMouse() const { return cbRightMouse_; }
  QCheckBox* cbEndAnimation() const { return cbEndAnimation_; }
  QCheckBox* cbShowSuperCard() const { return cbShowSuperCard_; }
  QCheckBox* cbRepairUserIcon() const { return cbRepairUserIcon_; }
  QCheckBox* cbShowMedals() const { return cbShowMedals_; }
  TarlykButton* btnResetCounts() const { return btnResetCounts_; }
  TarlykButton* btnClose() const { return btnClose_; }
  RadioGroup* rgColoda() const { return rgColoda_; }
  RadioGroup* rgFirst() const { return rgFirst_; }
  RadioGroup* rgLasts() const { return rgLasts_; }
  QGroupBox* gbDisabled() const { return gbDisabled_; }
  QSlider* tbDisabled() const { return tbDisabled_; }
  TrackDescription* DisabledPanel(int n) const {
    return disabledPanels_.at(static_cast<size_t>(n));
  }
  QSlider* tbDifficult() const { return tbDifficult_; }
  TrackDescription* DifficultPanel(int n) const {
    return difficultPanels_.at(static_cast<size_t>(n));
  }
  ClickLabel* labRandomBack() const { return labRandomBack_; }
  ClickLabel* BackBox(int n) const {
    MakeBackThumbnails();
    return backBoxes_.at(static_cast<size_t>(n));
  }
  BackSelector* shSelector() const { return selector_; }
  QWidget* Footer() const { return footer_; }

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ApplyLook();
  void BuildGeneralPage(QWidget* page);
  void BuildRulesPage(QWidget* page);
  void BuildViewPage(QWidget* page);
  void BuildDifficultyPage(QWidget* page);
  void BuildBacksPage(QWidget* page);
  QCheckBox* AddCheckBox(QWidget* page, Option option, int top, int iconTop, const QString& icon,
                         const CaptionAndHint& texts);
  RadioGroup* AddRadioGroup(QWidget* page, Option option, const QRect& place,
                            const CaptionAndHint& texts, const QStringList& items);
  QSlider* AddTrackBar(QWidget* parent, Option option, const QRect& place);
  // Makes the control the holder of the option, in the option's initial state.
  void Hold(Option option, QCheckBox* box);
  void Hold(Option option, RadioGroup* group);
  void Hold(Option option, QSlider* bar);
  bool Ask(const QString& caption, const QString& text);
  void FrameChoice(const QWidget* item);

  // The control that holds each option's live value (none for the card back, which the
  // selector's place records).
  struct OptionControl {
    QCheckBox* box = nullptr;
    RadioGroup* group = nullptr;
    QSlider* bar = nullptr;
  };
  std::array<OptionControl, kOptionTable.size()> controls_{};

  QWidget* mainWindow_;
  // The positions last given to the two windows, reported where the window system keeps
  // real ones to itself (see MainWindowPos).
  QPoint mainWindowGiven_;
  QPoint optionsGiven_;
  QString winVersion_;
  ScoreCounters* score_ = nullptr;
  IRandom* random_ = nullptr;
  int activeShortID_ = 0;
  bool selectorBusy_ = false;

  QTabWidget* pages_ = nullptr;
  QWidget* footer_ = nullptr;
  TarlykButton* btnClose_ = nullptr;
  QCheckBox* cbSavePosition_ = nullptr;
  QCheckBox* cbSaveCounts_ = nullptr;
  TarlykButton* btnResetCounts_ = nullptr;
  QCheckBox* cbBossKey_ = nullptr;
  QCheckBox* cbRightMouse_ = nullptr;
  QCheckBox* cbEndAnimation_ = nullptr;
  RadioGroup* rgColoda_ = nullptr;
  RadioGroup* rgFirst_ = nullptr;
  RadioGroup* rgLasts_ = nullptr;
  QCheckBox* cbShowSuperCard_ = nullptr;
  QCheckBox* cbRepairUserIcon_ = nullptr;
  QCheckBox* cbShowMedals_ = nullptr;
  QGroupBox* gbDisabled_ = nullptr;
  QSlider* tbDisabled_ = nullptr;
  std::array<TrackDescription*, 3> disabledPanels_{};
  QSlider* tbDifficult_ = nullptr;
  std::array<TrackDescription*, 3> difficultPanels_{};
  ClickLabel* labRandomBack_ = nullptr;
  std::array<ClickLabel*, kBackCount> backBoxes_{};
  // Backs handed over whose thumbnails are not made yet.
  mutable std::array<QImage, kBackCount> pendingBacks_{};
  void MakeBackThumbnails() const;
  static QImage BackThumbnail(const QImage& back);
  BackSelector* selector_ = nullptr;
};

}  // namespace tarlyk
