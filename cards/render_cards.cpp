// Build-time tool: renders the 52 card faces and 12 card backs from SVG card decks into
// 71 x 96 PNG pictures (unfiltered, uncompressed) and writes them as a C++ source of byte arrays,
// which the card library compiles in. It also renders every picture at two and three times
// that size for screens of high pixel density, as plain 32-bit pixels in one file per size
// beside PIXELS.cpp, which includes them as they are. Optionally also writes contact sheets
// of all pictures (SHEET.png, and SHEET-2x.png and SHEET-3x.png).
//
// Usage: render_cards BITMAPS.cpp PIXELS.cpp STANDARD.svgz NICU_WHITE.svgz EXTRA.svgz [SHEET.png]

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 71;
constexpr int kHeight = 96;
constexpr int kSupersample = 4;
constexpr QRgb kMagenta = 0xFFFF00FFu;
// The larger sizes, as multiples of 71 x 96.
constexpr int kPixelScales[] = {2, 3};

// The fixed corner mask of the game hides these three pixels in each corner.
bool IsMaskedCorner(int x, int y) {
  const int cx = x < kWidth / 2 ? x : kWidth - 1 - x;
  const int cy = y < kHeight / 2 ? y : kHeight - 1 - y;
  return (cx == 0 && cy == 0) || (cx == 1 && cy == 0) || (cx == 0 && cy == 1);
}

// One picture of a deck: the element `id`, or, when `parts` is not empty, only those
// elements of it, each drawn where it lies within `id` (the rest of `id` is left out).
struct Artwork {
  QSvgRenderer* deck;
  QString id;
  QStringList parts;
};

// Where an element lies in the document, every transform applied.
QRectF DocumentBounds(QSvgRenderer& renderer, const QString& id) {
  return renderer.transformForElement(id).mapRect(renderer.boundsOnElement(id));
}

QImage RenderInto(const Artwork& art, QSize size, const QRectF& target) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (art.parts.isEmpty()) {
    art.deck->render(&painter, art.id, target);
  } else {
    const QRectF frame = DocumentBounds(*art.deck, art.id);
    const double sx = target.width() / frame.width();
    const double sy = target.height() / frame.height();
    for (const QString& part : art.parts) {
      const QRectF b = DocumentBounds(*art.deck, part);
      art.deck->render(
          &painter, part,
          QRectF(target.x() + (b.x() - frame.x()) * sx, target.y() + (b.y() - frame.y()) * sy,
                 b.width() * sx, b.height() * sy));
    }
  }
  return image;
}

// The bounding box of the (nearly) opaque pixels.
QRect SolidBounds(const QImage& image) {
  int x0 = image.width(), y0 = image.height(), x1 = -1, y1 = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(line[x]) >= 250) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
    }
  }
  return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
}

// Renders one element to exactly `scale` times 71 x 96. An element drawn for that size is
// rendered directly (its pixel-aligned artwork stays crisp at whole multiples); anything
// else is rendered larger and scaled down smoothly.
QImage RenderElement(const Artwork& art, int scale) {
  const int width = kWidth * scale;
  const int height = kHeight * scale;
  const QRectF bounds = DocumentBounds(*art.deck, art.id);
  const bool native = qRound(bounds.width()) == kWidth && qRound(bounds.height()) == kHeight;
  const int over = native ? 1 : kSupersample;
  const QRectF full(0, 0, width * over, height * over);
  QImage big = RenderInto(art, full.size().toSize(), full);
  if (!native) {
    // Some decks draw a drop shadow or margin inside the element's bounds; stretch the
    // element so that its solid card body fills the picture.
    const QRect body = SolidBounds(big);
    if (body.isValid() && body.size() != big.size()) {
      const double sx = full.width() / body.width();
      const double sy = full.height() / body.height();
      big =
          RenderInto(art, big.size(),
                     QRectF(-body.x() * sx, -body.y() * sy, full.width() * sx, full.height() * sy));
    }
  }
  QImage result =
      native ? big : big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return result.convertToFormat(QImage::Format_ARGB32);
}

// The element and its parts exist, and every part lies within the element (a part
// named from elsewhere in the deck would be drawn into the picture).
bool Usable(const Artwork& art) {
  if (!art.deck->elementExists(art.id)) {
    std::fprintf(stderr, "render_cards: no element %s\n", qPrintable(art.id));
    return false;
  }
  const QRectF frame = DocumentBounds(*art.deck, art.id);
  for (const QString& part : art.parts) {
    if (!art.deck->elementExists(part) ||
        !frame.adjusted(-0.01, -0.01, 0.01, 0.01).contains(DocumentBounds(*art.deck, part))) {
      std::fprintf(stderr, "render_cards: no element %s within %s\n", qPrintable(part),
                   qPrintable(art.id));
      return false;
    }
  }
  return true;
}

// The corner mask at `scale` times the size: each masked pixel becomes a scale x scale
// block, so the mask covers the same part of the card at every size.
bool IsMaskedCornerAt(int x, int y, int scale) {
  return IsMaskedCorner(x / scale, y / scale);
}

bool NextToMaskOrEdge(int x, int y, int scale) {
  const int w = kWidth * scale;
  const int h = kHeight * scale;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int nx = x + dx;
      const int ny = y + dy;
      if (nx < 0 || ny < 0 || nx >= w || ny >= h || IsMaskedCornerAt(nx, ny, scale)) {
        return true;
      }
    }
  }
  return false;
}

// Within the corner squares of 4 x 4 picture pixels (at the picture's scale), where the
// rounded outline of the artwork may leave pixels uncovered outside the mask.
bool InCornerSquare(int x, int y, int scale) {
  const int cx = x / scale, cy = y / scale;
  return (cx < 4 || cx >= kWidth - 4) && (cy < 4 || cy >= kHeight - 4);
}

// Makes a face fully opaque so that it looks right under the corner mask: pixels on
// the outline keep their own (dark border) colour at full strength, other partly
// transparent pixels are laid over the white of the card, and the masked corner
// pixels are set to white (they are never shown). At larger scales the rounded outline
// of the artwork passes further from the mask's steps; the corner pixels it leaves
// (mostly) uncovered take the outline's colour, so the outline follows the mask there.
QImage FinishFace(const QImage& face, int scale) {
  const int w = kWidth * scale;
  const int h = kHeight * scale;
  const QRgb outline = face.pixel(w / 2, 0);
  QImage out(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const QRgb c = face.pixel(x, y);
      const int a = qAlpha(c);
      QRgb v;
      if (IsMaskedCornerAt(x, y, scale)) {
        v = qRgb(255, 255, 255);
      } else if (a == 255) {
        v = c;
      } else if (scale > 1 && a < 128 && InCornerSquare(x, y, scale)) {
        v = outline | 0xFF000000u;
      } else if (NextToMaskOrEdge(x, y, scale) && a > 0) {
        v = qRgb(qRed(c), qGreen(c), qBlue(c));
      } else {
        const auto over = [a](int ch) { return (ch * a + 255 * (255 - a) + 127) / 255; };
        v = qRgb(over(qRed(c)), over(qGreen(c)), over(qBlue(c)));
      }
      out.setPixel(x, y, v);
    }
  }
  return out;
}

// Decides every pixel of a back as card or magenta: mostly transparent pixels and the
// corner pixels that faces never show become magenta, the rest are made opaque. A card pixel that
// happens to be exact magenta is nudged so it is not keyed out.
QImage FinishBack(const QImage& back, int scale) {
  const int w = kWidth * scale;
  const int h = kHeight * scale;
  QImage out(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const QRgb c = back.pixel(x, y);
      const bool card = qAlpha(c) >= 128 && !IsMaskedCornerAt(x, y, scale);
      QRgb v = card ? qRgb(qRed(c), qGreen(c), qBlue(c)) : kMagenta;
      if (card && v == kMagenta) v = qRgb(254, 0, 255);
      out.setPixel(x, y, v);
    }
  }
  return out;
}

// A picture of at most 256 colours is stored with a palette: exactly the same pixels,
// but a third of the data to inflate when the game loads it.
QImage WithPaletteIfExact(const QImage& image) {
  QList<QRgb> table;
  std::set<QRgb> seen;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (seen.insert(image.pixel(x, y)).second) {
        if (seen.size() > 256) return image;
        table.push_back(image.pixel(x, y));
      }
    }
  }
  const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (indexed.pixel(x, y) != image.pixel(x, y)) return image;
  return indexed;
}

QByteArray EncodePng(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

void AppendBe32(QByteArray& out, quint32 v) {
  out += static_cast<char>(v >> 24);
  out += static_cast<char>(v >> 16);
  out += static_cast<char>(v >> 8);
  out += static_cast<char>(v);
}

quint32 Crc32(const QByteArray& bytes) {
  quint32 c = 0xFFFFFFFFu;
  for (char ch : bytes) {
    c ^= static_cast<unsigned char>(ch);
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
  }
  return c ^ 0xFFFFFFFFu;
}

void AppendChunk(QByteArray& out, const char* type, const QByteArray& body) {
  AppendBe32(out, static_cast<quint32>(body.size()));
  const QByteArray typed = QByteArray(type, 4) + body;
  out += typed;
  AppendBe32(out, Crc32(typed));
}

// A card picture as PNG the game decodes with almost no work: every row unfiltered and
// the image data in stored (uncompressed) deflate blocks. The library grows to about
// 600 KB; loading becomes a copy. An RGB32 picture is stored as RGB, an indexed one
// with its palette (and a transparency chunk when a colour is not opaque).
QByteArray EncodeCardPng(const QImage& image) {
  const bool indexed = image.format() == QImage::Format_Indexed8;
  const QImage rgb = indexed ? image : image.convertToFormat(QImage::Format_RGB32);
  const int w = rgb.width();
  const int h = rgb.height();

  QByteArray raw;
  for (int y = 0; y < h; ++y) {
    raw += '\0';  // filter: none
    if (indexed) {
      raw += QByteArray(reinterpret_cast<const char*>(rgb.constScanLine(y)), w);
    } else {
      const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
      for (int x = 0; x < w; ++x) {
        raw += static_cast<char>(qRed(line[x]));
        raw += static_cast<char>(qGreen(line[x]));
        raw += static_cast<char>(qBlue(line[x]));
      }
    }
  }
  QByteArray z;
  z += '\x78';
  z += '\x01';
  for (qsizetype pos = 0; pos < raw.size();) {
    const qsizetype len = std::min<qsizetype>(raw.size() - pos, 65535);
    z += static_cast<char>(pos + len >= raw.size() ? 1 : 0);
    z += static_cast<char>(len & 0xFF);
    z += static_cast<char>(len >> 8);
    z += static_cast<char>(~len & 0xFF);
    z += static_cast<char>((~len >> 8) & 0xFF);
    z += raw.mid(pos, len);
    pos += len;
  }
  quint32 a = 1, b = 0;
  for (char ch : raw) {
    a = (a + static_cast<unsigned char>(ch)) % 65521;
    b = (b + a) % 65521;
  }
  AppendBe32(z, (b << 16) | a);

  QByteArray png("\x89PNG\r\n\x1a\n", 8);
  QByteArray header;
  AppendBe32(header, static_cast<quint32>(w));
  AppendBe32(header, static_cast<quint32>(h));
  header += '\x08';                     // bit depth
  header += indexed ? '\x03' : '\x02';  // palette or RGB
  header += QByteArray(3, '\0');        // deflate, adaptive filtering, no interlace
  AppendChunk(png, "IHDR", header);
  if (indexed) {
    QByteArray palette, alpha;
    bool translucent = false;
    for (QRgb c : rgb.colorTable()) {
      palette += static_cast<char>(qRed(c));
      palette += static_cast<char>(qGreen(c));
      palette += static_cast<char>(qBlue(c));
      alpha += static_cast<char>(qAlpha(c));
      translucent = translucent || qAlpha(c) != 255;
    }
    AppendChunk(png, "PLTE", palette);
    if (translucent) AppendChunk(png, "tRNS", alpha);
  }
  AppendChunk(png, "IDAT", z);
  AppendChunk(png, "IEND", {});
  return png;
}

QString FaceId(int number) {
  static const char* const kSuits[4] = {"club", "diamond", "heart", "spade"};
  static const char* const kRanks[13] = {"1", "2", "3",  "4",    "5",     "6",   "7",
                                         "8", "9", "10", "jack", "queen", "king"};
  const int block = (number - 1) / 13;
  const int pos = (number - 1) % 13;
  return QString::fromLatin1(kRanks[pos]) + '_' + QString::fromLatin1(kSuits[block]);
}

bool WriteAtomically(const QString& path, const QByteArray& data) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(data);
  return file.commit();
}

QByteArray CppSource(const std::vector<QByteArray>& pngs) {
  QByteArray s;
  s += "// Generated by render_cards from the SVG card decks. Do not edit.\n";
  s += "#include \"card_bitmap_table.h\"\n\nnamespace {\n";
  for (size_t n = 0; n < pngs.size(); ++n) {
    if (pngs[n].isEmpty()) continue;
    s += "const unsigned char kBitmap" + QByteArray::number(qulonglong(n)) + "[] = {";
    for (int i = 0; i < pngs[n].size(); ++i) {
      if (i % 24 == 0) s += "\n ";
      s += ' ';
      s += QByteArray::number(static_cast<unsigned char>(pngs[n][i]));
      s += ',';
    }
    s += "\n};\n";
  }
  s += "}  // namespace\n\nnamespace tarlyk_cards {\n\nconst CardBitmap "
       "kCardBitmaps[kCardBitmapCount] = {\n";
  for (size_t n = 0; n < pngs.size(); ++n) {
    if (pngs[n].isEmpty()) {
      s += "    {nullptr, 0},\n";
    } else {
      const QByteArray name = "kBitmap" + QByteArray::number(qulonglong(n));
      s += "    {" + name + ", sizeof(" + name + ")},\n";
    }
  }
  s += "};\n\n}  // namespace tarlyk_cards\n";
  return s;
}

// The pictures of one larger size as one block of plain pixels (each picture's rows one
// after another, pictures 64-byte aligned), and for each bitmap number its byte offset
// in the block, or -1 when there is no picture.
struct PixelBlock {
  QByteArray bytes;
  std::vector<qsizetype> offsets;
};

PixelBlock PackPixels(const std::vector<QImage>& images) {
  PixelBlock block;
  for (const QImage& image : images) {
    if (image.isNull()) {
      block.offsets.push_back(-1);
      continue;
    }
    while (block.bytes.size() % 64 != 0) block.bytes += '\0';
    block.offsets.push_back(block.bytes.size());
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
      block.bytes += QByteArray(reinterpret_cast<const char*>(rgb.constScanLine(y)),
                                static_cast<qsizetype>(rgb.width()) * 4);
    }
  }
  return block;
}

QByteArray AsmString(const QString& path) {
  QByteArray quoted = QFile::encodeName(path);
  quoted.replace("\\", "\\\\");
  quoted.replace("\"", "\\\"");
  // Escaped once more for the C++ string literal that holds the assembler text.
  quoted.replace("\\", "\\\\");
  quoted.replace("\"", "\\\"");
  return quoted;
}

// The source that places the pixel files into the library's read-only data as they are
// (the assembler includes them byte for byte) and describes each picture.
QByteArray PixelsSource(const std::vector<QString>& files, const std::vector<PixelBlock>& blocks,
                        const std::vector<std::vector<QImage>>& images) {
  QByteArray s;
  s += "// Generated by render_cards from the SVG card decks. Do not edit.\n";
  s += "#include \"card_pixel_table.h\"\n\n";
  s += "asm(\".section .rodata.tarlyk_card_pixels,\\\"a\\\"\\n\"\n";
  for (size_t k = 0; k < files.size(); ++k) {
    const QByteArray name = "tarlyk_card_pixels_" + QByteArray::number(kPixelScales[k]);
    s += "    \".balign 64\\n.globl " + name + "\\n.hidden " + name + "\\n" + name + ":\\n\"\n";
    s += "    \".incbin \\\"" + AsmString(files[k]) + "\\\"\\n\"\n";
  }
  s += "    \".previous\\n\");\n\n";
  for (size_t k = 0; k < files.size(); ++k) {
    s += "extern \"C\" __attribute__((visibility(\"hidden\"))) const unsigned char "
         "tarlyk_card_pixels_" +
         QByteArray::number(kPixelScales[k]) + "[];\n";
  }
  s += "\nnamespace tarlyk_cards {\n\nconst CardPixels "
       "kCardPixels[kPixelScaleCount][kCardBitmapCount] = {\n";
  for (size_t k = 0; k < files.size(); ++k) {
    const QByteArray name = "tarlyk_card_pixels_" + QByteArray::number(kPixelScales[k]);
    s += "    {\n";
    for (size_t n = 0; n < blocks[k].offsets.size(); ++n) {
      const qsizetype offset = blocks[k].offsets[n];
      if (offset < 0) {
        s += "        {nullptr, 0, 0},\n";
        continue;
      }
      s += "        {" + name + " + " + QByteArray::number(offset) + ", " +
           QByteArray::number(images[k][n].width()) + ", " +
           QByteArray::number(images[k][n].height()) + "},\n";
    }
    s += "    },\n";
  }
  s += "};\n\n}  // namespace tarlyk_cards\n";
  return s;
}

// All pictures side by side on a table-coloured sheet, magenta shown as is; for looking
// at the artwork while working on it.
QImage ContactSheet(const std::vector<QImage>& images, int scale) {
  constexpr int kCols = 13;
  const int kGap = 4 * scale;
  const int w = kWidth * scale, h = kHeight * scale;
  QImage sheet(kCols * (w + kGap) + kGap, 5 * (h + kGap) + kGap, QImage::Format_RGB32);
  sheet.fill(QColor(0, 100, 0));
  QPainter painter(&sheet);
  int slot = 0;
  for (size_t n = 1; n < images.size(); ++n) {
    if (images[n].isNull()) continue;
    QImage shown = images[n].convertToFormat(QImage::Format_ARGB32);
    if (n <= 52) {
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (IsMaskedCornerAt(x, y, scale)) shown.setPixel(x, y, 0);
    }
    painter.drawImage(kGap + (slot % kCols) * (w + kGap), kGap + (slot / kCols) * (h + kGap),
                      shown);
    ++slot;
  }
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6 || argc > 7) {
    std::fprintf(stderr,
                 "usage: %s BITMAPS.cpp PIXELS.cpp STANDARD.svgz NICU_WHITE.svgz EXTRA.svgz "
                 "[SHEET.png]\n",
                 argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const QString outPath = QString::fromLocal8Bit(argv[1]);
  const QString pixelsPath = QString::fromLocal8Bit(argv[2]);
  std::vector<std::unique_ptr<QSvgRenderer>> decks;
  for (int i = 3; i <= 5; ++i) {
    auto renderer = std::make_unique<QSvgRenderer>(QString::fromLocal8Bit(argv[i]));
    if (!renderer->isValid()) {
      std::fprintf(stderr, "render_cards: cannot read %s\n", argv[i]);
      return 1;
    }
    decks.push_back(std::move(renderer));
  }
  QSvgRenderer& standard = *decks[0];
  QSvgRenderer& nicu = *decks[1];
  QSvgRenderer& extra = *decks[2];

  // Backs 0..11. The two nicu backs with a fan of cards have the drawing site's address
  // written across them as a watermark; they are drawn from their other parts, without it.
  const std::vector<Artwork> backs = {
      {&standard, "back", {}},
      {&nicu, "back", {}},
      {&nicu, "back_c1", {}},
      {&nicu, "back_c2", {}},
      {&nicu, "back_c3", {}},
      {&nicu, "back_c4", {"g39684", "path39694", "path39696", "path39698", "path5594"}},
      {&nicu, "back_c5", {}},
      {&nicu, "back_c6", {"g40026", "path40036", "path40038", "path40040", "path40042"}},
      {&nicu, "back_c7", {}},
      {&nicu, "back_c8", {}},
      {&nicu, "back_c9", {}},
      {&extra, "back", {}},
  };
  for (int n = 1; n <= 52; ++n) {
    if (!Usable(Artwork{&standard, FaceId(n), {}})) return 1;
  }
  for (const Artwork& back : backs) {
    if (!Usable(back)) return 1;
  }
  // Every picture at one size, by bitmap number (0 and 53 stay empty).
  const auto render = [&](int scale) {
    std::vector<QImage> images(66);
    for (int n = 1; n <= 52; ++n) {
      images[n] = FinishFace(RenderElement(Artwork{&standard, FaceId(n), {}}, scale), scale);
    }
    for (size_t i = 0; i < backs.size(); ++i) {
      images[54 + i] = FinishBack(RenderElement(backs[i], scale), scale);
    }
    return images;
  };

  const std::vector<QImage> images = render(1);
  std::vector<QByteArray> pngs(66);
  for (size_t n = 0; n < images.size(); ++n) {
    if (!images[n].isNull()) pngs[n] = EncodeCardPng(WithPaletteIfExact(images[n]));
  }
  if (!WriteAtomically(outPath, CppSource(pngs))) {
    std::fprintf(stderr, "render_cards: cannot write %s\n", argv[1]);
    return 1;
  }

  const QString pixelsDir = QFileInfo(pixelsPath).absolutePath();
  std::vector<std::vector<QImage>> larger;
  std::vector<PixelBlock> blocks;
  std::vector<QString> files;
  for (int scale : kPixelScales) {
    larger.push_back(render(scale));
    blocks.push_back(PackPixels(larger.back()));
    files.push_back(pixelsDir + QStringLiteral("/card_pixels_%1x.bin").arg(scale));
    if (!WriteAtomically(files.back(), blocks.back().bytes)) {
      std::fprintf(stderr, "render_cards: cannot write %s\n", qPrintable(files.back()));
      return 1;
    }
  }
  if (!WriteAtomically(pixelsPath, PixelsSource(files, blocks, larger))) {
    std::fprintf(stderr, "render_cards: cannot write %s\n", argv[2]);
    return 1;
  }

  if (argc == 7) {
    const QString sheetPath = QString::fromLocal8Bit(argv[6]);
    QString base = sheetPath;
    if (base.endsWith(QStringLiteral(".png"))) base.chop(4);
    bool ok = WriteAtomically(sheetPath, EncodePng(ContactSheet(images, 1)));
    for (size_t k = 0; k < larger.size(); ++k) {
      ok = ok && WriteAtomically(base + QStringLiteral("-%1x.png").arg(kPixelScales[k]),
                                 EncodePng(ContactSheet(larger[k], kPixelScales[k])));
    }
    if (!ok) {
      std::fprintf(stderr, "render_cards: cannot write %s\n", argv[6]);
      return 1;
    }
  }
  return 0;
}
