// Installs Kavora into a temporary prefix, as `cmake --install` does for a user, and checks
// what a desktop reads there: the desktop entry, the icons, the file types, the metainfo
// and the man page. The desktop's own validators run on them when they are installed.
#include "version.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void filesInPlace();
    void desktopEntry();
    void validators_data();
    void validators();
    void fileTypes();
    void fileTypesNeedTheHeader();
    void manPageCoversTheCommandLine();
    void translationsInstalled();

private:
    QString installed(const QString &relative) const { return m_prefix.filePath(relative); }
    QTemporaryDir m_prefix;
    QTemporaryDir m_types;
    bool m_mergedTypes = false;
};

namespace {

const QString kAppId = QString::fromLatin1(kavora::kAppId);

struct Result {
    int status = -1;
    QString out, err;
};

Result run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    Result result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.status = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString text(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    const Result install = run(QStringLiteral(KAVORA_CMAKE_COMMAND),
                               {"--install", KAVORA_BUILD_DIR, "--prefix", m_prefix.path()});
    QVERIFY2(install.status == 0, qPrintable(install.out + install.err));

    // The file types as a desktop sees them once installed: one database that merges the
    // system's types with Kavora's, as a package's installation makes it.
    const QString updater = QStandardPaths::findExecutable("update-mime-database");
    const QString system = QStringLiteral("/usr/share/mime/packages");
    if (updater.isEmpty() || !QFileInfo(system).isDir())
        return;
    QVERIFY(QDir().mkpath(m_types.filePath("share/mime/packages")));
    QStringList sources = QDir(system).entryList({"*.xml"}, QDir::Files);
    for (QString &name : sources)
        name = system + u'/' + name;
    sources << installed("share/mime/packages/" + kAppId + ".xml");
    for (const QString &source : sources)
        QVERIFY(QFile::copy(source, m_types.filePath("share/mime/packages/") + QFileInfo(source).fileName()));
    const Result update = run(updater, {m_types.filePath("share/mime")});
    QVERIFY2(update.status == 0, qPrintable(update.err));
    qputenv("XDG_DATA_DIRS", m_types.filePath("share").toUtf8());
    qputenv("XDG_DATA_HOME", m_types.filePath("home").toUtf8());
    m_mergedTypes = true;
}

void TestInstall::filesInPlace()
{
    const Result version = run(installed("bin/kavora"), {"--version"});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out.trimmed(), QStringLiteral("Kavora ") + kavora::kVersionText);

    for (const QString &file : {"share/applications/" + kAppId + ".desktop",
                                "share/metainfo/" + kAppId + ".metainfo.xml",
                                "share/mime/packages/" + kAppId + ".xml",
                                "share/icons/hicolor/scalable/apps/" + kAppId + ".svg",
                                QStringLiteral("share/man/man1/kavora.1")})
        QVERIFY2(QFileInfo(installed(file)).size() > 0, qPrintable(file));
    QVERIFY(text(installed("share/icons/hicolor/scalable/apps/" + kAppId + ".svg"))
                .contains("<svg"));
    // The sample universe, where the installed program looks for it, byte for byte.
    const QDir examples(installed("bin/") + QLatin1String(kavora::kExamplesFromBin));
    QCOMPARE(QDir::cleanPath(examples.path()), QDir::cleanPath(installed("share/kavora/examples")));
    for (const char *name : {"universe.map", "turn41.pla", "turn42.pla"}) {
        const QString copy = text(examples.filePath(QLatin1String(name)));
        QVERIFY2(!copy.isEmpty(), name);
        QCOMPARE(copy, text(QStringLiteral(KAVORA_SAMPLE_DIR "/") + QLatin1String(name)));
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString file =
            installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + kAppId + ".png");
        const QImage icon(file);
        QVERIFY2(!icon.isNull(), qPrintable(file));
        QCOMPARE(icon.size(), QSize(size, size));
    }
}

void TestInstall::desktopEntry()
{
    const QString entry = text(installed("share/applications/" + kAppId + ".desktop"));
    const QStringList lines = entry.split(u'\n');
    QVERIFY(lines.contains("Exec=kavora %F"));
    QVERIFY(lines.contains("Icon=" + kAppId));
    QVERIFY(lines.contains("MimeType=application/x-quelmar-map;application/x-quelmar-report;"));
    const QString categories = lines.filter(QRegularExpression("^Categories=")).value(0);
    QVERIFY(categories.contains("Game;") && categories.contains("Viewer;"));

    const QString metainfo = text(installed("share/metainfo/" + kAppId + ".metainfo.xml"));
    QVERIFY(metainfo.contains("<id>" + kAppId + "</id>"));
    QVERIFY(metainfo.contains("<launchable type=\"desktop-id\">" + kAppId + ".desktop</launchable>"));
    QVERIFY(metainfo.contains(QStringLiteral("<release version=\"%1\"").arg(kavora::kVersionText)));
    QVERIFY(metainfo.contains("<screenshot type=\"default\">"));
}

void TestInstall::validators_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("desktop entry") << "desktop-file-validate"
                                   << QStringList{installed("share/applications/" + kAppId + ".desktop")};
    QTest::newRow("metainfo") << "appstreamcli"
                              << QStringList{"validate", "--no-net",
                                             installed("share/metainfo/" + kAppId + ".metainfo.xml")};
}

void TestInstall::validators()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        QSKIP(qPrintable(tool + " is not installed (Debian: desktop-file-utils, appstream)"));
    const Result result = run(program, arguments);
    QVERIFY2(result.status == 0, qPrintable(result.out + result.err));
    // desktop-file-validate reports errors and warnings with an exit status of 0.
    QVERIFY2(!result.out.contains("error:") && !result.out.contains("warning:"),
             qPrintable(result.out));
}

void TestInstall::fileTypes()
{
    if (!m_mergedTypes)
        QSKIP("update-mime-database is not installed (Debian: shared-mime-info)");
    const QMimeDatabase types;
    QCOMPARE(types.mimeTypeForFile(KAVORA_SAMPLE_DIR "/universe.map").name(),
             QStringLiteral("application/x-quelmar-map"));
    QCOMPARE(types.mimeTypeForFile(KAVORA_SAMPLE_DIR "/turn41.pla").name(),
             QStringLiteral("application/x-quelmar-report"));
    QVERIFY(types.mimeTypeForName("application/x-quelmar-map").inherits("text/plain"));
    // The first line alone tells them, whatever the name.
    QFile map(KAVORA_SAMPLE_DIR "/universe.map"), report(KAVORA_SAMPLE_DIR "/turn42.pla");
    QVERIFY(map.open(QIODevice::ReadOnly) && report.open(QIODevice::ReadOnly));
    QCOMPARE(types.mimeTypeForData(map.read(200)).name(), QStringLiteral("application/x-quelmar-map"));
    QCOMPARE(types.mimeTypeForData(report.read(200)).name(),
             QStringLiteral("application/x-quelmar-report"));

    // Another program's *.pla: its own first line decides, not the extension alone.
    QTemporaryDir dir;
    QFile other(dir.filePath("song.pla"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write(QByteArray("\0\0\0\x10iriver UMS PLA", 18) + QByteArray(100, '\0'));
    other.close();
    QVERIFY(types.mimeTypeForFile(other.fileName()).name() != "application/x-quelmar-report");
}

// What needs the header, and what a desktop that uses GLib (gio) makes of the same files:
// a linker's *.map is not offered to Kavora; a map or report in UTF-16 with a byte-order
// mark, or in UTF-8 with one, is typed as one.
void TestInstall::fileTypesNeedTheHeader()
{
    if (!m_mergedTypes)
        QSKIP("update-mime-database is not installed (Debian: shared-mime-info)");
    QTemporaryDir dir;
    auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
        return file.fileName();
    };
    auto utf16 = [](const QString &text, bool littleEndian) {
        QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        for (QChar c : text) {
            const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
            bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
        }
        return bytes;
    };
    QFile sampleMap(KAVORA_SAMPLE_DIR "/universe.map"),
        sampleReport(KAVORA_SAMPLE_DIR "/turn41.pla");
    QVERIFY(sampleMap.open(QIODevice::ReadOnly) && sampleReport.open(QIODevice::ReadOnly));
    const QString map = QString::fromUtf8(sampleMap.read(400));
    const QString report = QString::fromUtf8(sampleReport.read(400));
    const QString mapType = QStringLiteral("application/x-quelmar-map");
    const QString reportType = QStringLiteral("application/x-quelmar-report");
    const QList<std::pair<QString, QString>> files = {
        {write("linker.map", "Archive member included to satisfy reference by file (symbol)\n\n"
                             "libc.a(printf.o)  main.o (printf)\n"),
         QStringLiteral("text/plain")},
        {write("universe.map", map.toUtf8()), mapType},
        {write("bom.map", "\xEF\xBB\xBF" + map.toUtf8()), mapType},
        {write("le.map", utf16(map, true)), mapType},
        {write("be.map", utf16(map, false)), mapType},
        {write("bom.pla", "\xEF\xBB\xBF" + report.toUtf8()), reportType},
        {write("le.pla", utf16(report, true)), reportType},
        {write("be.pla", utf16(report, false)), reportType},
    };
    const QMimeDatabase types;
    const QString gio = QStandardPaths::findExecutable("gio");
    for (const auto &[file, type] : files) {
        const QString name = QFileInfo(file).fileName();
        QVERIFY2(types.mimeTypeForFile(file).name() == type,
                 qPrintable(name + ": " + types.mimeTypeForFile(file).name()));
        if (gio.isEmpty())
            continue; // Debian: libglib2.0-bin
        const Result guessed = run(gio, {"info", "-a", "standard::content-type", file});
        QVERIFY2(guessed.out.contains("standard::content-type: " + type + u'\n'),
                 qPrintable(name + ": " + guessed.out + guessed.err));
    }
    if (gio.isEmpty())
        QSKIP("gio is not installed (Debian: libglib2.0-bin); Qt's reading alone was checked");
}

void TestInstall::manPageCoversTheCommandLine()
{
    const QString page = text(installed("share/man/man1/kavora.1"));
    QVERIFY(page.startsWith(".TH KAVORA 1"));
    QVERIFY(page.contains("Kavora " + QString::fromLatin1(kavora::kVersionText)));
    // Every option that --help names has its entry, and so does every exit status.
    const Result help = run(installed("bin/kavora"), {"--help"});
    QCOMPARE(help.status, 0);
    const QRegularExpression option("(--[a-z][a-z-]*|-h\\b)");
    int options = 0;
    for (const QRegularExpressionMatch &m : option.globalMatch(help.out)) {
        QString escaped = m.captured(1);
        escaped.replace(u'-', QStringLiteral("\\-"));
        QVERIFY2(page.contains(escaped), qPrintable(m.captured(1) + " is not in kavora(1)"));
        ++options;
    }
    QVERIFY(options >= 8);
    for (const char *status : {".B 0\n", ".B 1\n", ".B 2\n"})
        QVERIFY(page.contains(QLatin1String(status)));

    const QString groff = QStandardPaths::findExecutable("groff");
    if (!groff.isEmpty()) {
        const Result checked = run(groff, {"-man", "-ww", "-z", installed("share/man/man1/kavora.1")});
        QCOMPARE(checked.status, 0);
        QCOMPARE(checked.err, QString());
    }
}

// A package carries the compiled German beside the program, for tools that read it there.
void TestInstall::translationsInstalled()
{
    const QString german = installed("share/kavora/translations/kavora_de.qm");
    QTranslator translator;
    QVERIFY2(translator.load(german), qPrintable(german));
    QCOMPARE(translator.translate("mainform", "&File"), QStringLiteral("&Datei"));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
