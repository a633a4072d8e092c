#include "shell/backing_store_warm_up.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QBackingStore>
#include <QImage>
#include <QRegion>
#include <QWidget>

namespace tarlyk {

void BackingStoreWarmUp::Start(QWidget* window) {
#ifdef MADV_POPULATE_WRITE
  Wait();
  if (window == nullptr || !window->isWindow()) return;
  window->winId();  // the backing store belongs to the native window
  QBackingStore* store = window->backingStore();
  if (store == nullptr) return;
  if (store->size() != window->size()) store->resize(window->size());
  // The store's picture is at hand between the beginning and the end of a painting;
  // one of nothing paints nothing and sends nothing to the display.
  store->beginPaint(QRegion());
  const QPaintDevice* device = store->paintDevice();
  quintptr begin = 0;
  quintptr end = 0;
  if (device != nullptr && device->devType() == QInternal::Image) {
    const auto* image = static_cast<const QImage*>(device);
    begin = reinterpret_cast<quintptr>(image->constBits());
    end = begin + static_cast<quintptr>(image->sizeInBytes());
  }
  store->endPaint();
  if (begin == 0 || end <= begin) return;
  const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
  const quintptr first = begin / page * page;
  // Faulting the pages in writable changes none of their contents.
  thread_ = std::thread([first, end] {
    madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
  });
#else
  (void)window;
#endif
}

void BackingStoreWarmUp::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace tarlyk
