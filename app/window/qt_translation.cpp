#include "app/window/qt_translation.h"

#include <QDir>
#include <QLibraryInfo>
#include <QTextStream>

namespace zr::window {

namespace {

QString QtTranslationFile(lang::UiLanguage language, const QString& directory) {
  if (language != lang::UiLanguage::Chinese) return QString();
  const QString folder = directory.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : directory;
  return QDir(folder).filePath(QStringLiteral("qtbase_zh_CN.qm"));
}

}  // namespace

std::unique_ptr<QTranslator> LoadQtTranslation(lang::UiLanguage language, const QString& directory) {
  const QString file = QtTranslationFile(language, directory);
  if (file.isEmpty()) return nullptr;
  auto translator = std::make_unique<QTranslator>();
  if (translator->load(file)) return translator;
  QTextStream(stderr) << "zr93kw-setfactory: cannot load " << file
                      << " (package qt6-translations-l10n): message box buttons stay in English\n";
  return nullptr;
}

}  // namespace zr::window
