#include "tables.h"

#include "changelistmodel.h"
#include "conversions.h"
#include "racecolours.h"
#include "runerror.h"

#include <algorithm>
#include <cstring>

namespace {

// The text of a table as UTF-8 in one buffer that grows by doubling: appending a character
// is a capacity test and a store, so no cell makes a string of its own.
class TableText {
public:
    explicit TableText(qsizetype expected) : m_bytes(std::max<qsizetype>(expected, 64), Qt::Uninitialized) {}

    TableText &operator+=(QChar c)
    {
        const char16_t u = c.unicode();
        if (m_high != 0 && !QChar::isLowSurrogate(u))
            flushPending();
        reserve(3);
        char *p = m_bytes.data() + m_used;
        if (u < 0x80) {
            p[0] = char(u);
            m_used += 1;
        } else if (u < 0x800) {
            p[0] = char(0xC0 | (u >> 6));
            p[1] = char(0x80 | (u & 0x3F));
            m_used += 2;
        } else if (!QChar::isSurrogate(u)) {
            p[0] = char(0xE0 | (u >> 12));
            p[1] = char(0x80 | ((u >> 6) & 0x3F));
            p[2] = char(0x80 | (u & 0x3F));
            m_used += 3;
        } else {
            appendSurrogate(u);
        }
        return *this;
    }
    TableText &operator+=(QLatin1StringView text)
    {
        flushPending();
        reserve(text.size());
        std::memcpy(m_bytes.data() + m_used, text.data(), size_t(text.size()));
        m_used += text.size();
        return *this;
    }
    // Text as it stands, no escapes.
    TableText &operator+=(QStringView text)
    {
        for (QChar c : text)
            *this += c;
        return *this;
    }
    TableText &operator+=(const QString &text) { return *this += QStringView(text); }

    QByteArray take()
    {
        flushPending();
        m_bytes.truncate(m_used);
        return std::move(m_bytes);
    }

private:
    void reserve(qsizetype more)
    {
        if (m_used + more > m_bytes.size())
            m_bytes.resize(std::max(m_bytes.size() * 2, m_used + more));
    }
    // A pair of UTF-16 halves makes one 4-byte character; a half without its partner is
    // written as "?", as QString::toUtf8() writes it.
    void appendSurrogate(char16_t u)
    {
        if (QChar::isHighSurrogate(u)) {
            flushPending();
            m_high = u;
            return;
        }
        if (m_high == 0) {
            replacement();
            return;
        }
        const char32_t code = QChar::surrogateToUcs4(m_high, u);
        m_high = 0;
        reserve(4);
        char *p = m_bytes.data() + m_used;
        p[0] = char(0xF0 | (code >> 18));
        p[1] = char(0x80 | ((code >> 12) & 0x3F));
        p[2] = char(0x80 | ((code >> 6) & 0x3F));
        p[3] = char(0x80 | (code & 0x3F));
        m_used += 4;
    }
    void replacement() { *this += QLatin1StringView("?"); }
    void flushPending()
    {
        if (m_high != 0) [[unlikely]] {
            m_high = 0;
            replacement();
        }
    }

    QByteArray m_bytes;
    qsizetype m_used = 0;
    char16_t m_high = 0; // a high half waiting for its low one
};

void appendTsvCell(TableText &out, QStringView text)
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
void appendClipboardCell(TableText &out, QStringView text)
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

void appendCsvCell(TableText &out, QStringView text)
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
void appendLoneCsvCell(TableText &out, QStringView text)
{
    if (text.isEmpty())
        out += QLatin1String("\"\"");
    else
        appendCsvCell(out, text);
}

// True when the UTF-16 half at `i` belongs to a pair.
bool pairedAt(QStringView text, qsizetype i)
{
    if (text[i].isHighSurrogate())
        return i + 1 < text.size() && text[i + 1].isLowSurrogate();
    return i > 0 && text[i - 1].isHighSurrogate();
}

void appendJsonString(TableText &out, QStringView text)
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

void appendJsonCell(TableText &out, QStringView text, TableColumn::Kind kind)
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

// Room for a cell made on the spot: a number or a colour, written as UTF-16 digits.
class CellScratch {
public:
    QStringView number(qint64 value)
    {
        char16_t *end = m_text + kSize;
        char16_t *p = end;
        const bool negative = value < 0;
        quint64 magnitude = negative ? 0 - quint64(value) : quint64(value);
        do {
            *--p = char16_t(u'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (negative)
            *--p = u'-';
        return QStringView(p, end - p);
    }
    // "#RRGGBB", as colorText() writes it.
    QStringView colour(PackedColor color)
    {
        static constexpr char16_t kHex[] = u"0123456789ABCDEF";
        const quint8 parts[] = {quint8(color & 0xFF), quint8((color >> 8) & 0xFF),
                                quint8((color >> 16) & 0xFF)};
        m_text[0] = u'#';
        for (int i = 0; i < 3; ++i) {
            m_text[1 + 2 * i] = kHex[parts[i] >> 4];
            m_text[2 + 2 * i] = kHex[parts[i] & 0xF];
        }
        return QStringView(m_text, 7);
    }
    // Anything else: a string kept until the next cell.
    QStringView text(QString value)
    {
        m_held = std::move(value);
        return m_held;
    }

private:
    static constexpr int kSize = 24;
    char16_t m_text[kSize];
    QString m_held;
};

// A table read cell by cell, wherever its cells are held.
class Rows {
public:
    virtual ~Rows() = default;
    virtual const QList<TableColumn> &columns() const = 0;
    virtual qsizetype rowCount() const = 0;
    // The cell's text, valid until the next call with the same scratch.
    virtual QStringView cell(qsizetype row, qsizetype column, CellScratch &scratch) const = 0;
    // About how many bytes a row takes in the text formats, to size the buffer.
    virtual qsizetype rowBytes() const { return 8 * columns().size(); }
};

class TableRows : public Rows {
public:
    explicit TableRows(const Table &table) : m_table(table) {}
    const QList<TableColumn> &columns() const override { return m_table.columns; }
    qsizetype rowCount() const override { return m_table.rowCount(); }
    QStringView cell(qsizetype row, qsizetype column, CellScratch &) const override
    {
        return m_table.cells[size_t(row * m_table.columns.size() + column)];
    }

private:
    const Table &m_table;
};

QString total(const std::optional<double> &value)
{
    return value ? conv::plainNumber(*value) : QString();
}

const QList<TableColumn> &planetColumns()
{
    using K = TableColumn::Kind;
    static const QList<TableColumn> columns = {
        {"index", K::Number},      {"name", K::Text},         {"x", K::Number},
        {"y", K::Number},          {"owner", K::OptionalText}, {"starbase", K::OptionalText},
        {"report_age", K::Number}, {"population", K::Number}, {"color", K::Colour},
        {"style", K::Number},      {"marker", K::Text},       {"note", K::Text}};
    return columns;
}

// Every planet in table order, its cells read from the record.
class PlanetRows : public Rows {
public:
    explicit PlanetRows(const Globals &globals)
        : m_table(globals.Star_Table), m_notes(globals.notes)
    {
    }
    const QList<TableColumn> &columns() const override { return planetColumns(); }
    qsizetype rowCount() const override { return qsizetype(m_table.size()); }
    qsizetype rowBytes() const override { return 56; }
    QStringView cell(qsizetype row, qsizetype column, CellScratch &scratch) const override
    {
        const Star_Object &s = m_table[size_t(row)];
        switch (column) {
        case 0: return scratch.number(row);
        case 1: return s.Star_Name;
        case 2: return s.Star_X;
        case 3: return s.Star_Y;
        case 4: return s.Owner;
        case 5: return s.Starbase;
        case 6: return s.report_age;
        case 7: return s.population;
        case 8: return s.color ? scratch.colour(*s.color) : QStringView();
        case 9: return s.Style ? scratch.number(*s.Style) : QStringView();
        case 10: {
            const PlanetNote *note = noteOf(row);
            return note ? scratch.text(markerName(note->marker)) : QStringView();
        }
        default: {
            const PlanetNote *note = noteOf(row);
            return note ? QStringView(note->text) : QStringView();
        }
        }
    }

private:
    // The marker and note cells of a row come one after the other: one lookup for both.
    const PlanetNote *noteOf(qsizetype row) const
    {
        if (row != m_noteRow) {
            m_noteRow = row;
            m_note = m_notes.find(m_table[size_t(row)]);
        }
        return m_note;
    }

    const Star_Table_Type &m_table;
    const NotesStore &m_notes;
    mutable qsizetype m_noteRow = -1;
    mutable const PlanetNote *m_note = nullptr;
};

const QList<TableColumn> &raceColumns()
{
    using K = TableColumn::Kind;
    static const QList<TableColumn> columns = {
        {"slot", K::Number},  {"name", K::Text},          {"color", K::Colour},
        {"style", K::Number}, {"population", K::Number}, {"starbases", K::Number}};
    return columns;
}

// The races up to the last used slot.
class RaceRows : public Rows {
public:
    explicit RaceRows(const Globals &globals) : m_globals(globals) {}
    const QList<TableColumn> &columns() const override { return raceColumns(); }
    qsizetype rowCount() const override { return std::max(m_globals.Last_Player_Index + 1, 0); }
    QStringView cell(qsizetype row, qsizetype column, CellScratch &scratch) const override
    {
        const Player_Object &p = m_globals.Player_Table[size_t(row)];
        switch (column) {
        case 0: return scratch.number(row);
        case 1: return p.Player_Name;
        case 2: return scratch.colour(p.Player_Color);
        case 3: return scratch.number(p.Player_Style);
        case 4: return scratch.text(total(p.Player_Population));
        default: return scratch.text(total(p.Player_Starbases));
        }
    }

private:
    const Globals &m_globals;
};

template <typename AppendCell>
QByteArray separated(const Rows &rows, QChar separator, QLatin1StringView lineEnd,
                     AppendCell appendCell)
{
    const QList<TableColumn> &columns = rows.columns();
    const qsizetype count = columns.size();
    TableText out(rows.rowCount() * rows.rowBytes() + 64);
    CellScratch scratch;
    for (qsizetype c = 0; c < count; ++c) {
        if (c)
            out += separator;
        appendCell(out, columns[c].name);
    }
    out += lineEnd;
    const qsizetype last = count - 1;
    for (qsizetype row = 0; row < rows.rowCount(); ++row) {
        for (qsizetype c = 0; c < count; ++c) {
            appendCell(out, rows.cell(row, c, scratch));
            if (c != last)
                out += separator;
        }
        out += lineEnd;
    }
    return out.take();
}

QByteArray json(const Rows &rows)
{
    const QList<TableColumn> &columns = rows.columns();
    const qsizetype count = columns.size();
    TableText out(rows.rowCount() * (rows.rowBytes() * 2 + 16 * count) + 16);
    CellScratch scratch;
    // Each key is the same in every row: written once, copied after.
    QList<QByteArray> keys;
    for (const TableColumn &column : columns) {
        TableText key(column.name.size() + 8);
        appendJsonString(key, column.name);
        key += u':';
        keys.append(key.take());
    }
    out += u'[';
    for (qsizetype row = 0; row < rows.rowCount(); ++row) {
        out += row ? QLatin1String(",\n{") : QLatin1String("\n{");
        for (qsizetype c = 0; c < count; ++c) {
            if (c)
                out += u',';
            out += QLatin1StringView(keys[c]);
            appendJsonCell(out, rows.cell(row, c, scratch), columns[c].kind);
        }
        out += u'}';
    }
    out += QLatin1String("\n]\n");
    return out.take();
}

QByteArray format(const Rows &rows, TableFormat format)
{
    if (rows.columns().isEmpty())
        return format == TableFormat::Json ? QByteArray("[\n]\n") : QByteArray();
    switch (format) {
    case TableFormat::Tsv:
        return separated(rows, u'\t', QLatin1StringView("\n"), appendTsvCell);
    case TableFormat::Csv:
        // In a table of one column an empty cell is quoted, or its line would read as none.
        return rows.columns().size() == 1
                   ? separated(rows, u',', QLatin1StringView("\r\n"), appendLoneCsvCell)
                   : separated(rows, u',', QLatin1StringView("\r\n"), appendCsvCell);
    case TableFormat::Json:
        break;
    }
    return json(rows);
}

Table tableOf(const Rows &rows)
{
    Table table;
    table.columns = rows.columns();
    const qsizetype count = table.columns.size();
    table.cells.reserve(size_t(rows.rowCount() * count));
    CellScratch scratch;
    for (qsizetype row = 0; row < rows.rowCount(); ++row)
        for (qsizetype c = 0; c < count; ++c)
            table.cells.push_back(rows.cell(row, c, scratch).toString());
    return table;
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
    return table.columns.isEmpty()
               ? QString()
               : QString::fromUtf8(separated(TableRows(table), u'\t', QLatin1StringView("\n"),
                                             appendClipboardCell));
}

QString formatTable(const Table &table, TableFormat format)
{
    return QString::fromUtf8(::format(TableRows(table), format));
}

Table planetTable(const Globals &globals)
{
    return tableOf(PlanetRows(globals));
}

Table planetTable(const Globals &globals, const std::vector<NearPlanet> &near)
{
    const PlanetRows rows(globals);
    Table table;
    table.columns = rows.columns();
    table.columns.append({QStringLiteral("distance"), TableColumn::Number});
    table.cells.reserve(near.size() * size_t(table.columns.size()));
    CellScratch scratch;
    for (const NearPlanet &planet : near) {
        for (qsizetype c = 0; c + 1 < table.columns.size(); ++c)
            table.cells.push_back(rows.cell(planet.index, c, scratch).toString());
        table.cells.push_back(distanceText(planet.distance));
    }
    return table;
}

Table raceTable(const Globals &globals)
{
    return tableOf(RaceRows(globals));
}

QByteArray planetTableBytes(const Globals &globals, TableFormat format)
{
    return ::format(PlanetRows(globals), format);
}

QByteArray raceTableBytes(const Globals &globals, TableFormat format)
{
    return ::format(RaceRows(globals), format);
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
