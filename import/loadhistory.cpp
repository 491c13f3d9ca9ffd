#include "loadhistory.h"

#include <numeric>

namespace {

std::vector<qint16> inOrder(size_t size)
{
    std::vector<qint16> places(size);
    std::iota(places.begin(), places.end(), qint16(0));
    return places;
}

} // namespace

void LoadHistory::add(const QString &path, const ReportTally &tally, ReportStep step)
{
    const TableOrder order = step.order();
    if (mapPlaces.size() != order.size())
        mapPlaces = inOrder(order.size());
    step.renumber(mapPlaces);
    std::vector<qint16> sorted(order.size());
    for (size_t p = 0; p < order.size(); ++p)
        sorted[p] = mapPlaces[size_t(order[p])];
    mapPlaces = std::move(sorted);
    reports.append({path, tally, std::move(step)});
}

bool LoadHistory::undoLast(Globals &globals)
{
    if (reports.isEmpty())
        return false;
    ReportStep &step = reports.last().step;
    const TableOrder order = step.order();
    if (mapPlaces.size() != order.size())
        mapPlaces = inOrder(order.size());
    std::vector<qint16> before(order.size());
    for (size_t p = 0; p < order.size(); ++p)
        before[size_t(order[p])] = mapPlaces[p];
    std::vector<qint16> positionBefore(order.size());
    for (size_t p = 0; p < before.size(); ++p)
        positionBefore[size_t(before[p])] = qint16(p);
    step.renumber(positionBefore);
    step.revert(globals);
    mapPlaces = std::move(before);
    reports.removeLast();
    return true;
}

std::vector<int> LoadHistory::positions() const
{
    std::vector<int> at(mapPlaces.empty() ? size_t(std::max(planets, 0)) : mapPlaces.size());
    if (mapPlaces.empty()) {
        std::iota(at.begin(), at.end(), 0);
        return at;
    }
    for (size_t p = 0; p < mapPlaces.size(); ++p)
        at[size_t(mapPlaces[p])] = int(p);
    return at;
}
