// The German translation as a German user meets it: menus, a message, a tooltip and Qt's
// own dialog texts in German, the command line's tables still in English for scripts; every
// other locale leaves every text as written. And the .ts is complete: every entry is
// translated with its placeholders, and no text in the sources is missing from it.
#include "changelistmodel.h"
#include "chartexplorer.h"
#include "distances.h"
#include "explorerrenderer.h"
#include "language.h"
#include "loaduniverse.h"
#include "mainwindowfixture.h"
#include "planetlist.h"
#include "planetlistmodel.h"
#include "planetpicker.h"
#include "search.h"
#include "tables.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

const QString kTranslations = QStringLiteral(KAVORA_SOURCE_DIR "/translations");

// Every language kept in the repository, German among them.
QStringList tsFiles()
{
    QStringList files;
    for (const QString &name :
         QDir(kTranslations).entryList({QStringLiteral("kavora_*.ts")}, QDir::Files))
        files << QDir(kTranslations).filePath(name);
    return files;
}

void removeTranslations()
{
    for (QTranslator *translator : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

QString qtCancel()
{
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

struct Entry {
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty for a finished entry
};

QList<Entry> entries(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QList<Entry> read;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            read.append({context, {}, {}, {}});
        } else if (xml.name() == u"source" && !read.isEmpty()) {
            read.last().source = xml.readElementText();
        } else if (xml.name() == u"translation" && !read.isEmpty()) {
            read.last().type = xml.attributes().value(QLatin1String("type")).toString();
            read.last().translation = xml.readElementText();
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return read;
}

QString described(const Entry &entry)
{
    return entry.context + u'/' + entry.source;
}

// "%1 of %2" -> {"%1", "%2"}
QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%\\d"));
    QSet<QString> found;
    for (const QRegularExpressionMatch &match : marker.globalMatch(text))
        found.insert(match.captured());
    return found;
}

bool hasMnemonic(const QString &text)
{
    return text.contains(QRegularExpression(QStringLiteral("&[^&]")));
}

QChar mnemonic(const QString &text)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("&([^&])")).match(text);
    return match.hasMatch() ? match.captured(1).at(0).toLower() : QChar();
}

// The captions and buttons of `window` that share an access key, as "&Ringe: / &Rasse:".
QStringList sharedAccessKeys(const QWidget *window)
{
    QStringList texts;
    for (const QLabel *label : window->findChildren<QLabel *>())
        if (label->buddy())
            texts << label->text();
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
        texts << button->text();
    QHash<QChar, QString> taken;
    QStringList shared;
    for (const QString &text : texts) {
        const QChar key = mnemonic(text);
        if (key.isNull())
            continue;
        if (taken.contains(key))
            shared << taken.value(key) + QStringLiteral(" / ") + text;
        taken.insert(key, text);
    }
    return shared;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { removeTranslations(); }
    void otherLocalesStayEnglish_data();
    void otherLocalesStayEnglish();
    void germanMenusMessageAndTooltip();
    void germanPlanning();
    void commandLineTablesStayEnglish();
    void languageDroppedIntoTheInstalledFolder();
    void everyEntryTranslated_data();
    void everyEntryTranslated();
    void noTextOfTheSourcesIsMissing_data();
    void noTextOfTheSourcesIsMissing();
};

void TestTranslations::otherLocalesStayEnglish_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom);
    // No French for Kavora, so no French for Qt's dialogs either: one language throughout.
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France);
}

void TestTranslations::otherLocalesStayEnglish()
{
    QFETCH(QLocale, locale);
    QCOMPARE(installTranslations(*qApp, locale), QString());
    QVERIFY(qApp->findChildren<QTranslator *>().isEmpty());
    MainWindowFixture window;
    QCOMPARE(window.item("mnu_File")->text(), QStringLiteral("&File"));
    QCOMPARE(window.item("mnu_Open")->text(), QStringLiteral("&Open Map File"));
    QCOMPARE(qtCancel(), QStringLiteral("Cancel"));
}

void TestTranslations::germanMenusMessageAndTooltip()
{
    QCOMPARE(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)),
             QStringLiteral("de"));
    MainWindowFixture window;
    QCOMPARE(window.item("mnu_File")->text(), QStringLiteral("&Datei"));
    QCOMPARE(window.item("mnu_Open")->text(), QStringLiteral("&Kartendatei öffnen"));
    QCOMPARE(window.item("mnu_Map")->text(), QStringLiteral("&Karte"));
    QCOMPARE(window.item("mnuPlanetList")->text(), QStringLiteral("&Planetenliste"));
    QCOMPARE(window.item("mnuHelp")->text(), QStringLiteral("&Hilfe"));

    // Each menu's access keys stay one per item, and the menu bar's one per menu.
    const QList<QAction *> menus = window.form.menuBar()->actions();
    QList<QList<QAction *>> groups{menus};
    for (QAction *menu : menus)
        if (menu->menu())
            groups.append(menu->menu()->actions());
    for (const QList<QAction *> &group : groups) {
        QHash<QChar, QString> taken;
        for (const QAction *action : group) {
            const QChar key = mnemonic(action->text());
            if (key.isNull() || !action->isVisible())
                continue;
            QVERIFY2(!taken.contains(key),
                     qPrintable(QStringLiteral("\"%1\" and \"%2\" share &%3")
                                    .arg(taken.value(key), action->text(), key)));
            taken.insert(key, action->text());
        }
    }

    // A message through the dialog, in the window's own words.
    window.trigger("mnuSaveBmp");
    QCOMPARE(window.dialog.messages(),
             QStringList{QStringLiteral("Bitte zuerst eine Karte öffnen.")});
    window.openMap(window.mapPath);
    QCOMPARE(window.dialog.asked().last().title, QStringLiteral("Quelmar-Kartendatei öffnen"));

    Star_Object planet{QStringLiteral("Alpha"),
                       QStringLiteral("1050"),
                       QStringLiteral("1203"),
                       QStringLiteral("Zorn"),
                       QString(),
                       QString(),
                       QStringLiteral("120"),
                       {},
                       {}};
    QCOMPARE(planetTooltip(planet), QStringLiteral("Alpha\nBesitzer: Zorn\nBevölkerung: 120\n"
                                                   "Sternenbasis: keine\nBerichtsalter: unbekannt\n"
                                                   "Koordinaten: 1050, 1203"));
    // Qt's own texts, for the file, colour and message dialogs.
    QCOMPARE(qtCancel(), QStringLiteral("Abbrechen"));
}

// The planning texts in German: the planet list's columns, filters and menu, a marked
// planet's tooltip, the explorer's fields and status, the ruler's turns; the list's filter
// finds a marker by the word it shows.
void TestTranslations::germanPlanning()
{
    QCOMPARE(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)),
             QStringLiteral("de"));
    MainWindowFixture window;
    window.openMap(window.mapPath);
    window.trigger("mnuPlanetList");
    PlanetList *list = window.form.planetList();
    QVERIFY(list);
    QTableView *view = list->view();
    QCOMPARE(view->model()->headerData(PlanetListModel::Distance, Qt::Horizontal).toString(),
             QStringLiteral("Entfernung"));
    QCOMPARE(view->model()->headerData(PlanetListModel::MarkerColumn, Qt::Horizontal).toString(),
             QStringLiteral("Markierung"));
    auto *marker = list->findChild<QComboBox *>(QStringLiteral("marker"));
    QCOMPARE(marker->itemText(0), QStringLiteral("Alle Markierungen"));
    QCOMPARE(marker->itemText(marker->count() - 1), QStringLiteral("Nicht markiert"));
    QCOMPARE(list->findChild<QComboBox *>(QStringLiteral("distanceFrom"))->itemText(1),
             QStringLiteral("Auswahl im Explorer"));
    QCOMPARE(sharedAccessKeys(list), QStringList());

    const int alpha = findStar(window.g, u"Alpha");
    QMenu *menu = list->menuFor({alpha});
    QStringList items;
    for (const QAction *action : menu->actions())
        items << action->text();
    QCOMPARE(items, (QStringList{QStringLiteral("&Markieren als"), QStringLiteral("&Notiz..."),
                                 QStringLiteral("&Entfernungen von hier")}));
    menu->findChild<QAction *>(QStringLiteral("mark_enemy"))->trigger();
    window.dialog.answerText(QStringLiteral("Flotte sammeln"));
    list->menuFor({alpha})->findChild<QAction *>(QStringLiteral("note"))->trigger();
    QCOMPARE(window.dialog.asked().last().folder, QStringLiteral("Notiz zu Alpha:"));
    list->findChild<QLineEdit *>(QStringLiteral("filter"))->setText(QStringLiteral("FEIND"));
    QCOMPARE(view->model()->rowCount(), 1);
    QCOMPARE(view->model()->index(0, PlanetListModel::MarkerColumn).data().toString(),
             QStringLiteral("Feind"));
    const Star_Object &planet = window.g.Star_Table[size_t(alpha)];
    QVERIFY2(planetTooltip(planet, window.g.notes.find(planet))
                 .endsWith(QStringLiteral("\nMarkierung: Feind\nNotiz: Flotte sammeln")),
             qPrintable(planetTooltip(planet, window.g.notes.find(planet))));

    window.trigger("mnuChartExplorer");
    auto *explorer = window.form.findChild<ChartExplorer *>();
    QVERIFY(explorer);
    QCOMPARE(explorer->findChild<QLineEdit *>(QStringLiteral("Speed"))->placeholderText(),
             QStringLiteral("Einheiten je Zug"));
    QCOMPARE(sharedAccessKeys(explorer), QStringList());
    QVERIFY(explorerStatus(window.g, QPointF(1200, 1103), alpha)
                .contains(QStringLiteral("Entfernung ")));
    QCOMPARE(turnsText(200, 81), QStringLiteral("3 Züge bei Tempo 81"));
    QCOMPARE(turnsText(40, 81), QStringLiteral("1 Zug bei Tempo 81"));
}

// Scripts read the tables' names and words, whatever the user's language.
void TestTranslations::commandLineTablesStayEnglish()
{
    QCOMPARE(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)),
             QStringLiteral("de"));
    MainWindowFixture files;
    Globals globals;
    const LoadHistory history = loadUniverse(globals, files.mapPath, {files.reportPath});
    QVERIFY(formatTable(planetTable(globals), TableFormat::Tsv)
                .startsWith(QStringLiteral("index\tname\tx\ty\towner\tstarbase\treport_age\t")));
    const Table changes = changeTable(globals, history);
    QVERIFY(changes.rowCount() > 0);
    const qsizetype kind = 4;
    QCOMPARE(changes.columns[kind].name, QStringLiteral("kind"));
    QStringList words;
    for (qsizetype row = 0; row < changes.rowCount(); ++row)
        words << changes.cells[size_t(row * changes.columns.size() + kind)];
    QVERIFY2(words.contains(QStringLiteral("first seen")), qPrintable(words.join(u'|')));

    // The window's list of the same changes speaks German.
    ReportStep::PlanetChange change{};
    change.kinds = ChangeKind::NewOwner;
    QCOMPARE(changeKindText(change), QStringLiteral("neuer Besitzer"));
}

// A compiled translation put beside an installed Kavora works without a rebuild; here the
// German one under a French name stands in for a French translation.
void TestTranslations::languageDroppedIntoTheInstalledFolder()
{
    const QDir folder(installedTranslationsFolder());
    QVERIFY(QDir().mkpath(folder.path()));
    const QString french = folder.filePath(QStringLiteral("kavora_fr.qm"));
    QFile::remove(french);
    QVERIFY(QFile::copy(QStringLiteral(":/kavora/translations/kavora_de.qm"), french));
    const QString loaded = installTranslations(*qApp, QLocale(QLocale::French, QLocale::Canada));
    QFile::remove(french);
    QCOMPARE(loaded, QStringLiteral("de")); // the file's own language
    QCOMPARE(QCoreApplication::translate("mainform", "&File"), QStringLiteral("&Datei"));
}

void TestTranslations::everyEntryTranslated_data()
{
    QTest::addColumn<QString>("ts");
    const QStringList files = tsFiles();
    QVERIFY(files.contains(kTranslations + QStringLiteral("/kavora_de.ts")));
    for (const QString &file : files)
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
}

void TestTranslations::everyEntryTranslated()
{
    QFETCH(QString, ts);
    const QList<Entry> all = entries(ts);
    QVERIFY(all.size() > 200);
    for (const Entry &entry : all) {
        const QString what = described(entry);
        QVERIFY2(entry.type.isEmpty(), qPrintable(what + u' ' + entry.type));
        QVERIFY2(!entry.translation.isEmpty(), qPrintable(what));
        QVERIFY2(placeholders(entry.translation) == placeholders(entry.source),
                 qPrintable(what + QStringLiteral(" -> ") + entry.translation));
        QVERIFY2(hasMnemonic(entry.translation) == hasMnemonic(entry.source),
                 qPrintable(what + QStringLiteral(" -> ") + entry.translation));
        // A file filter keeps its patterns: "Quelmar-Kartendatei (*.map)|*.map".
        QVERIFY2(entry.translation.count(u'|') == entry.source.count(u'|') &&
                     entry.translation.endsWith(u'\n') == entry.source.endsWith(u'\n'),
                 qPrintable(what + QStringLiteral(" -> ") + entry.translation));
    }
}

// lupdate over the sources as they are now, into a copy: a text added without its German
// shows here as unfinished, a text gone as vanished.
void TestTranslations::noTextOfTheSourcesIsMissing_data()
{
    everyEntryTranslated_data();
}

void TestTranslations::noTextOfTheSourcesIsMissing()
{
    QFETCH(QString, ts);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString copy = scratch.filePath(QFileInfo(ts).fileName());
    QVERIFY(QFile::copy(ts, copy));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(KAVORA_SOURCE_DIR));
    lupdate.start(QStringLiteral(KAVORA_LUPDATE),
                  {QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-silent"),
                   QStringLiteral("model"), QStringLiteral("import"), QStringLiteral("colours"),
                   QStringLiteral("chart"), QStringLiteral("shell"), QStringLiteral("main.cpp"),
                   QStringLiteral("-ts"), copy});
    QVERIFY(lupdate.waitForFinished(120000));
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());
    QStringList missing;
    for (const Entry &entry : entries(copy))
        if (!entry.type.isEmpty())
            missing << entry.type + u' ' + described(entry);
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("update %1 (cmake --build build --target "
                                                          "update_translations) and translate:\n")
                                               .arg(QFileInfo(ts).fileName()) +
                                           missing.join(u'\n')));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
