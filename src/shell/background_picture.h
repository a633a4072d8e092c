// A picture drawn on a second thread while the window that needs it goes on: drawing
// onto a QImage is safe off the main thread. The finished picture is handed over on the
// thread that owns this object, once its event loop runs.
#pragma once

#include <QImage>
#include <QObject>
#include <functional>
#include <thread>

namespace tarlyk {

class BackgroundPicture final : public QObject {
 public:
  BackgroundPicture() = default;
  // A drawing cannot be cut short: waits for it to end. The hand-over it has posted is
  // dropped with this object.
  ~BackgroundPicture() override;
  BackgroundPicture(const BackgroundPicture&) = delete;
  BackgroundPicture& operator=(const BackgroundPicture&) = delete;

  // Has `draw` run on a second thread and `done` called with its picture here. Ignored
  // (false) while a drawing is under way. `draw` must touch nothing the main thread
  // changes meanwhile; the fonts it asks for must have been registered already.
  bool Start(std::function<QImage()> draw, std::function<void(QImage)> done);
  bool Busy() const { return thread_.joinable(); }

 private:
  void Finish();

  std::thread thread_;
  QImage picture_;  // written by the drawing thread before it posts Finish
  std::function<void(QImage)> done_;
};

}  // namespace tarlyk
