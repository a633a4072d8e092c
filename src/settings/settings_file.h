// The settings file: loading every stored option into its holder at start-up, saving
// them all when the options dialog closes, and saving the score at exit. Failures are
// collected into the program's 1-00x lines and shown in one message box per routine.
#pragma once

#include <functional>
#include <string>

#include "game/score_counters.h"
#include "settings/settings_holders.h"

namespace tarlyk {

// Shows an error box: caption and text with '\r' line breaks as the program composes
// them. An empty one shows nothing.
using ErrorBoxFn = std::function<void(const std::string& caption, const std::string& text)>;

// Each routine returns the text of the box it showed, or an empty string.
std::string LoadSettings(const std::string& path, SettingsHolders& holders, ScoreCounters& score,
                         const std::string& winVersion, const ErrorBoxFn& box);

// Writes a fresh file holding exactly the stored options, built whole and then put in
// place of the old one, so a failure leaves the previous file as it was.
std::string SaveSettings(const std::string& path, const SettingsHolders& holders,
                         const ScoreCounters& score, const std::string& winVersion,
                         const ErrorBoxFn& box);

// Updates section Counts of the existing file (or a new one) when SaveCounts is on.
std::string SaveScore(const std::string& path, const SettingsHolders& holders,
                      const ScoreCounters& score, const ErrorBoxFn& box);

// The stored card back: -1 (a random back) when missing, unreadable or outside -1..11.
int ReadShortID(const std::string& path);

// The whole text a save would write, in the order the file keeps its keys.
std::string SettingsFileText(const SettingsHolders& holders, const ScoreCounters& score,
                             const std::string& winVersion);

}  // namespace tarlyk
