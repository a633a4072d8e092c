#include "view/card_images.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <cstdint>
#include <span>

#include "game/rounding.h"
#include "view/card_library.h"

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

// Decodes one picture of the library, checking its size from the header before
// decoding anything, so a damaged or oversized picture costs nothing. The result is
// non-premultiplied ARGB32, or null when the picture is unusable.
QImage DecodeCardPicture(std::span<const unsigned char> bytes) {
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) return {};
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);
  if (reader.size() != QSize(kCardWidth, kCardHeight)) return {};
  QImage image = reader.read();
  if (image.size() != QSize(kCardWidth, kCardHeight)) return {};
  // Masking and keying write alpha, so the pixels must carry it (RGB32 would drop it).
  if (image.format() != QImage::Format_ARGB32) image.convertTo(QImage::Format_ARGB32);
  return image;
}

void ApplyCornerMask(QImage& image) {
  const int w = image.width();
  const int h = image.height();
  const QPoint corners[12] = {{0, 0},         {1, 0},         {0, 1},         {w - 2, 0},
                              {w - 1, 0},     {w - 1, 1},     {0, h - 2},     {0, h - 1},
                              {1, h - 1},     {w - 1, h - 2}, {w - 2, h - 1}, {w - 1, h - 1}};
  for (const QPoint& p : corners) {
    reinterpret_cast<QRgb*>(image.scanLine(p.y()))[p.x()] = 0;
  }
}

QImage TintedCopy(const QImage& face, const TintTable& table) {
  QImage light(face.size(), face.format());
  for (int y = 0; y < face.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(face.constScanLine(y));
    auto* dst = reinterpret_cast<QRgb*>(light.scanLine(y));
    for (int x = 0; x < face.width(); ++x) dst[x] = table.Apply(src[x]);
  }
  return light;
}

void KeyOutMagenta(QImage& back) {
  for (int y = 0; y < back.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(back.scanLine(y));
    for (int x = 0; x < back.width(); ++x) {
      if ((line[x] & 0x00FFFFFFu) == kMagentaRgb) line[x] = 0;
    }
  }
}

QImage Premultiplied(QImage image) {
  image.convertTo(QImage::Format_ARGB32_Premultiplied);
  return image;
}

}  // namespace

QRgb TintPixel(QRgb c, QRgb tint) { return TintTable(tint).Apply(c); }

QImage TurnQuarterClockwise(const QImage& source) {
  const QImage src = source.format() == QImage::Format_ARGB32_Premultiplied
                         ? source
                         : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = src.width();
  const int h = src.height();
  QImage out(h, w, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      reinterpret_cast<QRgb*>(out.scanLine(x))[h - 1 - y] = line[x];
    }
  }
  return out;
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
                              const std::function<bool()>& loadPlayerPicture,
                              const std::function<void(int n, const QImage& back)>& backThumbnail,
                              int storedShortId, IRandom& random) {
  CardLoadResult result;
  CardLibrary library;
  if (!library.Open(exeDir)) {
    result.status = CardLoadResult::kLibraryMissing;
    return result;
  }

  std::string& errors = result.errorList;
  if (loadPlayerPicture && !loadPlayerPicture()) errors += "ИЗОБРАЖЕНИЕ_ПОЛЬЗОВАТЕЛЯ, ";

  const TintTable table(tint);
  for (int i = kFirstFace; i <= kLastFace; ++i) {
    if (processEvents) processEvents();
    const size_t id = static_cast<size_t>(i - 1);
    QImage face = DecodeCardPicture(library.Bitmap(i));
    if (face.isNull()) {
      out.ilCards[id] = QImage();
      out.ilLightCards[id] = QImage();
      errors += "№ K-" + std::to_string(i) + ", ";
      errors += "№ ОсвK-" + std::to_string(i) + ", ";
    } else {
      QImage light = TintedCopy(face, table);
      ApplyCornerMask(face);
      ApplyCornerMask(light);
      out.ilCards[id] = Premultiplied(std::move(face));
      out.ilLightCards[id] = Premultiplied(std::move(light));
    }
    allCards[static_cast<size_t>(i)] = CardFromNumber(i);
  }

  int backsStored = 0;
  for (int n = 0; n < kCardBackCount; ++n) {
    if (processEvents) processEvents();
    const int i = kFirstBack + n;
    const size_t slot = static_cast<size_t>(n);
    QImage back = DecodeCardPicture(library.Bitmap(i));
    if (back.isNull()) {
      out.ilShorts[slot] = QImage();
      out.ilShorts90[slot] = QImage();
      errors += "№ O-" + std::to_string(i) + ", ";
      errors += "№ ПовO-" + std::to_string(i) + ", ";
      continue;
    }
    KeyOutMagenta(back);
    out.ilShorts[slot] = Premultiplied(std::move(back));
    ++backsStored;
    if (backThumbnail) backThumbnail(n, out.ilShorts[slot]);
    out.ilShorts90[slot] = TurnQuarterClockwise(out.ilShorts[slot]);
  }

  // A stored number outside the list is treated like "random" rather than trusted.
  if (storedShortId >= 0 && storedShortId < kCardBackCount) {
    out.ActiveShortID = storedShortId;
  } else {
    out.ActiveShortID = backsStored > 0 ? random.Random(backsStored) : 0;
  }

  if (!errors.empty()) result.status = CardLoadResult::kDamaged;
  library.Close();
  return result;
}

std::string CardLoadCaption() { return "Внимание"; }

std::string MissingLibraryText() {
  return "Библиотека ресурсов (Cards.dll) не найдена.\r\r"
         "Была попытка поиска системной библиотеки, но и она была не удачной.\r"
         "Прекращаю работу.\r\r\tКод ошибки: 0-002.";
}

std::string DamagedLibraryText(const std::string& items) {
  std::string list = items;
  if (list.size() >= 2 && list.compare(list.size() - 2, 2, ", ") == 0) {
    list.resize(list.size() - 2);
  }
  list += ".";
  return "Библиотека ресурсов (Cards.dll) повреждена.\r\r"
         "Список карт, которые не удалось загрузить:\r" +
         list + "\r\rПрекращаю работу.\r\r\tКод ошибки: 0-003.";
}

}  // namespace tarlyk
