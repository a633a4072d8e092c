#include "settings/settings_file.h"

#include <QMessageBox>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "settings/ini_file.h"

namespace tarlyk {

namespace {

const char* const kMain = "Main";
const char* const kPositions = "Positions";
const char* const kCounts = "Counts";
const char* const kRules = "Rules";
const char* const kView = "View";
const char* const kDifficult = "Difficult";

const QString kCaption = QStringLiteral("Ошибка");
const QString kLineRead =
    QStringLiteral("  • Ошибка чтения из файла настроек (Код ошибки: 1-002).\r");
const QString kLineReplace = QStringLiteral(
    "  • Не удаётся подготовить место на диске для записи файла настроек (Код ошибки: 1-003).\r");
const QString kLineWrite =
    QStringLiteral("  • Ошибка записи в файл настроек (Код ошибки: 1-004).\r");

QString LoadBoxText(const QString& lines) {
  return QStringLiteral("Во время чтения файла настроек произошли следующие ошибки:\r\r") + lines +
         QStringLiteral(
             "\rОбратитесь к справочной системе игры, чтобы получить информацию по устранению "
             "данных ошибок.");
}

QString SaveBoxText(const QString& lines) {
  return QStringLiteral("Во время сохранения файла настроек произошли следующуие ошибки:\r\r") +
         lines +
         QStringLiteral(
             "\rОбратитесь к справочной системе игры, чтобы получить информацию по устранению "
             "данной ошибки.");
}

QString ScoreBoxText() {
  return QStringLiteral(
      "Во время записи в файл настроек произошла следующая ошибка:\r\r"
      "  • Не возможно произвести дозапись (Код ошибки: 1-001).\r\r"
      "Обратитесь к справочной системе игры, чтобы получить информацию поустранению данных "
      "ошибок.");
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
QString ReplaceFile(const std::string& path, const std::string& text) {
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

void ShowSettingsErrorBox(const QString& caption, const QString& text) {
  QString shown = text;
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(QMessageBox::Critical, caption, shown, QMessageBox::Ok);
  // The load box comes up while the splash window, which stays on top, covers the
  // middle of the screen; without the same hint the box would be hidden behind it.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

QString LoadSettings(const std::string& path, SettingsHolders& h, ScoreCounters& score,
                     const std::string& winVersion, const ErrorBoxFn& box) {
  IniFile ini;
  const IniFile::LoadResult loaded = ini.Load(path);
  if (loaded == IniFile::LoadResult::kMissing) return {};
  if (loaded == IniFile::LoadResult::kError) {
    const QString text = LoadBoxText(kLineRead);
    if (box) box(kCaption, text);
    return text;
  }

  h.SetSavePosition(ini.ReadBool(kMain, "SavePosition", true));
  if (h.SavePosition()) {
    // A missing position centres the window on the desktop by its outer size, which
    // before the window is first shown takes a question to the window manager: the
    // size is asked for only then.
    const QSize desk = h.DesktopSize();
    const auto position = [&](const char* leftKey, const char* topKey,
                              const std::function<QSize()>& outerSize) {
      const std::optional<int32_t> left = StoredInteger(ini, kPositions, leftKey);
      const std::optional<int32_t> top = StoredInteger(ini, kPositions, topKey);
      if (left && top) return QPoint(*left, *top);
      const QSize size = outerSize();
      return QPoint(left.value_or((desk.width() - size.width()) / 2),
                    top.value_or((desk.height() - size.height()) / 2));
    };
    const QPoint mainPos =
        position("frmMain.Left", "frmMain.Top", [&h] { return h.MainWindowFrameSize(); });
    const QPoint optPos =
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
    const QPoint mainPos = h.MainWindowPos();
    const QPoint optPos = h.OptionsPos();
    ini.WriteInteger(kPositions, "frmMain.Left", mainPos.x());
    ini.WriteInteger(kPositions, "frmMain.Top", mainPos.y());
    ini.WriteInteger(kPositions, "frmOptions.Left", optPos.x());
    ini.WriteInteger(kPositions, "frmOptions.Top", optPos.y());
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

QString SaveSettings(const std::string& path, const SettingsHolders& h, const ScoreCounters& score,
                     const std::string& winVersion, const ErrorBoxFn& box) {
  const QString line = ReplaceFile(path, SettingsFileText(h, score, winVersion));
  if (line.isEmpty()) return {};
  const QString text = SaveBoxText(line);
  if (box) box(kCaption, text);
  return text;
}

QString SaveScore(const std::string& path, const SettingsHolders& h, const ScoreCounters& score,
                  const ErrorBoxFn& box) {
  if (!h.SaveCounts()) return {};
  IniFile ini;
  bool ok = ini.Load(path) != IniFile::LoadResult::kError;  // never overwrite what we cannot read
  if (ok) {
    ini.WriteInteger(kCounts, "Wins", score.Wins);
    ini.WriteInteger(kCounts, "Loses", score.Loses);
    ini.WriteInteger(kCounts, "Nones", score.Nones);
    ok = ReplaceFile(path, ini.ToText()).isEmpty();
  }
  if (ok) return {};
  const QString text = ScoreBoxText();
  if (box) box(kCaption, text);
  return text;
}

int ReadShortID(const std::string& path) {
  IniFile ini;
  if (ini.Load(path) != IniFile::LoadResult::kOk) return -1;
  const int id = ini.ReadInteger(kMain, "ShortID", -1);
  return id >= -1 && id <= 11 ? id : -1;
}

}  // namespace tarlyk
