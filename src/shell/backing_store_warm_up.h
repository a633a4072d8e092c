// A window's first painting fills memory that is new to the process: on a finer screen
// several megabytes, every page of it a fault taken in the midst of start-up (on virtual
// machines tens of microseconds each). Making the window's backing store ahead of
// showing and mapping its memory on a second thread takes those faults out of the main
// thread's way.
#pragma once

#include <thread>

class QWidget;

namespace tarlyk {

class BackingStoreWarmUp final {
 public:
  BackingStoreWarmUp() = default;
  ~BackingStoreWarmUp() { Wait(); }
  BackingStoreWarmUp(const BackingStoreWarmUp&) = delete;
  BackingStoreWarmUp& operator=(const BackingStoreWarmUp&) = delete;

  // Creates the top-level `window`'s native window and its backing store at its present
  // size, and starts mapping the store's memory. Does nothing for a backing store that
  // is not a picture in the process's memory. Wait() must come before the window (or its
  // backing store) goes.
  void Start(QWidget* window);
  void Wait();

 private:
  std::thread thread_;
};

}  // namespace tarlyk
