// Kavora in the user's language: its own texts from kavora_<language>.qm and the standard
// dialogs' from Qt's translations of the same language. Without a translation for any of
// the user's languages every text stays as written in the sources, in English.
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

// Installs on `app` the first of the locale's languages that Kavora has a translation for
// (LANGUAGE=fr:de gives German when there is no French); returns its name ("de"), or an
// empty text when the program stays English. The translators belong to `app`.
QString installTranslations(QCoreApplication &app, const QLocale &locale = QLocale());

// Where an installed Kavora keeps translations beside those built into the program, seen
// from the program's folder; a language dropped there needs no rebuild.
QString installedTranslationsFolder();
