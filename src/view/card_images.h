// The card pictures in memory: faces, tinted faces, backs and turned backs, all ready
// to draw (premultiplied ARGB, transparent where the table should show through).
#pragma once

#include <QImage>
#include <array>
#include <functional>
#include <string>

#include "game/card.h"
#include "game/game_interfaces.h"

namespace tarlyk {

// A list of pictures each made from a picture of another list at its first use (most
// are never drawn) and kept. A picture put into the list by hand stands as it is.
template <size_t N>
class DerivedImages {
 public:
  using Make = QImage (*)(const QImage& source, QRgb parameter);

  // Derives from these sources (shared, not copied) from now on; forgets what was made.
  void Derive(const std::array<QImage, N>& sources, Make make, QRgb parameter) {
    sources_ = sources;
    make_ = make;
    parameter_ = parameter;
    made_ = {};
    done_ = {};
  }
  // Puts a finished picture in place of the derived one.
  void Set(size_t i, QImage image) {
    made_[i] = std::move(image);
    done_[i] = true;
  }

  const QImage& operator[](size_t i) const {
    if (!done_[i]) {
      if (make_ != nullptr && !sources_[i].isNull()) made_[i] = make_(sources_[i], parameter_);
      done_[i] = true;
    }
    return made_[i];
  }
  QImage& operator[](size_t i) {
    static_cast<const DerivedImages&>(*this)[i];
    return made_[i];
  }
  static constexpr size_t size() { return N; }

 private:
  std::array<QImage, N> sources_;
  Make make_ = nullptr;
  QRgb parameter_ = 0;
  mutable std::array<QImage, N> made_;
  mutable std::array<bool, N> done_{};
};

struct CardImages {
  std::array<QImage, 52> ilCards;   // 71 x 96, index = card ID
  DerivedImages<52> ilLightCards;   // 71 x 96, tinted faces, each tinted at first use
  std::array<QImage, 12> ilShorts;  // 71 x 96 backs
  DerivedImages<12> ilShorts90;     // 96 x 71 backs turned a quarter turn clockwise
  int ActiveShortID = 0;            // the back in use, 0..11
  // The library the pictures came from, for its larger pictures (empty: none), and the
  // colour the light faces are tinted towards.
  std::string libraryPath;
  QRgb tint = 0xFFDAEAFDu;  // RGB(218, 234, 253)
};

inline constexpr int kCardBackCount = 12;

struct CardLoadResult {
  enum Status { kOk, kLibraryMissing, kDamaged } status = kOk;
  // The load-error items in loading order, each ending in ", " (empty when all loaded).
  std::string errorList;
};

// Loads every picture from the card library into `out` and fills AllCards[1..52].
//  - exeDir: the directory of the program's executable; "Cards.dll" there is preferred
//    to one found by the system's library search.
//  - tint: the base colour the light faces are tinted towards.
//  - processEvents: called before every card picture, to keep the splash responsive.
//  - loadPlayerPicture: the player-picture step, run after the library is opened and
//    before the faces; it cannot fail the loading.
//  - backThumbnail(n, back): called for every back that loaded, with the keyed
//    (transparent-cornered) back picture.
//  - storedShortId: the ShortID option as stored; -1 (or anything outside 0..11) picks
//    a random back.
// On kLibraryMissing nothing else was loaded; on kDamaged every picture was tried and
// the result's errorList names the ones that could not be stored. The library is
// unloaded before returning.
CardLoadResult LoadCardImages(const std::string& exeDir, QRgb tint, CardImages& out,
                              std::array<TCardRec, 53>& allCards,
                              const std::function<void()>& processEvents,
                              const std::function<void()>& loadPlayerPicture,
                              const std::function<void(int n, const QImage& back)>& backThumbnail,
                              int storedShortId, IRandom& random);

// Caption and texts of the two start-up failure boxes about the card library.
std::string CardLoadCaption();
std::string MissingLibraryText();
// `items` as collected by LoadCardImages (trailing ", " included).
std::string DamagedLibraryText(const std::string& items);

// Pixel helpers used by the loader, exposed for the painter and tests.
// Each channel c becomes 0.2 c + 0.8 t, rounded half to even; alpha is kept.
QRgb TintPixel(QRgb c, QRgb tint);
// A picture of opaque and fully transparent premultiplied pixels (any 32-bit format)
// with every opaque pixel tinted as TintPixel does; the result has the source's format.
QImage TintOpaque(const QImage& source, QRgb tint);
// A quarter turn clockwise: source (x, y) lands at (H - 1 - y, x).
QImage TurnQuarterClockwise(const QImage& source);
// The same with an unused second argument, as DerivedImages takes it.
QImage TurnQuarterClockwiseOf(const QImage& source, QRgb);
// Whether (x, y) is one of the twelve corner pixels the card mask makes transparent.
bool IsCardCornerPixel(int x, int y);

}  // namespace tarlyk
