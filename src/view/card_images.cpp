#include "view/card_images.h"

#include <sys/mman.h>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QList>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "game/rounding.h"
#include "view/card_library.h"
#include "view/card_png.h"
#include "view/view_texts.h"

namespace tarlyk {

namespace {

constexpr int kFirstFace = 1;
constexpr int kLastFace = 52;
constexpr int kFirstBack = 54;
constexpr QRgb kMagentaRgb = 0x00FF00FFu;

// Per-channel lookup tables of the tint, so each pixel costs three table reads.
struct TintTable {
  explicit TintTable(QRgb tint) {
    const int base[3] = {qRed(tint), qGreen(tint), qBlue(tint)};
    for (int ch = 0; ch < 3; ++ch) {
      for (int c = 0; c < 256; ++c) {
        lut[ch][c] = static_cast<uint8_t>(RoundHalfEvenInt(0.2 * c + 0.8 * base[ch]));
      }
    }
  }
  QRgb Apply(QRgb c) const {
    return qRgba(lut[0][qRed(c)], lut[1][qGreen(c)], lut[2][qBlue(c)], qAlpha(c));
  }
  uint8_t lut[3][256];
};

// The card pictures of one loading, in one block of memory, shared by the pictures made
// in it and freed with the last of them. The block is aligned to a huge page and asks
// for one (a hint the system may ignore), so that where transparent huge pages are
// offered all the pictures cost one page fault instead of one for every 4 KiB; each fault
// is dear, in a virtual machine most of all. Elsewhere the pages come as they are written.
class PictureBlock {
 public:
  explicit PictureBlock(int pictures) {
    const size_t size = static_cast<size_t>(pictures) * kPictureBytes;
    const size_t length = (size + kHugePage - 1) / kHugePage * kHugePage;
    void* base = std::aligned_alloc(kHugePage, length);
    if (base == nullptr) return;
#if defined(MADV_HUGEPAGE)
    madvise(base, length, MADV_HUGEPAGE);
#endif
    shared_ = new Shared{static_cast<unsigned char*>(base), 1};
    count_ = pictures;
  }
  ~PictureBlock() {
    if (shared_ != nullptr) Release(shared_);
  }
  PictureBlock(const PictureBlock&) = delete;
  PictureBlock& operator=(const PictureBlock&) = delete;

  // A picture of the card size in the block, or one of its own when the block is full
  // or was not to be had.
  QImage Take() {
    if (shared_ == nullptr || next_ >= count_) {
      return QImage(kCardWidth, kCardHeight, QImage::Format_ARGB32_Premultiplied);
    }
    uchar* data = shared_->base + static_cast<size_t>(next_++) * kPictureBytes;
    shared_->users.fetch_add(1);
    return QImage(data, kCardWidth, kCardHeight, kCardWidth * 4,
                  QImage::Format_ARGB32_Premultiplied, &PictureBlock::Release, shared_);
  }

 private:
  static constexpr size_t kHugePage = size_t{2} << 20;
  static constexpr size_t kPictureBytes = size_t{kCardWidth} * kCardHeight * 4;

  struct Shared {
    unsigned char* base;
    std::atomic<int> users;
  };
  // Called for the block itself and for each picture when its last copy goes.
  static void Release(void* info) {
    auto* shared = static_cast<Shared*>(info);
    if (shared->users.fetch_sub(1) == 1) {
      std::free(shared->base);
      delete shared;
    }
  }

  Shared* shared_ = nullptr;
  int next_ = 0;
  int count_ = 0;
};

// One of the library's own opaque pictures of the card size, decoded straight into its
// final form (premultiplied, `key` transparent) in the block; null when it takes the
// general path.
QImage QuickOpaque(std::span<const unsigned char> bytes, std::optional<QRgb> key,
                   PictureBlock& block) {
  if (bytes.empty()) return {};
  QImage image = block.Take();
  if (!DecodeStoredPngOpaque(bytes, key, image)) return {};
  return image;
}

// Decodes one picture of the library, checking its size from the header before
// decoding anything, so a damaged or oversized picture costs nothing. The result is
// null when the picture is unusable.
QImage DecodeCardPicture(std::span<const unsigned char> bytes) {
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) return {};
  // The library's own pictures take the quick path; anything it does not take (another
  // encoding, or damage) goes through the general reader, which judges it as before.
  if (QImage quick = DecodeStoredPng(bytes); !quick.isNull()) {
    if (quick.size() != QSize(kCardWidth, kCardHeight)) return {};
    return quick;
  }
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);
  if (reader.size() != QSize(kCardWidth, kCardHeight)) return {};
  QImage image = reader.read();
  if (image.size() != QSize(kCardWidth, kCardHeight)) return {};
  return image;
}

void ApplyCornerMask(QImage& image) {
  const int w = image.width();
  const int h = image.height();
  const QPoint corners[12] = {{0, 0},     {1, 0},         {0, 1},         {w - 2, 0},
                              {w - 1, 0}, {w - 1, 1},     {0, h - 2},     {0, h - 1},
                              {1, h - 1}, {w - 1, h - 2}, {w - 2, h - 1}, {w - 1, h - 1}};
  for (const QPoint& p : corners) {
    reinterpret_cast<QRgb*>(image.scanLine(p.y()))[p.x()] = 0;  // transparent in any ARGB
  }
}

QImage Premultiplied(const QImage& image) {
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Whether every pixel of a decoded picture is opaque.
bool IsOpaque(const QImage& decoded) {
  if (decoded.format() == QImage::Format_RGB32) return true;
  if (decoded.format() != QImage::Format_Indexed8) return !decoded.hasAlphaChannel();
  const QList<QRgb> colors = decoded.colorTable();
  return std::all_of(colors.begin(), colors.end(), [](QRgb c) { return qAlpha(c) == 255; });
}

// A face, premultiplied and masked. An opaque face is tinted at its first use, by
// TintOpaque, which gives exactly what tinting it here would; a face with translucent
// pixels is tinted here, before its alpha is premultiplied, into `light`.
void PrepareFace(const QImage& decoded, const TintTable& table, QImage& face, QImage& light) {
  if (decoded.format() == QImage::Format_RGB32) {
    // Opaque pixels are already premultiplied: the face only takes a copy (at its
    // masking).
    face = decoded;
    face.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
  } else if (IsOpaque(decoded)) {
    face = Premultiplied(decoded);
  } else {
    const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
    QImage tinted(argb.size(), QImage::Format_ARGB32);
    const int w = argb.width();
    for (int y = 0; y < argb.height(); ++y) {
      const auto* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
      auto* dst = reinterpret_cast<QRgb*>(tinted.scanLine(y));
      for (int x = 0; x < w; ++x) dst[x] = table.Apply(src[x]);
    }
    face = Premultiplied(argb);
    light = Premultiplied(tinted);
    ApplyCornerMask(light);
  }
  ApplyCornerMask(face);
}

// A back, premultiplied, with every exact RGB(255, 0, 255) pixel made transparent.
QImage PrepareBack(const QImage& decoded) {
  if (decoded.format() == QImage::Format_Indexed8) {
    QImage keyed = decoded;
    QList<QRgb> colors = decoded.colorTable();
    for (QRgb& c : colors)
      if ((c & 0x00FFFFFFu) == kMagentaRgb) c = 0;
    keyed.setColorTable(colors);
    return Premultiplied(keyed);
  }
  // Keyed pixels become 0 and the rest keep their alpha, so with opaque pixels the
  // keyed picture is already premultiplied.
  const bool opaque = decoded.format() == QImage::Format_RGB32;
  QImage back = decoded.convertToFormat(QImage::Format_ARGB32);
  const int w = back.width();
  for (int y = 0; y < back.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(back.scanLine(y));
    for (int x = 0; x < w; ++x) {
      if ((line[x] & 0x00FFFFFFu) == kMagentaRgb) line[x] = 0;
    }
  }
  if (opaque) {
    back.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return back;
  }
  return Premultiplied(back);
}

}  // namespace

QRgb TintPixel(QRgb c, QRgb tint) {
  return TintTable(tint).Apply(c);
}

QImage TintOpaque(const QImage& source, QRgb tint) {
  const TintTable table(tint);
  QImage out(source.size(), source.format());
  if (out.isNull() || source.depth() != 32) return {};
  const int w = source.width();
  for (int y = 0; y < source.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const QRgb c = src[x];
      if (qAlpha(c) == 255) {
        dst[x] = table.Apply(c);
      } else if (qAlpha(c) == 0) {
        dst[x] = c;
      } else {
        dst[x] = qPremultiply(table.Apply(qUnpremultiply(c)));
      }
    }
  }
  return out;
}

QImage TurnQuarterClockwise(const QImage& source) {
  const QImage src = source.format() == QImage::Format_ARGB32_Premultiplied
                         ? source
                         : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = src.width();
  const int h = src.height();
  QImage out(h, w, QImage::Format_ARGB32_Premultiplied);
  if (out.isNull()) return out;
  uchar* const bits = out.bits();
  const qsizetype stride = out.bytesPerLine();
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    uchar* column = bits + static_cast<qsizetype>(h - 1 - y) * 4;
    for (int x = 0; x < w; ++x) {
      *reinterpret_cast<QRgb*>(column + x * stride) = line[x];
    }
  }
  return out;
}

QImage TurnQuarterClockwiseOf(const QImage& source, QRgb) {
  return TurnQuarterClockwise(source);
}

bool IsCardCornerPixel(int x, int y) {
  if (x < 0 || y < 0 || x >= kCardWidth || y >= kCardHeight) return false;
  const int cx = x < kCardWidth / 2 ? x : kCardWidth - 1 - x;
  const int cy = y < kCardHeight / 2 ? y : kCardHeight - 1 - y;
  return (cx == 0 && cy == 0) || (cx == 1 && cy == 0) || (cx == 0 && cy == 1);
}

CardLoadResult LoadCardImages(const std::string& exeDir, QRgb tint, CardImages& out,
                              std::array<TCardRec, 53>& allCards,
                              const std::function<void()>& processEvents,
                              const std::function<void()>& loadPlayerPicture,
                              const std::function<void(int n, const QImage& back)>& backThumbnail,
                              int storedShortId, IRandom& random) {
  CardLoadResult result;
  CardLibrary library;
  if (!library.Open(exeDir)) {
    result.status = CardLoadResult::kLibraryMissing;
    return result;
  }

  std::string& errors = result.errorList;
  // The account picture is the person's own choice and not part of the library: one
  // that cannot be used leaves the built-in picture and is never a load error.
  if (loadPlayerPicture) loadPlayerPicture();

  const TintTable table(tint);
  std::array<QImage, kLastFace> translucentLight;
  PictureBlock block(kLastFace + kCardBackCount);
  for (int i = kFirstFace; i <= kLastFace; ++i) {
    if (processEvents) processEvents();
    const size_t id = static_cast<size_t>(i - 1);
    const std::span<const unsigned char> bytes = library.Bitmap(i);
    // The library's own faces are decoded straight into their final form.
    QImage face = QuickOpaque(bytes, std::nullopt, block);
    const QImage decoded = face.isNull() ? DecodeCardPicture(bytes) : QImage();
    if (!face.isNull()) {
      ApplyCornerMask(face);
      out.ilCards[id] = std::move(face);
    } else if (decoded.isNull()) {
      out.ilCards[id] = QImage();
      errors += kFaceItem + std::to_string(i) + ", ";
      errors += kLightFaceItem + std::to_string(i) + ", ";
    } else {
      PrepareFace(decoded, table, out.ilCards[id], translucentLight[id]);
    }
    allCards[static_cast<size_t>(i)] = CardFromNumber(i);
  }
  // The tinted faces are made as they are first drawn; most never are.
  out.tint = tint;
  out.ilLightCards.Derive(out.ilCards, &TintOpaque, tint);
  for (size_t id = 0; id < translucentLight.size(); ++id) {
    if (!translucentLight[id].isNull()) out.ilLightCards.Set(id, translucentLight[id]);
  }

  int backsStored = 0;
  for (int n = 0; n < kCardBackCount; ++n) {
    if (processEvents) processEvents();
    const int i = kFirstBack + n;
    const size_t slot = static_cast<size_t>(n);
    const std::span<const unsigned char> bytes = library.Bitmap(i);
    QImage back = QuickOpaque(bytes, kMagentaRgb, block);
    const QImage decoded = back.isNull() ? DecodeCardPicture(bytes) : QImage();
    if (back.isNull() && decoded.isNull()) {
      out.ilShorts[slot] = QImage();
      errors += kBackItem + std::to_string(i) + ", ";
      errors += kTurnedBackItem + std::to_string(i) + ", ";
      continue;
    }
    out.ilShorts[slot] = back.isNull() ? PrepareBack(decoded) : std::move(back);
    ++backsStored;
    if (backThumbnail) backThumbnail(n, out.ilShorts[slot]);
  }
  // Only the back in use is ever turned for the stock: each is turned at its first use.
  out.ilShorts90.Derive(out.ilShorts, &TurnQuarterClockwiseOf, 0);

  // A stored number outside the list is treated like "random" rather than trusted.
  if (storedShortId >= 0 && storedShortId < kCardBackCount) {
    out.ActiveShortID = storedShortId;
  } else {
    out.ActiveShortID = backsStored > 0 ? random.Random(backsStored) : 0;
  }

  if (!errors.empty()) result.status = CardLoadResult::kDamaged;
  out.libraryPath = library.Path();
  library.Close();
  return result;
}

std::string CardLoadCaption() {
  return kStartupFailureCaption;
}

std::string MissingLibraryText() {
  return kMissingLibraryText;
}

std::string DamagedLibraryText(const std::string& items) {
  std::string list = items;
  if (list.size() >= 2 && list.compare(list.size() - 2, 2, ", ") == 0) {
    list.resize(list.size() - 2);
  }
  list += ".";
  return kDamagedLibraryHead + list + kDamagedLibraryTail;
}

}  // namespace tarlyk
