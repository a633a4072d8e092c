// The game-state module: every pile and scalar of the game, and the operations of the
// new game, the round and game end, and the turn controller. One instance lives as long
// as the program; the window, the options and the generator are reached through the
// interfaces of game_interfaces.h.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/card.h"
#include "game/game_interfaces.h"
#include "game/game_texts.h"
#include "game/move_rules.h"
#include "game/piles.h"
#include "game/score_counters.h"
#include "opponent/computer_player.h"
#include "opponent/opponent_view.h"

namespace tarlyk {

// Pointer shape the table should show after a pointer move.
enum class PointerShape {
  kResetOverride,  // no hand to point at: drop any application-wide override
  kArrow,
  kHand,
};

// Mouse buttons as the table reports them.
enum class MouseButton { kLeft, kRight, kMiddle, kOther };

class TdmData {
 public:
  TdmData(IGameWindow& window, const IGameOptions& options, IRandom& random, ScoreCounters& score,
          const std::string& playerName);

  // --- state (read and written directly by the engine, read by the view) ---
  std::array<TCardRec, 53> AllCards{};  // slots 1..52; slot 0 unused
  std::array<TCardRec, 52> ColodaCards{};
  std::array<TCardRec, 52> UserCards{};
  std::array<TCardRec, 52> CPUCards{};
  std::array<TCardRec, 52> BitoCards{};
  std::array<TCardRec, 12> DeskCards{};
  TCardRec KozirCard{};
  uint8_t WhoGoing = 0;
  uint8_t LastResult = 2;
  bool GameActive = false;
  bool ThrowInMode = false;
  long double GameStage = 1.0L;
  // What both sides have witnessed in this game: the discard pile, and the cards each side
  // was seen to take into its hand (from the table, or the turned-up trump drawn from the
  // stock) and still holds. Kept from the moves themselves; emptied at a new game.
  CardSet Discarded = 0;
  CardSet SeenInUserHand = 0;
  CardSet SeenInCPUHand = 0;

  // Status texts, composed once from the player's display name.
  std::string PlayerName;
  std::string MsgUserGoes, MsgUserBeats, MsgCPUTakes, MsgUserWins, MsgUserLoses, MsgNobodyWins;

  // The action button as last set by the engine, and the status line text.
  int ActionState = kActionNewGame;
  std::string ActionCaption = kCaptionNewGame;
  bool ActionVisible = true;
  std::string StatusText = kStatusAtStart;
  bool AnimationOn = false;

  // When it holds the numbers 1..52, the next shuffle produces exactly this order
  // instead of drawing it (the driver's `deck` command and tests); emptied by the shuffle.
  std::vector<int> ForcedDeckOrder;

  ScoreCounters& Score() { return score_; }
  const ScoreCounters& Score() const { return score_; }
  const IGameOptions& Options() const { return options_; }

  // --- cards and piles ---
  // Fills AllCards 1..52 from the picture numbering.
  void FillAllCards();
  void ClearArrays();

  // --- new game and refill ---
  // The new-game command (menu item N4, and the action button in its new-game mode).
  void N4Click();
  bool WhoIsGoing();
  void GetCardsFromColoda();

  // --- move rules ---
  TableView Table() const;
  bool CanGo(const TCardRec& card) const;
  bool CanBitsa(const TCardRec& card) const;
  bool ApplyRules(const TCardRec& card, bool goMode) const;
  void PrepareCardsForGoing();

  // --- the computer opponent, seen from its seat ---
  OpponentView OpponentSeat();
  // Where the computer's player comes from; by default the difficulty levels' own players.
  // The factory is asked again at a round's start whenever the Level option has changed.
  using PlayerFactory = std::function<std::unique_ptr<ComputerPlayer>(int level)>;
  void SetPlayerFactory(PlayerFactory factory);
  void PrepareStep();
  int FindGoingCard();
  int FindGoingCardWhichCanGo();
  int FindGoingCardWhichCanBitsa();
  void MakeStep(int position, int kind);

  // --- round and game end ---
  void MoveToBito();
  void MoveToCPU();
  void MoveToUser();
  bool IsGameEnd();
  void YouAreWin();
  void YouAreLose();
  void NoBodyWins();
  void RefreshCounts();
  std::string CountsText() const;

  // --- turn controller ---
  void imgDeskMouseUp(MouseButton button, int x, int y);
  void imgDeskClick();
  // A left click on the card at this position (1..n) of the person's hand, as the table
  // gets it from a press and release over that card: the click's repaint, then the
  // release. The keyboard plays its marked card through here.
  void ClickUserCard(int position);
  void btnEventClick();
  // Pointer hints: updates the status line and says which pointer to show.
  PointerShape imgDeskMouseMove(int x, int y);
  // The status text a pointer move to (x, y) would leave (empty string = unchanged).
  std::string HintAt(int x, int y, PointerShape* shape) const;
  // The hint for the card at this position (1..n) of the person's hand, as the pointer
  // over it gets it; empty for a position outside the hand.
  std::string CardHint(int position) const;
  // Puts that hint into the status line, as a pointer move onto the card does (nothing
  // while either hand is empty).
  void ShowCardHint(int position);

  // --- table ---
  // Sorts the person's hand, then asks the window to paint the table.
  void RepaintDesk();
  // Hand hit test on the person's hand: position 1..n or -1.
  int UnderCard(int x, int y) const;

  // Setters that keep the engine's copy and the window in step.
  void SetStatus(const std::string& text);
  void SetAction(int state, const std::string& caption, bool visible);
  void SetAnimation(bool on);

 private:
  // The left button released over the hand's card at position k, or -1 for no card.
  void LeftReleaseOn(int k);
  // Lays the card at this index of the person's hand on the first free table slot.
  void LayUserCard(int index);
  void HumanAttack(int index);
  void HumanDefence(int index);
  void ClosingStep();
  void DeclareResult(const std::string& text, int32_t& counter, uint8_t result);
  // The 52 card numbers in dealing order: ForcedDeckOrder when it is a full deck,
  // otherwise drawn from the generator.
  void ShuffleDeck(std::array<int, 52>& order);
  // The computer leads a new round; the person is to beat or take.
  void ComputerLeads();

  IGameWindow& window_;
  const IGameOptions& options_;
  IRandom& random_;
  ScoreCounters& score_;
  PlayerFactory playerFactory_;
  std::unique_ptr<ComputerPlayer> player_;
  int playerLevel_ = 0;
  // The counters the score line was last written for.
  bool countsShown_ = false;
  ScoreCounters shownCounts_{};
};

}  // namespace tarlyk
