// Any bytes as a table: the first byte gives the number of columns, the next ones their
// kinds, the rest the names and cells (NUL-separated pieces, each decoded as a dump is).
// Each of the three formats, written as UTF-8, must read back to the same cells with a
// strict reader that does what Python's would: universal line ends for TSV, the csv
// module (strict) for CSV, json.loads without NaN or Infinity for JSON.
#include "conversions.h"
#include "dumpfile.h"
#include "runerror.h"
#include "tables.h"

#include <QStringDecoder>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The text, or nullopt for bytes that are not valid UTF-8.
std::optional<QString> strictUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Lines end at LF, CR or CR LF; the last one too. Cells split at tabs; \t \n \r \\ are
// the only escapes.
QList<QStringList> readTsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\t') {
            row << cell;
            cell.clear();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            row << cell;
            cell.clear();
            rows << row;
            row.clear();
        } else if (c == u'\\') {
            check(i + 1 < text.size());
            const QChar next = text[++i];
            if (next == u't')
                cell += u'\t';
            else if (next == u'n')
                cell += u'\n';
            else if (next == u'r')
                cell += u'\r';
            else if (next == u'\\')
                cell += u'\\';
            else
                std::abort();
        } else {
            cell += c;
        }
    }
    check(row.isEmpty() && cell.isEmpty()); // the last line is ended
    return rows;
}

// Python's csv.reader(strict=True) on a file opened with newline="", state by state: a
// quote opens a quoted field only at its start, a doubled quote inside is one, after the
// closing quote only a comma or a line end may follow, and an empty line is a record of no
// fields. Every record must be ended, as the writer promises.
QList<QStringList> readCsv(const QString &text)
{
    enum State { StartRecord, StartField, InField, InQuoted, QuoteInQuoted };
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    State state = StartRecord;
    auto endRecord = [&](bool withField) {
        if (withField)
            row << cell;
        rows << row;
        row.clear();
        cell.clear();
        state = StartRecord;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool lineEnd = c == u'\r' || c == u'\n';
        if (lineEnd && state != InQuoted && c == u'\r' && i + 1 < text.size() &&
            text[i + 1] == u'\n')
            ++i; // CR LF is one line end
        switch (state) {
        case StartRecord:
            if (lineEnd) {
                endRecord(false);
                break;
            }
            state = StartField;
            [[fallthrough]];
        case StartField:
            if (lineEnd) {
                endRecord(true);
            } else if (c == u'"') {
                state = InQuoted;
            } else if (c == u',') {
                row << cell;
                cell.clear();
            } else {
                cell += c;
                state = InField;
            }
            break;
        case InField:
            if (lineEnd) {
                endRecord(true);
            } else if (c == u',') {
                row << cell;
                cell.clear();
                state = StartField;
            } else {
                cell += c;
            }
            break;
        case InQuoted:
            if (c == u'"')
                state = QuoteInQuoted;
            else
                cell += c;
            break;
        case QuoteInQuoted:
            if (c == u'"') {
                cell += c;
                state = InQuoted;
            } else if (c == u',') {
                row << cell;
                cell.clear();
                state = StartField;
            } else if (lineEnd) {
                endRecord(true);
            } else {
                std::abort(); // strict: '"' followed by something else
            }
            break;
        }
    }
    check(state == StartRecord); // the last record is ended
    return rows;
}

// A strict JSON reader for what the tables write: an array of objects whose values are
// strings, numbers (kept as their text) or null.
struct JsonValue {
    enum Kind { Null, String, Number } kind = Null;
    QString text;
};

class JsonReader {
public:
    explicit JsonReader(const QString &text) : m_text(text) {}

    QList<QList<std::pair<QString, JsonValue>>> rows()
    {
        QList<QList<std::pair<QString, JsonValue>>> rows;
        expect(u'[');
        if (!take(u']')) {
            do {
                QList<std::pair<QString, JsonValue>> row;
                expect(u'{');
                if (!take(u'}')) {
                    do {
                        space();
                        const QString key = string();
                        expect(u':');
                        row.append({key, value()});
                    } while (take(u','));
                    expect(u'}');
                }
                rows << row;
            } while (take(u','));
            expect(u']');
        }
        space();
        check(m_at == m_text.size());
        return rows;
    }

private:
    void space()
    {
        while (m_at < m_text.size() && (m_text[m_at] == u' ' || m_text[m_at] == u'\n' ||
                                        m_text[m_at] == u'\r' || m_text[m_at] == u'\t'))
            ++m_at;
    }
    bool take(QChar c)
    {
        space();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    void expect(QChar c) { check(take(c)); }
    QChar next()
    {
        check(m_at < m_text.size());
        return m_text[m_at++];
    }
    uint hex4()
    {
        uint value = 0;
        for (int i = 0; i < 4; ++i) {
            const QChar c = next();
            const int digit = QStringLiteral("0123456789abcdef").indexOf(c.toLower());
            check(digit >= 0);
            value = value * 16 + uint(digit);
        }
        return value;
    }
    QString string()
    {
        check(next() == u'"');
        QString out;
        for (;;) {
            const QChar c = next();
            if (c == u'"')
                return out;
            check(c.unicode() >= 0x20); // json.loads(strict=True) refuses raw control characters
            if (c != u'\\') {
                out += c;
                continue;
            }
            const QChar e = next();
            switch (e.unicode()) {
            case u'"':
                out += u'"';
                break;
            case u'\\':
                out += u'\\';
                break;
            case u'/':
                out += u'/';
                break;
            case u'b':
                out += u'\b';
                break;
            case u'f':
                out += u'\f';
                break;
            case u'n':
                out += u'\n';
                break;
            case u'r':
                out += u'\r';
                break;
            case u't':
                out += u'\t';
                break;
            case u'u': // halves of a pair come one by one and pair up as UTF-16 does
                out += QChar(char16_t(hex4()));
                break;
            default:
                std::abort();
            }
        }
    }
    JsonValue value()
    {
        space();
        check(m_at < m_text.size());
        if (m_text[m_at] == u'"')
            return {JsonValue::String, string()};
        if (m_text.mid(m_at, 4) == u"null") {
            m_at += 4;
            return {};
        }
        // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
        const qsizetype start = m_at;
        auto digits = [&] {
            const qsizetype from = m_at;
            while (m_at < m_text.size() && m_text[m_at].isDigit() && m_text[m_at].unicode() < 128)
                ++m_at;
            return m_at - from;
        };
        if (m_at < m_text.size() && m_text[m_at] == u'-')
            ++m_at;
        if (m_at < m_text.size() && m_text[m_at] == u'0')
            ++m_at;
        else
            check(digits() > 0);
        if (m_at < m_text.size() && m_text[m_at] == u'.') {
            ++m_at;
            check(digits() > 0);
        }
        if (m_at < m_text.size() && (m_text[m_at] == u'e' || m_text[m_at] == u'E')) {
            ++m_at;
            if (m_at < m_text.size() && (m_text[m_at] == u'+' || m_text[m_at] == u'-'))
                ++m_at;
            check(digits() > 0);
        }
        return {JsonValue::Number, m_text.mid(start, m_at - start)};
    }

    const QString &m_text;
    qsizetype m_at = 0;
};

double numberOf(const QString &literal)
{
    return std::strtod(literal.toStdString().c_str(), nullptr);
}

// What JSON must hold for a cell of this kind.
void checkJsonCell(const JsonValue &value, const QString &cell, TableColumn::Kind kind)
{
    if (kind != TableColumn::Text && cell.isEmpty()) {
        check(value.kind == JsonValue::Null);
        return;
    }
    if (kind == TableColumn::Number) {
        std::optional<double> number;
        try {
            number = conv::strictNumber(cell);
        } catch (const RunError &) {
        }
        if (value.kind == JsonValue::Number) {
            // Its own digits, or the number it reads as, exactly.
            check(value.text == cell || (number && numberOf(value.text) == *number));
            return;
        }
        check(!number); // a number in full is never left as text
    }
    check(value.kind == JsonValue::String && value.text == cell);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int columns = 1 + data[0] % 12;
    size_t at = 1;
    Table table;
    for (int c = 0; c < columns; ++c) {
        const uint8_t kind = at < size ? data[at++] : 0;
        table.columns.append({QString(), TableColumn::Kind(kind % 4)});
    }
    QList<QByteArray> pieces(1);
    for (; at < size; ++at) {
        if (data[at] == 0)
            pieces.append(QByteArray());
        else
            pieces.back() += char(data[at]);
    }
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString text = decodeDump(pieces[i]);
        if (i < columns)
            table.columns[i].name = text;
        else
            table.cells.push_back(text);
    }
    table.cells.resize(size_t(table.rowCount() * columns));

    auto rowsOf = [&] {
        QList<QStringList> rows(1);
        for (const TableColumn &column : table.columns)
            rows[0] << column.name;
        for (size_t i = 0; i < table.cells.size(); ++i) {
            if (i % size_t(columns) == 0)
                rows.append(QStringList());
            rows.back() << table.cells[i];
        }
        return rows;
    };
    // A lone UTF-16 half has no UTF-8 form: only JSON, which escapes it, can carry one.
    bool unpaired = false;
    for (const QStringList &row : rowsOf())
        for (const QString &cell : row)
            unpaired = unpaired || QString::fromUtf8(cell.toUtf8()) != cell;

    const std::optional<QString> tsv = strictUtf8(formatTable(table, TableFormat::Tsv).toUtf8());
    const std::optional<QString> csv = strictUtf8(formatTable(table, TableFormat::Csv).toUtf8());
    const std::optional<QString> json = strictUtf8(formatTable(table, TableFormat::Json).toUtf8());
    check(tsv && csv && json);
    if (!unpaired) {
        check(readTsv(*tsv) == rowsOf());
        check(readCsv(*csv) == rowsOf());
    }
    const auto objects = JsonReader(*json).rows();
    check(objects.size() == table.rowCount());
    for (qsizetype r = 0; r < objects.size(); ++r) {
        check(objects[r].size() == columns);
        for (int c = 0; c < columns; ++c) {
            check(objects[r][c].first == table.columns[c].name);
            checkJsonCell(objects[r][c].second, table.cells[size_t(r * columns + c)],
                          table.columns[c].kind);
        }
    }
    return 0;
}
