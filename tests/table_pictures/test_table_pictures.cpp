// The table painted with the real card library and the table font, at ratio 1 and at
// the ratios of screens with more pixels.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QImage>
#include <memory>
#include <string>

#include "art/fonts.h"
#include "fake_window.h"
#include "fixed_random.h"
#include "game/hand_layout.h"
#include "game/options_values.h"
#include "game/tdm_data.h"
#include "view/card_images.h"
#include "view/scaled_cards.h"
#include "view/table_painter.h"

namespace tarlyk {
namespace {

constexpr int W = 710, H = 480;

TCardRec card(int id) {
  return CardFromNumber(id + 1);
}

CardImages Load(const std::string& dir) {
  CardImages im;
  std::array<TCardRec, 53> allCards{};
  FixedRandom random(0);
  const CardLoadResult r =
      LoadCardImages(dir, qRgb(218, 234, 253), im, allCards, {}, {}, {}, 4, random);
  EXPECT_EQ(r.status, CardLoadResult::kOk) << dir;
  return im;
}

// The real pictures, loaded once for all tests.
const CardImages& RealImages() {
  static const CardImages images = Load(TARLYK_CARDS_DIR);
  return images;
}

struct Game {
  FakeWindow window;
  OptionValues options;
  ScriptedRandom random;
  ScoreCounters score;
  TdmData data{window, options, random, score, "Игрок"};

  void deal(std::array<TCardRec, 52>& pile, std::initializer_list<int> ids) {
    size_t i = 0;
    for (int id : ids) pile[i++] = card(id);
  }
  void fillStock(int n) {
    for (auto& c : data.ColodaCards) c = EmptyCard();
    for (int i = 0; i < n; ++i) data.ColodaCards[51 - i] = card((i * 7) % 52);
  }
};

// Game states that between them show every kind of picture the table has.
void MidGameComputerAttacks(Game& g) {
  g.data.GameActive = true;
  g.data.WhoGoing = 1;
  g.data.KozirCard = card(30);
  g.fillStock(24);
  g.deal(g.data.CPUCards, {1, 2, 3, 4, 5});
  g.deal(g.data.UserCards, {13 + 4, 26 + 7, 26 + 11, 39 + 2, 30 + 5, 8});
  g.data.DeskCards[6] = card(26 + 9);
  g.data.DeskCards[7] = card(26 + 3);
  g.data.DeskCards[0] = card(26 + 10);
  g.options.disabledCardsType = 0;
}

void EndOfGameWithRibbon(Game& g) {
  g.data.GameActive = false;
  g.data.WhoGoing = 0;
  g.data.KozirCard = card(13);
  g.fillStock(0);
  g.deal(g.data.CPUCards, {14, 20, 27, 40, 45, 50, 51});
  g.options.showSuperCard = true;
  g.options.disabledCardsType = 1;
  g.options.showMedals = true;
  g.score.Wins = 70;
  g.score.Loses = 3;
}

void WideHandEmbossed(Game& g) {
  g.data.GameActive = true;
  g.data.WhoGoing = 1;
  g.data.KozirCard = card(0);
  g.fillStock(1);
  for (int i = 0; i < 30; ++i) g.data.UserCards[static_cast<size_t>(i)] = card(51 - i);
  g.deal(g.data.CPUCards, {1, 2});
  g.data.DeskCards[6] = card(12);
  g.options.disabledCardsType = 1;
  g.options.showMedals = true;
  g.score.Loses = 40;
}

QImage PaintAt(Game& g, qreal ratio, TablePainter& painter) {
  QImage img(DeviceSize(QSize(W, H), ratio), QImage::Format_ARGB32_Premultiplied);
  img.setDevicePixelRatio(ratio);
  const TableScene scene = painter.Compose(g.data, TablePalette{}, TahomaPx(11, true), {W, H});
  painter.Render(img, scene);
  return img;
}

QRgb px(const QImage& img, int x, int y) {
  return img.pixel(x, y);
}

// The first column from x0 rightwards on row y whose pixel is not the one at x0.
int LeftEdge(const QImage& img, int x0, int y) {
  int x = x0;
  while (x < img.width() && px(img, x, y) == px(img, x0, y)) ++x;
  return x;
}

// The first row from y0 downwards in column x whose pixel differs from the table's
// colour of that row, read at the right edge of the picture.
int TopEdge(const QImage& img, int x, int y0) {
  int y = y0;
  while (y < img.height() && px(img, x, y) == px(img, img.width() - 1, y)) ++y;
  return y;
}

// Aligned 2 x 2 blocks of device pixels within `r` that are not of one colour; a
// picture enlarged by doubling its pixels has none.
int MixedBlocks(const QImage& img, QRect r) {
  int mixed = 0;
  for (int y = r.top() & ~1; y + 1 <= r.bottom(); y += 2)
    for (int x = r.left() & ~1; x + 1 <= r.right(); x += 2) {
      const QRgb c = px(img, x, y);
      if (px(img, x + 1, y) != c || px(img, x, y + 1) != c || px(img, x + 1, y + 1) != c) ++mixed;
    }
  return mixed;
}

std::string Checksum(const QImage& img) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  for (int y = 0; y < img.height(); ++y)
    hash.addData(
        QByteArrayView(reinterpret_cast<const char*>(img.constScanLine(y)), img.width() * 4));
  return hash.result().toHex().toStdString();
}

TEST(TablePictures, RatioOnePictureIsUnchanged) {
  if (!RegisterTahoma()) GTEST_SKIP() << "the table font is not installed";
  PanelPictures pictures;
  TablePainter painter(RealImages(), pictures);
  const struct {
    void (*setUp)(Game&);
    const char* sum;
  } cases[] = {{MidGameComputerAttacks, "0d1e82229bce969c444fad60fba35c9cae2a1fe1"},
               {EndOfGameWithRibbon, "15ef6c6f21394178ab39a45c546de1e81a094497"},
               {WideHandEmbossed, "baafdfca7d21ad518e847191017d59af5f4fe1ea"}};
  for (const auto& c : cases) {
    Game g;
    c.setUp(g);
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    painter.Paint(img, g.data, TablePalette{}, TahomaPx(11, true));
    EXPECT_EQ(Checksum(img), c.sum);
  }
}

// Every card of the middle game at ratio 2 lies at exactly twice its place at ratio 1,
// and both its edge and its pips are drawn with the device's pixels, not doubled ones.
TEST(TablePictures, AtRatioTwoCardsLieAtTwiceTheirPlaceInTheDevicesPixels) {
  Game g;
  MidGameComputerAttacks(g);
  PanelPictures pictures;
  TablePainter painter(RealImages(), pictures);
  const QImage one = PaintAt(g, 1.0, painter);
  const QImage two = PaintAt(g, 2.0, painter);
  ASSERT_EQ(two.size(), QSize(2 * W, 2 * H));
  EXPECT_EQ(two.devicePixelRatio(), 2.0);

  for (int k = 0; k < 6; ++k) {
    SCOPED_TRACE(k);
    const int x = HandCardX(k, 6, W);
    EXPECT_EQ(LeftEdge(one, x - 3, H - 60), x);
    EXPECT_EQ(LeftEdge(two, 2 * (x - 3), 2 * (H - 60)), 2 * x);
    if (k < 5) {
      const int cx = HandCardX(k, 5, W) + 35;
      EXPECT_EQ(TopEdge(one, cx, 0), 5);
      EXPECT_EQ(TopEdge(two, 2 * cx, 0), 10);
    }
  }
  // The attack card in the middle (75, 168), the trump card (606, 173), the stock's backs.
  EXPECT_EQ(LeftEdge(one, 70, 190), 75);
  EXPECT_EQ(LeftEdge(two, 140, 380), 150);
  EXPECT_EQ(LeftEdge(one, 600, 180), 606);
  EXPECT_EQ(LeftEdge(two, 1200, 360), 1212);
  EXPECT_EQ(LeftEdge(one, 580, 250), 594);
  EXPECT_EQ(LeftEdge(two, 1160, 500), 1188);

  // The pips of the cover card (the jack of hearts at 78, 216), and the rounded corner
  // of a back over the table.
  EXPECT_GT(MixedBlocks(two, QRect(2 * 78, 2 * 216, 142, 192)), 400);
  const int back = 2 * HandCardX(0, 5, W);
  EXPECT_GT(MixedBlocks(two, QRect(back, 10, 12, 12)), 2);
  EXPECT_EQ(MixedBlocks(one.scaled(2 * W, 2 * H), QRect(back, 10, 142, 192)), 0);
}

// At ratio 1.5 the cards of a wide hand overlap without a seam: along a row through the
// hand every device pixel is the pixel of the topmost card there, each card placed at
// the device pixel its table position rounds to.
TEST(TablePictures, AtRatioOneAndAHalfOverlappingCardsShowNoSeam) {
  Game g;
  g.data.GameActive = true;
  g.data.KozirCard = card(0);
  for (int i = 0; i < 30; ++i) g.data.UserCards[static_cast<size_t>(i)] = card(i);
  g.options.disabledCardsType = 2;
  PanelPictures pictures;
  TablePainter painter(RealImages(), pictures);
  constexpr qreal kRatio = 1.5;
  const QImage img = PaintAt(g, kRatio, painter);
  ASSERT_EQ(img.size(), QSize(1065, 720));

  LargeCardSource library(RealImages().libraryPath);
  ScaledCards expected(RealImages(), kRatio, &library);
  const int top = DevicePixel(H - 101, kRatio);
  const int w = expected.CardSize().width();
  for (int row : {top + 40, top + 100}) {
    const int from = DevicePixel(HandCardX(0, 30, W), kRatio);
    const int to = DevicePixel(HandCardX(29, 30, W), kRatio) + w;
    for (int x = from; x < to; ++x) {
      int k = 29;
      while (DevicePixel(HandCardX(k, 30, W), kRatio) > x) --k;
      const int left = DevicePixel(HandCardX(k, 30, W), kRatio);
      ASSERT_EQ(px(img, x, row), expected.Face(k).pixel(x - left, row - top)) << x << "," << row;
    }
    EXPECT_EQ(px(img, from - 1, row), px(img, 0, row));  // the table just left of the hand
    EXPECT_EQ(px(img, to, row), px(img, 0, row));        // and right of it
  }
}

// A library without the larger pictures still gives every card at ratio 2, enlarged
// smoothly from its 71 x 96 picture, in the same places.
TEST(TablePictures, LibraryWithoutLargerPicturesIsEnlargedSmoothly) {
  const CardImages old = Load(TARLYK_BAD_CARDS_DIR "/no_pixels");
  ASSERT_FALSE(old.ilCards[0].isNull());
  Game g;
  MidGameComputerAttacks(g);
  PanelPictures pictures;
  TablePainter painter(old, pictures);
  const QImage two = PaintAt(g, 2.0, painter);
  const QImage real = PaintAt(g, 2.0, *std::make_unique<TablePainter>(RealImages(), pictures));

  const int x = 2 * HandCardX(1, 6, W), y = 2 * (H - 101);
  EXPECT_EQ(LeftEdge(two, x - 6, y + 100), x);
  const QImage enlarged = old.ilCards[26 + 7]
                              .convertToFormat(QImage::Format_RGB32)
                              .scaled(142, 192, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  int differentFromReal = 0;
  for (int dy = 8; dy < 184; ++dy)
    for (int dx = 0; dx < 142; ++dx) {
      ASSERT_EQ(px(two, x + dx, y + dy), enlarged.pixel(dx, dy)) << dx << "," << dy;
      differentFromReal += px(real, x + dx, y + dy) != enlarged.pixel(dx, dy);
    }
  EXPECT_GT(differentFromReal, 1000);  // the real library's pictures are its own
}

// A card of the rain falls at twice its place, masked at its corners like every card.
TEST(TablePictures, RainCardsFallAtTheDevicesResolution) {
  PanelPictures pictures;
  TablePainter painter(RealImages(), pictures);
  for (qreal ratio : {1.0, 2.0}) {
    QImage img(DeviceSize(QSize(W, H), ratio), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    img.fill(qRgb(1, 2, 3));
    painter.DrawRainDrop(img, RainDrop{51, 100, 200});
    const int x = DevicePixel(100, ratio), y = DevicePixel(200, ratio);
    EXPECT_EQ(px(img, x, y), qRgb(1, 2, 3)) << ratio;  // the corner shows the table
    EXPECT_EQ(LeftEdge(img, x - 3, y + 40), x) << ratio;
    EXPECT_NE(px(img, x + DevicePixel(35, ratio), y + DevicePixel(48, ratio)), qRgb(1, 2, 3));
  }
}

}  // namespace
}  // namespace tarlyk
