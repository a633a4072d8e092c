// A picture drawn on a second thread while the window that needs it goes on: drawing
// onto a QImage is safe off the main thread. The finished picture is handed over on the
// thread that owns this object, once its event loop runs.
#pragma once

#include <QImage>
#include <QObject>
#include <atomic>
#include <functional>
#include <thread>

namespace tarlyk {

class BackgroundPicture final : public QObject {
 public:
  BackgroundPicture() = default;
  // Calls off a drawing under way and waits for it to end. The hand-over it may have
  // posted is dropped with this object.
  ~BackgroundPicture() override;
  BackgroundPicture(const BackgroundPicture&) = delete;
  BackgroundPicture& operator=(const BackgroundPicture&) = delete;

  // Has `draw` run on a second thread and `done` called with its picture here. Ignored
  // (false) while a drawing is under way. `draw` must touch nothing the main thread
  // changes meanwhile; the fonts it asks for must have been registered already. It may
  // end early, returning anything, once the flag it is given is set.
  using Draw = std::function<QImage(const std::atomic<bool>& stop)>;
  bool Start(Draw draw, std::function<void(QImage)> done);
  bool Busy() const { return thread_.joinable(); }
  // Asks a drawing under way to end early, without waiting for it; its hand-over still
  // comes, with whatever the drawing returned.
  void CallOff() { stop_ = true; }

 private:
  void Finish();

  // The drawing thread's niceness: below the main thread, yet not so far below that a
  // busy machine starves it.
  static constexpr int kDrawingNice = 10;

  std::thread thread_;
  std::atomic<bool> stop_{false};
  QImage picture_;  // written by the drawing thread before it posts Finish
  std::function<void(QImage)> done_;
};

}  // namespace tarlyk
