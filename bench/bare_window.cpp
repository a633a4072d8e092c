// The baseline for the start-up benchmark: a bare Qt Widgets program that shows one
// empty window of the game's size with the game's title, and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Тарлык"));
  window.setFixedSize(710, 531);  // the table, the strip and a menu bar
  window.show();
  return QApplication::exec();
}
