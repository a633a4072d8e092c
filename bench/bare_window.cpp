// The baseline for the start-up and click benchmarks: a bare Qt Widgets program that
// shows one empty window of the game's size with the game's title, and answers each
// mouse click by filling a picture of the table's size and showing it.
#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
 protected:
  void mouseReleaseEvent(QMouseEvent*) override {
    const qreal ratio = devicePixelRatioF();
    if (picture_.isNull() || picture_.devicePixelRatio() != ratio) {
      picture_ =
          QImage(qRound(710 * ratio), qRound(480 * ratio), QImage::Format_ARGB32_Premultiplied);
      picture_.setDevicePixelRatio(ratio);
    }
    picture_.fill(qRgb(218, 234, (++clicks_ % 2) ? 253 : 252));
    update();
  }
  void paintEvent(QPaintEvent*) override {
    if (picture_.isNull()) return;
    QPainter p(this);
    p.drawImage(QPoint(0, 0), picture_);
  }

 private:
  QImage picture_;
  int clicks_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  BareWindow window;
  window.setWindowTitle(QStringLiteral("Тарлык"));
  window.setFixedSize(710, 531);  // the table, the strip and a menu bar
  window.show();
  return QApplication::exec();
}
