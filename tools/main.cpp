// tarlyk-sim: reads driver commands from standard input (or a file) and answers on
// standard output; `tarlyk-sim selfplay ...` plays whole games with a bot.
#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string_view>

#include "self_play.h"
#include "sim_driver.h"

namespace {

constexpr const char* kUsage =
    "usage: tarlyk-sim [SCRIPT]\n"
    "       tarlyk-sim selfplay --games N [--seed S] [--level 0|1|2] [--deck 36|52]\n"
    "                           [--bot random|lowest|mirror|level0|level1|level2] [--check]\n";

template <typename T>
bool ParseNumber(const char* text, T* value) {
  const char* end = text + std::strlen(text);
  auto [ptr, ec] = std::from_chars(text, end, *value);
  return ec == std::errc() && ptr == end;
}

int SelfPlayMain(int argc, char** argv) {
  tarlyk::SelfPlayConfig config;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    bool ok = true;
    if (arg == "--check") {
      config.check = true;
      continue;
    }
    if (value == nullptr) {
      ok = false;
    } else if (arg == "--games") {
      ok = ParseNumber(value, &config.games) && config.games >= 0;
    } else if (arg == "--seed") {
      ok = ParseNumber(value, &config.seed);
    } else if (arg == "--level") {
      ok = ParseNumber(value, &config.level) && config.level >= 0 && config.level <= 2;
    } else if (arg == "--deck") {
      ok = ParseNumber(value, &config.deck) && (config.deck == 36 || config.deck == 52);
    } else if (arg == "--bot") {
      const std::string_view bot = value;
      if (bot == "random") {
        config.bot = tarlyk::BotKind::kRandom;
      } else if (bot == "lowest") {
        config.bot = tarlyk::BotKind::kLowest;
      } else if (bot == "mirror") {
        config.bot = tarlyk::BotKind::kMirror;
      } else if (bot == "level0") {
        config.bot = tarlyk::BotKind::kLevel0;
      } else if (bot == "level1") {
        config.bot = tarlyk::BotKind::kLevel1;
      } else if (bot == "level2") {
        config.bot = tarlyk::BotKind::kLevel2;
      } else {
        ok = false;
      }
    } else {
      ok = false;
    }
    if (!ok) {
      std::cerr << "tarlyk-sim: bad argument " << arg << "\n" << kUsage;
      return 2;
    }
    ++i;
  }
  return tarlyk::RunSelfPlay(config);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string_view(argv[1]) == "selfplay") return SelfPlayMain(argc, argv);
  if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
    std::cerr << kUsage;
    return 2;
  }
  tarlyk::SimDriver driver;
  if (argc == 2) {
    std::ifstream in(argv[1]);
    if (!in) {
      std::cerr << "tarlyk-sim: cannot open " << argv[1] << "\n";
      return 2;
    }
    driver.Run(in, std::cout);
  } else {
    driver.Run(std::cin, std::cout);
  }
  return 0;
}
