#include "shell/about_window.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "art/art_texts.h"
#include "art/fonts.h"
#include "art/look.h"
#include "shell/shell_icons.h"
#include "shell/shell_texts.h"
#include "shell/widgets/icon_label.h"
#include "shell/widgets/push_button.h"
#include "shell/window_placement.h"

namespace tarlyk {

namespace {

constexpr int kClientWidth = 321;
constexpr int kClientHeight = 303;

QFont Tahoma(int pixels, bool bold = false) {
  return TahomaPx(pixels, bold);
}

QLabel* PlaceLabel(QWidget* parent, int x, int y, const QString& text, bool bold = false) {
  auto* label = new QLabel(text, parent);
  label->setFont(Tahoma(11, bold));
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
  label->move(x, y);
  label->adjustSize();
  return label;
}

IconLabel* PlaceIcon(QWidget* parent, int x, int y, const QIcon& icon, int size = 16) {
  auto* label = new IconLabel(icon, parent);
  label->setGeometry(x, y, size, size);
  return label;
}

IconLabel* PlaceIcon(QWidget* parent, int x, int y, const QString& resource) {
  return PlaceIcon(parent, x, y, PngIcon(resource));
}

// A blue underlined label that opens its URL on a click.
class LinkLabel final : public QLabel {
 public:
  LinkLabel(const QString& text, QUrl url, QWidget* parent) : QLabel(text, parent), url_(url) {
    QFont font = Tahoma(11);
    font.setUnderline(true);
    setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(palette);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
      QDesktopServices::openUrl(url_);
    }
  }

 private:
  QUrl url_;
};

}  // namespace

QString AboutContent::Author() {
  return QString::fromUtf8(kAuthor);
}

QStringList AboutContent::Rights() {
  QStringList rights;
  for (const char* line : kRights) rights << QString::fromUtf8(line);
  return rights;
}

QString AboutContent::Email() {
  return QStringLiteral("tarlyk@example.org");
}

QString AboutContent::Web() {
  return QStringLiteral("https://www.example.org/tarlyk/");
}

QStringList CreditsLines() {
  const QString star = QStringLiteral("***");
  QStringList lines;
  // Blocks 1..3 end with one empty line, "***" and one empty line; blocks 4..7 with two
  // empty lines, "***" and one empty line.
  auto shortBreak = [&] { lines << QString() << star << QString(); };
  auto longBreak = [&] { lines << QString() << QString() << star << QString(); };

  const auto text = [](const char* utf8) { return QString::fromUtf8(utf8); };
  lines << text(kCreditsHead) << text(kGameKind);
  shortBreak();
  lines << text(kVersionLabel) << text(kCreditsVersion);
  shortBreak();
  lines << text(kIdeaLabel) << AboutContent::Author();
  shortBreak();
  lines << text(kMadeByLabel) << AboutContent::Author();
  longBreak();
  lines << text(kTermsLabel) << text(kTerms);
  longBreak();
  lines << text(kRightsLabel) << AboutContent::Rights();
  longBreak();
  lines << text(kDescriptionLabel);
  for (const char* line : kDescriptionLines) lines << text(line);
  longBreak();
  lines << text(kThanksLabel);
  bool first = true;
  for (const char* what : kContributions) {
    if (!first) lines << star;
    first = false;
    lines << AboutContent::Author() << QString::fromUtf8(what);
  }
  return lines;
}

// --- CreditsView ---

CreditsView::CreditsView(QWidget* parent) : QFrame(parent), lines_(CreditsLines()) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setFont(Tahoma(11, true));
  setCursor(Qt::PointingHandCursor);
  timer_.setInterval(kStepMs);
  connect(&timer_, &QTimer::timeout, this, &CreditsView::Advance);
}

void CreditsView::Start() {
  step_ = 0;
  timer_.start();
  update();
}

void CreditsView::Stop() {
  timer_.stop();
}

void CreditsView::Advance() {
  step_ = (step_ + 1) % kStepsPerPass;
  update();
}

double CreditsView::TextHeight() const {
  return static_cast<double>(QFontMetrics(font()).height()) * static_cast<double>(lines_.size());
}

double CreditsView::TextTop() const {
  // Step 0: the first line just below the box; the last step: the last line just gone.
  const double inside = contentsRect().height();
  const double pass = inside + TextHeight();
  return inside - pass * step_ / kStepsPerPass;
}

void CreditsView::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter p(this);
  const QRect inside = contentsRect();
  p.setClipRect(inside);
  p.setFont(font());
  p.setPen(Qt::black);
  const int lineHeight = QFontMetrics(font()).height();
  const int top = inside.top() + static_cast<int>(std::lround(TextTop()));
  for (int i = 0; i < lines_.size(); ++i) {
    const int y = top + i * lineHeight;
    if (y + lineHeight < inside.top() || y > inside.bottom()) continue;
    p.drawText(QRect(inside.left(), y, inside.width(), lineHeight), Qt::AlignHCenter | Qt::AlignTop,
               lines_[i]);
  }
}

void CreditsView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QFrame::mouseReleaseEvent(event);
}

// --- TfrmAbout ---

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(QString::fromUtf8(kAboutTitle));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(Tahoma(11));
  ApplyLook();
  setAutoFillBackground(true);
}

void TfrmAbout::BuildContents() {
  if (credits_ != nullptr) return;
  EnsureShellResources();
  PlaceIcon(this, 5, 3, AppIcon(), 32);
  PlaceLabel(this, 42, 3, QString::fromUtf8(kAboutProduct), true);
  PlaceLabel(this, 51, 21, QString::fromUtf8(kGameKind));

  PlaceIcon(this, 11, 42, QStringLiteral(":/shell/icons/about-version.png"));
  PlaceLabel(this, 34, 43, QString::fromUtf8(kVersionLabel));
  PlaceLabel(this, 79, 43, QString::fromUtf8(kAboutVersion), true);

  PlaceIcon(this, 11, 62, QStringLiteral(":/shell/icons/about-rights.png"));
  PlaceLabel(this, 34, 63, QString::fromUtf8(kRightsLabel));
  PlaceLabel(this, 79, 63, AboutContent::Rights().join(QLatin1Char('\n')), true);

  PlaceIcon(this, 11, 94, QStringLiteral(":/shell/icons/about-contacts.png"));
  PlaceLabel(this, 34, 96, QString::fromUtf8(kContactsLabel));
  PlaceIcon(this, 27, 114, QStringLiteral(":/shell/icons/about-mail.png"));
  PlaceLabel(this, 50, 116, QString::fromUtf8(kMailLabel));
  labMail_ = new LinkLabel(AboutContent::Email(),
                           QUrl(QStringLiteral("mailto:") + AboutContent::Email()), this);
  labMail_->move(94, 116);
  labMail_->adjustSize();
  PlaceIcon(this, 27, 134, QStringLiteral(":/shell/icons/about-web.png"));
  PlaceLabel(this, 50, 136, QString::fromUtf8(kWebLabel));
  labWeb_ = new LinkLabel(AboutContent::Web(), QUrl(AboutContent::Web()), this);
  labWeb_->move(94, 136);
  labWeb_->adjustSize();

  PlaceIcon(this, 11, 158, QStringLiteral(":/shell/icons/about-info.png"));
  PlaceLabel(this, 34, 158, QString::fromUtf8(kMoreLabel));

  credits_ = new CreditsView(this);
  credits_->setGeometry(10, 176, 303, 89);
  connect(credits_, &CreditsView::clicked, this, &QDialog::close);

  btnClose_ = new TarlykButton(QString::fromUtf8(kCloseCaption), this);
  btnClose_->setFont(Tahoma(11, true));
  btnClose_->setIcon(PngIcon(QStringLiteral(":/shell/icons/about-close.png")));
  btnClose_->setGeometry(10, 273, 93, 24);
  btnClose_->setAutoDefault(false);
  connect(btnClose_, &QPushButton::clicked, this, &QDialog::close);
}

CreditsView* TfrmAbout::Credits() {
  BuildContents();
  return credits_;
}

TarlykButton* TfrmAbout::CloseButton() {
  BuildContents();
  return btnClose_;
}

QLabel* TfrmAbout::EmailLink() {
  BuildContents();
  return labMail_;
}

QLabel* TfrmAbout::WebLink() {
  BuildContents();
  return labWeb_;
}

void TfrmAbout::setVisible(bool visible) {
  // Before showing, so the new children are shown with the window.
  if (visible) BuildContents();
  QDialog::setVisible(visible);
}

// The window exists before the look is settled at start-up, so the background is
// taken again at every showing.
void TfrmAbout::ApplyLook() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, CurrentLook().dialogBackground);
  setPalette(palette);
}

void TfrmAbout::Centre() {
  if (const QScreen* s = screen()) {
    const QRect area = s->geometry();
    const QSize outer = OuterSize(this);
    PlaceWindow(this, QPoint(area.left() + (area.width() - outer.width()) / 2,
                             area.top() + (area.height() - outer.height()) / 2));
  }
}

void TfrmAbout::CentreWhenFramed(int checks, int recentrings) {
  if (!isVisible() || checks <= 0) return;
  const QRect frame = frameGeometry();
  const QRect client = geometry();
  // Qt learns a frame's size and its position in separate steps; in between the frame
  // does not surround the client and cannot be judged.
  const bool settled = frame == client || (frame.contains(client) && client.top() > frame.top());
  const QScreen* s = screen();
  if (settled && s != nullptr && frame.center() != s->geometry().center() && recentrings > 0) {
    Centre();
    --recentrings;
  }
  const int showing = showing_;
  QTimer::singleShot(25, this, [this, showing, checks, recentrings] {
    if (showing == showing_) CentreWhenFramed(checks - 1, recentrings);
  });
}

void TfrmAbout::showEvent(QShowEvent* event) {
  ApplyLook();
  Centre();
  ++showing_;
  const int showing = showing_;
  QTimer::singleShot(0, this, [this, showing] {
    if (showing == showing_) CentreWhenFramed(80, 3);
  });
  credits_->Start();
  QDialog::showEvent(event);
}

void TfrmAbout::hideEvent(QHideEvent* event) {
  if (credits_ != nullptr) credits_->Stop();
  QDialog::hideEvent(event);
}

void TfrmAbout::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter p(this);
  // The rule under the title.
  QLinearGradient rule(29, 0, 29 + 284, 0);
  rule.setColorAt(0, syscolor::GradientActiveCaption());
  rule.setColorAt(1, syscolor::InactiveCaptionText());
  p.fillRect(QRect(29, 19, 284, 2), rule);
  // The footer band.
  const GradientPair band = CurrentLook().band;
  QLinearGradient footer(0, 270, 0, kClientHeight);
  footer.setColorAt(0, band.first);
  footer.setColorAt(1, band.second);
  p.fillRect(QRect(0, 270, kClientWidth, kClientHeight - 270), footer);
}

}  // namespace tarlyk
