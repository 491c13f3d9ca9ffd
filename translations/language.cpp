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
    // The user's languages in order, each from the program itself and then from the
    // installed folder: "de-DE" tries kavora_de_DE.qm, then kavora_de.qm.
    auto *own = new QTranslator(&app);
    const QStringList folders{QString::fromLatin1(kBuiltIn), installedTranslationsFolder()};
    bool found = false;
    for (QString language : locale.uiLanguages()) {
        language.replace(u'-', u'_');
        for (const QString &folder : folders) {
            found = own->load(QStringLiteral("kavora_") + language, folder);
            if (found)
                break;
        }
        if (found)
            break;
    }
    if (!found) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);

    // Qt's texts in Kavora's language, not in the first of the user's languages: with no
    // French for Kavora, a French desktop keeps every dialog in English, buttons included.
    const QLocale language(own->language());
    auto *qt = new QTranslator(&app);
    if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return QLocale::languageToCode(language.language());
}
