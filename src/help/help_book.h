// A help file opened for the help window: its pages, style sheets and pictures, its
// contents and index as trees of titled links, its title and the page it opens on.
// Objects are addressed by URLs of the "chm" scheme ("chm:/rules.html#deck"), so that
// relative links between pages resolve with the URL rules; the in-archive links some
// help files use ("ms-its:Tarlyk.chm::/page.html") lead to the same objects.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

#include "help/chm/chm_archive.h"

namespace tarlyk {

struct HelpTopic {
  QString title;
  QUrl url;  // empty when the entry names no page
  QList<HelpTopic> children;
};

class HelpBook {
 public:
  // Opens the help file at `path`. nullopt when it cannot be read, is damaged or holds
  // no page to show; then `error`, when given, says why (for the developer).
  static std::optional<HelpBook> Open(const QString& path, QString* error = nullptr);

  const QString& Title() const { return title_; }
  const QList<HelpTopic>& Contents() const { return contents_; }
  const QList<HelpTopic>& Index() const { return index_; }  // empty when there is none
  bool HasIndex() const { return hasIndex_; }
  // The page the file names as its default, else the first page of the contents.
  const QUrl& HomePage() const { return home_; }

  // True for a link that leads into the help file rather than out of it.
  static bool IsInternal(const QUrl& url);
  // The archive path an internal URL names ("/rules.html"), or an empty string.
  static QString ObjectPath(const QUrl& url);
  // The URL of an archive path.
  static QUrl UrlOf(const QString& objectPath);

  // The bytes of the object an internal URL names, or nullopt.
  std::optional<QByteArray> Data(const QUrl& url) const;
  // An HTML page or a style sheet decoded to text: by the page's own charset
  // declaration, else as UTF-8 when it is valid UTF-8, else by the file's code page.
  // nullopt when the object is not there.
  std::optional<QString> Text(const QUrl& url) const;

 private:
  HelpBook() = default;
  QString Decode(const QByteArray& bytes, bool html) const;
  QList<HelpTopic> ReadSitemap(const QString& objectPath) const;

  ChmArchive archive_;
  QByteArray codePage_;
  QString title_;
  QList<HelpTopic> contents_;
  QList<HelpTopic> index_;
  bool hasIndex_ = false;
  QUrl home_;
};

}  // namespace tarlyk
