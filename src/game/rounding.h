// Rounding to the nearest integer with halves going to the even neighbour.
#pragma once

#include <cmath>

namespace tarlyk {

inline long long RoundHalfEven(long double x) {
  const long double fl = std::floor(x);
  const long double diff = x - fl;
  long long r = static_cast<long long>(fl);
  if (diff > 0.5L || (diff == 0.5L && (r % 2 != 0))) ++r;
  return r;
}

inline int RoundHalfEvenInt(double x) { return static_cast<int>(RoundHalfEven(x)); }

}  // namespace tarlyk
