#include "ui/InterfaceLanguage.h"

#include "ui/AppLang.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace lt {

namespace {

constexpr int kTypeSimplified = 2;
constexpr int kTypeTraditional = 3;

// Qt's translations beside the program come first (a copy that carries its
// own), then those installed with Qt.
std::unique_ptr<QTranslator> qtTranslationsFor(int langType)
{
    if (langType != kTypeSimplified && langType != kTypeTraditional)
        return nullptr;
    const QString name = langType == kTypeSimplified ? QStringLiteral("qtbase_zh_CN") : QStringLiteral("qtbase_zh_TW");
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(name, folder))
            return translator;
    }
    return nullptr;
}

void followInQt(int langType)
{
    static std::unique_ptr<QTranslator> installed;
    if (installed)
        QCoreApplication::removeTranslator(installed.get());
    installed = qtTranslationsFor(langType);
    if (installed)
        QCoreApplication::installTranslator(installed.get());
}

} // namespace

void SetProgramLanguage(int language)
{
    AppLang().SetInterfaceLanguage(language);
    followInQt(AppLang().langType());
}

} // namespace lt
