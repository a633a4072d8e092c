// Paints real game states with synthetic card pictures and checks pixels where the
// cards, stock, bands and panels must be; also the card rain and the account picture.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

#include "fake_window.h"
#include "game/hand_layout.h"
#include "game/options_values.h"
#include "game/random.h"
#include "game/tdm_data.h"
#include "view/card_rain.h"
#include "view/player_panels.h"
#include "view/player_picture.h"
#include "view/table_painter.h"

namespace tarlyk {
namespace {

constexpr int W = 710, H = 480;

QRgb faceColour(int id) {
  return qRgb(20 + id * 4, 200 - id * 3, 40);
}
QRgb lightColour(int id) {
  return qRgb(20 + id * 4, 200 - id * 3, 140);
}
QRgb backColour(int b) {
  return qRgb(230, 20 + b, 20);
}
QRgb back90Colour(int b) {
  return qRgb(20, 20 + b, 230);
}

// A card picture of one colour with a white window at (20..50, 30..65) and the three
// transparent pixels in each corner.
QImage cardPicture(int w, int h, QRgb colour) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(colour);
  if (w > 50 && h > 65) {
    for (int y = 30; y < 66; ++y)
      for (int x = 20; x < 51; ++x) img.setPixel(x, y, 0xFFFFFFFF);
  }
  const int cx[] = {0, 1, 0}, cy[] = {0, 0, 1};
  for (int i = 0; i < 3; ++i) {
    img.setPixel(cx[i], cy[i], 0);
    img.setPixel(w - 1 - cx[i], cy[i], 0);
    img.setPixel(cx[i], h - 1 - cy[i], 0);
    img.setPixel(w - 1 - cx[i], h - 1 - cy[i], 0);
  }
  return img;
}

CardImages syntheticImages() {
  CardImages im;
  for (int i = 0; i < 52; ++i) {
    im.ilCards[i] = cardPicture(71, 96, faceColour(i));
    im.ilLightCards[i] = cardPicture(71, 96, lightColour(i));
  }
  for (int b = 0; b < 12; ++b) {
    im.ilShorts[b] = cardPicture(71, 96, backColour(b));
    im.ilShorts90[b] = cardPicture(96, 71, back90Colour(b));
  }
  im.ActiveShortID = 3;
  return im;
}

// Card by picture ID (0..51): 0 ace of clubs, 13 ace of diamonds, 26 ace of hearts,
// 39 ace of spades; +k for the rank k+1 (1 = two ... 12 = king).
TCardRec card(int id) {
  return CardFromNumber(id + 1);
}

struct Table {
  FakeWindow window;
  OptionValues options;
  ScriptedRandom random;
  ScoreCounters score;
  TdmData data{window, options, random, score, "Игрок"};
  CardImages images = syntheticImages();
  PanelPictures pictures;
  TablePalette palette;
  QFont font{"Tahoma", 8, QFont::Bold};

  Table() {
    data.GameActive = true;
    data.KozirCard = card(0);  // clubs are trumps
  }
  QImage paint() const {
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    TablePainter(images, pictures).Paint(img, data, palette, font);
    return img;
  }
  void deal(std::array<TCardRec, 52>& pile, std::initializer_list<int> ids) {
    size_t i = 0;
    for (int id : ids) pile[i++] = card(id);
  }
  void fillStock(int n) {
    for (auto& c : data.ColodaCards) c = EmptyCard();
    for (int i = 0; i < n; ++i) data.ColodaCards[51 - i] = card(i % 52);
  }
};

QRgb px(const QImage& img, int x, int y) {
  return img.pixel(x, y) | 0xFF000000u;
}

TEST(TablePainter, HandsFollowTheHandRuleForEverySize) {
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 36}) {
    SCOPED_TRACE(n);
    Table t;
    for (int k = 0; k < n; ++k) {
      t.data.UserCards[k] = card(k);
      t.data.CPUCards[k] = card(51 - k);
    }
    const QImage img = t.paint();
    for (int k = 0; k < n; ++k) {
      const int x = HandCardX(k, n, W);
      // The left column of every card shows; the column before it belongs to another.
      EXPECT_EQ(px(img, x, 379 + 10), faceColour(k)) << k;
      EXPECT_NE(px(img, x - 1, 379 + 10), faceColour(k)) << k;
      EXPECT_EQ(px(img, x, 5 + 10), backColour(3)) << k;
      if (n < 8) {  // overlapping backs look alike
        EXPECT_NE(px(img, x - 1, 5 + 10), backColour(3)) << k;
      }
    }
  }
}

TEST(TablePainter, HandsSkipHolesAndShowComputerFacesAfterTheGame) {
  Table t;
  t.data.UserCards[0] = card(5);
  t.data.UserCards[4] = card(6);
  t.data.UserCards[40] = card(7);
  t.data.CPUCards[10] = card(20);
  t.data.CPUCards[30] = card(21);
  t.data.GameActive = false;
  const QImage img = t.paint();
  EXPECT_EQ(px(img, 280, 400), faceColour(5));
  EXPECT_EQ(px(img, 355, 400), faceColour(6));
  EXPECT_EQ(px(img, 430, 400), faceColour(7));
  EXPECT_EQ(px(img, 317, 20), faceColour(20));
  EXPECT_EQ(px(img, 392, 20), faceColour(21));
}

TEST(TablePainter, TableRowsPutTheDefenderThreeRightOnTop) {
  Table t;
  // The person attacks with two cards (slot 1 empty), the computer covered the first.
  t.data.WhoGoing = 0;
  t.data.DeskCards[0] = card(18);
  t.data.DeskCards[2] = card(19);
  t.data.DeskCards[6] = card(22);
  QImage img = t.paint();
  EXPECT_EQ(px(img, 75, 250), faceColour(18));            // attack card, left of the cover
  EXPECT_EQ(px(img, 78, 250), faceColour(22));            // cover on top, 48 higher
  EXPECT_EQ(px(img, 135, 168 + 95 + 1), faceColour(18));  // below the cover
  EXPECT_EQ(px(img, 100, 167), t.palette.tableColor);
  EXPECT_EQ(px(img, 154, 250), faceColour(19));  // next card 79 further, hole skipped
  EXPECT_EQ(px(img, 153, 250), t.palette.tableColor);

  // The computer attacks: its row is drawn first at x 75, the person's cover on top.
  t.data.WhoGoing = 1;
  t.data.DeskCards = {};
  t.data.DeskCards[6] = card(22);
  t.data.DeskCards[0] = card(18);
  img = t.paint();
  EXPECT_EQ(px(img, 75, 200), faceColour(22));
  EXPECT_EQ(px(img, 78, 230), faceColour(18));
  EXPECT_EQ(px(img, 100, 168 + 10), faceColour(22));
  EXPECT_EQ(px(img, 77, 216 + 95 - 5), t.palette.tableColor);
}

// How many back layers lie across the trump card: the lowest layer's bottom row.
int stockLayers(const QImage& img) {
  int layers = 0;
  for (int i = 0; i < 8; ++i)
    if (px(img, 594 + 2 * i, 208 + 2 * i + 20) == back90Colour(3) &&
        px(img, 650, 208 + 2 * i + 70) == back90Colour(3))
      layers = i + 1;
  return layers;
}

// Horizontal extent of text pixels in rows y..y+12 between x0 and x1.
std::pair<int, int> inkSpan(const QImage& img, int x0, int x1, int y, QRgb background) {
  int lo = x1, hi = x0 - 1;
  for (int yy = y; yy < y + 13; ++yy)
    for (int x = x0; x < x1; ++x)
      if (px(img, x, yy) != background) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
      }
  return {lo, hi};
}

TEST(TablePainter, StockShowsALayerPerEightCardsOverTheTrump) {
  const struct { int cards, layers; } cases[] = {{36, 5}, {15, 2}, {7, 1}, {1, 0}, {52, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cards);
    Table t;
    t.data.KozirCard = card(30);
    t.fillStock(c.cards);
    const QImage img = t.paint();
    EXPECT_EQ(stockLayers(img), c.layers);
    EXPECT_EQ(px(img, 606 + 35, 173 + 20), faceColour(30));  // trump's top 35 rows show
    EXPECT_EQ(px(img, 605, 173 + 20), t.palette.tableColor);
    if (c.cards >= 2) {
      EXPECT_EQ(px(img, 606 + 40, 173 + 36), back90Colour(3));
    }
    // The counter is centred under the card column 606..676.
    const auto [lo, hi] = inkSpan(img, 520, 709, 291, t.palette.tableColor);
    ASSERT_LE(lo, hi);
    EXPECT_NEAR((lo + hi) / 2.0, 641.0, 3.0);
  }
}

TEST(TablePainter, EmptyStockShowsTrumpOnlyWhenAsked) {
  Table t;
  t.data.KozirCard = card(30);
  t.fillStock(0);
  t.options.showSuperCard = false;
  QImage img = t.paint();
  EXPECT_EQ(px(img, 640, 200), t.palette.tableColor);

  t.options.showSuperCard = true;
  const QRgb expected[] = {lightColour(30), t.palette.shadow, faceColour(30)};
  for (int style = 0; style < 3; ++style) {
    t.options.disabledCardsType = style;
    img = t.paint();
    EXPECT_EQ(px(img, 606 + 10, 173 + 10), expected[style]) << style;
  }

  // Before any deal there is no trump card at all.
  Table fresh;
  fresh.data.KozirCard = TCardRec{};
  fresh.data.GameActive = false;
  img = fresh.paint();
  EXPECT_EQ(px(img, 640, 200), fresh.palette.tableColor);
}

TEST(TablePainter, BackgroundBandsFadeBetweenTheTwoColours) {
  Table t;
  t.palette.tableColor = qRgb(218, 234, 253);
  t.palette.shadeColor = qRgb(0, 101, 228);
  const QImage img = t.paint();
  auto expect = [&](int i) {
    auto ch = [i](int a, int b) {
      const double v = (a * (15 - i) + b * i) / 15.0;
      return static_cast<int>(std::nearbyint(v));
    };
    return qRgb(ch(218, 0), ch(234, 101), ch(253, 228));
  };
  for (int i = 0; i <= 15; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(px(img, 700, 15 - i), expect(i));
    EXPECT_EQ(px(img, 700, 91 + i), expect(i));
    EXPECT_EQ(px(img, 700, H - 91 - i), expect(i));
    if (i < 15) {  // the last line lies just outside the picture
      EXPECT_EQ(px(img, 700, H - 15 + i), expect(i));
    }
  }
  EXPECT_EQ(px(img, 700, 300), t.palette.tableColor);
}

TEST(TablePainter, UnplayableCardsAreMarkedInTheChosenStyle) {
  Table t;
  // The computer attacks with the ten of hearts; trumps are clubs.
  t.data.WhoGoing = 1;
  t.data.DeskCards[6] = card(26 + 9);
  // Hand: six of spades (cannot beat), queen of hearts (beats), seven of clubs (trump).
  t.deal(t.data.UserCards, {39 + 5, 26 + 11, 6});
  const int x0 = HandCardX(0, 3, W), x1 = HandCardX(1, 3, W), x2 = HandCardX(2, 3, W);
  const int y = H - 101;

  t.options.disabledCardsType = 0;
  QImage img = t.paint();
  EXPECT_EQ(px(img, x0 + 5, y + 10), lightColour(39 + 5));
  EXPECT_EQ(px(img, x1 + 5, y + 10), faceColour(26 + 11));
  EXPECT_EQ(px(img, x2 + 5, y + 10), faceColour(6));

  t.options.disabledCardsType = 1;
  img = t.paint();
  EXPECT_EQ(px(img, x0 + 5, y + 10), t.palette.shadow);       // ink in the dark grey
  EXPECT_EQ(px(img, x0 + 20, y + 40), t.palette.highlight);   // light edge inside the window
  EXPECT_EQ(px(img, x0 + 30, y + 40), t.palette.tableColor);  // white shows the table
  EXPECT_EQ(px(img, x0 + 30, y + 30), t.palette.highlight);
  EXPECT_EQ(px(img, x1 + 30, y + 40), 0xFFFFFFFFu);  // playable: normal
  EXPECT_EQ(px(img, x0, y), px(img, x0 - 2, y));     // corner stays transparent

  t.options.disabledCardsType = 2;
  img = t.paint();
  EXPECT_EQ(px(img, x0 + 5, y + 10), faceColour(39 + 5));
}

TEST(PlayerPanels, RibbonGoesToTheLeaderByGrade) {
  // Grade boundaries, and counters from a damaged settings file do not overflow.
  EXPECT_EQ(RibbonFor(7, 7, nullptr), 0);
  EXPECT_EQ(RibbonFor(0, 25, nullptr), kRibbonBronze);
  EXPECT_EQ(RibbonFor(50, 0, nullptr), kRibbonSilver);
  EXPECT_EQ(RibbonFor(INT32_MAX, INT32_MIN, nullptr), kRibbonGold);

  // Synthetic ribbons: opacity 0, 128 and 255 in three column bands, one colour per grade.
  Table t;
  t.options.showMedals = true;
  t.pictures.ilPlaces[0] = QImage(56, 17, QImage::Format_ARGB32_Premultiplied);
  for (int x = 0; x < 56; ++x)
    for (int y = 0; y < 17; ++y)
      t.pictures.ilPlaces[0].setPixel(x, y,
                                      x < 10   ? qRgb(0, 0, 0)
                                      : x < 20 ? qRgb(128, 128, 128)
                                               : qRgb(255, 255, 255));
  const QRgb grade[] = {0, qRgb(250, 200, 0), qRgb(190, 190, 200), qRgb(180, 100, 40)};
  for (int g = 1; g <= 3; ++g) t.pictures.ilPlaces[g].fill(grade[g]);

  const struct {
    int wins, loses, ribbon;
    bool human;
  } cases[] = {{20, 10, 3, true}, {0, 26, 2, false}, {10, 61, 1, false}, {19, 10, 0, true}};
  t.options.showMedals = false;
  const QImage plain = t.paint();
  t.options.showMedals = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.wins * 100 + c.loses);
    t.score.Wins = c.wins;
    t.score.Loses = c.loses;
    const QImage img = t.paint();
    for (int top : {63, H - 43}) {
      const bool here = c.ribbon != 0 && (top == H - 43) == c.human;
      for (int x : {12 + 5, 12 + 15, 12 + 40}) {
        const int y = top + 8;
        const QRgb under = px(plain, x, y);
        QRgb want = under;
        if (here && x >= 12 + 20) want = grade[c.ribbon];
        if (here && x >= 12 + 10 && x < 12 + 20) {
          const QRgb r = grade[c.ribbon];
          auto mix = [](int a, int b) {
            return static_cast<int>(std::nearbyint(128.0 / 255.0 * a + (1 - 128.0 / 255.0) * b));
          };
          want = qRgb(mix(qRed(r), qRed(under)), mix(qGreen(r), qGreen(under)),
                      mix(qBlue(r), qBlue(under)));
        }
        EXPECT_EQ(px(img, x, y), want) << top << " " << x;
      }
    }
  }
}

TEST(PanelPictures, BuiltInPicturesAndRibbonsHaveTheirSizes) {
  PanelPictures p;
  // The built-in pictures come from the resources (not the blank stand-in).
  for (const QImage& icon : p.ilIcons)
    EXPECT_NE(icon.pixel(24, 24), PanelPictures::kIconBackground);
  EXPECT_EQ(qRed(p.ilPlaces[0].pixel(1, 0)), 0);
  // Solid across the whole band and both ends, so no table shows through the ribbon.
  for (int y = 2; y <= 11; ++y)
    for (int x = 8; x <= 47; ++x) ASSERT_EQ(qRed(p.ilPlaces[0].pixel(x, y)), 255) << x << "," << y;
  for (int y = 6; y <= 14; ++y) {
    EXPECT_EQ(qRed(p.ilPlaces[0].pixel(7, y)), 255) << y;
    EXPECT_EQ(qRed(p.ilPlaces[0].pixel(48, y)), 255) << y;
  }
}

TEST(CardRain, CardsStayInTheMiddleZone) {
  CardImages images = syntheticImages();
  QImage visible(W, H, QImage::Format_ARGB32_Premultiplied);
  const QRgb bg = qRgb(1, 2, 3);
  visible.fill(bg);
  // The extremes first, then many random ticks.
  ScriptedRandom extremes;
  extremes.values = {51, 637, 156, 0, 0, 0};
  RainTick(visible, images, extremes);
  RainTick(visible, images, extremes);
  EXPECT_EQ(px(visible, 637 + 35, 272 + 95), faceColour(51));
  EXPECT_EQ(px(visible, 5, 116), faceColour(0));
  SeededRandom random(7);
  for (int i = 0; i < 400; ++i) RainTick(visible, images, random);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      if (y >= 116 && y <= 367 && x <= 707) continue;
      ASSERT_EQ(px(visible, x, y), bg) << x << "," << y;
    }
  }
}

TEST(PlayerPicture, RepairShiftsRowsAndRotatesChannels) {
  EXPECT_TRUE(NeedRepairIcon(true, "5.1"));
  EXPECT_FALSE(NeedRepairIcon(false, "5.1"));
  EXPECT_FALSE(NeedRepairIcon(true, "5.10"));

  QImage img(48, 48, QImage::Format_ARGB32);
  img.fill(qRgb(10, 20, 30));
  for (int y = 0; y < 48; ++y) img.setPixel(1, y, qRgb(0, 0, 255));
  RepairIU(img);
  EXPECT_EQ(img.size(), QSize(48, 48));
  EXPECT_EQ(img.pixel(46, 5), qRgb(255, 0, 0));  // column 1 moved to W - 2
  EXPECT_EQ(img.pixel(1, 5), qRgb(30, 10, 20));
  EXPECT_EQ(img.pixel(47, 5), qRgb(30, 10, 20));

  // Pictures narrower than the shift still wrap within themselves.
  for (int w : {1, 2}) {
    QImage narrow(w, 3, QImage::Format_RGB32);
    narrow.fill(qRgb(0, 0, 255));
    RepairIU(narrow);
    EXPECT_EQ(narrow.pixel(w - 1, 2), qRgb(255, 0, 0));
  }
  QImage none;
  RepairIU(none);
  EXPECT_TRUE(none.isNull());
}

// A BMP header claiming the given size, without pixel data.
QByteArray bmpHeader(qint32 w, qint32 h) {
  QByteArray b;
  QDataStream out(&b, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("BM", 2);
  out << qint32(54) << qint32(0) << qint32(54) << qint32(40) << w << h << qint16(1) << qint16(24);
  for (int i = 0; i < 6; ++i) out << qint32(0);
  return b;
}

TEST(PlayerPicture, UnusablePicturesFailCleanly) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return dir.filePath(name);
  };
  QImage good(40, 40, QImage::Format_RGB32);
  good.fill(qRgb(9, 9, 9));
  QByteArray png;
  QBuffer buf(&png);
  buf.open(QIODevice::WriteOnly);
  good.save(&buf, "PNG");

  const QString fifo = dir.filePath("fifo.png");
  ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  const QString unreadable = write("locked.png", png);
  QFile::setPermissions(unreadable, QFileDevice::Permissions());
  const QStringList bad = {
      dir.filePath("missing.png"),
      dir.path(),
      fifo,
      write("empty.png", {}),
      write("text.png", "just some words, not a picture\n"),
      write("truncated.png", png.left(png.size() / 2)),
      write("zero.bmp", bmpHeader(0, 0)),
      write("giant.bmp", bmpHeader(100000, 100000)),
      write("huge.bmp", "BM" + QByteArray(static_cast<int>(kMaxUserPictureBytes), '\0')),
      write("picture.gif", "GIF89a\x01\x00\x01\x00\x00\x00\x00;"),
  };
  for (const QString& path : bad) {
    SCOPED_TRACE(path.toStdString());
    // Skip the permission case when running as a user who can read anything.
    if (path == unreadable && QFile(path).open(QIODevice::ReadOnly)) continue;
    PanelPictures pictures;
    const QImage before = pictures.ilIcons[1];
    EXPECT_FALSE(ApplyUserPicture(pictures, path, false));
    EXPECT_EQ(pictures.ilIcons[1], before);
  }
}

TEST(PlayerPicture, GoodPicturesBecomeOpaque48x48) {
  QTemporaryDir dir;
  // A 96 x 64 picture with a transparent left half: scaled, cropped to the centre and
  // flattened onto the panel colour.
  QImage wide(96, 64, QImage::Format_ARGB32);
  wide.fill(qRgba(0, 0, 0, 0));
  for (int y = 0; y < 64; ++y)
    for (int x = 48; x < 96; ++x) wide.setPixel(x, y, qRgb(200, 10, 10));
  const QString widePath = dir.filePath("wide.png");
  ASSERT_TRUE(wide.save(widePath));
  PanelPictures pictures;
  ASSERT_TRUE(ApplyUserPicture(pictures, widePath, false));
  const QImage& icon = pictures.ilIcons[1];
  EXPECT_EQ(icon.size(), QSize(48, 48));
  EXPECT_EQ(icon.pixel(2, 24), PanelPictures::kIconBackground);
  EXPECT_EQ(icon.pixel(45, 24), qRgb(200, 10, 10));

  // A 48 x 48 BMP keeps its pixels exactly, repaired when asked.
  QImage exact(48, 48, QImage::Format_RGB32);
  exact.fill(qRgb(10, 20, 30));
  exact.setPixel(0, 0, qRgb(0, 0, 255));
  const QString bmp = dir.filePath("me.bmp");
  ASSERT_TRUE(exact.save(bmp, "BMP"));
  ASSERT_TRUE(ApplyUserPicture(pictures, bmp, true));
  EXPECT_EQ(pictures.ilIcons[1].pixel(45, 0), qRgb(255, 0, 0));
  EXPECT_EQ(pictures.ilIcons[1].pixel(5, 5), qRgb(30, 10, 20));
}

}  // namespace
}  // namespace tarlyk
