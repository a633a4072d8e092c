// The help window on the game's own help file and on a small one with a picture, a page in
// a folder and links out of the file: every page of the contents and the index opens, no
// link, picture or style sheet is missing, links out go to the desktop, back and forward,
// copying; F1 keeps one window that does not block the game; a damaged file gives a clear
// message and no window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <functional>
#include <memory>
#include <optional>

#include "capture_box.h"
#include "help/help.h"
#include "help/help_book.h"
#include "help/help_window.h"
#include "url_sink.h"

namespace tarlyk {
namespace {

const QString kRealFile = QStringLiteral(TARLYK_HELP_FILE);
const QString kFixture = QStringLiteral(TARLYK_HELP_FIXTURE);

std::unique_ptr<HelpWindow> OpenWindow(const QString& path) {
  QString why;
  std::optional<HelpBook> book = HelpBook::Open(path, &why);
  EXPECT_TRUE(book.has_value()) << why.toStdString();
  if (!book) return nullptr;
  return std::make_unique<HelpWindow>(std::move(*book));
}

// The links (resolved against the page) and the anchor names of the page on show.
struct PageLinks {
  QList<QUrl> links;
  QSet<QString> anchors;
};

PageLinks LinksOnPage(const QTextBrowser* browser) {
  PageLinks page;
  const QTextDocument* doc = browser->document();
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isAnchor()) continue;
      if (!format.anchorHref().isEmpty()) {
        page.links << browser->source().resolved(QUrl(format.anchorHref()));
      }
      for (const QString& name : format.anchorNames()) page.anchors << name;
    }
  }
  return page;
}

// The style sheets and pictures a page's source names, resolved against the page.
QList<QUrl> ReferencesIn(const HelpBook& book, const QUrl& page) {
  static const QRegularExpression reference(
      QStringLiteral("<(?:link|img)\\b[^>]*?\\b(?:href|src)\\s*=\\s*[\"']([^\"']+)[\"']"),
      QRegularExpression::CaseInsensitiveOption);
  QList<QUrl> found;
  const std::optional<QString> html = book.Text(page);
  if (!html) return found;
  for (auto it = reference.globalMatch(*html); it.hasNext();) {
    found << page.resolved(QUrl(it.next().captured(1)));
  }
  return found;
}

// The pictures of the page on show that did not come out as pictures.
QStringList BrokenPictures(const QTextBrowser* browser) {
  QStringList broken;
  const QTextDocument* doc = browser->document();
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QString name = format.toImageFormat().name();
      if (doc->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>().isNull()) {
        broken << name;
      }
    }
  }
  return broken;
}

// The background of the page's first level-1 heading, which only the style sheet sets.
QColor HeadingBackground(const QTextBrowser* browser) {
  for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 1) return block.blockFormat().background().color();
  }
  return {};
}

QList<QTreeWidgetItem*> Items(QTreeWidget* tree, bool visibleOnly = false) {
  QList<QTreeWidgetItem*> items;
  for (QTreeWidgetItemIterator it(
           tree, visibleOnly ? QTreeWidgetItemIterator::NotHidden : QTreeWidgetItemIterator::All);
       *it; ++it) {
    items << *it;
  }
  return items;
}

QUrl UrlOf(const QTreeWidgetItem* item) {
  return item->data(0, Qt::UserRole).toUrl();
}

// --- the game's own help ---

TEST(HelpWindow, EveryPageOfTheGameHelpOpensStyledWithNoBrokenLink) {
  const auto window = OpenWindow(kRealFile);
  ASSERT_TRUE(window);
  QTextBrowser* browser = window->Browser();
  EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/index.html")));

  // Every contents entry, clicked, shows its page and is marked as the page shown.
  QList<QUrl> pending;
  const QList<QTreeWidgetItem*> contents = Items(window->ContentsTree());
  ASSERT_GE(contents.size(), 30);
  for (QTreeWidgetItem* item : contents) {
    emit window->ContentsTree()->itemClicked(item, 0);
    EXPECT_EQ(browser->source(), UrlOf(item)) << item->text(0).toStdString();
    EXPECT_GT(browser->toPlainText().trimmed().size(), 100) << item->text(0).toStdString();
    EXPECT_EQ(UrlOf(window->ContentsTree()->currentItem()), UrlOf(item));
    pending << UrlOf(item).adjusted(QUrl::RemoveFragment);
  }

  // Every page reachable from the contents: its style sheet applied, each of its links
  // leading to a page and anchor of the file.
  QSet<QUrl> visited;
  QHash<QUrl, QSet<QString>> anchors;
  QList<QPair<QUrl, QUrl>> links;  // (page, link)
  while (!pending.isEmpty()) {
    const QUrl page = pending.takeFirst();
    if (visited.contains(page)) continue;
    visited << page;
    window->Follow(page);
    EXPECT_EQ(HeadingBackground(browser), QColor(0x3a, 0x6e, 0xa5))
        << page.toString().toStdString();
    const QList<QUrl> references = ReferencesIn(window->Book(), page);
    EXPECT_FALSE(references.isEmpty()) << page.toString().toStdString();
    for (const QUrl& reference : references) {
      EXPECT_TRUE(window->Book().Data(reference).has_value())
          << page.toString().toStdString() << " uses " << reference.toString().toStdString();
    }
    EXPECT_TRUE(BrokenPictures(browser).isEmpty()) << page.toString().toStdString();
    const PageLinks found = LinksOnPage(browser);
    anchors[page] = found.anchors;
    for (const QUrl& link : found.links) {
      ASSERT_TRUE(HelpBook::IsInternal(link)) << link.toString().toStdString();
      links << qMakePair(page, link);
      pending << link.adjusted(QUrl::RemoveFragment);
    }
  }
  EXPECT_EQ(visited.size(), 7);
  EXPECT_GT(links.size(), 50);
  for (const auto& [page, link] : links) {
    const QUrl target = link.adjusted(QUrl::RemoveFragment);
    EXPECT_TRUE(window->Book().Data(target).has_value())
        << page.toString().toStdString() << " -> " << link.toString().toStdString();
    if (link.hasFragment()) {
      EXPECT_TRUE(anchors[target].contains(link.fragment()))
          << page.toString().toStdString() << " -> " << link.toString().toStdString();
    }
  }
}

TEST(HelpWindow, IndexEntriesOpenAndTheFilterNarrowsThem) {
  const auto window = OpenWindow(kRealFile);
  ASSERT_TRUE(window);
  ASSERT_EQ(window->Tabs()->count(), 2);
  EXPECT_EQ(window->Tabs()->tabText(0), QStringLiteral("Содержание"));
  EXPECT_EQ(window->Tabs()->tabText(1), QStringLiteral("Указатель"));
  QTreeWidget* index = window->IndexTree();
  ASSERT_NE(index, nullptr);
  const QList<QTreeWidgetItem*> entries = Items(index);
  ASSERT_GE(entries.size(), 40);
  for (QTreeWidgetItem* item : entries) {
    emit index->itemActivated(item, 0);
    EXPECT_EQ(window->Browser()->source(), UrlOf(item)) << item->text(0).toStdString();
    EXPECT_FALSE(window->Browser()->toPlainText().trimmed().isEmpty());
  }

  // Typing part of a keyword keeps the entries holding it; Enter opens the first.
  window->Follow(QUrl(QStringLiteral("chm:/index.html")));
  window->IndexFilter()->setText(QStringLiteral("КОЗЫР"));
  const QList<QTreeWidgetItem*> shown = Items(index, true);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(shown[0]->text(0), QStringLiteral("Козырь"));
  QTest::keyClick(window->IndexFilter(), Qt::Key_Return);
  EXPECT_EQ(window->Browser()->source(), QUrl(QStringLiteral("chm:/rules.html#deal")));
  window->IndexFilter()->clear();
  EXPECT_EQ(Items(index, true).size(), entries.size());
}

TEST(HelpWindow, BackAndForwardByButtonsAndKeys) {
  const auto window = OpenWindow(kRealFile);
  ASSERT_TRUE(window);
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTextBrowser* browser = window->Browser();
  auto at = [&] { return browser->source().path(); };
  EXPECT_FALSE(window->BackButton()->isEnabled());
  for (const char* page : {"chm:/rules.html", "chm:/play.html", "chm:/options.html"}) {
    window->Follow(QUrl(QString::fromLatin1(page)));
  }
  EXPECT_TRUE(window->BackButton()->isEnabled());
  EXPECT_FALSE(window->ForwardButton()->isEnabled());

  QTest::mouseClick(window->BackButton(), Qt::LeftButton);
  EXPECT_EQ(at(), QStringLiteral("/play.html"));
  browser->setFocus();
  QTest::keyClick(browser, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(at(), QStringLiteral("/rules.html"));
  QTest::keyClick(window->ContentsTree(), Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(at(), QStringLiteral("/index.html"));
  EXPECT_FALSE(window->BackButton()->isEnabled());
  QTest::keyClick(browser, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(at(), QStringLiteral("/rules.html"));
  QTest::mouseClick(window->ForwardButton(), Qt::LeftButton);
  QTest::mouseClick(window->ForwardButton(), Qt::LeftButton);
  EXPECT_EQ(at(), QStringLiteral("/options.html"));
  EXPECT_FALSE(window->ForwardButton()->isEnabled());
  QTest::mouseClick(window->HomeButton(), Qt::LeftButton);
  EXPECT_EQ(at(), QStringLiteral("/index.html"));
}

TEST(HelpWindow, TheTextCanBeSelectedAndCopied) {
  const auto window = OpenWindow(kRealFile);
  ASSERT_TRUE(window);
  window->show();
  QTextBrowser* browser = window->Browser();
  const Qt::TextInteractionFlags flags = browser->textInteractionFlags();
  EXPECT_TRUE(flags.testFlag(Qt::TextSelectableByMouse));
  EXPECT_TRUE(flags.testFlag(Qt::TextSelectableByKeyboard));
  QApplication::clipboard()->clear();
  browser->setFocus();
  QTest::keyClick(browser, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(browser, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("карточная игра")))
      << QApplication::clipboard()->text().left(200).toStdString();
}

// --- what the game's own help lacks ---

TEST(HelpWindow, PicturesFoldersAndLinksOutOfTheFile) {
  UrlSink desktop({QStringLiteral("mailto"), QStringLiteral("https")});
  const auto window = OpenWindow(kFixture);
  ASSERT_TRUE(window);
  window->show();
  QTextBrowser* browser = window->Browser();
  EXPECT_EQ(window->Book().Title(), QStringLiteral("Проба"));
  EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/start.html")));
  const QImage dot =
      browser->document()
          ->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("pics/dot.xpm")))
          .value<QImage>();
  EXPECT_EQ(dot.size(), QSize(4, 4));
  EXPECT_EQ(HeadingBackground(browser), QColor(0x3a, 0x6e, 0xa5));
  EXPECT_TRUE(BrokenPictures(browser).isEmpty());

  const PageLinks start = LinksOnPage(browser);
  ASSERT_EQ(start.links.size(), 4);
  // The page in a folder, by a relative link and by the full in-archive name: its own
  // relative style sheet and picture come from the file too.
  for (const QUrl& link : {start.links[0], start.links[1]}) {
    window->Follow(QUrl(QStringLiteral("chm:/start.html")));
    emit browser->anchorClicked(link);
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/sub/inner.html")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Вложенная страница")));
    EXPECT_EQ(HeadingBackground(browser), QColor(0x3a, 0x6e, 0xa5));
    EXPECT_TRUE(BrokenPictures(browser).isEmpty());
  }
  EXPECT_EQ(ReferencesIn(window->Book(), browser->source()),
            (QList<QUrl>{QUrl(QStringLiteral("chm:/style.css")),
                         QUrl(QStringLiteral("chm:/pics/dot.xpm"))}));
  const PageLinks inner = LinksOnPage(browser);
  ASSERT_EQ(inner.links.size(), 1);
  emit browser->anchorClicked(inner.links[0]);
  EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/start.html#bottom")));
  EXPECT_GT(browser->verticalScrollBar()->value(), 0);  // scrolled down to the anchor

  // Mail and web links go to the desktop; the page stays. Links to local files or
  // programs go nowhere.
  UrlSink local({QStringLiteral("file"), QStringLiteral("javascript")});
  emit browser->anchorClicked(QUrl(QStringLiteral("file:///usr/bin/xterm")));
  emit browser->anchorClicked(QUrl(QStringLiteral("javascript:alert(1)")));
  EXPECT_TRUE(local.urls.isEmpty());
  emit browser->anchorClicked(start.links[2]);
  emit browser->anchorClicked(start.links[3]);
  EXPECT_EQ(desktop.urls, (QList<QUrl>{QUrl(QStringLiteral("mailto:someone@example.org")),
                                       QUrl(QStringLiteral("https://example.org/page"))}));
  EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/start.html#bottom")));

  // A page the file lacks says so in the page area.
  window->Follow(QUrl(QStringLiteral("chm:/absent.html")));
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("не найдена")));
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("/absent.html")));

  // Contents: an entry with no page opens nothing; names are decoded.
  const QList<QTreeWidgetItem*> contents = Items(window->ContentsTree());
  ASSERT_EQ(contents.size(), 3);
  emit window->ContentsTree()->itemClicked(contents[1], 0);
  EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/absent.html")));
  EXPECT_EQ(contents[2]->text(0), QStringLiteral("Вложенная & страница"));
  EXPECT_EQ(contents[2]->parent(), contents[1]);

  // Index: a sub-entry's match keeps its parent in view; the parent's match keeps its
  // sub-entries.
  window->FilterIndex(QStringLiteral("точк"));
  QList<QTreeWidgetItem*> shown = Items(window->IndexTree(), true);
  ASSERT_EQ(shown.size(), 2);
  EXPECT_EQ(shown[0]->text(0), QStringLiteral("Рисунок"));
  EXPECT_EQ(shown[1]->text(0), QStringLiteral("точка"));
  window->FilterIndex(QStringLiteral("рисун"));
  EXPECT_EQ(Items(window->IndexTree(), true).size(), 2);
  window->FilterIndex(QStringLiteral("ссылк"));
  shown = Items(window->IndexTree(), true);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(shown[0]->text(0), QStringLiteral("Ссылки"));
}

// --- the help command ---

QString CopyRealFileTo(const QTemporaryDir& dir) {
  const QString path = QDir(dir.path()).filePath(QStringLiteral("Tarlyk.chm"));
  EXPECT_TRUE(QFile::copy(kRealFile, path));
  return path;
}

void SettleDeletions() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(HelpCommand, F1KeepsOneWindowThatDoesNotBlockTheGame) {
  QTemporaryDir dir;
  CopyRealFileTo(dir);
  QWidget game;
  game.setGeometry(0, 0, 300, 200);
  game.show();

  OpenHelp(&game, dir.path());
  HelpWindow* first = OpenHelpWindow();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_TRUE(first->isWindow());
  EXPECT_EQ(first->parentWidget(), &game);
  EXPECT_EQ(first->windowModality(), Qt::NonModal);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(first->windowTitle().startsWith(QStringLiteral("Справка")));
  // Over the game, yet wholly on the screen even with the game in a corner.
  EXPECT_TRUE(first->screen()->availableGeometry().contains(first->geometry()));
  EXPECT_TRUE(first->geometry().intersects(game.geometry()));

  // Pressed again while the window is minimised: the same window comes back.
  first->Follow(QUrl(QStringLiteral("chm:/rules.html")));
  first->showMinimized();
  OpenHelp(&game, dir.path());
  EXPECT_EQ(OpenHelpWindow(), first);
  EXPECT_FALSE(first->isMinimized());
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->Browser()->source().path(), QStringLiteral("/rules.html"));
  int windows = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    windows += qobject_cast<HelpWindow*>(w) ? 1 : 0;
  EXPECT_EQ(windows, 1);

  // Closed, it is gone; the next F1 opens a new one on the home page.
  first->close();
  SettleDeletions();
  EXPECT_EQ(OpenHelpWindow(), nullptr);
  OpenHelp(&game, dir.path());
  ASSERT_NE(OpenHelpWindow(), nullptr);
  EXPECT_EQ(OpenHelpWindow()->Browser()->source().path(), QStringLiteral("/index.html"));
  OpenHelpWindow()->close();
  SettleDeletions();
}

TEST(HelpCommand, ADamagedFileGivesAClearMessageAndNoWindow) {
  QByteArray real;
  {
    QFile file(kRealFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    real = file.readAll();
  }
  const QList<QPair<const char*, QByteArray>> damaged{
      {"empty", QByteArray()},
      {"cut in the directory", real.left(0x400)},
      {"cut in the pages", real.left(real.size() * 2 / 3)},
      {"garbage", QByteArray(real.size(), '\x5a')},
  };
  for (const auto& [what, bytes] : damaged) {
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath(QStringLiteral("Tarlyk.chm")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    for (int press = 0; press < 2; ++press) {
      const auto box = CaptureBox([&] { OpenHelp(nullptr, dir.path()); });
      ASSERT_TRUE(box.has_value()) << what;
      EXPECT_EQ(box->caption, QStringLiteral("Информация")) << what;
      EXPECT_EQ(box->text, QString::fromUtf8(kHelpDamagedText)) << what;
      EXPECT_EQ(box->icon, QMessageBox::Warning) << what;
      EXPECT_EQ(OpenHelpWindow(), nullptr) << what;
    }
  }

  // A folder in the file's place: the lookup finds no file; opened directly, it is damaged.
  QTemporaryDir dir;
  const QString folder = QDir(dir.path()).filePath(QStringLiteral("Tarlyk.chm"));
  ASSERT_TRUE(QDir().mkpath(folder));
  auto box = CaptureBox([&] { OpenHelp(nullptr, dir.path()); });
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, QString::fromUtf8(kHelpMissingText));
  box = CaptureBox([&] { ShowHelpFile(nullptr, folder); });
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, QString::fromUtf8(kHelpDamagedText));
  EXPECT_EQ(OpenHelpWindow(), nullptr);
}

}  // namespace
}  // namespace tarlyk
