#include "settings/settings_file.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "settings/ini_file.h"
#include "settings/settings_texts.h"

namespace tarlyk {

namespace {

const char* const kMain = "Main";
const char* const kPositions = "Positions";
const char* const kCounts = "Counts";
const char* const kRules = "Rules";
const char* const kView = "View";
const char* const kDifficult = "Difficult";

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

int Clamp(int value, int high) {
  return std::clamp(value, 0, high);
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

  h.SetSavePosition(ini.ReadBool(kMain, "SavePosition", true));
  if (h.SavePosition()) {
    // A missing position centres the window on the desktop by its outer size, which
    // before the window is first shown takes a question to the window manager: the
    // size is asked for only then.
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

  h.SetSaveCounts(ini.ReadBool(kMain, "SaveCounts", true));
  if (h.SaveCounts()) {
    score.Wins = ini.ReadInteger(kCounts, "Wins", 0);
    score.Loses = ini.ReadInteger(kCounts, "Loses", 0);
    score.Nones = ini.ReadInteger(kCounts, "Nones", 0);
  }

  h.SetBossKeyActive(ini.ReadBool(kMain, "BossKeyActive", h.BossKeyActive()));
  h.SetUseRightMouse(ini.ReadBool(kMain, "UseRightMouse", h.UseRightMouse()));
  h.SetEndAnimation(ini.ReadBool(kMain, "EndAnimation", h.EndAnimation()));
  h.SetShowMedals(ini.ReadBool(kMain, "ShowMedals", h.ShowMedals()));

  // Radio groups: past the last item selects the last one; below 0 the first.
  h.SetCardsCount(Clamp(ini.ReadInteger(kRules, "CardsCount", h.CardsCount()), 1));
  h.SetFirstStep(Clamp(ini.ReadInteger(kRules, "FirstStep", h.FirstStep()), 3));
  h.SetLastCardsTo(Clamp(ini.ReadInteger(kRules, "LastCardsTo", h.LastCardsTo()), 1));

  h.SetShowSuperCard(ini.ReadBool(kView, "ShowSuperCard", h.ShowSuperCard()));
  h.SetDisabledCardsType(
      Clamp(ini.ReadInteger(kView, "DisabledCardsType", h.DisabledCardsType()), 2));

  if (winVersion == "5.1") {
    h.SetRepairUserIcon(ini.ReadBool(kView, "RepairUserIcon", h.RepairUserIcon()));
  } else {
    h.SetRepairUserIcon(false);
    h.SetRepairUserIconEnabled(false);
  }

  h.SetLevel(Clamp(ini.ReadInteger(kDifficult, "Level", h.Level()), 1));
  return {};
}

std::string SettingsFileText(const SettingsHolders& h, const ScoreCounters& score,
                             const std::string& winVersion) {
  IniFile ini;
  ini.WriteBool(kMain, "SavePosition", h.SavePosition());
  if (h.SavePosition()) {
    const WindowPos mainPos = h.MainWindowPos();
    const WindowPos optPos = h.OptionsPos();
    ini.WriteInteger(kPositions, "frmMain.Left", mainPos.x);
    ini.WriteInteger(kPositions, "frmMain.Top", mainPos.y);
    ini.WriteInteger(kPositions, "frmOptions.Left", optPos.x);
    ini.WriteInteger(kPositions, "frmOptions.Top", optPos.y);
  }
  ini.WriteBool(kMain, "SaveCounts", h.SaveCounts());
  if (h.SaveCounts()) {
    ini.WriteInteger(kCounts, "Wins", score.Wins);
    ini.WriteInteger(kCounts, "Loses", score.Loses);
    ini.WriteInteger(kCounts, "Nones", score.Nones);
  }
  ini.WriteBool(kMain, "BossKeyActive", h.BossKeyActive());
  ini.WriteBool(kMain, "UseRightMouse", h.UseRightMouse());
  ini.WriteBool(kMain, "EndAnimation", h.EndAnimation());
  ini.WriteBool(kMain, "ShowMedals", h.ShowMedals());
  ini.WriteInteger(kRules, "CardsCount", h.CardsCount());
  ini.WriteInteger(kRules, "FirstStep", h.FirstStep());
  ini.WriteInteger(kRules, "LastCardsTo", h.LastCardsTo());
  ini.WriteInteger(kMain, "ShortID", h.ShortIDToSave());
  ini.WriteBool(kView, "ShowSuperCard", h.ShowSuperCard());
  ini.WriteInteger(kView, "DisabledCardsType", h.DisabledCardsType());
  if (winVersion == "5.1") ini.WriteBool(kView, "RepairUserIcon", h.RepairUserIcon());
  ini.WriteInteger(kDifficult, "Level", h.Level());
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
    ini.WriteInteger(kCounts, "Wins", score.Wins);
    ini.WriteInteger(kCounts, "Loses", score.Loses);
    ini.WriteInteger(kCounts, "Nones", score.Nones);
    ok = ReplaceFile(path, ini.ToText()).empty();
  }
  if (ok) return {};
  return Report(box, kScoreBoxText);
}

int ReadShortID(const std::string& path) {
  IniFile ini;
  if (ini.Load(path) != IniFile::LoadResult::kOk) return -1;
  const int id = ini.ReadInteger(kMain, "ShortID", -1);
  return id >= -1 && id <= 11 ? id : -1;
}

}  // namespace tarlyk
