// The live holders of every stored option, as the settings file's load and save
// routines see them. The options dialog implements this from its controls; tests use
// an in-memory version. Window positions are outer positions (frame included).
#pragma once

namespace tarlyk {

// A window's position (its frame's top left) and outer size, and the desktop's size.
struct WindowPos {
  int x = 0;
  int y = 0;
  bool operator==(const WindowPos&) const = default;
};
struct WindowSize {
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};

class SettingsHolders {
 public:
  virtual ~SettingsHolders() = default;

  // Check boxes of the "Общие" page.
  virtual bool SavePosition() const = 0;
  virtual void SetSavePosition(bool on) = 0;
  virtual bool SaveCounts() const = 0;
  virtual void SetSaveCounts(bool on) = 0;
  virtual bool BossKeyActive() const = 0;
  virtual void SetBossKeyActive(bool on) = 0;  // sets the box without running its handler
  virtual bool UseRightMouse() const = 0;
  virtual void SetUseRightMouse(bool on) = 0;
  virtual bool EndAnimation() const = 0;
  virtual void SetEndAnimation(bool on) = 0;
  virtual bool ShowMedals() const = 0;
  virtual void SetShowMedals(bool on) = 0;

  // Radio groups: item index; a value past the last item selects the last one.
  virtual int CardsCount() const = 0;
  virtual void SetCardsCount(int index) = 0;
  virtual int FirstStep() const = 0;
  virtual void SetFirstStep(int index) = 0;
  virtual int LastCardsTo() const = 0;
  virtual void SetLastCardsTo(int index) = 0;

  // "Отображение" page.
  virtual bool ShowSuperCard() const = 0;
  virtual void SetShowSuperCard(bool on) = 0;
  // Track bar position, limited to 0..2; updates the description beside it.
  virtual int DisabledCardsType() const = 0;
  virtual void SetDisabledCardsType(int position) = 0;
  virtual bool RepairUserIcon() const = 0;
  virtual void SetRepairUserIcon(bool on) = 0;
  virtual void SetRepairUserIconEnabled(bool enabled) = 0;

  // "Сложность" page: track bar limited to 0..1; updates its description.
  virtual int Level() const = 0;
  virtual void SetLevel(int position) = 0;

  // -1 while the card-back selector frames the random-back label, else the back in use.
  virtual int ShortIDToSave() const = 0;

  // Positions and outer sizes of the two windows, and the whole virtual desktop's size.
  virtual WindowPos MainWindowPos() const = 0;
  virtual void SetMainWindowPos(WindowPos pos) = 0;
  virtual WindowSize MainWindowFrameSize() const = 0;
  virtual WindowPos OptionsPos() const = 0;
  virtual void SetOptionsPos(WindowPos pos) = 0;
  virtual WindowSize OptionsFrameSize() const = 0;
  virtual WindowSize DesktopSize() const = 0;
};

}  // namespace tarlyk
