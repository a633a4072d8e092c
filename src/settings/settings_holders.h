// The live holders of every stored option, as the settings file's load and save
// routines see them: the options' values (game/game_options.h) and the two windows'
// positions. The options dialog implements this from its controls; tests use an
// in-memory version. Window positions are outer positions (frame included).
#pragma once

#include "game/game_options.h"

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

class SettingsHolders : public IGameOptions {
 public:
  // Puts a value into the option's holder as the user would set it: a check box is set
  // (without running its click handler), a radio group selects the item (past the last
  // item the last one), a track bar moves within its range and shows the description of
  // its new position; for the card back, -1 frames the random-back label.
  virtual void SetValue(Option option, int value) = 0;
  // Enables the option's control or disables it.
  virtual void SetOffered(Option option, bool offered) = 0;

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
