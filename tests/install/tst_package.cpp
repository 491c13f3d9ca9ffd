// Builds the Debian package from the build folder as `bash tools/package` does, and checks
// it as Debian would: every file the README's install table names is in it, lintian finds
// no error and only the warnings the README explains, its dependencies were found from the
// binary, and the packaged program runs from an extracted copy.
#include "version.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestPackage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listsTheReadmesFiles();
    void lintianFindsNoError();
    void dependenciesAndControl();
    void packagedProgramRuns();

private:
    QTemporaryDir m_out;
    QString m_deb;
};

namespace {

struct Result {
    int status = -1;
    QString out, err;
};

Result run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    Result result;
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.status = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString readme()
{
    QFile file(QStringLiteral(KAVORA_SOURCE_DIR "/README.md"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The README's section that starts with `heading`, up to the next one of its level.
QString section(const QString &heading)
{
    const QString text = readme();
    const qsizetype start = text.indexOf(u'\n' + heading + u'\n');
    if (start < 0)
        return {};
    const qsizetype end = text.indexOf(QStringLiteral("\n## "), start + heading.size() + 1);
    return text.mid(start, end < 0 ? -1 : end - start);
}

} // namespace

void TestPackage::initTestCase()
{
    for (const char *tool : {"dpkg-deb", "dpkg-shlibdeps", "lintian"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed (Debian: dpkg-dev and lintian, "
                                            "which tools/test installs)")
                                 .arg(QLatin1String(tool))));
    QVERIFY(m_out.isValid());
    const Result pack = run(QStringLiteral(KAVORA_CPACK_COMMAND),
                            {"-G", "DEB", "--config", KAVORA_BUILD_DIR "/CPackConfig.cmake", "-B",
                             m_out.path()});
    QVERIFY2(pack.status == 0, qPrintable(pack.out + pack.err));
    m_deb = m_out.filePath(QStringLiteral("kavora_%1_amd64.deb").arg(kavora::kVersionText));
    QVERIFY2(QFileInfo::exists(m_deb), qPrintable(pack.out));
}

// Each row of the README's package table: a path, or a pattern with "*", below /usr.
void TestPackage::listsTheReadmesFiles()
{
    const Result list = run(QStringLiteral("dpkg-deb"), {"-c", m_deb});
    QCOMPARE(list.status, 0);
    QStringList files;
    for (const QString &line : list.out.split(u'\n', Qt::SkipEmptyParts))
        files << line.section(u' ', -1).mid(1); // "./usr/bin/kavora" -> "/usr/bin/kavora"

    const QString install = section(QStringLiteral("## Install"));
    QVERIFY(!install.isEmpty());
    const QRegularExpression row(QStringLiteral("^\\|[^|]*\\| `(/usr/[^`]+)` \\|$"),
                                 QRegularExpression::MultilineOption);
    int rows = 0;
    for (const QRegularExpressionMatch &m : row.globalMatch(install)) {
        const QRegularExpression path(QRegularExpression::wildcardToRegularExpression(m.captured(1)));
        QVERIFY2(!files.filter(path).isEmpty(), qPrintable(m.captured(1) + " is not in the package"));
        ++rows;
    }
    QVERIFY(rows >= 9);
    // Compressed as Debian wants them; the plain page of `cmake --install` is not there too.
    QVERIFY(files.contains("/usr/share/man/man1/kavora.1.gz"));
    QVERIFY(!files.contains("/usr/share/man/man1/kavora.1"));
}

void TestPackage::lintianFindsNoError()
{
    const Result lint = run(QStringLiteral("lintian"), {"--tag-display-limit", "0", m_deb});
    QVERIFY2(lint.status == 0, qPrintable(lint.out + lint.err));
    const QString install = section(QStringLiteral("## Install"));
    for (const QString &line : lint.out.split(u'\n', Qt::SkipEmptyParts)) {
        QVERIFY2(!line.startsWith(u"E:"), qPrintable(line));
        // "W: kavora: tag-name [where]": every warning left is explained in the README.
        if (line.startsWith(u"W:"))
            QVERIFY2(install.contains(u'`' + line.section(u' ', 2, 2) + u'`'),
                     qPrintable(line + " is not explained in the README"));
    }
}

void TestPackage::dependenciesAndControl()
{
    Result info = run(QStringLiteral("dpkg-deb"), {"-f", m_deb});
    QCOMPARE(info.status, 0);
    info.out.prepend(u'\n'); // every field then starts a line
    QVERIFY(info.out.contains(QStringLiteral("\nVersion: %1\n").arg(kavora::kVersionText)));
    QVERIFY(info.out.contains("\nArchitecture: amd64\n"));
    const QString depends =
        QRegularExpression(QStringLiteral("\nDepends: ([^\n]*)")).match(info.out).captured(1);
    // Found from the binary, with the versions its symbols need.
    for (const char *library : {"libc6 (>=", "libqt6core6 (>=", "libqt6widgets6 (>=", "libqt6svg6 (>="})
        QVERIFY2(depends.contains(QLatin1String(library)), qPrintable(depends));
}

void TestPackage::packagedProgramRuns()
{
    QTemporaryDir root;
    QCOMPARE(run(QStringLiteral("dpkg-deb"), {"-x", m_deb, root.path()}).status, 0);
    const Result version = run(root.filePath("usr/bin/kavora"), {"--version"});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out.trimmed(), QStringLiteral("Kavora ") + kavora::kVersionText);
    // The sample universe it brings opens with it.
    const QString examples = root.filePath("usr/share/kavora/examples/");
    const Result races = run(root.filePath("usr/bin/kavora"),
                             {"--races", examples + "universe.map", examples + "turn41.pla"});
    QCOMPARE(races.status, 0);
    QVERIFY(races.out.count(u'\n') > 5);
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
