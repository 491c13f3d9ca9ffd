#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Built in with the program by the build's lrelease step.
const char kBuiltIn[] = ":/kavora/translations";

} // namespace

QString installedTranslationsFolder()
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral(KAVORA_TRANSLATIONS_FROM_BIN));
}

QString installTranslations(QCoreApplication &app, const QLocale &locale)
{
    auto *own = new QTranslator(&app);
    const QString prefix = QStringLiteral("_");
    if (!own->load(locale, QStringLiteral("kavora"), prefix, QString::fromLatin1(kBuiltIn)) &&
        !own->load(locale, QStringLiteral("kavora"), prefix, installedTranslationsFolder())) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);

    // Qt's texts in Kavora's language, not in the first of the user's languages: with no
    // French for Kavora, a French desktop keeps every dialog in English, buttons included.
    const QLocale language(own->language());
    auto *qt = new QTranslator(&app);
    if (qt->load(language, QStringLiteral("qtbase"), prefix,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return QLocale::languageToCode(language.language());
}
