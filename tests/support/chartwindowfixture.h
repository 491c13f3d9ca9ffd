// A chart window in a workspace of its own, shown, active and drawn once at the map's middle.
#pragma once

#include "chartpicture.h"
#include "records.h"
#include "scripteddialog.h"
#include "starmap.h"
#include "testfiles.h"

#include <QMdiArea>

#include <functional>
#include <optional>

struct ChartWindowFixture {
    // The planets come from a map file of its own, opened the way the Open command does,
    // with the zoom list at `zoomStep`. `showRaceColours` stands in for the race colours
    // window.
    explicit ChartWindowFixture(const QList<MapLine> &planets, qint16 zoomStep = 0,
                                std::function<void()> showRaceColours = {});
    // A universe made in memory, without a map file, drawn at `zoom`.
    ChartWindowFixture(Globals universe, std::optional<double> zoom);

    // The child widget called `name`; a missing one ends the run, as no test can go on.
    template <typename T = QWidget> T *control(const char *name) const
    {
        auto *widget = window->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    ChartPicture *chart() const { return control<ChartPicture>("Starchart"); }

    TestFiles files;
    Globals g;
    ScriptedDialog dialog;
    QMdiArea area;
    starmap *window = nullptr;

private:
    void show(std::function<void()> showRaceColours);
};
