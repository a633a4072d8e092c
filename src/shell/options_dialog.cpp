#include "shell/options_dialog.h"

#include <QCheckBox>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <algorithm>
#include <utility>

#include "art/fonts.h"
#include "art/look.h"
#include "game/score_counters.h"
#include "shell/shell_icons.h"
#include "shell/widgets/back_selector.h"
#include "shell/widgets/click_label.h"
#include "shell/widgets/gradient_band.h"
#include "shell/widgets/icon_label.h"
#include "shell/widgets/message_box.h"
#include "shell/widgets/options_pages.h"
#include "shell/widgets/push_button.h"
#include "shell/widgets/radio_group.h"
#include "shell/widgets/track_description.h"
#include "shell/window_placement.h"

// Resources of a static library must be pulled in by name, outside any namespace.
static void InitOptionsIcons() {
  Q_INIT_RESOURCE(options_icons);
}

namespace tarlyk {

namespace {

constexpr int kClientWidth = 449;
constexpr int kClientHeight = 265;
constexpr int kFontPx = 11;

const QColor kMagenta(255, 0, 255);

// A Wayland compositor places every window itself and tells no program where: a window's
// position there is only the offset of its own decorations, nothing worth storing.
bool CompositorPlacesWindows() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QStringList Items(const auto& items) {
  QStringList list;
  for (const char* item : items) list << Text(item);
  return list;
}

QString Icon(const char* name) {
  return QStringLiteral(":/icons/options-%1.png").arg(name);
}

IconLabel* AddIcon(QWidget* page, int left, int top, const QString& icon) {
  auto* label = new IconLabel(PngIcon(icon), page);
  label->setGeometry(left, top, 16, 16);
  return label;
}

// A word-wrapped description with rich text; hidden until its track bar shows it.
TrackDescription* AddPanel(QWidget* parent, const QRect& place, const QString& html,
                           const QString& hint) {
  auto* panel = new TrackDescription(html, parent);
  panel->setGeometry(place);
  if (!hint.isEmpty()) panel->setToolTip(hint);
  panel->hide();
  return panel;
}

QString Escaped(const QString& text) {
  return text.toHtmlEscaped();
}

QSlider* NewTrackBar(QWidget* parent, const QRect& place) {
  auto* bar = new QSlider(Qt::Vertical, parent);
  bar->setSingleStep(1);
  bar->setPageStep(1);
  bar->setTickInterval(1);
  bar->setTickPosition(QSlider::TicksRight);
  bar->setInvertedAppearance(true);  // position 0 at the top
  bar->setInvertedControls(true);
  bar->setGeometry(place);
  return bar;
}

WindowPos ToWindowPos(QPoint p) {
  return {p.x(), p.y()};
}

WindowSize ToWindowSize(QSize s) {
  return {s.width(), s.height()};
}

void ShowOnly(const auto& panels, int position) {
  for (TrackDescription* panel : panels) panel->hide();
  panels.at(static_cast<size_t>(position))->show();
}

}  // namespace

TfrmOptions::TfrmOptions(QWidget* mainWindow, const QString& winVersion, QWidget* parent)
    : QDialog(parent), mainWindow_(mainWindow), winVersion_(winVersion) {
  InitOptionsIcons();
  setWindowTitle(Text(kOptionsTitle));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);
  setModal(true);
  setFont(TahomaPx(kFontPx, false));
  ApplyLook();
  setAutoFillBackground(true);
  move(227, 169);
  optionsGiven_ = pos();
  if (mainWindow_ != nullptr) mainWindowGiven_ = mainWindow_->pos();

  pages_ = new OptionsPages(this);
  pages_->setGeometry(8, 8, 433, 217);
  pages_->setIconSize(QSize(16, 16));
  const struct {
    const char* caption;
    const char* icon;
    void (TfrmOptions::*build)(QWidget*);
  } kPages[] = {
      {kGeneralTab, "tab-general", &TfrmOptions::BuildGeneralPage},
      {kRulesTab, "tab-rules", &TfrmOptions::BuildRulesPage},
      {kViewTab, "tab-view", &TfrmOptions::BuildViewPage},
      {kDifficultyTab, "tab-difficulty", &TfrmOptions::BuildDifficultyPage},
      {kBacksTab, "tab-backs", &TfrmOptions::BuildBacksPage},
  };
  for (const auto& p : kPages) {
    auto* page = new QWidget(pages_);  // parented first, so it measures in the dialog's font
    (this->*p.build)(page);
    pages_->addTab(page, PngIcon(Icon(p.icon)), Text(p.caption));
  }
  pages_->setCurrentIndex(0);

  footer_ = new GradientBand(this);
  footer_->setGeometry(0, 231, 449, 34);

  btnClose_ = new TarlykButton(Text(kCloseCaption), this);
  btnClose_->setFont(TahomaPx(kFontPx, true));
  btnClose_->setIcon(PngIcon(Icon("close")));
  btnClose_->setIconSize(QSize(16, 16));
  btnClose_->SetIconSpacing(8);
  btnClose_->setGeometry(12, 234, 93, 24);
  btnClose_->setToolTip(Text(kOptionsCloseHint));
  btnClose_->setAutoDefault(false);
  connect(btnClose_, &QPushButton::clicked, this, &QWidget::close);

  // Options of one system version only (the XP-era picture repair) are off for good
  // elsewhere.
  const std::string version = winVersion_.toStdString();
  for (const OptionSpec& entry : kOptionTable) {
    if (!OfferedOn(entry, version)) {
      SetValue(entry.option, 0);
      SetOffered(entry.option, false);
    }
  }
}

TfrmOptions::~TfrmOptions() = default;

// The look is settled after the dialog exists, so it is taken again at every showing.
void TfrmOptions::ApplyLook() {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, CurrentLook().dialogBackground);
  pal.setColor(QPalette::Highlight, syscolor::Highlight());
  pal.setColor(QPalette::HighlightedText, syscolor::HighlightText());
  setPalette(pal);
}

void TfrmOptions::showEvent(QShowEvent* event) {
  ApplyLook();
  MakeBackThumbnails();
  QDialog::showEvent(event);
}

QCheckBox* TfrmOptions::AddCheckBox(QWidget* page, Option option, int top, int iconTop,
                                    const QString& icon, const CaptionAndHint& texts) {
  AddIcon(page, 8, iconTop, icon);
  auto* box = new QCheckBox(Text(texts.caption), page);
  Hold(option, box);
  box->setToolTip(Text(texts.hint));
  box->move(32, top);
  box->resize(box->sizeHint().width(), std::max(17, box->sizeHint().height()));
  return box;
}

QSlider* TfrmOptions::AddTrackBar(QWidget* parent, Option option, const QRect& place) {
  QSlider* bar = NewTrackBar(parent, place);
  Hold(option, bar);
  return bar;
}

RadioGroup* TfrmOptions::AddRadioGroup(QWidget* page, Option option, const QRect& place,
                                       const CaptionAndHint& texts, const QStringList& items) {
  auto* group = new RadioGroup(Text(texts.caption), items, page);
  Hold(option, group);
  group->setGeometry(place);
  group->setToolTip(Text(texts.hint));
  return group;
}

void TfrmOptions::Hold(Option option, QCheckBox* box) {
  box->setChecked(SpecOf(option).initial != 0);
  controls_[static_cast<size_t>(option)].box = box;
}

void TfrmOptions::Hold(Option option, RadioGroup* group) {
  const OptionSpec& entry = SpecOf(option);
  Q_ASSERT(group->Count() == entry.max + 1);
  group->SetItemIndex(entry.initial);
  controls_[static_cast<size_t>(option)].group = group;
}

void TfrmOptions::Hold(Option option, QSlider* bar) {
  const OptionSpec& entry = SpecOf(option);
  bar->setRange(entry.min, entry.max);
  bar->setValue(entry.initial);
  controls_[static_cast<size_t>(option)].bar = bar;
}

void TfrmOptions::BuildGeneralPage(QWidget* page) {
  cbSavePosition_ =
      AddCheckBox(page, Option::kSavePosition, 12, 11, Icon("save-position"), kSavePositionTexts);
  cbSaveCounts_ =
      AddCheckBox(page, Option::kSaveCounts, 40, 39, Icon("save-counts"), kSaveCountsTexts);

  btnResetCounts_ = new TarlykButton(Text(kResetCountsTexts.caption), page);
  btnResetCounts_->setIcon(PngIcon(Icon("reset-counts")));
  btnResetCounts_->setIconSize(QSize(16, 16));
  btnResetCounts_->setGeometry(49, 64, 120, 25);
  btnResetCounts_->setToolTip(Text(kResetCountsTexts.hint));
  btnResetCounts_->setAutoDefault(false);
  connect(btnResetCounts_, &QPushButton::clicked, this, &TfrmOptions::btnResetCountsClick);

  cbBossKey_ = AddCheckBox(page, Option::kBossKeyActive, 100, 99, Icon("boss-key"), kBossKeyTexts);
  connect(cbBossKey_, &QCheckBox::clicked, this, &TfrmOptions::cbBossKeyClick);
  cbRightMouse_ =
      AddCheckBox(page, Option::kUseRightMouse, 128, 127, Icon("right-mouse"), kRightMouseTexts);
  cbEndAnimation_ =
      AddCheckBox(page, Option::kEndAnimation, 156, 155, Icon("end-animation"), kEndAnimationTexts);
}

void TfrmOptions::BuildRulesPage(QWidget* page) {
  rgColoda_ = AddRadioGroup(page, Option::kCardsCount, QRect(8, 8, 217, 81), kColodaTexts,
                            Items(kColodaItems));
  rgFirst_ = AddRadioGroup(page, Option::kFirstStep, QRect(240, 8, 177, 169), kFirstTexts,
                           Items(kFirstItems));
  rgLasts_ = AddRadioGroup(page, Option::kLastCardsTo, QRect(8, 96, 217, 81), kLastsTexts,
                           Items(kLastsItems));
}

void TfrmOptions::BuildViewPage(QWidget* page) {
  cbShowSuperCard_ =
      AddCheckBox(page, Option::kShowSuperCard, 11, 11, Icon("super-card"), kShowSuperCardTexts);
  cbRepairUserIcon_ =
      AddCheckBox(page, Option::kRepairUserIcon, 35, 35, Icon("repair-icon"), kRepairUserIconTexts);
  cbShowMedals_ = AddCheckBox(page, Option::kShowMedals, 59, 59, Icon("medals"), kShowMedalsTexts);

  gbDisabled_ = new QGroupBox(Text(kMarkingTexts.caption), page);
  gbDisabled_->setGeometry(8, 84, 409, 97);
  QFont bold = font();
  bold.setBold(true);
  gbDisabled_->setFont(bold);
  // The group's hint also covers the track bar and the panels, which have none.
  gbDisabled_->setToolTip(Text(kMarkingTexts.hint));

  tbDisabled_ = AddTrackBar(gbDisabled_, Option::kDisabledCardsType, QRect(8, 20, 33, 69));
  tbDisabled_->setFont(font());
  connect(tbDisabled_, &QSlider::valueChanged, this, &TfrmOptions::tbDisabledChange);

  const QString texts[] = {Text(kMarkingBy) + Text(kByTransparency),
                           Text(kMarkingBy) + Text(kByRelief), Text(kNoMarking)};
  constexpr int kWidths[] = {347, 299, 347};
  for (size_t i = 0; i < disabledPanels_.size(); ++i) {
    const QString html =
        QStringLiteral("<b>%1</b><br>%2").arg(Escaped(Text(kMarkingTitles[i])), Escaped(texts[i]));
    disabledPanels_[i] = AddPanel(gbDisabled_, QRect(54, 20, kWidths[i], 69), html, QString());
    disabledPanels_[i]->setFont(font());
  }
  tbDisabledChange();
}

void TfrmOptions::BuildDifficultyPage(QWidget* page) {
  const QString hint = Text(kDifficultyHint);
  tbDifficult_ = AddTrackBar(page, Option::kLevel, QRect(8, 6, 33, 173));
  tbDifficult_->setToolTip(hint);
  connect(tbDifficult_, &QSlider::valueChanged, this, &TfrmOptions::tbDifficultChange);

  const QString normal =
      QStringLiteral("<b>%1</b><br><br>%2")
          .arg(Escaped(Text(kNormalLevelTitle)), Escaped(Text(kNormalLevelText)));
  const QString maximal =
      QStringLiteral("<b>%1</b><br><br>%2<br><br><b><font color=\"#ff0000\">%3</font></b> %4")
          .arg(Escaped(Text(kMaximalLevelTitle)), Escaped(Text(kMaximalLevelText)),
               Escaped(Text(kMaximalLevelWarning)), Escaped(Text(kMaximalLevelNote)));
  const QString expert =
      QStringLiteral("<b>%1</b><br><br>%2")
          .arg(Escaped(Text(kExpertLevelTitle)), Escaped(Text(kExpertLevelText)));
  difficultPanels_[0] = AddPanel(page, QRect(54, 0, 363, 85), normal, hint);
  difficultPanels_[1] = AddPanel(page, QRect(54, 0, 363, 183), maximal, hint);
  difficultPanels_[2] = AddPanel(page, QRect(54, 0, 363, 183), expert, hint);
  tbDifficultChange();
}

void TfrmOptions::BuildBacksPage(QWidget* page) {
  const QString hint = Text(kBacksHint);
  selector_ = new BackSelector(page);

  labRandomBack_ = new ClickLabel(page);
  labRandomBack_->setText(Text(kRandomBackCaption));
  QFont bold = font();
  bold.setBold(true);
  labRandomBack_->setFont(bold);
  // Like an auto-sized label: never narrower than its caption.
  labRandomBack_->setGeometry(29, 8, std::max(241, labRandomBack_->sizeHint().width()), 14);
  labRandomBack_->setCursor(Qt::PointingHandCursor);
  labRandomBack_->setToolTip(hint);
  connect(labRandomBack_, &ClickLabel::clicked, this, [this] { ChooseBack(-1); });

  constexpr int kLefts[] = {29, 92, 155, 218, 281, 344};
  for (int n = 0; n < kBackCount; ++n) {
    auto* box = new ClickLabel(page);
    box->setGeometry(kLefts[n % 6], n < 6 ? 30 : 110, kThumbWidth, kThumbHeight);
    box->setCursor(Qt::PointingHandCursor);
    box->setToolTip(hint);
    box->setAlignment(Qt::AlignCenter);
    connect(box, &ClickLabel::clicked, this, [this, n] { ChooseBack(n); });
    backBoxes_[static_cast<size_t>(n)] = box;
  }
  FrameChoice(labRandomBack_);
}

// The selector is filled with the highlight colour, so the random-back label, when it
// is the one framed, is written in the highlight-text colour to stay readable.
void TfrmOptions::FrameChoice(const QWidget* item) {
  selector_->Frame(item);
  QPalette pal = labRandomBack_->palette();
  pal.setColor(QPalette::WindowText, item == labRandomBack_
                                         ? palette().color(QPalette::HighlightedText)
                                         : palette().color(QPalette::WindowText));
  labRandomBack_->setPalette(pal);
}

// --- handlers ---

bool TfrmOptions::Ask(const QString& caption, const QString& text) {
  if (askQuestion) return askQuestion(caption, text);
  return AskYesNo(this, caption, text);
}

void TfrmOptions::btnResetCountsClick() {
  if (!Ask(Text(kQuestionCaption), Text(kResetScoreQuestion))) return;
  if (score_ != nullptr) *score_ = ScoreCounters{};
  if (onScoreChanged) onScoreChanged();
}

void TfrmOptions::cbBossKeyClick() {
  if (onBossKeyToggled) onBossKeyToggled(cbBossKey_->isChecked());
}

void TfrmOptions::tbDisabledChange() {
  ShowOnly(disabledPanels_, tbDisabled_->value());
}

void TfrmOptions::tbDifficultChange() {
  ShowOnly(difficultPanels_, tbDifficult_->value());
}

void TfrmOptions::ChooseBack(int item) {
  if (selectorBusy_) return;
  selectorBusy_ = true;
  if (item < 0) {
    activeShortID_ = random_ != nullptr ? random_->Random(kBackCount) : 0;
    FrameChoice(labRandomBack_);
  } else {
    activeShortID_ = std::min(item, kBackCount - 1);
    FrameChoice(backBoxes_[static_cast<size_t>(activeShortID_)]);
  }
  if (onBackChosen) onBackChosen(activeShortID_);
  selectorBusy_ = false;
}

void TfrmOptions::SetBackThumbnail(int n, const QImage& back) {
  if (n < 0 || n >= kBackCount || back.isNull()) return;
  pendingBacks_[static_cast<size_t>(n)] = back;
}

void TfrmOptions::MakeBackThumbnails() const {
  for (size_t n = 0; n < pendingBacks_.size(); ++n) {
    const QImage back = std::exchange(pendingBacks_[n], QImage());
    if (!back.isNull()) backBoxes_[n]->setPixmap(QPixmap::fromImage(BackThumbnail(back)));
  }
}

QImage TfrmOptions::BackThumbnail(const QImage& back) {
  QImage canvas(back.size(), QImage::Format_ARGB32);
  canvas.fill(kMagenta);
  {
    QPainter painter(&canvas);
    painter.drawImage(0, 0, back);
  }
  // Key out the magenta before scaling, so no pink fringe is blended into the edges.
  const QRgb key = kMagenta.rgb();
  for (int y = 0; y < canvas.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    for (int x = 0; x < canvas.width(); ++x)
      if ((line[x] & 0x00ffffffu) == (key & 0x00ffffffu)) line[x] = qRgba(0, 0, 0, 0);
  }
  return canvas.scaled(kThumbWidth, kThumbHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void TfrmOptions::PlaceBackSelector(int storedShortID, int activeShortID) {
  activeShortID_ = std::clamp(activeShortID, 0, kBackCount - 1);
  if (storedShortID == -1)
    FrameChoice(labRandomBack_);
  else
    FrameChoice(backBoxes_[static_cast<size_t>(activeShortID_)]);
}

// Every way of closing (close box, Alt+F4, Escape, the button) ends up here.
void TfrmOptions::done(int result) {
  if (selectorBusy_) return;
  if (onClosing) onClosing();
  QDialog::done(result);
  if (onSaveSettings) onSaveSettings();
}

// --- option accessors ---

int TfrmOptions::Value(Option option) const {
  if (SpecOf(option).holder == Holder::kBackSelector) return ShortIDToSave();
  const OptionControl& c = controls_[static_cast<size_t>(option)];
  if (c.box != nullptr) return c.box->isChecked() ? 1 : 0;
  if (c.group != nullptr) return c.group->ItemIndex();
  if (c.bar != nullptr) return c.bar->value();
  Q_ASSERT_X(false, "TfrmOptions::Value", "an option without a control");
  return SpecOf(option).initial;
}

void TfrmOptions::SetValue(Option option, int value) {
  if (SpecOf(option).holder == Holder::kBackSelector) {
    PlaceBackSelector(value, value < 0 ? activeShortID_ : value);
    return;
  }
  const OptionControl& c = controls_[static_cast<size_t>(option)];
  if (c.box != nullptr) {
    c.box->setChecked(value != 0);
  } else if (c.group != nullptr) {
    c.group->SetItemIndex(value);
  } else if (c.bar != nullptr) {
    // The description beside the bar follows its value.
    c.bar->setValue(std::clamp(value, c.bar->minimum(), c.bar->maximum()));
  }
}

void TfrmOptions::SetOffered(Option option, bool offered) {
  const OptionControl& c = controls_[static_cast<size_t>(option)];
  if (c.box != nullptr) c.box->setEnabled(offered);
  if (c.group != nullptr) c.group->setEnabled(offered);
  if (c.bar != nullptr) c.bar->setEnabled(offered);
}

int TfrmOptions::ShortIDToSave() const {
  return selector_->Framed() == labRandomBack_ ? -1 : activeShortID_;
}

// Where the compositor places the windows, the positions last given stand in for the real
// ones, so that a session there leaves the stored positions as they were.
WindowPos TfrmOptions::MainWindowPos() const {
  if (mainWindow_ == nullptr) return {};
  return ToWindowPos(CompositorPlacesWindows() ? mainWindowGiven_ : mainWindow_->pos());
}

void TfrmOptions::SetMainWindowPos(WindowPos pos) {
  mainWindowGiven_ = QPoint(pos.x, pos.y);
  if (mainWindow_ != nullptr) PlaceWindow(mainWindow_, mainWindowGiven_);
}

WindowSize TfrmOptions::MainWindowFrameSize() const {
  return mainWindow_ != nullptr ? ToWindowSize(OuterSize(mainWindow_)) : WindowSize();
}

WindowPos TfrmOptions::OptionsPos() const {
  return ToWindowPos(CompositorPlacesWindows() ? optionsGiven_ : pos());
}
void TfrmOptions::SetOptionsPos(WindowPos pos) {
  optionsGiven_ = QPoint(pos.x, pos.y);
  PlaceWindow(this, optionsGiven_);
}
WindowSize TfrmOptions::OptionsFrameSize() const {
  return ToWindowSize(OuterSize(this));
}

WindowSize TfrmOptions::DesktopSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? ToWindowSize(screen->virtualSize()) : WindowSize();
}

}  // namespace tarlyk
