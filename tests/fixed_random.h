// A generator that always answers the same number and remembers the last range asked.
#pragma once

#include "game/game_interfaces.h"

namespace tarlyk {

class FixedRandom : public IRandom {
 public:
  explicit FixedRandom(int value) : value_(value) {}
  int Random(int range) override {
    lastRange = range;
    return value_;
  }
  int lastRange = 0;

 private:
  int value_;
};

}  // namespace tarlyk
