#include "shell/background_picture.h"

#include <malloc.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <utility>

namespace tarlyk {

BackgroundPicture::~BackgroundPicture() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

bool BackgroundPicture::Start(Draw draw, std::function<void(QImage)> done) {
  if (Busy()) return false;
  stop_ = false;
  done_ = std::move(done);
  thread_ = std::thread([this, draw = std::move(draw)] {
    // The picture is a refinement: on a machine with few processors it yields to the
    // window's own work and to the display server, so the start is not held back.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kDrawingNice);
    picture_ = draw(stop_);
    QMetaObject::invokeMethod(this, &BackgroundPicture::Finish, Qt::QueuedConnection);
  });
  return true;
}

void BackgroundPicture::Finish() {
  thread_.join();  // it has handed its picture over and is ending
  // The thread drew with memory of its own, which the allocator keeps after it ends.
  malloc_trim(0);
  QImage picture = std::exchange(picture_, QImage());
  // `done` may start the next drawing.
  const auto done = std::exchange(done_, nullptr);
  if (done) done(std::move(picture));
}

}  // namespace tarlyk
