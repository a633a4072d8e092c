#include <gtest/gtest.h>
#include <link.h>

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

#include "fixed_random.h"
#include "view/card_images.h"
#include "view/card_library.h"

namespace tarlyk {
namespace {

constexpr QRgb kDefaultTint = 0xFFDAEAFDu;  // RGB(218, 234, 253)

struct LoadRun {
  CardLoadResult result;
  CardImages images;
  std::array<TCardRec, 53> allCards{};
  int eventCalls = 0;
  int pictureCalls = 0;
  std::vector<int> thumbnails;
};

LoadRun Load(const std::string& dir, int storedShortId = 3, bool pictureOk = true,
             IRandom* random = nullptr) {
  LoadRun run;
  FixedRandom fallback(0);
  run.result = LoadCardImages(
      dir, kDefaultTint, run.images, run.allCards, [&run] { ++run.eventCalls; },
      [&run, pictureOk] {
        ++run.pictureCalls;
        return pictureOk;
      },
      [&run](int n, const QImage& back) {
        EXPECT_EQ(back.size(), QSize(71, 96));
        run.thumbnails.push_back(n);
      },
      storedShortId, random != nullptr ? *random : fallback);
  return run;
}

std::string BadDir(const char* name) {
  return std::string(TARLYK_BAD_CARDS_DIR "/") + name;
}

// The shared GUI test main provides the application object.
class CardImagesTest : public ::testing::Test {};

TEST_F(CardImagesTest, RealLibraryLoadsEveryPictureReadyToDraw) {
  LoadRun run = Load(TARLYK_CARDS_DIR);
  ASSERT_EQ(run.result.status, CardLoadResult::kOk) << run.result.errorList;
  EXPECT_EQ(run.result.errorList, "");
  EXPECT_EQ(run.eventCalls, 64);
  EXPECT_EQ(run.pictureCalls, 1);
  EXPECT_EQ(run.thumbnails, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(run.images.ActiveShortID, 3);

  for (int id = 0; id < 52; ++id) {
    for (const QImage* img : {&run.images.ilCards[id], &run.images.ilLightCards[id]}) {
      ASSERT_EQ(img->size(), QSize(71, 96)) << id;
      ASSERT_EQ(img->format(), QImage::Format_ARGB32_Premultiplied);
      // Transparent at exactly the twelve corner pixels, opaque everywhere else.
      int transparent = 0;
      for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 71; ++x) {
          const int a = qAlpha(img->pixel(x, y));
          if (IsCardCornerPixel(x, y)) {
            EXPECT_EQ(a, 0) << id << " " << x << "," << y;
            ++transparent;
          } else {
            ASSERT_EQ(a, 255) << id << " " << x << "," << y;
          }
        }
      }
      EXPECT_EQ(transparent, 12);
    }
  }
  for (int n = 0; n < 12; ++n) {
    EXPECT_EQ(run.images.ilShorts[n].size(), QSize(71, 96));
    EXPECT_EQ(run.images.ilShorts90[n].size(), QSize(96, 71));
    EXPECT_EQ(run.images.ilShorts90[n].format(), QImage::Format_ARGB32_Premultiplied);
    // Magenta is keyed out: the corner is see-through, the middle is card.
    EXPECT_EQ(qAlpha(run.images.ilShorts[n].pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(run.images.ilShorts[n].pixel(35, 48)), 255);
    // The turned back's top-left pixel is the unturned bottom-left one.
    EXPECT_EQ(run.images.ilShorts90[n].pixel(0, 0), run.images.ilShorts[n].pixel(0, 95));
  }
  // Twelve different backs.
  std::set<QByteArray> distinct;
  for (const QImage& back : run.images.ilShorts) {
    distinct.insert(QByteArray(reinterpret_cast<const char*>(back.constBits()),
                               static_cast<qsizetype>(back.sizeInBytes())));
  }
  EXPECT_EQ(distinct.size(), 12u);

  // The light faces are the faces tinted towards the given base colour.
  int whites = 0;
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 71; ++x)
      if (run.images.ilCards[0].pixel(x, y) == 0xFFFFFFFFu) {
        ++whites;
        ASSERT_EQ(run.images.ilLightCards[0].pixel(x, y), qRgb(225, 238, 253));
      }
  EXPECT_GT(whites, 1000);
}

TEST_F(CardImagesTest, DeckTemplateFollowsTheLibraryNumbering) {
  LoadRun run = Load(TARLYK_CARDS_DIR);
  ASSERT_EQ(run.result.status, CardLoadResult::kOk);
  struct Expect {
    int slot, value, suid;
  };
  for (const Expect& e :
       {Expect{1, 13, 0}, Expect{2, 1, 0}, Expect{13, 12, 0}, Expect{14, 13, 2}, Expect{27, 13, 3},
        Expect{36, 9, 3}, Expect{40, 13, 1}, Expect{50, 10, 1}, Expect{52, 12, 1}}) {
    const TCardRec& c = run.allCards[e.slot];
    EXPECT_EQ(c.Value, e.value) << e.slot;
    EXPECT_EQ(c.Suid, e.suid) << e.slot;
    EXPECT_EQ(c.ID, e.slot - 1) << e.slot;
  }
  // The artwork matches the numbering: the pip cards two..ten of the red suits
  // (numbers 14..39) show red, those of the black suits none.
  for (int number = 1; number <= 52; ++number) {
    const int pos = (number - 1) % 13;
    if (pos < 1 || pos > 9) continue;
    const QImage& face = run.images.ilCards[number - 1];
    bool red = false;
    for (int y = 0; y < 96 && !red; ++y)
      for (int x = 0; x < 71 && !red; ++x) {
        const QRgb c = face.pixel(x, y);
        red = qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80;
      }
    EXPECT_EQ(red, number >= 14 && number <= 39) << number;
  }
}

TEST_F(CardImagesTest, LibraryBacksAreMagentaOutsideTheirCornersWithoutFringe) {
  CardLibrary library;
  ASSERT_TRUE(library.Open(TARLYK_CARDS_DIR));
  EXPECT_TRUE(library.Bitmap(53).empty());
  EXPECT_TRUE(library.Bitmap(0).empty());
  EXPECT_TRUE(library.Bitmap(66).empty());
  EXPECT_TRUE(library.Bitmap(-5).empty());
  for (int number = 54; number <= 65; ++number) {
    const auto bytes = library.Bitmap(number);
    QImage back = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
    ASSERT_EQ(back.size(), QSize(71, 96)) << number;
    back = back.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 96; ++y)
      for (int x = 0; x < 71; ++x) ASSERT_EQ(qAlpha(back.pixel(x, y)), 255) << number;
    EXPECT_EQ(back.pixel(0, 0), 0xFFFF00FFu) << number;
    EXPECT_EQ(back.pixel(70, 95), 0xFFFF00FFu) << number;
    EXPECT_NE(back.pixel(35, 48), 0xFFFF00FFu) << number;
  }
}

// Backs 5 and 7 are the plain blue and red backs (3 and 4) with a fan of cards laid across
// rows 24..71. The deck's drawing writes a web address diagonally over the whole card;
// above and below the fan, where it would show, only the plain background may be seen.
TEST_F(CardImagesTest, FanBacksShowOnlyTheirBackgroundAboveAndBelowTheFan) {
  CardLibrary library;
  ASSERT_TRUE(library.Open(TARLYK_CARDS_DIR));
  const auto decode = [&library](int number) {
    const auto bytes = library.Bitmap(number);
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "PNG")
        .convertToFormat(QImage::Format_RGB32);
  };
  for (const auto& [fan, plain] : {std::pair{59, 57}, std::pair{61, 58}}) {
    const QImage a = decode(fan);
    const QImage b = decode(plain);
    ASSERT_EQ(a.size(), QSize(71, 96));
    ASSERT_EQ(b.size(), QSize(71, 96));
    int differing = 0;
    for (int y = 0; y < 96; ++y) {
      if (y >= 22 && y <= 73) continue;
      for (int x = 0; x < 71; ++x) {
        const QRgb p = a.pixel(x, y);
        const QRgb q = b.pixel(x, y);
        const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        if (d > 3) ++differing;
      }
    }
    EXPECT_EQ(differing, 0) << "back " << fan;
    // The fan itself is there.
    EXPECT_NE(a.pixel(35, 48), b.pixel(35, 48)) << "back " << fan;
  }
}

TEST_F(CardImagesTest, TintMovesEachChannelFourFifthsTowardsTheBase) {
  EXPECT_EQ(TintPixel(qRgb(255, 255, 255), kDefaultTint), qRgb(225, 238, 253));
  EXPECT_EQ(TintPixel(qRgb(0, 0, 0), kDefaultTint), qRgb(174, 187, 202));
  EXPECT_EQ(TintPixel(qRgb(5, 5, 5), kDefaultTint), qRgb(175, 188, 203));
  EXPECT_EQ(TintPixel(qRgb(255, 255, 255), qRgb(234, 240, 207)), qRgb(238, 243, 217));
}

TEST_F(CardImagesTest, QuarterTurnIsClockwise) {
  // 3 wide, 2 high:  a b c        turned, 2 wide, 3 high:  d a
  //                  d e f                                 e b
  //                                                        f c
  QImage src(3, 2, QImage::Format_ARGB32_Premultiplied);
  const QRgb a = 0xFF000001, b = 0xFF000002, c = 0xFF000003;
  const QRgb d = 0xFF000004, e = 0xFF000005, f = 0xFF000006;
  src.setPixel(0, 0, a), src.setPixel(1, 0, b), src.setPixel(2, 0, c);
  src.setPixel(0, 1, d), src.setPixel(1, 1, e), src.setPixel(2, 1, f);
  const QImage out = TurnQuarterClockwise(src);
  ASSERT_EQ(out.size(), QSize(2, 3));
  const QRgb expected[3][2] = {{d, a}, {e, b}, {f, c}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(out.pixel(x, y), expected[y][x]) << x << "," << y;
}

TEST_F(CardImagesTest, StoredBackIsKeptAndRandomOtherwise) {
  FixedRandom random(7);
  EXPECT_EQ(Load(TARLYK_CARDS_DIR, 11, true, &random).images.ActiveShortID, 11);
  EXPECT_EQ(random.lastRange, 0);
  EXPECT_EQ(Load(TARLYK_CARDS_DIR, -1, true, &random).images.ActiveShortID, 7);
  EXPECT_EQ(random.lastRange, 12);
  random.lastRange = 0;
  EXPECT_EQ(Load(TARLYK_CARDS_DIR, 12, true, &random).images.ActiveShortID, 7);
  EXPECT_EQ(random.lastRange, 12);
}

TEST_F(CardImagesTest, MissingOrUnloadableLibraryStopsBeforeAnyPicture) {
  QTemporaryDir empty;
  ASSERT_TRUE(empty.isValid());
  LoadRun run = Load(empty.path().toStdString());
  EXPECT_EQ(run.result.status, CardLoadResult::kLibraryMissing);
  EXPECT_EQ(run.eventCalls, 0);
  EXPECT_EQ(run.pictureCalls, 0);

  QTemporaryDir junk;
  {
    std::ofstream file(std::filesystem::path(junk.path().toStdString()) / "Cards.dll");
    file << "MZ this is no shared object";
  }
  run = Load(junk.path().toStdString());
  EXPECT_EQ(run.result.status, CardLoadResult::kLibraryMissing);
  EXPECT_EQ(run.eventCalls, 0);

  EXPECT_EQ(MissingLibraryText(),
            "Библиотека ресурсов (Cards.dll) не найдена.\r\rБыла попытка поиска системной "
            "библиотеки, но и она была не удачной.\rПрекращаю работу.\r\r\tКод ошибки: 0-002.");
  EXPECT_EQ(CardLoadCaption(), "Внимание");
}

TEST_F(CardImagesTest, LibraryWithoutTheFunctionListsEveryPicture) {
  LoadRun run = Load(BadDir("no_function"));
  ASSERT_EQ(run.result.status, CardLoadResult::kDamaged);
  std::string expected;
  for (int i = 1; i <= 52; ++i)
    expected += "№ K-" + std::to_string(i) + ", № ОсвK-" + std::to_string(i) + ", ";
  for (int i = 54; i <= 65; ++i)
    expected += "№ O-" + std::to_string(i) + ", № ПовO-" + std::to_string(i) + ", ";
  EXPECT_EQ(run.result.errorList, expected);
  EXPECT_EQ(run.eventCalls, 64);
  EXPECT_TRUE(run.thumbnails.empty());
}

// A library that points outside its own data, or hands out larger pictures of another
// size, cannot crash the game: such pictures count as missing.
TEST_F(CardImagesTest, PicturesOutsideTheLibraryCountAsMissing) {
  LoadRun run = Load(BadDir("stray"));
  ASSERT_EQ(run.result.status, CardLoadResult::kDamaged);
  EXPECT_EQ(run.result.errorList, "№ K-5, № ОсвK-5, ");

  CardLibrary library;
  ASSERT_TRUE(library.Open(BadDir("stray")));
  EXPECT_TRUE(library.ScaledPixels(1, 2).empty());  // the wrong size
  EXPECT_TRUE(library.ScaledPixels(2, 2).empty());  // memory it allocated
  EXPECT_TRUE(library.ScaledPixels(3, 3).empty());  // a size it does not hold
  const CardLibrary::Pixels grey = library.ScaledPixels(3, 2);
  ASSERT_FALSE(grey.empty());
  EXPECT_EQ(grey.width, 142);
  EXPECT_EQ(grey.height, 192);
  EXPECT_EQ(grey.data[100], 0x80808080u);

  // The real library holds both larger sizes; an older one neither.
  ASSERT_TRUE(library.Open(TARLYK_CARDS_DIR));
  EXPECT_EQ(library.ScaledPixels(52, 3).width, 213);
  ASSERT_TRUE(library.Open(BadDir("no_pixels")));
  EXPECT_TRUE(library.ScaledPixels(52, 2).empty());
}

// The account picture is the person's own choice: one that cannot be used leaves the
// built-in picture and the game starts.
TEST_F(CardImagesTest, UnusableAccountPictureIsNoLoadError) {
  LoadRun run = Load(TARLYK_CARDS_DIR, 3, /*pictureOk=*/false);
  EXPECT_EQ(run.pictureCalls, 1);
  EXPECT_EQ(run.result.status, CardLoadResult::kOk);
  EXPECT_EQ(run.result.errorList, "");
}

TEST_F(CardImagesTest, DamagedPicturesAreListedInLoadingOrder) {
  // An account picture that cannot be used is no fault of the library: never listed.
  LoadRun run = Load(BadDir("partial"), 3, /*pictureOk=*/false);
  EXPECT_EQ(run.pictureCalls, 1);
  ASSERT_EQ(run.result.status, CardLoadResult::kDamaged);
  EXPECT_EQ(run.result.errorList,
            "№ K-7, № ОсвK-7, № K-20, № ОсвK-20, № K-33, № ОсвK-33, "
            "№ O-56, № ПовO-56, № O-57, № ПовO-57, № O-65, № ПовO-65, ");
  EXPECT_TRUE(run.images.ilCards[6].isNull());
  EXPECT_FALSE(run.images.ilCards[7].isNull());
  EXPECT_EQ(run.thumbnails.size(), 9u);
  // Every card of the deck template is filled even when its picture is bad.
  EXPECT_EQ(run.allCards[7].ID, 6);

  EXPECT_EQ(DamagedLibraryText(run.result.errorList),
            "Библиотека ресурсов (Cards.dll) повреждена.\r\rСписок карт, которые не удалось "
            "загрузить:\r№ K-7, № ОсвK-7, № K-20, № ОсвK-20, "
            "№ K-33, № ОсвK-33, № O-56, № ПовO-56, № O-57, № ПовO-57, № O-65, № ПовO-65."
            "\r\rПрекращаю работу.\r\r\tКод ошибки: 0-003.");
}

TEST_F(CardImagesTest, AbsurdSizesAndMissingDataAreDamagedPictures) {
  LoadRun run = Load(BadDir("oversized"));
  ASSERT_EQ(run.result.status, CardLoadResult::kDamaged);
  EXPECT_EQ(run.result.errorList, "№ K-12, № ОсвK-12, № O-58, № ПовO-58, ");
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes bytes as Cards.dll in a directory of its own.
class LibraryCopy {
 public:
  explicit LibraryCopy(const std::string& bytes) {
    std::ofstream(Path(), std::ios::binary) << bytes;
  }
  std::string Dir() const { return dir_.path().toStdString(); }
  std::string Path() const { return Dir() + "/Cards.dll"; }

 private:
  QTemporaryDir dir_;
};

// A library cut short, or whose headers claim more than the file holds, would be mapped
// past its end and kill the game inside the loader: it counts as no library at all.
TEST_F(CardImagesTest, CutShortOrOverclaimingLibraryIsNotLoaded) {
  const std::string real = ReadBytes(std::string(TARLYK_CARDS_DIR) + "/Cards.dll");
  ASSERT_GT(real.size(), 100000u);
  ASSERT_TRUE(IsLoadableLibraryFile(std::string(TARLYK_CARDS_DIR) + "/Cards.dll"));
  ElfW(Ehdr) eh{};
  std::memcpy(&eh, real.data(), sizeof eh);
  const size_t pastHeaders = eh.e_phoff + eh.e_phnum * sizeof(ElfW(Phdr));
  for (size_t cut : {size_t{16}, sizeof eh, pastHeaders - 1, pastHeaders, real.size() / 4,
                     real.size() / 2, real.size() * 3 / 4, size_t{eh.e_shoff}, real.size() - 1}) {
    LibraryCopy copy(real.substr(0, cut));
    EXPECT_FALSE(IsLoadableLibraryFile(copy.Path())) << cut;
    LoadRun run = Load(copy.Dir());
    EXPECT_EQ(run.result.status, CardLoadResult::kLibraryMissing) << cut;
    EXPECT_EQ(run.eventCalls, 0) << cut;
  }

  // Whole files whose headers lie: a segment past the end, headers out of the file, the
  // wrong machine or word size.
  const auto edited = [&](const std::function<void(ElfW(Ehdr)&, ElfW(Phdr)*)>& edit) {
    std::string bytes = real;
    auto* header = reinterpret_cast<ElfW(Ehdr)*>(bytes.data());
    edit(*header, reinterpret_cast<ElfW(Phdr)*>(bytes.data() + eh.e_phoff));
    return bytes;
  };
  const std::string lies[] = {
      edited([&](ElfW(Ehdr) & h, ElfW(Phdr) * ph) {
        for (int i = h.e_phnum - 1; i >= 0; --i) {
          if (ph[i].p_type == PT_LOAD) {
            ph[i].p_filesz += real.size();
            break;
          }
        }
      }),
      edited([&](ElfW(Ehdr) & h, ElfW(Phdr)*) { h.e_phoff = real.size() - 8; }),
      edited([&](ElfW(Ehdr) & h, ElfW(Phdr)*) { h.e_shoff = real.size() - 8; }),
      edited([&](ElfW(Ehdr) & h, ElfW(Phdr)*) { h.e_phnum = 0xFFFE; }),
      edited([&](ElfW(Ehdr) & h, ElfW(Phdr)*) {
        h.e_machine = h.e_machine == EM_AARCH64 ? EM_X86_64 : EM_AARCH64;
      }),
      edited([&](ElfW(Ehdr) & h, ElfW(Phdr)*) { h.e_ident[EI_CLASS] = ELFCLASS32; }),
  };
  for (const std::string& bytes : lies) {
    LibraryCopy copy(bytes);
    EXPECT_FALSE(IsLoadableLibraryFile(copy.Path())) << &bytes - lies;
    EXPECT_EQ(Load(copy.Dir()).result.status, CardLoadResult::kLibraryMissing) << &bytes - lies;
  }
}

// Without a library beside the executable the loader's own search order is walked, and
// a damaged file on the way is passed over like a missing one.
TEST_F(CardImagesTest, SearchedLibraryIsCheckedBeforeLoading) {
  const std::string real = ReadBytes(std::string(TARLYK_CARDS_DIR) + "/Cards.dll");
  const LibraryCopy cut(real.substr(0, real.size() / 2));
  const LibraryCopy good(real);
  QTemporaryDir none;
  CardLibrary library;
  EXPECT_FALSE(library.Open("", {cut.Dir(), none.path().toStdString()}));
  ASSERT_TRUE(library.Open("", {cut.Dir(), none.path().toStdString(), good.Dir()}));
  EXPECT_EQ(library.Path(), good.Path());
  EXPECT_FALSE(library.Bitmap(1).empty());
  // A damaged library beside the executable is not replaced by one found elsewhere.
  EXPECT_FALSE(library.Open(cut.Dir(), {good.Dir()}));

  // The search order is the loader's own, ending in the system's library directories.
  const std::vector<std::string> dirs = LibrarySearchDirs();
  EXPECT_NE(std::find(dirs.begin(), dirs.end(), "/usr/lib"), dirs.end());
}

}  // namespace
}  // namespace tarlyk
