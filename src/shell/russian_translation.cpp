#include "shell/russian_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstring>

#include "shell/shell_texts.h"

namespace tarlyk {

namespace {

struct ButtonText {
  const char* context;
  const char* source;
  const char* russian;
};

// The standard button texts as Qt's platform themes ask for them, with the words Qt's
// Russian translation gives them.
constexpr ButtonText kButtonTexts[] = {
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "Save", "Сохранить"},
    {"QPlatformTheme", "Save All", "Сохранить все"},
    {"QPlatformTheme", "Open", "Открыть"},
    {"QPlatformTheme", "&Yes", "&Да"},
    {"QPlatformTheme", "Yes to &All", "Да для &всех"},
    {"QPlatformTheme", "&No", "&Нет"},
    {"QPlatformTheme", "N&o to All", "Н&ет для всех"},
    {"QPlatformTheme", "Abort", "Прервать"},
    {"QPlatformTheme", "Retry", "Повторить"},
    {"QPlatformTheme", "Ignore", "Пропустить"},
    {"QPlatformTheme", "Close", kCloseCaption},
    {"QPlatformTheme", "Cancel", "Отмена"},
    {"QPlatformTheme", "Discard", "Отклонить"},
    {"QPlatformTheme", "Help", kHelpCaption},
    {"QPlatformTheme", "Apply", "Применить"},
    {"QPlatformTheme", "Reset", "Сбросить"},
    {"QPlatformTheme", "Restore Defaults", "По умолчанию"},
    // The GNOME theme names a few buttons its own way.
    {"QGnomeTheme", "&OK", "&OK"},
    {"QGnomeTheme", "&Save", "&Сохранить"},
    {"QGnomeTheme", "&Cancel", "От&мена"},
    {"QGnomeTheme", "&Close", "&Закрыть"},
    {"QGnomeTheme", "Close without Saving", "Закрыть без сохранения"},
};

class ButtonTranslator final : public QTranslator {
 public:
  QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                    int /*n*/) const override {
    if (context == nullptr || sourceText == nullptr) return {};
    for (const ButtonText& t : kButtonTexts) {
      if (std::strcmp(t.context, context) == 0 && std::strcmp(t.source, sourceText) == 0) {
        return QString::fromUtf8(t.russian);
      }
    }
    return {};
  }
  bool isEmpty() const override { return false; }
};

}  // namespace

RussianTranslation::RussianTranslation(const QString& qtTranslationsDir)
    : own_(std::make_unique<ButtonTranslator>()), qt_(std::make_unique<QTranslator>()) {
  // The translator installed last is asked first: Qt's own, then the program's.
  QCoreApplication::installTranslator(own_.get());
  qtLoaded_ = qt_->load(QStringLiteral("qtbase_ru"), qtTranslationsDir) &&
              QCoreApplication::installTranslator(qt_.get());
}

RussianTranslation::~RussianTranslation() {
  if (qtLoaded_) QCoreApplication::removeTranslator(qt_.get());
  QCoreApplication::removeTranslator(own_.get());
}

QString RussianTranslation::QtTranslationsDir() {
  return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

}  // namespace tarlyk
