// The "О программе" window: program icon, title, version, rights, contacts with
// mail and web links, the endlessly scrolling credits and the "Закрыть" button.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QStringList>
#include <QTimer>

class QLabel;

namespace tarlyk {

class TarlykButton;

// The author, the rights notice and the addresses of this program.
struct AboutContent {
  static QString Author();
  static QStringList Rights();  // two lines
  static QString Email();
  static QString Web();
};

// The credits text, line by line, in its blocks.
QStringList CreditsLines();

// The credits box: lines drawn centred in bold, moving up one step every 100 ms,
// 500 steps to a full pass (from just below the box until the last line has left it),
// then round again. A click on it is reported.
class CreditsView final : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kStepsPerPass = 500;
  static constexpr int kStepMs = 100;

  explicit CreditsView(QWidget* parent = nullptr);

  void Start();  // from the beginning
  void Stop();
  bool IsRunning() const { return timer_.isActive(); }
  int Step() const { return step_; }
  // Advances by one step, as the timer does.
  void Advance();
  // Top of the first line relative to the box's inside at the current step.
  double TextTop() const;
  double TextHeight() const;
  const QStringList& Lines() const { return lines_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QStringList lines_;
  QTimer timer_;
  int step_ = 0;
};

class TfrmAbout final : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

  // The contents are built at the first showing (or the first of these calls): the
  // window is created at start-up but seldom opened.
  CreditsView* Credits();
  TarlykButton* CloseButton();
  QLabel* EmailLink();
  QLabel* WebLink();

  void setVisible(bool visible) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void ApplyLook();
  void BuildContents();
  // Centres the outer frame on the window's screen.
  void Centre();
  // Watches the window for about two seconds after a showing and centres it again when
  // it is found elsewhere: a busy window manager may frame it late, or put it where it
  // likes after Qt has placed it. Centres at most a few times, so a person who moves
  // the window at once is not fought.
  void CentreWhenFramed(int checks, int recentrings);

  CreditsView* credits_ = nullptr;
  TarlykButton* btnClose_ = nullptr;
  QLabel* labMail_ = nullptr;
  QLabel* labWeb_ = nullptr;
  // Counts the showings, so that a late check of an earlier showing does nothing.
  int showing_ = 0;
};

}  // namespace tarlyk
