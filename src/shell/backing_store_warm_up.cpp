#include "shell/backing_store_warm_up.h"

#include <unistd.h>

#include <QBackingStore>
#include <QEvent>
#include <QRegion>
#include <QWidget>

namespace tarlyk {

namespace {

// One access per page. Faulting pages in by the system's own means (madvise) leaves
// them to be trapped again at their first use on some virtual machines; a real access
// does not.
void ReadPages(const uchar* begin, const uchar* end, quintptr page) {
  unsigned sum = 0;
  for (const uchar* p = begin; p < end; p += page) sum += *static_cast<const volatile uchar*>(p);
  (void)sum;
}

void WritePages(uchar* begin, uchar* end, quintptr page) {
  for (uchar* p = begin; p < end; p += page) *static_cast<volatile uchar*>(p) = 0;
}

}  // namespace

void BackingStoreWarmUp::Start(QWidget* window, const QImage& picture) {
  Wait();
  if (window == nullptr || !window->isWindow() || !window->testAttribute(Qt::WA_OpaquePaintEvent)) {
    return;
  }
  window->winId();  // the backing store belongs to the native window
  QBackingStore* store = window->backingStore();
  if (store == nullptr) return;
  if (store->size() != window->size()) store->resize(window->size());
  // The store's picture is at hand between the beginning and the end of a painting;
  // one of nothing paints nothing and sends nothing to the display.
  store->beginPaint(QRegion());
  const QPaintDevice* device = store->paintDevice();
  uchar* storeBegin = nullptr;
  qsizetype storeBytes = 0;
  if (device != nullptr && device->devType() == QInternal::Image) {
    const auto* image = static_cast<const QImage*>(device);
    // The store's own memory: bits() could detach a copy from it.
    storeBegin = const_cast<uchar*>(image->constBits());
    storeBytes = image->sizeInBytes();
  }
  store->endPaint();
  if (storeBegin == nullptr || storeBytes <= 0) return;

  picture_ = picture;
  window_ = window;
  window_->installEventFilter(this);
  const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
  const uchar* pictureBegin = picture_.isNull() ? nullptr : picture_.constBits();
  const qsizetype pictureBytes = picture_.isNull() ? 0 : picture_.sizeInBytes();
  thread_ = std::thread([=] {
    if (pictureBegin != nullptr) ReadPages(pictureBegin, pictureBegin + pictureBytes, page);
    // Nothing is shown from the store before the first painting, which waits for this.
    WritePages(storeBegin, storeBegin + storeBytes, page);
  });
}

void BackingStoreWarmUp::Wait() {
  if (thread_.joinable()) thread_.join();
  picture_ = QImage();
  if (window_ != nullptr) {
    window_->removeEventFilter(this);
    window_ = nullptr;
  }
}

bool BackingStoreWarmUp::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && (event->type() == QEvent::Paint || event->type() == QEvent::Hide)) {
    Wait();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tarlyk
