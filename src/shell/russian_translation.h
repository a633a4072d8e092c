// Every standard button of every box in Russian, whatever the locale: Qt's own Russian
// translation when it is installed and, under it, the standard button texts of the
// program's own, which answer whenever that translation is missing.
#pragma once

#include <QString>
#include <memory>

class QTranslator;

namespace tarlyk {

class RussianTranslation {
 public:
  // Installs both into the running application; `qtTranslationsDir` is where Qt's
  // translations are looked for.
  explicit RussianTranslation(const QString& qtTranslationsDir = QtTranslationsDir());
  ~RussianTranslation();  // removes them again
  RussianTranslation(const RussianTranslation&) = delete;
  RussianTranslation& operator=(const RussianTranslation&) = delete;

  // Whether Qt's own translation was found and installed.
  bool QtTranslationLoaded() const { return qtLoaded_; }

  // The directory Qt keeps its translations in.
  static QString QtTranslationsDir();

 private:
  std::unique_ptr<QTranslator> own_;
  std::unique_ptr<QTranslator> qt_;
  bool qtLoaded_ = false;
};

}  // namespace tarlyk
