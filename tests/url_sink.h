// Records the URLs the desktop would be asked to open, instead of opening them.
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace tarlyk {

class UrlSink : public QObject {
  Q_OBJECT
 public:
  explicit UrlSink(const QStringList& schemes) : schemes_(schemes) {
    for (const QString& s : schemes_) QDesktopServices::setUrlHandler(s, this, "open");
  }
  ~UrlSink() override {
    for (const QString& s : schemes_) QDesktopServices::unsetUrlHandler(s);
  }
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }

 private:
  QStringList schemes_;
};

}  // namespace tarlyk
