// The application shell around the game: single instance, splash, about window, help,
// boss key and the menus, on Qt's offscreen platform.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QBackingStore>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "art/app_icon.h"
#include "art/look.h"
#include "art/render/built_in_pictures.h"
#include "capture_box.h"
#include "help/help.h"
#include "shell/about_window.h"
#include "shell/application.h"
#include "shell/boss_key.h"
#include "shell/main_window.h"
#include "shell/shell_icons.h"
#include "shell/single_instance.h"
#include "shell/splash_window.h"
#include "url_sink.h"

namespace tarlyk {
namespace {

QString Shown(const char* text) {
  return QString::fromUtf8(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// --- single instance ---

TEST(SingleInstance, LockIsTheUpperCasedFileName) {
  EXPECT_EQ(LockNameFor("/usr/games/tarlyk"), "TARLYK");
  EXPECT_EQ(LockNameFor("C:/Games/Tarlyk.exe"), "TARLYK.EXE");
  EXPECT_EQ(LockNameFor("my-game2_x"), "MY-GAME2_X");
  EXPECT_EQ(LockNameFor("/opt/игра"), "игра");  // only a..z change
}

TEST(SingleInstance, NameIsHeldUntilReleasedAndNamesAreIndependent) {
  const std::string name = "TARLYK-TEST-" + std::to_string(QCoreApplication::applicationPid());
  {
    SingleInstanceLock first(name);
    EXPECT_FALSE(first.IsSecondInstance());
    SingleInstanceLock second(name);
    EXPECT_TRUE(second.IsSecondInstance());
    SingleInstanceLock other(name + "-OTHER");  // another file name runs side by side
    EXPECT_FALSE(other.IsSecondInstance());
  }
  SingleInstanceLock again(name);
  EXPECT_FALSE(again.IsSecondInstance());
}

TEST(SingleInstance, KilledHolderReleasesTheName) {
  const std::string name = "TARLYK-KILL-" + std::to_string(QCoreApplication::applicationPid());
  QProcess holder;
  holder.start(QCoreApplication::applicationFilePath(),
               {QStringLiteral("--hold-lock"), QString::fromStdString(name)});
  ASSERT_TRUE(holder.waitForReadyRead(10000));
  EXPECT_TRUE(SingleInstanceLock(name).IsSecondInstance());
  ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
  ASSERT_TRUE(holder.waitForFinished(10000));
  EXPECT_FALSE(SingleInstanceLock(name).IsSecondInstance());
}

// A directory for the tests of the lock's places, removed with everything in it.
class LockTree {
 public:
  LockTree() {
    root_ = dir_.path().toStdString();
    ::chmod(root_.c_str(), 0755);  // other accounts reach their homes inside
  }
  std::string Path(const std::string& rel) const { return root_ + "/" + rel; }
  void MakeDir(const std::string& rel, mode_t mode) const {
    ::mkdir(Path(rel).c_str(), 0700);
    ::chmod(Path(rel).c_str(), mode);
  }
  bool Exists(const std::string& rel) const {
    struct stat st {};
    return ::lstat(Path(rel).c_str(), &st) == 0;
  }

 private:
  QTemporaryDir dir_;
  std::string root_;
};

TEST(SingleInstance, LockLivesOnlyInAPrivateDirectoryOfOurOwn) {
  LockTree tree;
  const std::string uid = std::to_string(::getuid());
  const std::string name = "TARLYK-PLACES-" + std::to_string(QCoreApplication::applicationPid());
  const std::string file = "/" + name + ".lock";
  tree.MakeDir("run", 0755);
  tree.MakeDir("run-user", 0755);
  tree.MakeDir("run-user/" + uid, 0755);
  tree.MakeDir("tmp", 01777);
  tree.MakeDir("home", 0700);
  const LockPlaces places{tree.Path("run"), tree.Path("run-user"), tree.Path("tmp"),
                          tree.Path("home")};
  const auto lockedAt = [&] {
    SingleInstanceLock lock(name, places);
    EXPECT_FALSE(lock.IsSecondInstance());
    return lock.Path();
  };

  // Runtime directories that others may enter are passed over; the shared temporary
  // directory gets a private directory of our own.
  EXPECT_EQ(lockedAt(), tree.Path("tmp/tarlyk-" + uid) + file);
  struct stat st {};
  ASSERT_EQ(::lstat(tree.Path("tmp/tarlyk-" + uid).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::lstat((tree.Path("tmp/tarlyk-" + uid) + file).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ::chmod(tree.Path("run-user/" + uid).c_str(), 0700);
  EXPECT_EQ(lockedAt(), tree.Path("run-user/" + uid) + file);
  ::chmod(tree.Path("run").c_str(), 0700);
  EXPECT_EQ(lockedAt(), tree.Path("run") + file);

  // A symbolic link is never followed, not even to a directory of our own, and a link
  // planted as the lock file leads nowhere: the next place is taken instead.
  const LockPlaces shared{"", "", tree.Path("tmp"), tree.Path("home")};
  std::filesystem::remove_all(tree.Path("tmp/tarlyk-" + uid));
  tree.MakeDir("mine", 0700);
  ::symlink(tree.Path("mine").c_str(), tree.Path("tmp/tarlyk-" + uid).c_str());
  {
    SingleInstanceLock lock(name, shared);
    EXPECT_EQ(lock.Path(), tree.Path("home/.cache/tarlyk") + file);
    EXPECT_TRUE(SingleInstanceLock(name, shared).IsSecondInstance());
  }
  EXPECT_FALSE(tree.Exists("mine" + file));
  ::unlink(tree.Path("tmp/tarlyk-" + uid).c_str());
  tree.MakeDir("tmp/tarlyk-" + uid, 0700);
  ::symlink(tree.Path("target").c_str(), (tree.Path("tmp/tarlyk-" + uid) + file).c_str());
  EXPECT_EQ(SingleInstanceLock(name, shared).Path(), tree.Path("home/.cache/tarlyk") + file);
  EXPECT_FALSE(tree.Exists("target"));
  // Anything but a regular file is refused without waiting on it.
  ::unlink((tree.Path("tmp/tarlyk-" + uid) + file).c_str());
  ASSERT_EQ(::mkfifo((tree.Path("tmp/tarlyk-" + uid) + file).c_str(), 0600), 0);
  EXPECT_EQ(SingleInstanceLock(name, shared).Path(), tree.Path("home/.cache/tarlyk") + file);

  // With no usable place at all the program runs rather than refusing to.
  const SingleInstanceLock nowhere(name, LockPlaces{"", "", "", "relative/home"});
  EXPECT_FALSE(nowhere.IsSecondInstance());
  EXPECT_EQ(nowhere.Path(), "");
}

// A process of this test program that takes the lock as another account (see LockAs).
class OtherAccount {
 public:
  OtherAccount(uid_t uid, const std::string& name, const LockTree& tree, const std::string& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("HOME"), QString::fromStdString(home));
    process_.setProcessEnvironment(env);
    process_.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--lock-as"), QString::number(uid), QString::fromStdString(name),
         QString::fromStdString(tree.Path("tmp")), QString::fromStdString(tree.Path("run-user"))});
    if (process_.waitForReadyRead(10000)) {
      const QStringList words = QString::fromUtf8(process_.readLine()).trimmed().split(' ');
      state_ = words.value(0).toStdString();
      path_ = words.value(1).toStdString();
    }
  }
  ~OtherAccount() {
    process_.closeWriteChannel();
    if (!process_.waitForFinished(10000)) process_.kill();
  }
  const std::string& State() const { return state_; }  // "first" or "second"
  const std::string& Path() const { return path_; }
  void Kill() {
    ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
    process_.waitForFinished(10000);
  }

 private:
  QProcess process_;
  std::string state_, path_;
};

uid_t UnusedUid(uid_t from) {
  while (::getpwuid(from) != nullptr) ++from;
  return from;
}

// Other accounts: each has a lock of its own, none can take or block another's, and a
// name squatted in the shared temporary directory blocks nobody. Needs root to act as
// other accounts (CI runs as root); uids without an account entry serve, so nothing is
// added to the system.
TEST(SingleInstance, EveryAccountHasItsOwnLockThatNoOtherCanTakeOrBlock) {
  if (::geteuid() != 0) GTEST_SKIP() << "acting as other accounts needs root";
  LockTree tree;
  const uid_t a = UnusedUid(61000);
  const uid_t b = UnusedUid(a + 1);
  tree.MakeDir("tmp", 01777);
  tree.MakeDir("run-user", 0755);
  const std::pair<uid_t, const char*> homes[] = {{a, "home-a"}, {b, "home-b"}};
  for (const auto& [uid, home] : homes) {
    tree.MakeDir(home, 0700);
    ::chown(tree.Path(home).c_str(), uid, uid);
  }
  const std::string name = "TARLYK-USERS-" + std::to_string(QCoreApplication::applicationPid());
  const std::string file = "/" + name + ".lock";
  const std::string aDir = tree.Path("tmp/tarlyk-" + std::to_string(a));
  const LockPlaces mine{"", tree.Path("run-user"), tree.Path("tmp"), ""};

  {
    SingleInstanceLock root(name, mine);
    ASSERT_FALSE(root.IsSecondInstance());
    OtherAccount first(a, name, tree, tree.Path("home-a"));
    OtherAccount other(b, name, tree, tree.Path("home-b"));
    EXPECT_EQ(first.State(), "first");
    EXPECT_EQ(first.Path(), aDir + file);
    EXPECT_EQ(other.State(), "first");
    EXPECT_EQ(OtherAccount(a, name, tree, tree.Path("home-a")).State(), "second");
    EXPECT_TRUE(SingleInstanceLock(name, mine).IsSecondInstance());
    // The other accounts cannot even look into the directory of A's lock.
    struct stat st {};
    ASSERT_EQ(::stat(aDir.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, a);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // Killed, A's copy leaves the name free for A's next copy.
    first.Kill();
    EXPECT_EQ(OtherAccount(a, name, tree, tree.Path("home-a")).State(), "first");
  }

  // Someone else's directory, a link to one, or a foreign file where A's lock belongs:
  // A still plays, alone, and writes nothing into the place it was led to.
  std::filesystem::remove_all(aDir);
  tree.MakeDir("squatter", 0777);
  const auto squatted = [&](const char* what) {
    OtherAccount held(a, name, tree, tree.Path("home-a"));
    EXPECT_EQ(held.State(), "first") << what;
    EXPECT_EQ(held.Path(), tree.Path("home-a/.cache/tarlyk") + file) << what;
    EXPECT_EQ(OtherAccount(a, name, tree, tree.Path("home-a")).State(), "second") << what;
    EXPECT_FALSE(tree.Exists("squatter" + file)) << what;
  };
  tree.MakeDir("tmp/tarlyk-" + std::to_string(a), 0777);
  squatted("foreign directory");
  ::rmdir(aDir.c_str());
  ::symlink(tree.Path("squatter").c_str(), aDir.c_str());
  squatted("link to a foreign directory");
  ::unlink(aDir.c_str());
  tree.MakeDir("tmp/tarlyk-" + std::to_string(a), 0700);
  ::chown(aDir.c_str(), a, a);
  std::ofstream(aDir + file) << "planted";
  squatted("foreign lock file");
}

TEST(SingleInstance, SecondAndThirdCopiesShowOnlyTheBoxAndEnd) {
  // This test program stands in for the executable: the child runs the real start-up
  // under the same file name while this process holds the name.
  SingleInstanceLock held(LockNameFor(RunningExecutablePath(nullptr)));
  ASSERT_FALSE(held.IsSecondInstance());
  for (int copy = 0; copy < 2; ++copy) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--second-copy")});
    ASSERT_TRUE(child.waitForFinished(30000));
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("caption=Внимание\n"))) << out.toStdString();
    const QString text = QString::fromUtf8(QByteArray::fromBase64(
        out.section(QStringLiteral("text="), 1).section(QLatin1Char('\n'), 0, 0).toLatin1()));
    EXPECT_EQ(text, Shown(kSecondCopyText));
    EXPECT_EQ(text, QStringLiteral("Игра \"Тарлык\" уже запущена.\n\nЗапуск второй копии игры не "
                                   "возможен.\n\n\tКод ошибки: 0-001."));
    EXPECT_TRUE(out.contains(QStringLiteral("icon=warning\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("other-windows=0\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("boxes=1\n")));
  }
}

// A start-up failure box must not come up behind the splash, which stays on top.
TEST(Startup, CardLibraryBoxComesAfterTheSplashIsHidden) {
  // A copy of this program in a directory without the card library runs the real
  // start-up; the name of its own keeps the lock apart from the other tests.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString copy =
      dir.filePath(QStringLiteral("tarlyk-nolib-%1").arg(QCoreApplication::applicationPid()));
  ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), copy));
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
  env.remove(QStringLiteral("LD_LIBRARY_PATH"));
  child.setProcessEnvironment(env);
  child.start(copy, {QStringLiteral("--missing-library")});
  ASSERT_TRUE(child.waitForFinished(30000));
  const QString out = QString::fromUtf8(child.readAllStandardOutput());
  EXPECT_EQ(child.exitCode(), 1) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("caption=Внимание\n"))) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("code=0-002\n"))) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("other-windows=0\n"))) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("wait-cursor=0\n"))) << out.toStdString();
}

// A card library cut short, beside the program or found by the library search, ends the
// start with the 0-002 box instead of a crash inside the loader.
TEST(Startup, CutShortLibraryGivesTheMissingLibraryBox) {
  QFile real(QCoreApplication::applicationDirPath() + QStringLiteral("/Cards.dll"));
  ASSERT_TRUE(real.open(QIODevice::ReadOnly));
  const QByteArray cut = real.readAll().left(real.size() / 4);
  for (const bool beside : {true, false}) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy =
        dir.filePath(QStringLiteral("tarlyk-cut-%1").arg(QCoreApplication::applicationPid()));
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    const QString libDir = beside ? dir.path() : dir.filePath(QStringLiteral("lib"));
    ASSERT_TRUE(QDir().mkpath(libDir));
    QFile lib(libDir + QStringLiteral("/Cards.dll"));
    ASSERT_TRUE(lib.open(QIODevice::WriteOnly));
    lib.write(cut);
    lib.close();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    if (beside) {
      env.remove(QStringLiteral("LD_LIBRARY_PATH"));
    } else {
      env.insert(QStringLiteral("LD_LIBRARY_PATH"), libDir);
    }
    child.setProcessEnvironment(env);
    child.start(copy, {QStringLiteral("--missing-library")});
    ASSERT_TRUE(child.waitForFinished(30000));
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << beside;
    EXPECT_EQ(child.exitCode(), 1) << beside << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("code=0-002\n"))) << beside << out.toStdString();
  }
}

// --- splash ---

TEST(Splash, WindowPictureTextAndCursor) {
  SplashWindow splash;
  EXPECT_EQ(splash.size(), QSize(488, 360));
  EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(splash.windowTitle(), QStringLiteral("Тарлык (Загружается)"));
  EXPECT_EQ(SplashWindow::LoadingText(), QStringLiteral("Загрузка..."));
  EXPECT_EQ(splash.Frames().size(), QSize(46, 7 * 19));

  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  splash.ShowNow();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

  // "Загрузка..." is white text drawn over the picture near (8, 22).
  const QImage shown = splash.grab().toImage();
  int white = 0;
  for (int y = 22; y < 38; ++y) {
    for (int x = 8; x < 80; ++x) {
      if (shown.pixelColor(x, y) == QColor(Qt::white)) ++white;
      EXPECT_NE(splash.Picture().pixelColor(x, y), QColor(Qt::white));
    }
  }
  EXPECT_GT(white, 20);

  // The animation runs on its own; F4 is swallowed.
  const int before = splash.CurrentFrame();
  QTest::qWait(3 * SplashWindow::kFrameIntervalMs + 50);
  EXPECT_NE(splash.CurrentFrame(), before);
  // At ratio 1 the compiled-in picture stays; nothing finer is drawn for it.
  EXPECT_EQ(splash.Picture().constBits(), BuiltInSplashPicture().constBits());
  QKeyEvent f4(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier);
  QCoreApplication::sendEvent(&splash, &f4);
  EXPECT_TRUE(f4.isAccepted());
  EXPECT_TRUE(splash.isVisible());

  splash.hide();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The first frame is painted by ShowNow itself: the window's backing store already holds
// the picture and the text, before any further event is handled.
TEST(Splash, FirstFrameIsPaintedByShowNow) {
  SplashWindow splash;
  splash.ShowNow();
  ASSERT_NE(splash.backingStore(), nullptr);
  QPaintDevice* device = splash.backingStore()->paintDevice();
  ASSERT_NE(device, nullptr);
  ASSERT_EQ(device->devType(), QInternal::Image);
  const QImage painted = static_cast<QImage*>(device)->convertToFormat(QImage::Format_RGB32);
  ASSERT_GE(painted.width(), SplashWindow::kWidth);
  const QImage picture = splash.Picture().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(painted.pixel(240, 200), picture.pixel(240, 200));
  EXPECT_EQ(painted.pixel(470, 340), picture.pixel(470, 340));
  int white = 0;
  for (int y = 22; y < 38; ++y) {
    for (int x = 8; x < 80; ++x) {
      if (painted.pixel(x, y) == qRgb(255, 255, 255)) ++white;
    }
  }
  EXPECT_GT(white, 20);
  splash.hide();
}

// --- about window ---

TEST(About, ContentAndPlaces) {
  TfrmAbout about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
  EXPECT_EQ(about.size(), QSize(321, 303));
  EXPECT_EQ(about.Credits()->geometry(), QRect(10, 176, 303, 89));
  EXPECT_EQ(about.CloseButton()->geometry(), QRect(10, 273, 93, 24));
  EXPECT_EQ(about.CloseButton()->text(), QStringLiteral("Закрыть"));
  EXPECT_EQ(about.EmailLink()->pos(), QPoint(94, 116));
  EXPECT_EQ(about.WebLink()->pos(), QPoint(94, 136));

  QStringList texts;
  for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
  for (const char* expected :
       {"Тарлык (подкидной)", "Карточная игра", "Версия:", "1.1 (от 14 ноября 2005 года)",
        "Права:", "Контакты:", "E-Mail:", "Inernet:", "Дополнительная информация:"}) {
    EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
  }

  UrlSink sink({QStringLiteral("mailto"), QStringLiteral("https")});
  QTest::mouseClick(about.EmailLink(), Qt::LeftButton);
  QTest::mouseClick(about.WebLink(), Qt::LeftButton);
  ASSERT_EQ(sink.urls.size(), 2);
  EXPECT_EQ(sink.urls[0].scheme(), QStringLiteral("mailto"));
  EXPECT_EQ(sink.urls[0].path(), AboutContent::Email());
  EXPECT_EQ(sink.urls[1], QUrl(AboutContent::Web()));
}

// The window is built before start-up settles the look; its background must follow.
TEST(About, BackgroundFollowsTheLookSettledAfterCreation) {
  TfrmAbout about;
  SettleLook(ColorScheme::kOlive);
  about.show();
  // The contents are built at this first showing and shown with the window.
  EXPECT_TRUE(about.CloseButton()->isVisible());
  EXPECT_TRUE(about.Credits()->isVisible());
  EXPECT_TRUE(about.Credits()->IsRunning());
  EXPECT_EQ(about.palette().color(QPalette::Window), LookFor(ColorScheme::kOlive).dialogBackground);
  EXPECT_EQ(about.grab().toImage().pixelColor(300, 60),
            LookFor(ColorScheme::kOlive).dialogBackground);
  about.hide();
  SettleLook(ColorScheme::kClassic);
  about.show();
  EXPECT_EQ(about.palette().color(QPalette::Window),
            LookFor(ColorScheme::kClassic).dialogBackground);
}

TEST(About, CreditsBlocks) {
  const QStringList lines = CreditsLines();
  ASSERT_GT(lines.size(), 40);
  EXPECT_EQ(lines.first(), QStringLiteral("*** Тарлык (подкидной) ***"));
  EXPECT_EQ(lines.last(), QStringLiteral("(Тестирование интерфейса)"));
  // Blocks 1..3 end "", "***", ""; blocks 4..7 end "", "", "***", "".
  const qsizetype version = lines.indexOf(QStringLiteral("Версия:"));
  EXPECT_EQ(lines.mid(version - 3, 3), QStringList({"", "***", ""}));
  const qsizetype terms = lines.indexOf(QStringLiteral("Условия распространения:"));
  EXPECT_EQ(lines.mid(terms - 4, 4), QStringList({"", "", "***", ""}));
  EXPECT_EQ(lines[terms + 1], QStringLiteral("Бесплатно, как есть (freeware)"));
  // Five acknowledgements: a name line, then the contribution, "***" between them.
  const qsizetype thanks = lines.indexOf(QStringLiteral("Особое спасибо:"));
  EXPECT_EQ(lines.mid(thanks - 4, 4), QStringList({"", "", "***", ""}));
  EXPECT_EQ(lines.size() - thanks - 1, 5 * 2 + 4);
  EXPECT_EQ(lines[thanks + 2], QStringLiteral("(Крэш тестирование)"));
  EXPECT_EQ(lines[thanks + 3], QStringLiteral("***"));
}

TEST(About, CreditsScrollEndlesslyAndRestartOnEachShowing) {
  TfrmAbout about;
  CreditsView* credits = about.Credits();
  const double inside = credits->contentsRect().height();
  EXPECT_FALSE(credits->IsRunning());

  about.show();
  EXPECT_TRUE(credits->IsRunning());
  EXPECT_EQ(credits->Step(), 0);
  EXPECT_DOUBLE_EQ(credits->TextTop(), inside);  // starts just below the box
  QTest::qWait(3 * CreditsView::kStepMs + 60);
  EXPECT_GE(credits->Step(), 2);
  const double moved = credits->TextTop();
  EXPECT_LT(moved, inside);

  // A full pass is 500 steps: the last line has just left the top, then round again.
  about.hide();
  EXPECT_FALSE(credits->IsRunning());
  while (credits->Step() != CreditsView::kStepsPerPass - 1) credits->Advance();
  const double pass = inside + credits->TextHeight();
  EXPECT_NEAR(credits->TextTop(), inside - pass * 499 / 500, 1e-9);
  credits->Advance();
  EXPECT_EQ(credits->Step(), 0);

  credits->Advance();
  about.show();
  EXPECT_EQ(credits->Step(), 0);

  // A click on the credits closes the window.
  QTest::mouseClick(credits, Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  EXPECT_FALSE(credits->IsRunning());
}

// --- help ---

TEST(Help, MissingFileShowsTheBoxEachTimeAndNoOutsideViewerIsAsked) {
  QTemporaryDir dir;
  UrlSink sink({QStringLiteral("file")});
  for (int i = 0; i < 2; ++i) {
    const auto box = CaptureBox([&] { OpenHelp(nullptr, dir.path()); });
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, QStringLiteral("Информация"));
    EXPECT_EQ(box->text,
              QStringLiteral("Файл справки \"Tarlyk.chm\" не найден. Переустановите игру."));
    EXPECT_EQ(box->icon, QMessageBox::Information);
  }
  EXPECT_TRUE(sink.urls.isEmpty());

  // A file that is there is read by the game itself (an empty one is damaged): the
  // desktop is never asked to open it.
  QFile file(QDir(dir.path()).filePath(QStringLiteral("Tarlyk.chm")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  const auto box = CaptureBox([&] { OpenHelp(nullptr, dir.path()); });
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, QString::fromUtf8(kHelpDamagedText));
  EXPECT_TRUE(sink.urls.isEmpty());
}

// --- boss key ---

TEST(BossKey, PressDisguisesAndAnyRestoreUndisguises) {
  QWidget main;
  main.setWindowTitle(QStringLiteral("Тарлык"));
  main.show();
  BossKey boss;
  boss.Watch(&main);
  boss.SetArmed(true);
  EXPECT_TRUE(boss.IsArmed());
  EXPECT_FALSE(boss.IsRegistered());  // no X11 connection here: nothing registered

  // An ordinary minimise keeps the title; the restore sets "Тарлык".
  main.setWindowTitle(QString::fromUtf8(kApplicationTitle));
  main.showMinimized();
  EXPECT_EQ(main.windowTitle(), QString::fromUtf8(kApplicationTitle));
  main.showNormal();
  EXPECT_EQ(main.windowTitle(), QStringLiteral("Тарлык"));

  boss.Press();
  EXPECT_TRUE(main.isMinimized());
  EXPECT_FALSE(boss.BossKeyPressed());
  EXPECT_EQ(main.windowTitle(), QString::fromUtf8(kDisguiseTitle));
  EXPECT_EQ(main.windowIconText(), QStringLiteral("Документ1 - Microsoft Word"));
  EXPECT_FALSE(main.windowIcon().pixmap(16, 16).isNull());

  main.showNormal();
  EXPECT_EQ(main.windowTitle(), QStringLiteral("Тарлык"));
  EXPECT_EQ(main.windowIconText(), QStringLiteral("Тарлык"));

  // Pressed while already minimised: the flag waits for the next minimise.
  main.showMinimized();
  boss.Press();
  EXPECT_TRUE(boss.BossKeyPressed());
  EXPECT_EQ(main.windowTitle(), QStringLiteral("Тарлык"));
  main.showNormal();
  main.showMinimized();
  EXPECT_EQ(main.windowTitle(), QString::fromUtf8(kDisguiseTitle));
  EXPECT_FALSE(boss.BossKeyPressed());

  boss.SetArmed(false);
  EXPECT_FALSE(boss.IsArmed());
}

// --- icons and menus ---

TEST(Icons, ShippedPngsHaveTheirSizesAndTheResourcesHoldThem) {
  QString root = qEnvironmentVariable("TARLYK_SOURCE_DIR");
  if (root.isEmpty()) root = QStringLiteral(TARLYK_SOURCE_ROOT);
  for (int size : kAppIconSizes) {
    const QImage png(
        QStringLiteral("%1/packaging/icons/hicolor/%2x%2/apps/tarlyk.png").arg(root).arg(size));
    EXPECT_EQ(png.size(), QSize(size, size)) << size;
    EXPECT_FALSE(AppIcon().pixmap(size, size).isNull());
  }
  EXPECT_FALSE(DisguiseIcon().pixmap(16, 16).isNull());
}

TEST(Menus, ItemsShortcutsAndIcons) {
  TfrmMain main;
  const struct {
    QAction* action;
    const char* text;
    QKeySequence key;
  } items[] = {{main.N4, "Новая партия", QKeySequence(Qt::Key_F2)},
               {main.actOptions, "Параметры...", QKeySequence(Qt::CTRL | Qt::Key_P)},
               {main.actExit, "Выход", QKeySequence(Qt::ALT | Qt::Key_F4)},
               {main.actHelp, "Вызов справки...", QKeySequence(Qt::Key_F1)},
               {main.actAbout, "О программе...", QKeySequence(Qt::CTRL | Qt::Key_F1)}};
  for (const auto& item : items) {
    ASSERT_NE(item.action, nullptr) << item.text;
    EXPECT_EQ(item.action->text(), QString::fromUtf8(item.text));
    EXPECT_EQ(item.action->shortcut(), item.key) << item.text;
    EXPECT_FALSE(item.action->icon().isNull()) << item.text;
  }
}

}  // namespace
}  // namespace tarlyk

namespace {

// Child modes of this test program.
int HoldLock(const char* name) {
  tarlyk::SingleInstanceLock lock(name);
  std::printf("held\n");
  std::fflush(stdout);
  for (;;) ::pause();
}

// Takes the lock as another account and holds it until the input closes or the process
// is killed: prints "first PATH" or "second PATH".
int LockAs(char** argv) {
  const auto uid = static_cast<uid_t>(std::stoul(argv[2]));
  if (::setgroups(0, nullptr) != 0 || ::setresgid(uid, uid, uid) != 0 ||
      ::setresuid(uid, uid, uid) != 0) {
    std::printf("no-account\n");
    return 2;
  }
  tarlyk::LockPlaces places = tarlyk::LockPlaces::FromSystem();
  places.sharedTempDir = argv[4];
  places.userRuntimeRoot = argv[5];
  tarlyk::SingleInstanceLock lock(argv[3], places);
  std::printf("%s %s\n", lock.IsSecondInstance() ? "second" : "first", lock.Path().c_str());
  std::fflush(stdout);
  char c = 0;
  while (::read(0, &c, 1) > 0) {
  }
  return 0;
}

// Top-level windows other than `box` on screen.
int OtherWindows(const QMessageBox* box) {
  int others = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != box && w->isVisible()) ++others;
  }
  return others;
}

int RunSecondCopy(int argc, char** argv) {
  tarlyk::Application app(argc, argv);
  if (!app.IsSecondInstance()) return 3;
  int boxes = 0;
  int code = 0;
  tarlyk::WithBox(
      [&](QMessageBox* box) {
        ++boxes;
        std::printf("caption=%s\ntext=%s\nicon=%s\nother-windows=%d\n",
                    box->windowTitle().toUtf8().constData(),
                    box->text().toUtf8().toBase64().constData(),
                    box->icon() == QMessageBox::Warning ? "warning" : "other", OtherWindows(box));
        box->accept();
      },
      [&] { code = app.exec(); });
  std::printf("boxes=%d\n", boxes);
  return code;
}

// The real start-up without a card library: reports the box and what else is visible.
int RunWithoutLibrary(int argc, char** argv) {
  tarlyk::Application app(argc, argv);
  int code = 0;
  tarlyk::WithBox(
      [&](QMessageBox* box) {
        std::printf("caption=%s\ncode=%s\nother-windows=%d\nwait-cursor=%d\n",
                    box->windowTitle().toUtf8().constData(),
                    box->text().contains(QStringLiteral("0-002")) ? "0-002" : "other",
                    OtherWindows(box), QApplication::overrideCursor() != nullptr ? 1 : 0);
        box->accept();
      },
      [&] {
        // Should a card library be found after all, the program must not stay running.
        QTimer::singleShot(20000, qApp, &QCoreApplication::quit);
        code = app.exec();
      });
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--hold-lock") return HoldLock(argv[2]);
  if (argc == 6 && std::string(argv[1]) == "--lock-as") return LockAs(argv);
  if (argc == 2 && std::string(argv[1]) == "--second-copy") return RunSecondCopy(argc, argv);
  if (argc == 2 && std::string(argv[1]) == "--missing-library") {
    return RunWithoutLibrary(argc, argv);
  }
  testing::InitGoogleTest(&argc, argv);
  // Test discovery runs this program without the test environment.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
