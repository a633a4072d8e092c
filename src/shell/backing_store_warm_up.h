// A window's first painting writes memory that is new to the process and reads pictures
// whose pages it has not touched yet: on a finer screen several megabytes, every page
// of it a fault, or on virtual machines a trap, taken in the midst of start-up (tens of
// microseconds each). Making the window's backing store ahead of showing and touching
// those pages on a second thread takes that cost out of the main thread's way.
#pragma once

#include <QImage>
#include <QObject>
#include <thread>

class QWidget;

namespace tarlyk {

class BackingStoreWarmUp final : public QObject {
 public:
  BackingStoreWarmUp() = default;
  ~BackingStoreWarmUp() override { Wait(); }
  BackingStoreWarmUp(const BackingStoreWarmUp&) = delete;
  BackingStoreWarmUp& operator=(const BackingStoreWarmUp&) = delete;

  // Creates the top-level `window`'s native window and its backing store at its present
  // size, and starts touching the store's pages and those of `picture` (kept meanwhile),
  // which the first painting copies. The window's paint event waits for the touching to
  // end (it writes the store), so only a window that paints itself whole, with nothing
  // drawn before its paint event (Qt::WA_OpaquePaintEvent), is taken; for any other,
  // and for a backing store that is not a picture in the process's memory, nothing is
  // done.
  void Start(QWidget* window, const QImage& picture = {});
  // Waits for the touching to end.
  void Wait();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::thread thread_;
  QImage picture_;
  QWidget* window_ = nullptr;
};

}  // namespace tarlyk
