#include "sampleuniverse.h"

#include "version.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char *const kMap = "universe.map";
const char *const kReports[] = {"turn41.pla", "turn42.pla"};

} // namespace

QStringList sampleFolders(const QString &programFolder)
{
    return {QDir::cleanPath(programFolder + u'/' + QLatin1String(kavora::kExamplesFromBin)),
            QString::fromUtf8(kavora::kSourceExamples)};
}

std::optional<SampleUniverse> findSampleUniverse(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QDir dir(folder);
        SampleUniverse sample{dir.absoluteFilePath(QLatin1String(kMap)), {}};
        bool complete = QFileInfo(sample.map).isFile();
        for (const char *report : kReports) {
            sample.reports << dir.absoluteFilePath(QLatin1String(report));
            complete = complete && QFileInfo(sample.reports.last()).isFile();
        }
        if (complete)
            return sample;
    }
    return std::nullopt;
}
