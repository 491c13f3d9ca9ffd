#include "baseline.h"

#include "conversions.h"
#include "dumpfile.h"
#include "itemreader.h"
#include "literalsort.h"
#include "palette.h"
#include "population.h"
#include "quicksort.h"
#include "runerror.h"

#include <QHash>

#include <cmath>

#include <QPainter>

namespace baseline {

namespace {

constexpr int kWidth = 537;
constexpr int kHeight = 441;

// ReDim Preserve: a fresh array one slot longer, the old references copied over.
void growByOne(GrownTable &table)
{
    GrownTable grown;
    grown.reserve(table.size() + 1);
    for (std::unique_ptr<Star_Object> &star : table)
        grown.push_back(std::move(star));
    grown.emplace_back();
    table.swap(grown);
}

double numericValue(QStringView text)
{
    return conv::leadingNumber(text);
}

} // namespace

MapRead readMap(const QString &path, const StatusFn &status)
{
    const QString text = readDumpFile(path);
    ItemReader reader(text);
    MapRead map;
    reader.next();
    int k = 0;
    QString caption;
    while (!reader.atEnd()) {
        const QStringView item = reader.next();
        growByOne(map.stars);
        qsizetype tabs[3];
        if (findTabs(item, tabs, 3) < 3)
            throw RunError(RunError::InvalidCall).at(path, reader.line());
        const QStringView x = item.sliced(tabs[0] + 1, tabs[1] - tabs[0] - 1);
        const QStringView y = item.sliced(tabs[1] + 1, tabs[2] - tabs[1] - 1);
        std::unique_ptr<Star_Object> &slot = map.stars[k];
        if (!slot)
            slot = std::make_unique<Star_Object>();
        slot->Star_Name = item.sliced(tabs[2] + 1).toString();
        slot->Star_X = x.toString();
        slot->Star_Y = y.toString();
        slot->color = kWhite;
        caption = QString::number(k) + u':' + slot->Star_Name;
        if (status)
            status(caption);
        const double yValue = conv::strictNumber(slot->Star_Y);
        const double xValue = conv::strictNumber(slot->Star_X);
        if (k == 0 || yValue > map.maxY)
            map.maxY = yValue;
        if (k == 0 || xValue > map.maxX)
            map.maxX = conv::toInt16(xValue);
        k = conv::checkedInt16(k + 1);
    }
    if (status)
        status(path);
    return map;
}

void mergeReport(Globals &globals, const QString &path, const StatusFn &status)
{
    const QString text = readDumpFile(path);
    ItemReader reader(text);
    Star_Table_Type &stars = globals.Star_Table;
    for (int n = 0; !reader.atEnd(); ++n) {
        const QStringView s = reader.next();
        if (s.isEmpty() || n == 0)
            continue;
        qsizetype t[5];
        if (findTabs(s, t, 5) < 5)
            throw RunError(RunError::InvalidCall).at(path, reader.line());
        const QStringView name = s.first(t[0]);
        const QStringView owner = s.sliced(t[0] + 1, t[1] - t[0] - 1);
        const QStringView starbase = s.sliced(t[1] + 1, t[2] - t[1] - 1);
        const QStringView age = s.sliced(t[2] + 1, t[3] - t[2] - 1);
        const QStringView population = s.sliced(t[3] + 1, t[4] - t[3] - 1);
        if (!owner.isEmpty()) {
            Star_Object *planet = nullptr;
            for (int i = 0; i <= globals.Last_Star_Index; ++i) {
                if (stars[i].Star_Name == name) {
                    planet = &stars[i];
                    break;
                }
            }
            if (planet) {
                const bool grown = planet->population.isEmpty() ? !population.isEmpty()
                                                                : numericValue(planet->population) <
                                                                      numericValue(population);
                int j = 0;
                while (j < kPlayerSlots && globals.Player_Table[j].Player_Name != owner)
                    ++j;
                if (j < kPlayerSlots) {
                    Player_Object &race = globals.Player_Table[j];
                    planet->color = race.Player_Color;
                    planet->Style = race.Player_Style;
                    if (grown)
                        race.Player_Population =
                            race.Player_Population.value_or(0) + numericValue(population);
                    if (!starbase.isEmpty() && planet->Starbase.isEmpty())
                        race.Player_Starbases = race.Player_Starbases.value_or(0) + 1;
                } else {
                    const int m = globals.Last_Player_Index + 1;
                    if (m >= kPlayerSlots)
                        throw RunError(RunError::SubscriptOutOfRange).at(path, reader.line());
                    globals.Last_Player_Index = qint16(m);
                    Player_Object &race = globals.Player_Table[m];
                    race.Player_Name = owner.toString();
                    planet->color = race.Player_Color;
                    planet->Style = race.Player_Style;
                    race.Player_Population =
                        race.Player_Population.value_or(0) + numericValue(population);
                    if (!starbase.isEmpty())
                        race.Player_Starbases = race.Player_Starbases.value_or(0) + 1;
                }
                planet->Owner = owner.toString();
                if (grown)
                    planet->population = population.toString();
                planet->report_age = age.toString();
                planet->Starbase = starbase.toString();
            }
        }
        if (status)
            status(QStringLiteral("Processing number ") + QString::number(n));
    }
    if (status)
        status(QStringLiteral("Sorting..."));
    if (!stars.empty())
        literalQuickSortRange(stars, 0, int(stars.size()) - 1);
    if (status)
        status(QStringLiteral("Done!"));
}

void mergeWithoutHistory(Globals &globals, const QString &path, const StatusFn &status)
{
    const QString text = readDumpFile(path);
    ItemReader reader(text);
    QHash<QStringView, int> planets;
    planets.reserve(qsizetype(globals.Star_Table.size()));
    for (int k = int(globals.Star_Table.size()) - 1; k >= 0; --k)
        planets.insert(globals.Star_Table[size_t(k)].Star_Name, k);
    auto slotOf = [&](QStringView name) {
        for (int slot = 0; slot < kPlayerSlots; ++slot)
            if (globals.Player_Table[slot].Player_Name == name)
                return slot;
        return -1;
    };
    auto plus = [](const std::optional<double> &total, double amount) {
        const double sum = total.value_or(0) + amount;
        if (!std::isfinite(sum))
            throw RunError(RunError::Overflow);
        return sum;
    };
    const QString prefix = QStringLiteral("Processing number ");
    QString caption = prefix;
    for (int n = 0; !reader.atEnd(); ++n) {
        const QStringView item = reader.next();
        if (item.isEmpty() || n == 0)
            continue;
        qsizetype t[5];
        if (findTabs(item, t, 5) < 5)
            throw RunError(RunError::InvalidCall).at(path, reader.line());
        const QStringView owner = item.sliced(t[0] + 1, t[1] - t[0] - 1);
        const QStringView starbase = item.sliced(t[1] + 1, t[2] - t[1] - 1);
        const QStringView age = item.sliced(t[2] + 1, t[3] - t[2] - 1);
        const QStringView population = item.sliced(t[3] + 1, t[4] - t[3] - 1);
        const int k = owner.isEmpty() ? -1 : planets.value(item.first(t[0]), -1);
        if (k >= 0) {
            Star_Object &planet = globals.Star_Table[size_t(k)];
            const double reported = populationValue(population);
            if (std::isinf(reported))
                throw RunError(RunError::Overflow).at(path, reader.line());
            const bool grown = planet.population.isEmpty()
                                   ? !population.isEmpty()
                                   : populationValue(planet.population) < reported;
            int slot = slotOf(owner);
            const bool known = slot >= 0;
            if (!known) {
                slot = globals.Last_Player_Index + 1;
                if (slot >= kPlayerSlots)
                    throw RunError(RunError::SubscriptOutOfRange).at(path, reader.line());
                globals.Last_Player_Index = qint16(slot);
                globals.Player_Table[slot].Player_Name = owner.toString();
            }
            Player_Object &race = globals.Player_Table[slot];
            planet.color = race.Player_Color;
            planet.Style = race.Player_Style;
            if (grown || !known)
                race.Player_Population = plus(race.Player_Population, reported);
            if (!starbase.isEmpty() && (planet.Starbase.isEmpty() || !known))
                race.Player_Starbases = plus(race.Player_Starbases, 1);
            planet.Owner = owner.toString();
            if (grown)
                planet.population = population.toString();
            planet.report_age = age.toString();
            planet.Starbase = starbase.toString();
        }
        if (status) {
            caption.truncate(prefix.size());
            caption += QString::number(n);
            status(caption);
        }
    }
    if (status)
        status(QStringLiteral("Sorting..."));
    QuickSort(globals.Star_Table);
    if (status)
        status(QStringLiteral("Done!"));
}

PainterSurface::PainterSurface()
    : m_image(kWidth, kHeight, QImage::Format_RGB32), m_font(QStringLiteral("DejaVu Sans"))
{
    m_font.setPixelSize(10);
    m_font.setStyleStrategy(QFont::NoAntialias);
    m_image.fill(Qt::black);
}

void PainterSurface::Cls()
{
    m_image.fill(rgbFromPacked(m_backColor));
    m_currentX = m_currentY = 0;
}

void PainterSurface::BackColor(PackedColor color)
{
    m_backColor = color;
    m_image.fill(rgbFromPacked(color));
}

void PainterSurface::Scale(double x1, double y1, double x2, double y2)
{
    checkScaleWindow(x1, y1, x2, y2);
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
}

QPointF PainterSurface::device(double x, double y) const
{
    return {userToDevice(x, m_x1, m_x2, kWidth), userToDevice(y, m_y1, m_y2, kHeight)};
}

void PainterSurface::Line(double x, double y, double w, double h)
{
    static constexpr Qt::BrushStyle kPatterns[] = {
        Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
        Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
    };
    QPainter painter(&m_image);
    painter.setPen(m_drawStyle == DrawInvisible ? QPen(Qt::NoPen) : QPen(Qt::white, m_drawWidth));
    const Qt::BrushStyle pattern =
        m_fillStyle >= 0 && m_fillStyle <= 7 ? kPatterns[m_fillStyle] : Qt::NoBrush;
    painter.setBrush(QBrush(QColor::fromRgb(rgbFromPacked(m_fillColor)), pattern));
    painter.drawRect(QRectF(device(x, y), device(x + w, y + h)).normalized());
}

void PainterSurface::PSet(double x, double y, PackedColor color)
{
    const QPointF p = device(x, y);
    const QPoint pixel(int(std::floor(p.x())), int(std::floor(p.y())));
    if (m_image.rect().contains(pixel))
        m_image.setPixel(pixel, rgbFromPacked(color));
    m_currentX = x;
    m_currentY = y;
}

void PainterSurface::Print(const QString &text)
{
    const QPointF corner = device(m_currentX, m_currentY);
    QPainter painter(&m_image);
    painter.setFont(m_font);
    painter.setPen(Qt::white);
    const QFontMetrics metrics(m_font);
    painter.drawText(corner + QPointF(0, metrics.ascent()), text);
    m_currentX = m_x1;
    m_currentY += metrics.height() * (m_y2 - m_y1) / kHeight;
}

} // namespace baseline
