// Small files made by the tests themselves, in a temporary folder that lives as long as
// the object.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TestFiles {
public:
    // Writes `bytes` to a file called `name` and returns its full path.
    QString write(const QString &name, const QByteArray &bytes);
    QString path(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// A map dump with a header and one line per planet: "n\tx\ty\tname".
struct MapLine {
    QString x, y, name;
};
QByteArray mapText(const QList<MapLine> &planets);

// A planet report with a header and one line per entry:
// "planet\towner\tstarbase\tage\tpopulation\t".
struct ReportLine {
    QString planet, owner, starbase, age, population;
};
QByteArray reportText(const QList<ReportLine> &lines);

// The folder of checked-in test data (tests/data).
QString testDataPath(const QString &name);
