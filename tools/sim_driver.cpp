#include "sim_driver.h"

#include <charconv>
#include <cstdio>
#include <set>
#include <vector>

#include "card_notation.h"
#include "game/hand_layout.h"
#include "settings/startup_values.h"

namespace tarlyk {
namespace {

std::vector<std::string_view> Split(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool ParseInt(std::string_view text, long long* value) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, *value);
  return ec == std::errc() && ptr == end;
}

bool ParseInt(std::string_view text, int* value) {
  long long v = 0;
  if (!ParseInt(text, &v) || v < INT32_MIN || v > INT32_MAX) return false;
  *value = static_cast<int>(v);
  return true;
}

bool ParseBit(std::string_view text, bool* value) {
  if (text == "0" || text == "1") {
    *value = text == "1";
    return true;
  }
  return false;
}

std::string Error(const std::string& what) {
  return "error: " + what + "\n";
}

std::string FormatLongDouble(const char* format, long double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

std::string SlotList(std::span<const TCardRec> pile) {
  std::string s;
  for (size_t i = 0; i < pile.size(); ++i) {
    if (!IsPresent(pile[i])) continue;
    s += ' ' + std::to_string(i) + ':' + CardNotation(pile[i]);
  }
  return s;
}

// Everything a game is made of, so that a TdmData built for another name takes over
// the running game unchanged.
void CopyGameState(const TdmData& from, TdmData& to) {
  to.AllCards = from.AllCards;
  to.ColodaCards = from.ColodaCards;
  to.UserCards = from.UserCards;
  to.CPUCards = from.CPUCards;
  to.BitoCards = from.BitoCards;
  to.DeskCards = from.DeskCards;
  to.KozirCard = from.KozirCard;
  to.WhoGoing = from.WhoGoing;
  to.LastResult = from.LastResult;
  to.GameActive = from.GameActive;
  to.ThrowInMode = from.ThrowInMode;
  to.GameStage = from.GameStage;
  to.ActionState = from.ActionState;
  to.ActionCaption = from.ActionCaption;
  to.ActionVisible = from.ActionVisible;
  to.StatusText = from.StatusText;
  to.AnimationOn = from.AnimationOn;
  to.ForcedDeckOrder = from.ForcedDeckOrder;
}

}  // namespace

void HandCardPoint(int k, int n, int tableWidth, int tableHeight, int* x, int* y) {
  const int left = HandCardX(k - 1, n, tableWidth);
  int right = left + kCardWidth - 1;
  if (k < n) right = std::min(right, HandCardX(k, n, tableWidth) - 1);
  *x = (left + right) / 2;
  *y = tableHeight - 101 + kCardHeight / 2;
}

SimDriver::SimDriver() {
  data_ = std::make_unique<TdmData>(window_, options_, random_, score_, DisplayNameFor(""));
}

void SimDriver::Login(const std::string& name) {
  // The name goes through the same rule as the real login name.
  const std::string login = LoginNameOrUnknown(name.c_str());
  auto fresh = std::make_unique<TdmData>(window_, options_, random_, score_, DisplayNameFor(login));
  CopyGameState(*data_, *fresh);
  // A status line showing one of the old name's texts switches to the new name's.
  const std::pair<const std::string*, const std::string*> texts[] = {
      {&data_->MsgUserGoes, &fresh->MsgUserGoes},   {&data_->MsgUserBeats, &fresh->MsgUserBeats},
      {&data_->MsgCPUTakes, &fresh->MsgCPUTakes},   {&data_->MsgUserWins, &fresh->MsgUserWins},
      {&data_->MsgUserLoses, &fresh->MsgUserLoses}, {&data_->MsgNobodyWins, &fresh->MsgNobodyWins}};
  std::string status = data_->StatusText;
  for (const auto& [before, after] : texts) {
    if (status == *before) {
      status = *after;
      break;
    }
  }
  data_ = std::move(fresh);
  data_->StatusText = status;
  window_.SetStatus(status);
  window_.SetActionButton(data_->ActionState, data_->ActionCaption, data_->ActionVisible);
  window_.SetAnimationTimer(data_->AnimationOn);
}

bool SimDriver::CardPoint(int k, int* x, int* y) const {
  const int n = GetCardsCount(data_->UserCards);
  if (k < 1 || k > n) return false;
  HandCardPoint(k, n, window_.TableWidth(), window_.TableHeight(), x, y);
  return true;
}

std::string SimDriver::Call(std::string_view name) {
  TdmData& d = *data_;
  auto bit = [](bool b) { return std::string(b ? "1\n" : "0\n"); };
  auto num = [](int v) { return std::to_string(v) + "\n"; };
  if (name == "PrepareStep") {
    d.PrepareStep();
  } else if (name == "PrepareCardsForGoing") {
    d.PrepareCardsForGoing();
  } else if (name == "GetCardsFromColoda") {
    d.GetCardsFromColoda();
  } else if (name == "ClearArrays") {
    d.ClearArrays();
  } else if (name == "MoveToBito") {
    d.MoveToBito();
  } else if (name == "MoveToCPU") {
    d.MoveToCPU();
  } else if (name == "MoveToUser") {
    d.MoveToUser();
  } else if (name == "RefreshCounts") {
    d.RefreshCounts();
  } else if (name == "IsGameEnd") {
    return bit(d.IsGameEnd());
  } else if (name == "WhoIsGoing") {
    return bit(d.WhoIsGoing());
  } else if (name == "FindGoingCard") {
    return num(d.FindGoingCard());
  } else if (name == "FindGoingCardWhichCanGo") {
    return num(d.FindGoingCardWhichCanGo());
  } else if (name == "FindGoingCardWhichCanBitsa") {
    return num(d.FindGoingCardWhichCanBitsa());
  } else {
    return Error("unknown operation " + std::string(name));
  }
  return "ok\n";
}

std::string SimDriver::Execute(std::string_view line) {
  if (const auto hash = line.find('#'); hash != std::string_view::npos) {
    line = line.substr(0, hash);
  }
  const std::vector<std::string_view> w = Split(line);
  if (w.empty()) return {};
  const std::string_view cmd = w[0];
  const size_t argc = w.size() - 1;
  TdmData& d = *data_;
  auto usage = [&](const char* form) { return Error("usage: " + std::string(form)); };

  if (cmd == "dump") return Dump();

  if (cmd == "opt") {
    if (argc != 2) return usage("opt KEY VALUE");
    const std::string_view key = w[1];
    int v = 0;
    if (!ParseInt(w[2], &v)) return Error("bad value " + std::string(w[2]));
    if (key == "CardsCount") {
      options_.cardsCount = v;
    } else if (key == "FirstStep") {
      options_.firstStep = v;
    } else if (key == "LastCardsTo") {
      options_.lastCardsTo = v;
    } else if (key == "Level") {
      options_.level = v;
    } else if (key == "DisabledCardsType") {
      options_.disabledCardsType = v;
    } else if (key == "UseRightMouse") {
      options_.useRightMouse = v != 0;
    } else if (key == "EndAnimation") {
      options_.endAnimation = v != 0;
    } else if (key == "ShowSuperCard") {
      options_.showSuperCard = v != 0;
    } else if (key == "ShowMedals") {
      options_.showMedals = v != 0;
    } else {
      return Error("unknown option " + std::string(key));
    }
    return {};
  }

  if (cmd == "login") {
    // The name is the rest of the line, inner blanks kept.
    std::string name;
    if (argc > 0) {
      const char* begin = w[1].data();
      const char* end = w.back().data() + w.back().size();
      name.assign(begin, end);
    }
    Login(name);
    return {};
  }

  if (cmd == "seed") {
    long long s = 0;
    if (argc != 1 || !ParseInt(w[1], &s)) return usage("seed N");
    random_.Seed(static_cast<uint64_t>(s));
    return {};
  }

  if (cmd == "deck") {
    if (argc != 52) return usage("deck N1 ... N52");
    std::vector<int> order;
    std::set<int> seen;
    for (size_t i = 1; i <= 52; ++i) {
      int n = 0;
      if (!ParseInt(w[i], &n) || n < 1 || n > 52 || !seen.insert(n).second) {
        return Error("deck must hold each of 1..52 once");
      }
      order.push_back(n);
    }
    d.ForcedDeckOrder = std::move(order);
    return {};
  }

  if (cmd == "score") {
    int v[3] = {};
    // Any 32-bit counts: a settings file may hold negative ones, and the score line copes.
    if (argc != 3 || !ParseInt(w[1], &v[0]) || !ParseInt(w[2], &v[1]) || !ParseInt(w[3], &v[2])) {
      return usage("score W L N");
    }
    score_.Wins = v[0];
    score_.Loses = v[1];
    score_.Nones = v[2];
    d.RefreshCounts();
    return {};
  }

  if (cmd == "lastresult") {
    int r = 0;
    if (argc != 1 || !ParseInt(w[1], &r) || r < 0 || r > 255) return usage("lastresult R");
    d.LastResult = static_cast<uint8_t>(r);
    return {};
  }

  if (cmd == "set") {
    if (argc == 2) {
      const std::string_view what = w[1];
      if (what == "kozir") {
        const auto card = ParseCard(w[2]);
        if (!card) return Error("bad card " + std::string(w[2]));
        d.KozirCard = *card;
        return {};
      }
      bool b = false;
      if (!ParseBit(w[2], &b)) return Error("bad value " + std::string(w[2]));
      if (what == "who") {
        d.WhoGoing = b ? 1 : 0;
      } else if (what == "throwin") {
        d.ThrowInMode = b;
      } else if (what == "active") {
        d.GameActive = b;
      } else {
        return Error("unknown setting " + std::string(what));
      }
      return {};
    }
    if (argc == 3) {
      const std::string_view pileName = w[1];
      Pile pile;
      if (pileName == "coloda") {
        pile = d.ColodaCards;
      } else if (pileName == "user") {
        pile = d.UserCards;
      } else if (pileName == "cpu") {
        pile = d.CPUCards;
      } else if (pileName == "bito") {
        pile = d.BitoCards;
      } else if (pileName == "desk") {
        pile = d.DeskCards;
      } else {
        return Error("unknown pile " + std::string(pileName));
      }
      int slot = 0;
      if (!ParseInt(w[2], &slot) || slot < 0 || slot >= static_cast<int>(pile.size())) {
        return Error("bad slot " + std::string(w[2]));
      }
      const auto card = ParseCard(w[3]);
      if (!card) return Error("bad card " + std::string(w[3]));
      pile[slot] = *card;
      return {};
    }
    return usage("set who|throwin|active 0|1, set kozir CARD or set PILE SLOT CARD");
  }

  if (cmd == "new") {
    if (argc > 1 || (argc == 1 && w[1] != "yes" && w[1] != "no")) return usage("new [yes|no]");
    window_.abandonAnswer = argc == 0 || w[1] == "yes";
    d.N4Click();
    return {};
  }

  if (cmd == "click" || cmd == "right" || cmd == "middle" || cmd == "hover" || cmd == "undercard") {
    int x = 0;
    int y = 0;
    if (argc != 2 || !ParseInt(w[1], &x) || !ParseInt(w[2], &y)) {
      return usage((std::string(cmd) + " X Y").c_str());
    }
    if (cmd == "click") {
      // A left release on the picture is a click first, then the release itself.
      d.imgDeskClick();
      d.imgDeskMouseUp(MouseButton::kLeft, x, y);
    } else if (cmd == "right") {
      d.imgDeskMouseUp(MouseButton::kRight, x, y);
    } else if (cmd == "middle") {
      d.imgDeskMouseUp(MouseButton::kMiddle, x, y);
    } else if (cmd == "hover") {
      d.imgDeskMouseMove(x, y);
      return "status: " + window_.status + "\n";
    } else {
      return std::to_string(d.UnderCard(x, y)) + "\n";
    }
    return {};
  }

  if (cmd == "card") {
    int k = 0;
    int x = 0;
    int y = 0;
    if (argc != 1 || !ParseInt(w[1], &k)) return usage("card K");
    if (!CardPoint(k, &x, &y)) return Error("no card " + std::string(w[1]) + " in the hand");
    d.imgDeskClick();
    d.imgDeskMouseUp(MouseButton::kLeft, x, y);
    return {};
  }

  if (cmd == "button") {
    if (argc != 0) return usage("button");
    if (!d.ActionVisible) return Error("button hidden");
    d.btnEventClick();
    return {};
  }

  if (cmd == "call") {
    if (argc != 1) return usage("call NAME");
    return Call(w[1]);
  }

  if (cmd == "cango" || cmd == "canbitsa") {
    if (argc != 1) return usage((std::string(cmd) + " CARD").c_str());
    const auto card = ParseCard(w[1]);
    if (!card) return Error("bad card " + std::string(w[1]));
    const bool ok = cmd == "cango" ? d.CanGo(*card) : d.CanBitsa(*card);
    return ok ? "1\n" : "0\n";
  }

  return Error("unknown command " + std::string(cmd));
}

std::string SimDriver::Dump() const {
  const TdmData& d = *data_;
  std::string s;
  s += "stock: " + std::to_string(GetCardsCount(d.ColodaCards)) + SlotList(d.ColodaCards) + "\n";
  s += "kozir: " + CardNotation(d.KozirCard) + "\n";
  s += "user:" + SlotList(d.UserCards) + "\n";
  s += "cpu:" + SlotList(d.CPUCards) + "\n";
  s += "desk:" + SlotList(d.DeskCards) + "\n";
  s += "bito: " + std::to_string(GetCardsCount(d.BitoCards)) + "\n";
  s += "who: " + std::to_string(d.WhoGoing) + "\n";
  s += "throwin: " + std::to_string(d.ThrowInMode ? 1 : 0) + "\n";
  s += "active: " + std::to_string(d.GameActive ? 1 : 0) + "\n";
  s += "action: " + std::to_string(window_.actionState) + " " +
       std::to_string(window_.actionVisible ? 1 : 0) + "\n";
  s += "status: " + window_.status + "\n";
  s += "counts: " + std::to_string(score_.Wins) + " " + std::to_string(score_.Loses) + " " +
       std::to_string(score_.Nones) + "\n";
  s += "score: " + window_.counts + "\n";
  s += "lastresult: " + std::to_string(d.LastResult) + "\n";
  s += "stage: " + FormatLongDouble("%.10Lf", d.GameStage) + "\n";
  s += "koefs:";
  for (size_t i = 0; i < d.CPUCards.size(); ++i) {
    const TCardRec& c = d.CPUCards[i];
    if (!IsPresent(c)) continue;
    s += ' ' + std::to_string(i) + ':' + FormatLongDouble("%.6Lf", c.GoKoef) + '/' +
         FormatLongDouble("%.6Lf", c.BitsaKoef);
  }
  s += "\n";
  s += "animation: " + std::to_string(window_.animation ? 1 : 0) + "\n";
  return s;
}

void SimDriver::Run(std::istream& in, std::ostream& out) {
  std::string line;
  while (std::getline(in, line)) {
    out << Execute(line);
    out.flush();
  }
}

}  // namespace tarlyk
