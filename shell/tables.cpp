#include "tables.h"

#include "changelistmodel.h"
#include "conversions.h"
#include "racecolours.h"
#include "runerror.h"

namespace {

void appendTsvCell(QString &out, const QString &text)
{
    for (QChar c : text) {
        if (c == u'\\')
            out += QLatin1String("\\\\");
        else if (c == u'\t')
            out += QLatin1String("\\t");
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else if (c == u'\r') // most readers end a line at a lone CR too
            out += QLatin1String("\\r");
        else
            out += c;
    }
}

// For a spreadsheet: the text as it is, only a tab or a line end, which would split the
// cell, made a space.
void appendClipboardCell(QString &out, const QString &text)
{
    for (QChar c : text)
        out += c == u'\t' || c == u'\n' || c == u'\r' ? QChar(u' ') : c;
}

// A number as JSON writes one: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool isJsonNumber(QStringView text)
{
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype start = i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        return i - start;
    };
    if (i < text.size() && text[i] == u'-')
        ++i;
    if (i < text.size() && text[i] == u'0')
        ++i;
    else if (digits() == 0)
        return false;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        if (digits() == 0)
            return false;
    }
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == text.size();
}

void appendCsvCell(QString &out, const QString &text)
{
    const bool quoted = text.contains(u',') || text.contains(u'"') || text.contains(u'\n') ||
                        text.contains(u'\r');
    if (!quoted) {
        out += text;
        return;
    }
    out += u'"';
    for (QChar c : text) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

// In a table of one column an empty cell is quoted, or its line would read as no record.
void appendLoneCsvCell(QString &out, const QString &text)
{
    if (text.isEmpty())
        out += QLatin1String("\"\"");
    else
        appendCsvCell(out, text);
}

// True when the UTF-16 half at `i` belongs to a pair.
bool pairedAt(const QString &text, qsizetype i)
{
    if (text[i].isHighSurrogate())
        return i + 1 < text.size() && text[i + 1].isLowSurrogate();
    return i > 0 && text[i - 1].isHighSurrogate();
}

void appendJsonString(QString &out, const QString &text)
{
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'"': out += QLatin1String("\\\""); break;
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        default:
            // A lone half of a UTF-16 pair has no UTF-8 form: escaped, it reads back intact.
            if (c.unicode() < 0x20 || (c.isSurrogate() && !pairedAt(text, i)))
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
}

void appendJsonCell(QString &out, const QString &text, TableColumn::Kind kind)
{
    if (kind != TableColumn::Text && text.isEmpty()) {
        out += QLatin1String("null");
        return;
    }
    if (kind == TableColumn::Number) {
        // A number written as JSON writes one is printed from its own digits, however many.
        if (isJsonNumber(text)) {
            out += text;
            return;
        }
        try {
            out += conv::plainNumber(conv::strictNumber(text));
            return;
        } catch (const RunError &) {
            // Not a number in full: kept as text below.
        }
    }
    appendJsonString(out, text);
}

template <typename AppendCell>
QString separated(const Table &table, QChar separator, QStringView lineEnd, AppendCell appendCell)
{
    QString out;
    out.reserve(qsizetype(table.cells.size()) * 8 + 64);
    const qsizetype columns = table.columns.size();
    for (qsizetype c = 0; c < columns; ++c) {
        if (c)
            out += separator;
        appendCell(out, table.columns[c].name);
    }
    out += lineEnd;
    for (size_t i = 0; i < table.cells.size(); ++i) {
        appendCell(out, table.cells[i]);
        out += qsizetype(i % columns) == columns - 1 ? lineEnd : QStringView(&separator, 1);
    }
    return out;
}

QString json(const Table &table)
{
    QString out;
    out.reserve(qsizetype(table.cells.size()) * 16 + 16);
    out += u'[';
    const qsizetype columns = table.columns.size();
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        out += row ? QLatin1String(",\n{") : QLatin1String("\n{");
        for (qsizetype c = 0; c < columns; ++c) {
            if (c)
                out += u',';
            appendJsonString(out, table.columns[c].name);
            out += u':';
            appendJsonCell(out, table.cells[size_t(row * columns + c)], table.columns[c].kind);
        }
        out += u'}';
    }
    out += QLatin1String("\n]\n");
    return out;
}

QString total(const std::optional<double> &value)
{
    return value ? conv::plainNumber(*value) : QString();
}

} // namespace

std::optional<TableFormat> tableFormatNamed(QStringView name)
{
    if (name == u"tsv")
        return TableFormat::Tsv;
    if (name == u"csv")
        return TableFormat::Csv;
    if (name == u"json")
        return TableFormat::Json;
    return std::nullopt;
}

QString clipboardText(const Table &table)
{
    return table.columns.isEmpty() ? QString()
                                   : separated(table, u'\t', u"\n", appendClipboardCell);
}

QString formatTable(const Table &table, TableFormat format)
{
    if (table.columns.isEmpty())
        return format == TableFormat::Json ? QStringLiteral("[\n]\n") : QString();
    switch (format) {
    case TableFormat::Tsv:
        return separated(table, u'\t', u"\n", appendTsvCell);
    case TableFormat::Csv:
        return table.columns.size() == 1 ? separated(table, u',', u"\r\n", appendLoneCsvCell)
                                         : separated(table, u',', u"\r\n", appendCsvCell);
    case TableFormat::Json:
        break;
    }
    return json(table);
}

Table planetTable(const Globals &globals)
{
    using K = TableColumn::Kind;
    Table table;
    table.columns = {{"index", K::Number},       {"name", K::Text},
                     {"x", K::Number},           {"y", K::Number},
                     {"owner", K::OptionalText}, {"starbase", K::OptionalText},
                     {"report_age", K::Number},  {"population", K::Number},
                     {"color", K::Colour},       {"style", K::Number}};
    table.cells.reserve(globals.Star_Table.size() * size_t(table.columns.size()));
    for (size_t i = 0; i < globals.Star_Table.size(); ++i) {
        const Star_Object &s = globals.Star_Table[i];
        table.addRow({QString::number(i), s.Star_Name, s.Star_X, s.Star_Y, s.Owner, s.Starbase,
                      s.report_age, s.population, s.color ? colorText(*s.color) : QString(),
                      s.Style ? QString::number(*s.Style) : QString()});
    }
    return table;
}

Table raceTable(const Globals &globals)
{
    using K = TableColumn::Kind;
    Table table;
    table.columns = {{"slot", K::Number},  {"name", K::Text},       {"color", K::Colour},
                     {"style", K::Number}, {"population", K::Number}, {"starbases", K::Number}};
    for (int slot = 0; slot <= globals.Last_Player_Index; ++slot) {
        const Player_Object &p = globals.Player_Table[slot];
        table.addRow({QString::number(slot), p.Player_Name, colorText(p.Player_Color),
                      QString::number(p.Player_Style), total(p.Player_Population),
                      total(p.Player_Starbases)});
    }
    return table;
}

Table changeTable(const Globals &globals, const LoadHistory &history)
{
    using K = TableColumn::Kind;
    Table table;
    table.columns = {{"step", K::Number},
                     {"planet", K::Text},
                     {"x", K::Number},
                     {"y", K::Number},
                     {"kind", K::Text},
                     {"race_before", K::Text},
                     {"race_after", K::Text},
                     {"population_before", K::Number},
                     {"population_after", K::Number},
                     {"difference", K::Number}};
    for (int step = 0; step < history.reports.size(); ++step) {
        const QString number = QString::number(step + 1);
        for (const ListedChange &row : listedChanges(history, step)) {
            const Star_Object &s = globals.Star_Table[size_t(row.position)];
            const ReportStep::PlanetChange &c = row.change;
            table.addRow({number, s.Star_Name, s.Star_X, s.Star_Y,
                          changeKindText(c, {}, Wording::English), c.ownerBefore.toString(),
                          c.ownerAfter.toString(), c.populationBefore.toString(),
                          c.populationAfter.toString(), differenceText(c)});
        }
    }
    return table;
}
