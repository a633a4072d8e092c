// Every option of the game, described once: where the settings file keeps it, the values
// it takes, its initial value and the kind of control that holds its live value; and the
// engine's read-only view of those live values. The settings file's routines, the options
// dialog and the engine all work from this table: a new option is a row here, a control
// in the options dialog and its texts.
#pragma once

#include <array>
#include <string_view>

namespace tarlyk {

// The options, named by their keys, in the order the settings file keeps them.
enum class Option {
  kSavePosition,
  kSaveCounts,
  kBossKeyActive,
  kUseRightMouse,
  kEndAnimation,
  kShowMedals,
  kCardsCount,
  kFirstStep,
  kLastCardsTo,
  kShortID,
  kShowSuperCard,
  kDisabledCardsType,
  kRepairUserIcon,
  kLevel,
};

// The kind of control that holds an option's live value while the program runs.
enum class Holder {
  kCheckBox,      // on (1) or off (0); a stored value other than 0 is on
  kRadioGroup,    // the selected item's index
  kTrackBar,      // the bar's position
  kBackSelector,  // the card back framed: -1 for the random back, else its number
};

// How the settings file's load routine reads an option.
enum class Reading {
  kDefaultHeld,       // a missing or unreadable key leaves the holder's current state
  kDefaultInitial,    // a missing or unreadable key gives the initial value
  kWithCardPictures,  // read when the card pictures are loaded, not by the load routine
};

struct OptionSpec {
  Option option;
  const char* section;
  const char* key;
  Holder holder;
  // A stored value outside min..max is taken to the nearer end (the card back's to -1).
  int min;
  int max;
  int initial;  // the holder's state when the options dialog is created
  Reading reading = Reading::kDefaultHeld;
  // Offered only on this system version; elsewhere off, disabled and never stored.
  const char* onlyOnVersion = nullptr;
};

inline constexpr std::array<OptionSpec, 14> kOptionTable{{
    {Option::kSavePosition, "Main", "SavePosition", Holder::kCheckBox, 0, 1, 1,
     Reading::kDefaultInitial},
    {Option::kSaveCounts, "Main", "SaveCounts", Holder::kCheckBox, 0, 1, 1,
     Reading::kDefaultInitial},
    {Option::kBossKeyActive, "Main", "BossKeyActive", Holder::kCheckBox, 0, 1, 1},
    {Option::kUseRightMouse, "Main", "UseRightMouse", Holder::kCheckBox, 0, 1, 1},
    {Option::kEndAnimation, "Main", "EndAnimation", Holder::kCheckBox, 0, 1, 1},
    {Option::kShowMedals, "Main", "ShowMedals", Holder::kCheckBox, 0, 1, 0},
    {Option::kCardsCount, "Rules", "CardsCount", Holder::kRadioGroup, 0, 1, 0},
    {Option::kFirstStep, "Rules", "FirstStep", Holder::kRadioGroup, 0, 3, 0},
    {Option::kLastCardsTo, "Rules", "LastCardsTo", Holder::kRadioGroup, 0, 1, 0},
    {Option::kShortID, "Main", "ShortID", Holder::kBackSelector, -1, 11, -1,
     Reading::kWithCardPictures},
    {Option::kShowSuperCard, "View", "ShowSuperCard", Holder::kCheckBox, 0, 1, 1},
    {Option::kDisabledCardsType, "View", "DisabledCardsType", Holder::kTrackBar, 0, 2, 0},
    {Option::kRepairUserIcon, "View", "RepairUserIcon", Holder::kCheckBox, 0, 1, 1,
     Reading::kDefaultHeld, "5.1"},
    {Option::kLevel, "Difficult", "Level", Holder::kTrackBar, 0, 2, 0},
}};

// Whether the option is offered on a system of this version.
constexpr bool OfferedOn(const OptionSpec& entry, std::string_view version) {
  return entry.onlyOnVersion == nullptr || version == entry.onlyOnVersion;
}

constexpr const OptionSpec& SpecOf(Option option) {
  return kOptionTable[static_cast<size_t>(option)];
}

constexpr bool TableFollowsTheOptions() {
  for (size_t i = 0; i < kOptionTable.size(); ++i) {
    if (static_cast<size_t>(kOptionTable[i].option) != i) return false;
  }
  return true;
}
static_assert(TableFollowsTheOptions(), "kOptionTable lists the options in their order");

// The live values of the options, read at the moment of use. The options dialog
// implements it from its controls, so each option has exactly one live value.
class IGameOptions {
 public:
  virtual ~IGameOptions() = default;

  // 1 or 0 for a check box, the item index or the position otherwise; for the card back,
  // -1 while the random back is chosen.
  virtual int Value(Option option) const = 0;
  bool IsOn(Option option) const { return Value(option) != 0; }

  // One accessor per option.
  bool SavePosition() const { return IsOn(Option::kSavePosition); }
  bool SaveCounts() const { return IsOn(Option::kSaveCounts); }
  bool BossKeyActive() const { return IsOn(Option::kBossKeyActive); }
  bool UseRightMouse() const { return IsOn(Option::kUseRightMouse); }
  bool EndAnimation() const { return IsOn(Option::kEndAnimation); }
  bool ShowMedals() const { return IsOn(Option::kShowMedals); }
  // 0 = 36 cards, anything else 52.
  int CardsCount() const { return Value(Option::kCardsCount); }
  // 0 by the rules, 1 the computer, 2 the person, 3 at random.
  int FirstStep() const { return Value(Option::kFirstStep); }
  // 0 first to the one who led first, 1 shared equally.
  int LastCardsTo() const { return Value(Option::kLastCardsTo); }
  int ShortID() const { return Value(Option::kShortID); }
  bool ShowSuperCard() const { return IsOn(Option::kShowSuperCard); }
  // 0 by transparency, 1 embossed, 2 not marked.
  int DisabledCardsType() const { return Value(Option::kDisabledCardsType); }
  bool RepairUserIcon() const { return IsOn(Option::kRepairUserIcon); }
  // 0 normal, 1 maximal, 2 the searching player.
  int Level() const { return Value(Option::kLevel); }
};

}  // namespace tarlyk
