// The race legend: for each race in slot order a swatch in its zone colour and hatch, its
// name and, if asked, its planets, population total and starbases. One layout in picture pixels,
// drawn through the Surface anywhere on a picture: beside the chart window's picture (the
// legend strip) or in a corner of the explorer's, there with the change marks under the races.
#pragma once

#include "changemark.h"
#include "records.h"
#include "surface.h"

#include <QLocale>
#include <QPoint>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class ChartTextMetric;

// The change marks a legend explains under the races, headed by what they show.
struct MarkLegend {
    ChangeMarkKinds kinds;
    QString title; // "turn42.pla: changes since turn41.pla"; no line when empty
    // The lines they take: none without a kind.
    int rows() const;
};

class Legend {
public:
    // The first `rows` races (all when negative), laid out for a surface drawn `scale`
    // times larger (text widths depend on it), with a header line "Race Planets Population
    // Starbases" when `totals`; a race's planets are those its name owns in the table. Long
    // names and totals are cut with "…". Under the races, the title of `marks` and a row for
    // each of its kinds: the mark and what it means.
    // Totals are grouped by `numbers` when given (the explorer's window), plain otherwise
    // (pictures that the command line writes).
    Legend(const Globals &globals, bool totals, int scale = 1, int rows = -1,
           const MarkLegend &marks = {}, const std::optional<QLocale> &numbers = std::nullopt);
    ~Legend();
    Legend(const Legend &) = delete;
    Legend &operator=(const Legend &) = delete;

    // As wide as its columns need, as tall as its rows need, margins included.
    QSize size() const { return m_size; }
    int rows() const { return int(m_rows.size()); }
    // The lines of the marks, their title included.
    int markRows() const { return int(m_marks.size()) + (m_marksTitle.isEmpty() ? 0 : 1); }
    // Draws it with its top-left corner at `topLeft`, on a surface whose user units are
    // picture pixels, y down. Leaves the background as it is.
    void draw(Surface &surface, QPoint topLeft) const;

    // How tall a legend of `rows` races and `markRows` lines of marks is, and how many races
    // a height holds beside the marks.
    static int heightFor(int rows, bool totals, int markRows = 0);
    static int rowsFitting(int height, bool totals, int markRows = 0);

private:
    struct Row {
        PackedColor color;
        qint16 style;
        QString name, planets, population, starbases;
    };
    bool m_totals;
    std::unique_ptr<ChartTextMetric> m_metric;
    std::vector<Row> m_rows;
    struct MarkRow {
        ChangeMarkKind kind;
        QString text;
    };
    std::vector<MarkRow> m_marks;
    QString m_marksTitle;
    int m_nameLeft = 0, m_planetsRight = 0, m_populationRight = 0, m_starbasesRight = 0;
    QSize m_size;
};

// The legend's own size in picture pixels.
QSize legendSize(const Globals &globals, bool totals, int scale = 1);

// The legend with totals as a strip beside a picture `beside` pixels high: as tall as that
// picture or as its rows need.
QSize legendStripSize(const Globals &globals, int beside, int scale = 1);

// Draws the legend onto `surface`, a black picture of `picture` pixels (at least
// legendSize()) drawn at `scale`, its corner at the picture's. Sets the surface's scale to
// picture pixels, y down.
void drawLegend(Surface &surface, QSize picture, const Globals &globals, bool totals,
                int scale = 1);
