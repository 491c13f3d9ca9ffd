#include "testfiles.h"

#include <QFile>

QString TestFiles::write(const QString &name, const QByteArray &bytes)
{
    const QString file = m_dir.filePath(name);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(file));
    return file;
}

QByteArray mapText(const QList<MapLine> &planets)
{
    QByteArray text = "Planet\tX\tY\tName\n";
    int number = 1;
    for (const MapLine &p : planets)
        text += QStringLiteral("%1\t%2\t%3\t%4\n").arg(number++).arg(p.x, p.y, p.name).toUtf8();
    return text;
}

QByteArray reportText(const QList<ReportLine> &lines)
{
    QByteArray text = "Planet\tOwner\tStarbase\tAge\tPopulation\tNotes\n";
    for (const ReportLine &l : lines)
        text += QStringList{l.planet, l.owner, l.starbase, l.age, l.population, QString()}
                    .join(u'\t')
                    .toUtf8() +
                '\n';
    return text;
}

QString testDataPath(const QString &name)
{
    return qEnvironmentVariable("KAVORA_TEST_DATA") + u'/' + name;
}
