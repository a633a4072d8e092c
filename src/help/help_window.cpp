#include "help/help_window.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "art/fonts.h"
#include "art/look.h"
#include "help/help_texts.h"
#include "shell/widgets/gradient_band.h"
#include "shell/widgets/push_button.h"

namespace tarlyk {

namespace {

constexpr int kDefaultWidth = 820;
constexpr int kDefaultHeight = 600;
constexpr int kPaneWidth = 250;
constexpr int kScreenMargin = 8;
constexpr int kTitleAllowance = 32;  // a title bar's height, give or take
constexpr int kMinimumSide = 200;
constexpr int kUrlRole = Qt::UserRole;

QString MissingPage(const QString& objectPath) {
  return QString::fromUtf8(kHelpMissingPage).arg(objectPath.toHtmlEscaped());
}

void AddTopics(QTreeWidget* tree, QTreeWidgetItem* parent, const QList<HelpTopic>& topics) {
  for (const HelpTopic& topic : topics) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, topic.title);
    item->setData(0, kUrlRole, topic.url);
    AddTopics(tree, item, topic.children);
  }
}

QTreeWidget* TopicTree(const QList<HelpTopic>& topics, QWidget* parent) {
  auto* tree = new QTreeWidget(parent);
  tree->setHeaderHidden(true);
  tree->setColumnCount(1);
  tree->header()->setStretchLastSection(true);
  AddTopics(tree, nullptr, topics);
  return tree;
}

TarlykButton* BandButton(const QString& text, QStyle::StandardPixmap icon, QWidget* parent) {
  auto* button = new TarlykButton(text, parent);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

}  // namespace

// The page area: every page, style sheet and picture comes from the help file.
class HelpBrowser final : public QTextBrowser {
 public:
  HelpBrowser(const HelpBook& book, QWidget* parent) : QTextBrowser(parent), book_(book) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
  }

  QVariant loadResource(int type, const QUrl& name) override {
    // The document hands over names resolved against its base (the page's folder).
    const QUrl url = name.isRelative() ? document()->baseUrl().resolved(name) : name;
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource) {
      if (std::optional<QString> text = book_.Text(url)) return *text;
      if (type == QTextDocument::HtmlResource) return MissingPage(HelpBook::ObjectPath(url));
      return {};
    }
    QImage image;
    if (std::optional<QByteArray> bytes = book_.Data(url)) image.loadFromData(*bytes);
    return image.isNull() ? QVariant() : QVariant(image);
  }

 private:
  const HelpBook& book_;
};

HelpWindow::HelpWindow(HelpBook book, QWidget* parent)
    : QWidget(parent, Qt::Window), book_(std::move(book)) {
  setWindowTitle(QString::fromUtf8(kHelpWindowTitle));
  setWindowModality(Qt::NonModal);
  setFont(TahomaPx(11, false));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, CurrentLook().dialogBackground);
  setPalette(palette);
  setAutoFillBackground(true);
  BuildControls();
  Place(parent);
  ShowHome();
}

void HelpWindow::Place(const QWidget* over) {
  const QScreen* s = over ? over->screen() : screen();
  if (!s) {
    resize(kDefaultWidth, kDefaultHeight);
    return;
  }
  // Centred over the game, smaller on a small screen, and wholly on the screen with room
  // for the title bar (the position of a window is that of its frame).
  const QRect area = s->availableGeometry();
  const QSize size(
      std::max(kMinimumSide, std::min(kDefaultWidth, area.width() - 2 * kScreenMargin)),
      std::max(kMinimumSide,
               std::min(kDefaultHeight, area.height() - kTitleAllowance - 2 * kScreenMargin)));
  resize(size);
  QRect frame(QPoint(), size + QSize(0, kTitleAllowance));
  frame.moveCenter(over ? over->frameGeometry().center() : area.center());
  // The far edge first: on a screen too small for the window its top left stays visible.
  const int x = std::max(area.left() + kScreenMargin,
                         std::min(frame.left(), area.right() + 1 - kScreenMargin - frame.width()));
  const int y = std::max(area.top() + kScreenMargin,
                         std::min(frame.top(), area.bottom() + 1 - kScreenMargin - frame.height()));
  move(x, y);
}

HelpWindow::~HelpWindow() {
  delete browser_;  // it reads the book, which goes before the children do
}

QTextBrowser* HelpWindow::Browser() const {
  return browser_;
}

void HelpWindow::BuildControls() {
  auto* band = new GradientBand(this);
  auto* bandLayout = new QHBoxLayout(band);
  bandLayout->setContentsMargins(6, 4, 6, 4);
  back_ = BandButton(QString::fromUtf8(kHelpBack), QStyle::SP_ArrowBack, band);
  forward_ = BandButton(QString::fromUtf8(kHelpForward), QStyle::SP_ArrowForward, band);
  home_ = BandButton(QString::fromUtf8(kHelpHome), QStyle::SP_DirHomeIcon, band);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  bandLayout->addWidget(back_);
  bandLayout->addWidget(forward_);
  bandLayout->addWidget(home_);
  bandLayout->addStretch(1);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  tabs_ = new QTabWidget(splitter);
  contents_ = TopicTree(book_.Contents(), tabs_);
  tabs_->addTab(contents_, QString::fromUtf8(kHelpContentsTab));
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { OpenItem(item); });
  connect(contents_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { OpenItem(item); });

  if (book_.HasIndex()) {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* label = new QLabel(QString::fromUtf8(kHelpKeywordLabel), page);
    filter_ = new QLineEdit(page);
    filter_->setClearButtonEnabled(true);
    label->setBuddy(filter_);
    index_ = TopicTree(book_.Index(), page);
    index_->setRootIsDecorated(false);
    index_->expandAll();
    auto* show = new TarlykButton(QString::fromUtf8(kHelpShowButton), page);
    layout->addWidget(label);
    layout->addWidget(filter_);
    layout->addWidget(index_, 1);
    layout->addWidget(show, 0, Qt::AlignRight);
    tabs_->addTab(page, QString::fromUtf8(kHelpIndexTab));
    connect(filter_, &QLineEdit::textChanged, this, &HelpWindow::FilterIndex);
    connect(filter_, &QLineEdit::returnPressed, this, &HelpWindow::OpenFirstIndexMatch);
    connect(index_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { OpenItem(item); });
    connect(index_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OpenItem(item); });
    connect(show, &QAbstractButton::clicked, this, [this] {
      if (index_->currentItem() && !index_->currentItem()->isHidden()) {
        OpenItem(index_->currentItem());
      } else {
        OpenFirstIndexMatch();
      }
    });
  }

  browser_ = new HelpBrowser(book_, splitter);
  splitter->addWidget(tabs_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kPaneWidth, kDefaultWidth - kPaneWidth});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(band);
  layout->addWidget(splitter, 1);

  connect(back_, &QAbstractButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QAbstractButton::clicked, browser_, &QTextBrowser::forward);
  connect(home_, &QAbstractButton::clicked, this, &HelpWindow::ShowHome);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::Follow);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::SelectInContents);
  auto* backKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
  auto* forwardKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this);
  connect(backKey, &QShortcut::activated, browser_, &QTextBrowser::backward);
  connect(forwardKey, &QShortcut::activated, browser_, &QTextBrowser::forward);
}

void HelpWindow::Follow(const QUrl& url) {
  if (HelpBook::IsInternal(url)) {
    // One spelling for every page, whichever form the link used.
    QUrl page = HelpBook::UrlOf(HelpBook::ObjectPath(url));
    if (url.hasFragment()) page.setFragment(url.fragment());
    browser_->setSource(page);
    return;
  }
  // Only web and mail links leave the file: a link to a local file or a program is not
  // followed, whatever the page says.
  const QString scheme = url.scheme().toLower();
  if (url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                        scheme == QLatin1String("mailto") || scheme == QLatin1String("ftp"))) {
    QDesktopServices::openUrl(url);
  }
}

void HelpWindow::ShowHome() {
  Follow(book_.HomePage());
}

void HelpWindow::OpenItem(QTreeWidgetItem* item) {
  if (!item) return;
  const QUrl url = item->data(0, kUrlRole).toUrl();
  if (!url.isEmpty()) Follow(url);
}

void HelpWindow::FilterIndex(const QString& text) {
  const QString wanted = text.trimmed();
  // An entry shows when it matches, when its parent matches, or when a sub-entry does.
  std::function<bool(QTreeWidgetItem*, bool)> apply = [&](QTreeWidgetItem* item, bool parentShown) {
    const bool matches = wanted.isEmpty() || item->text(0).contains(wanted, Qt::CaseInsensitive);
    bool childShown = false;
    for (int i = 0; i < item->childCount(); ++i) {
      childShown = apply(item->child(i), parentShown || matches) || childShown;
    }
    const bool shown = matches || parentShown || childShown;
    item->setHidden(!shown);
    return matches || childShown;
  };
  for (int i = 0; i < index_->topLevelItemCount(); ++i) apply(index_->topLevelItem(i), false);
}

void HelpWindow::OpenFirstIndexMatch() {
  for (QTreeWidgetItemIterator it(index_, QTreeWidgetItemIterator::NotHidden); *it; ++it) {
    if (!(*it)->data(0, kUrlRole).toUrl().isEmpty()) {
      index_->setCurrentItem(*it);
      OpenItem(*it);
      return;
    }
  }
}

void HelpWindow::SelectInContents(const QUrl& source) {
  const QUrl page = source.adjusted(QUrl::RemoveFragment);
  QTreeWidgetItem* samePage = nullptr;
  for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
    const QUrl url = (*it)->data(0, kUrlRole).toUrl();
    if (url == source) {
      samePage = *it;
      break;
    }
    if (!samePage && url.adjusted(QUrl::RemoveFragment) == page) samePage = *it;
  }
  if (samePage) {
    contents_->setCurrentItem(samePage);
    contents_->scrollToItem(samePage);
  }
}

}  // namespace tarlyk
