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

struct CardImages {
  std::array<QImage, 52> ilCards;       // 71 x 96, index = card ID
  std::array<QImage, 52> ilLightCards;  // 71 x 96, tinted faces
  std::array<QImage, 12> ilShorts;      // 71 x 96 backs
  std::array<QImage, 12> ilShorts90;    // 96 x 71 backs turned a quarter turn clockwise
  int ActiveShortID = 0;                // the back in use, 0..11
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
// A quarter turn clockwise: source (x, y) lands at (H - 1 - y, x).
QImage TurnQuarterClockwise(const QImage& source);
// Whether (x, y) is one of the twelve corner pixels the card mask makes transparent.
bool IsCardCornerPixel(int x, int y);

}  // namespace tarlyk
