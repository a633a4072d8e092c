#include "help/help_book.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <functional>
#include <vector>

#include "help/chm/chm_system.h"
#include "help/chm/help_sitemap.h"

namespace tarlyk {

namespace {

const QString kScheme = QStringLiteral("chm");

// The first object whose name ends with `suffix` ("/toc.hhc" for ".hhc"), or empty.
QString FirstWithSuffix(const ChmArchive& archive, const char* suffix) {
  for (const std::string& path : archive.Paths()) {
    const QString name = QString::fromUtf8(path);
    if (name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) return name;
  }
  return {};
}

QList<HelpTopic> ToTopics(const std::vector<SitemapEntry>& entries, const QUrl& base) {
  QList<HelpTopic> topics;
  topics.reserve(static_cast<qsizetype>(entries.size()));
  for (const SitemapEntry& e : entries) {
    HelpTopic topic;
    const QString local = QString::fromUtf8(e.local).trimmed();
    topic.title = e.name.empty() ? local : QString::fromUtf8(e.name);
    if (!local.isEmpty()) topic.url = base.resolved(QUrl(local));
    topic.children = ToTopics(e.children, base);
    topics.push_back(std::move(topic));
  }
  return topics;
}

}  // namespace

bool HelpBook::IsInternal(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return scheme == kScheme || scheme == QLatin1String("ms-its") || scheme == QLatin1String("its") ||
         scheme == QLatin1String("mk");
}

QString HelpBook::ObjectPath(const QUrl& url) {
  if (!IsInternal(url)) return {};
  QString path = url.path(QUrl::FullyDecoded);
  // "ms-its:Tarlyk.chm::/page.html" and "mk:@MSITStore:Tarlyk.chm::/page.html" name the
  // object after the "::".
  const qsizetype separator = path.indexOf(QLatin1String("::"));
  if (separator >= 0) path = path.mid(separator + 2);
  if (!path.startsWith(QLatin1Char('/'))) path.prepend(QLatin1Char('/'));
  return QDir::cleanPath(path);
}

QUrl HelpBook::UrlOf(const QString& objectPath) {
  QUrl url;
  url.setScheme(kScheme);
  url.setPath(objectPath.startsWith(QLatin1Char('/')) ? objectPath : QLatin1Char('/') + objectPath);
  return url;
}

std::optional<QByteArray> HelpBook::Data(const QUrl& url) const {
  const QString path = ObjectPath(url);
  if (path.isEmpty()) return std::nullopt;
  const std::string* bytes = archive_.Find(path.toUtf8().toStdString());
  if (!bytes) return std::nullopt;
  return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
}

std::optional<QString> HelpBook::Text(const QUrl& url) const {
  const std::optional<QByteArray> bytes = Data(url);
  if (!bytes) return std::nullopt;
  const QString path = ObjectPath(url);
  const bool html = !path.endsWith(QLatin1String(".css"), Qt::CaseInsensitive);
  return Decode(*bytes, html);
}

QString HelpBook::Decode(const QByteArray& bytes, bool html) const {
  if (html) {
    const QByteArray head = bytes.left(1024).toLower();
    const bool marked = head.startsWith("\xef\xbb\xbf") || head.startsWith("\xff\xfe") ||
                        head.startsWith("\xfe\xff") || head.contains("charset");
    if (marked) {
      QStringDecoder declared = QStringDecoder::decoderForHtml(bytes);
      if (declared.isValid()) return declared.decode(bytes);
    }
  }
  // Undeclared text: UTF-8 when it is valid UTF-8 (some help compilers keep their sources'
  // encoding; text in a Windows code page beyond ASCII almost never is), else the file's
  // code page.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
  const QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder decoder(codePage_.constData());
  if (decoder.isValid()) return decoder.decode(bytes);
  return QString::fromLatin1(bytes);
}

QList<HelpTopic> HelpBook::ReadSitemap(const QString& objectPath) const {
  const QUrl url = UrlOf(objectPath);
  const std::optional<QByteArray> bytes = Data(url);
  if (!bytes) return {};
  const QByteArray utf8 = Decode(*bytes, true).toUtf8();
  return ToTopics(
      ParseSitemap(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size()))), url);
}

std::optional<HelpBook> HelpBook::Open(const QString& path, QString* error) {
  std::string why;
  std::optional<ChmArchive> archive = ChmArchive::Open(QFile::encodeName(path).toStdString(), &why);
  if (!archive) {
    if (error) *error = QString::fromStdString(why);
    return std::nullopt;
  }
  HelpBook book;
  book.archive_ = std::move(*archive);
  const ChmSystem system = ReadChmSystem(book.archive_);
  book.codePage_ = CodePageOf(system.lcid);
  book.title_ = book.Decode(QByteArray::fromStdString(system.title), false);

  auto named = [&](const std::string& name, const char* suffix) {
    const QString given = book.Decode(QByteArray::fromStdString(name), false);
    if (!given.isEmpty() && book.Data(UrlOf(given))) return ObjectPath(UrlOf(given));
    return FirstWithSuffix(book.archive_, suffix);
  };
  const QString contentsFile = named(system.contentsFile, ".hhc");
  if (!contentsFile.isEmpty()) book.contents_ = book.ReadSitemap(contentsFile);
  const QString indexFile = named(system.indexFile, ".hhk");
  if (!indexFile.isEmpty()) book.index_ = book.ReadSitemap(indexFile);
  book.hasIndex_ = !book.index_.isEmpty();

  const QString topic = book.Decode(QByteArray::fromStdString(system.defaultTopic), false);
  if (!topic.isEmpty()) {
    const QUrl url = UrlOf(QStringLiteral("/")).resolved(QUrl(topic));
    if (book.Data(url)) book.home_ = url;
  }
  if (book.home_.isEmpty()) {
    std::function<bool(const QList<HelpTopic>&)> firstPage = [&](const QList<HelpTopic>& list) {
      for (const HelpTopic& t : list) {
        if (IsInternal(t.url) && book.Data(t.url)) {
          book.home_ = t.url;
          return true;
        }
        if (firstPage(t.children)) return true;
      }
      return false;
    };
    firstPage(book.contents_);
  }
  if (book.home_.isEmpty()) {
    if (error) *error = QStringLiteral("no page to show");
    return std::nullopt;
  }
  return book;
}

}  // namespace tarlyk
