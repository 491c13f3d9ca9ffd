// The planet and race tables as other programs read them: tab-separated text (the command
// line's own form, and what a spreadsheet takes from the clipboard), RFC 4180 CSV, and JSON.
// One table value feeds every format, so the three always carry the same columns.
#pragma once

#include "loadhistory.h"
#include "records.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

enum class TableFormat { Tsv, Csv, Json };

// "tsv", "csv" or "json"; nullopt for anything else.
std::optional<TableFormat> tableFormatNamed(QStringView name);

struct TableColumn {
    // How JSON writes a cell; the text formats write every cell as its text. An empty
    // Number, Colour or OptionalText cell is null (no owner, no starbase); a Number cell is
    // printed from its own digits when JSON writes numbers so, else read as a number, and
    // one that is not a number in full stays text, so nothing read is lost.
    enum Kind { Text, OptionalText, Number, Colour };
    QString name;
    Kind kind = Text;
};

// Cells are held row by row as text, as the planet table holds its values.
struct Table {
    QList<TableColumn> columns;
    std::vector<QString> cells;

    qsizetype rowCount() const { return columns.isEmpty() ? 0 : qsizetype(cells.size()) / columns.size(); }
    void addRow(std::initializer_list<QString> row) { cells.insert(cells.end(), row); }
};

// Tab-separated, a header line first; a tab, a line end (LF or CR) or a backslash inside a
// cell is written \t, \n, \r or \\ so every line keeps its columns.
// CSV: a header line, each line ended by CR LF; a cell holding a comma, a quote or a line
// end is quoted, with its quotes doubled.
// JSON: one array of objects, one per row, keyed by the column names.
QString formatTable(const Table &table, TableFormat format);

// Tab-separated for a spreadsheet's paste, a header line first: every cell as it is, but a
// tab or a line end inside one made a space.
QString clipboardText(const Table &table);

// The tables of --planets and --races: every planet in table order; the races up to the
// last used slot.
Table planetTable(const Globals &globals);
Table raceTable(const Globals &globals);
// The table of --changes: each report's changes, numbered by step from 1 in the order the
// reports were merged.
Table changeTable(const Globals &globals, const LoadHistory &history);

// The planet and race tables written straight from the records as UTF-8, byte for byte
// what formatTable() of planetTable() and raceTable() gives: each cell is read where the
// record holds it and written into one growing buffer, so a table of 32,767 planets costs
// a few milliseconds rather than a string per cell.
QByteArray planetTableBytes(const Globals &globals, TableFormat format);
QByteArray raceTableBytes(const Globals &globals, TableFormat format);
