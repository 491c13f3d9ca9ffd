#include "chartwindowfixture.h"

#include "mapreader.h"

#include <QTest>

ChartWindowFixture::ChartWindowFixture(const QList<MapLine> &planets, qint16 zoomStep,
                                       std::function<void()> showRaceColours)
{
    g.applyStartupValues();
    g.Zoom_Step = zoomStep;
    g.Map_File_Name = files.write("test.map", mapText(planets));
    Open_Map_File(g);
    show(std::move(showRaceColours));
    window->display_map(g.View_Zoom, 0, 0);
}

ChartWindowFixture::ChartWindowFixture(Globals universe, std::optional<double> zoom)
    : g(std::move(universe))
{
    show({});
    window->display_map(zoom, 0, 0);
}

// Waits for the workspace to be active: the tests' keys go only to the active window.
void ChartWindowFixture::show(std::function<void()> showRaceColours)
{
    window = new starmap(g, dialog, std::move(showRaceColours));
    area.addSubWindow(window);
    area.resize(900, 600);
    area.show();
    window->show();
    area.activateWindow();
    if (!QTest::qWaitForWindowActive(&area))
        qFatal("the workspace did not show");
}
