#include "settings/settings_file.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "settings/ini_file.h"
#include "settings/settings_texts.h"

namespace tarlyk {

namespace {

// The sections the switches SavePosition and SaveCounts stand for.
const char* const kPositions = "Positions";
const char* const kCounts = "Counts";

std::string LoadBoxText(const std::string& lines) {
  return kLoadBoxHead + lines + kSeeHelpFor + kTheseErrors;
}

std::string SaveBoxText(const std::string& lines) {
  return kSaveBoxHead + lines + kSeeHelpFor + kThisError;
}

// Shows the box, when there is one to show, and gives its text back.
std::string Report(const ErrorBoxFn& box, const std::string& text) {
  if (box) box(kSettingsBoxCaption, text);
  return text;
}

// The stored integer, or nothing when the key is missing or holds no integer.
std::optional<int32_t> StoredInteger(const IniFile& ini, const char* section, const char* key) {
  const int32_t value = ini.ReadInteger(section, key, 0);
  if (value != 0 || ini.ReadInteger(section, key, 1) == 0) return value;
  return std::nullopt;
}

// The stored value of an option, `def` when the key is missing or unreadable.
int ReadOption(const IniFile& ini, const OptionSpec& entry, int def) {
  if (entry.holder == Holder::kCheckBox) return ini.ReadBool(entry.section, entry.key, def != 0);
  return std::clamp(ini.ReadInteger(entry.section, entry.key, def), entry.min, entry.max);
}

void WriteOption(IniFile& ini, const OptionSpec& entry, int value) {
  if (entry.holder == Holder::kCheckBox) {
    ini.WriteBool(entry.section, entry.key, value != 0);
  } else {
    ini.WriteInteger(entry.section, entry.key, value);
  }
}

// Both windows' stored positions. A missing position centres the window on the desktop
// by its outer size, which before the window is first shown takes a question to the
// window manager: the size is asked for only then.
void LoadPositions(const IniFile& ini, SettingsHolders& h) {
  const WindowSize desk = h.DesktopSize();
  const auto position = [&](const char* leftKey, const char* topKey,
                            const std::function<WindowSize()>& outerSize) {
    const std::optional<int32_t> left = StoredInteger(ini, kPositions, leftKey);
    const std::optional<int32_t> top = StoredInteger(ini, kPositions, topKey);
    if (left && top) return WindowPos{*left, *top};
    const WindowSize size = outerSize();
    return WindowPos{left.value_or((desk.width - size.width) / 2),
                     top.value_or((desk.height - size.height) / 2)};
  };
  const WindowPos mainPos =
      position("frmMain.Left", "frmMain.Top", [&h] { return h.MainWindowFrameSize(); });
  const WindowPos optPos =
      position("frmOptions.Left", "frmOptions.Top", [&h] { return h.OptionsFrameSize(); });
  h.SetMainWindowPos(mainPos);
  h.SetOptionsPos(optPos);
}

void WriteCounts(IniFile& ini, const ScoreCounters& score) {
  ini.WriteInteger(kCounts, "Wins", score.Wins);
  ini.WriteInteger(kCounts, "Loses", score.Loses);
  ini.WriteInteger(kCounts, "Nones", score.Nones);
}

// Creates the directory the file lives in; false when that is impossible.
bool MakeParentDirectory(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (parent.empty()) return true;
  std::error_code ec;
  std::filesystem::create_directories(parent, ec);
  return std::filesystem::is_directory(parent, ec);
}

// Writes the text in place of the file; the failure line or an empty string.
std::string ReplaceFile(const std::string& path, const std::string& text) {
  if (!MakeParentDirectory(path)) return kLineWrite;
  switch (WriteFileAtomically(path, text)) {
    case AtomicWriteResult::kOk:
      return {};
    case AtomicWriteResult::kWriteFailed:
      return kLineWrite;
    case AtomicWriteResult::kReplaceFailed:
      return kLineReplace;
  }
  return kLineWrite;
}

}  // namespace

std::string LoadSettings(const std::string& path, SettingsHolders& h, ScoreCounters& score,
                         const std::string& winVersion, const ErrorBoxFn& box) {
  IniFile ini;
  const IniFile::LoadResult loaded = ini.Load(path);
  if (loaded == IniFile::LoadResult::kMissing) return {};
  if (loaded == IniFile::LoadResult::kError) return Report(box, LoadBoxText(kLineRead));

  // The options in the file's order; the positions and the score right after the
  // switches that keep them, when those are on.
  for (const OptionSpec& entry : kOptionTable) {
    if (entry.reading == Reading::kWithCardPictures) continue;
    if (!OfferedOn(entry, winVersion)) {
      h.SetValue(entry.option, 0);
      h.SetOffered(entry.option, false);
      continue;
    }
    const int def =
        entry.reading == Reading::kDefaultInitial ? entry.initial : h.Value(entry.option);
    h.SetValue(entry.option, ReadOption(ini, entry, def));
    if (entry.option == Option::kSavePosition && h.SavePosition()) LoadPositions(ini, h);
    if (entry.option == Option::kSaveCounts && h.SaveCounts()) {
      score.Wins = ini.ReadInteger(kCounts, "Wins", 0);
      score.Loses = ini.ReadInteger(kCounts, "Loses", 0);
      score.Nones = ini.ReadInteger(kCounts, "Nones", 0);
    }
  }
  return {};
}

std::string SettingsFileText(const SettingsHolders& h, const ScoreCounters& score,
                             const std::string& winVersion) {
  IniFile ini;
  for (const OptionSpec& entry : kOptionTable) {
    if (!OfferedOn(entry, winVersion)) continue;
    WriteOption(ini, entry, h.Value(entry.option));
    if (entry.option == Option::kSavePosition && h.SavePosition()) {
      const WindowPos mainPos = h.MainWindowPos();
      const WindowPos optPos = h.OptionsPos();
      ini.WriteInteger(kPositions, "frmMain.Left", mainPos.x);
      ini.WriteInteger(kPositions, "frmMain.Top", mainPos.y);
      ini.WriteInteger(kPositions, "frmOptions.Left", optPos.x);
      ini.WriteInteger(kPositions, "frmOptions.Top", optPos.y);
    }
    if (entry.option == Option::kSaveCounts && h.SaveCounts()) WriteCounts(ini, score);
  }
  return ini.ToText();
}

std::string SaveSettings(const std::string& path, const SettingsHolders& h,
                         const ScoreCounters& score, const std::string& winVersion,
                         const ErrorBoxFn& box) {
  const std::string line = ReplaceFile(path, SettingsFileText(h, score, winVersion));
  if (line.empty()) return {};
  return Report(box, SaveBoxText(line));
}

std::string SaveScore(const std::string& path, const SettingsHolders& h, const ScoreCounters& score,
                      const ErrorBoxFn& box) {
  if (!h.SaveCounts()) return {};
  IniFile ini;
  bool ok = ini.Load(path) != IniFile::LoadResult::kError;  // never overwrite what we cannot read
  if (ok) {
    WriteCounts(ini, score);
    ok = ReplaceFile(path, ini.ToText()).empty();
  }
  if (ok) return {};
  return Report(box, kScoreBoxText);
}

int ReadShortID(const std::string& path) {
  IniFile ini;
  if (ini.Load(path) != IniFile::LoadResult::kOk) return -1;
  const OptionSpec& entry = SpecOf(Option::kShortID);
  const int id = ini.ReadInteger(entry.section, entry.key, entry.initial);
  return id >= entry.min && id <= entry.max ? id : entry.initial;
}

}  // namespace tarlyk
