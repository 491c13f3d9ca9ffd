// Any bytes as the settings file: every reader takes what it can, entry by entry, and what
// it hands on keeps its promises: at most eight recent maps, none empty or twice, a window
// place that fits the screen and the minimum, folders that exist, kept colours with a name
// and a known style. A change made on top of any file is written and read back.
#include "keptcolours.h"
#include "palette.h"
#include "recentfiles.h"
#include "rememberedfolders.h"
#include "settings.h"
#include "windowplacement.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

class NoDialog : public CommonDialog {
public:
    std::optional<QString> ShowOpen(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QString> ShowSave(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<PackedColor> ShowColor(PackedColor) override { return std::nullopt; }
    void message(const QString &) override {}
};

void checkRecent(const RecentFiles &recent)
{
    check(recent.entries().size() <= RecentFiles::kMaxEntries);
    QSet<QString> maps;
    for (const RecentEntry &entry : recent.entries()) {
        check(!entry.map.isEmpty() && !maps.contains(entry.map));
        maps.insert(entry.map);
        for (const QString &report : entry.reports)
            check(!report.isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // In memory where there is a memory file system: each change is written with fsync.
    static QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isDir()
                                    ? QStringLiteral("/dev/shm/kavora-fuzz-XXXXXX")
                                    : QString());
    static qint64 run = 0;
    const QString path = folder.filePath(QStringLiteral("kavora.ini"));
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
        // QSettings keeps the file it read, and reads it again only when its size or time
        // changed: a time of its own for each input.
        file.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + ++run, Qt::UTC),
                         QFileDevice::FileModificationTime);
    }
    const RecentEntry put{QStringLiteral("/maps/fuzz.map"), {QStringLiteral("/maps/t1.pla")}};
    {
        Settings settings(path);
        RecentFiles recent(&settings);
        checkRecent(recent);

        const QRect screen(0, 0, 1920, 1080);
        const QSize minimum(320, 240);
        if (const auto place = restorablePlace(settings.rect("window/geometry"), {screen}, minimum))
            check(screen.contains(*place) && place->width() >= minimum.width() &&
                  place->height() >= minimum.height());
        settings.flag(QStringLiteral("window/maximized"), false);

        NoDialog none;
        RememberedFolders folders(none, settings);
        for (const char *title :
             {"Open Quelmar Map File", "Open Quelmar Player File", "Save Map as Bitmap"}) {
            const QString remembered = folders.folder(QLatin1String(title));
            check(remembered.isEmpty() || QFileInfo(remembered).isDir());
        }

        const KeptColours kept = keptColours(settings);
        for (auto it = kept.cbegin(); it != kept.cend(); ++it)
            check(!it.key().isEmpty() && it->style >= FillSolid && it->style <= FillDiagonalCross &&
                  it->color <= 0xFFFFFF);

        recent.put(put);
        checkRecent(recent);
        check(recent.entries().first() == put);
        Globals globals;
        Initialize_Colors(globals);
        globals.Player_Table[0].Player_Name = QStringLiteral("Fuzz [race], \\ \"x\"");
        globals.Player_Table[0].Player_Color = 0x123456;
        globals.Last_Player_Index = 0;
        keepColours(settings, globals);
    }
    Settings again(path);
    const RecentFiles recent(&again);
    checkRecent(recent);
    check(!recent.entries().isEmpty() && recent.entries().first() == put);
    const KeptColours kept = keptColours(again);
    check(kept.value(QStringLiteral("Fuzz [race], \\ \"x\"")).color == 0x123456);
    return 0;
}
