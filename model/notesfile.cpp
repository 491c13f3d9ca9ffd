#include "notesfile.h"

#include "conversions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// The file's messages in the user's language, under one name for the translators.
struct NotesFile {
    Q_DECLARE_TR_FUNCTIONS(NotesFile)
};

// Far more than 32,767 planets with long notes; a larger file is not ours.
constexpr qint64 kLargestFile = qint64(256) << 20;
// Lists in lists this deep are no notes file, and deeper ones must not exhaust the stack.
constexpr int kDeepest = 64;

RunError formatError(const QString &detail, const QString &fileName, int line = 0)
{
    RunError error(RunError::InvalidFileFormat, detail);
    error.at(fileName, line);
    return error;
}

// The JSON syntax error that ends reading: what was wrong, and on which line.
struct SyntaxError {
    QString what;
    int line;
};

// A JSON reader for the notes file alone: it takes any valid JSON, keeps what a notes file
// says and skips the rest, and knows the line of every error and every planet's entry. A
// general document reader builds a tree of values first, which costs a notes file of
// 32,767 planets several times as much.
class NotesJson {
public:
    NotesJson(QByteArrayView bytes) : m_at(bytes.data()), m_end(bytes.data() + bytes.size())
    {
        if (bytes.startsWith("\xEF\xBB\xBF")) // a byte order mark some editors write
            m_at += 3;
    }

    struct Entry {
        NoteKey key;
        PlanetNote note;
    };
    struct Top {
        std::optional<double> version;
        bool planetsSeen = false;
        bool planetsList = false;
        std::vector<Entry> entries;
        int entriesSeen = 0;
        int bad = 0;
        int firstBad = 0;
        int firstBadLine = 0;
        bool object = false;
    };

    Top read()
    {
        Top top;
        space();
        if (peek() != '{') {
            value(0);
            space();
            if (m_at != m_end)
                fail(NotesFile::tr("text after the end"));
            return top;
        }
        top.object = true;
        ++m_at;
        space();
        if (take('}'))
            return finish(top);
        for (;;) {
            space();
            const QByteArray key = memberName();
            space();
            expect(':');
            space();
            if (key == "version") {
                top.version = peek() == '-' || isDigit(peek()) ? std::optional(number()) : std::nullopt;
                if (!top.version)
                    value(1);
            } else if (key == "planets") {
                top.planetsSeen = true;
                top.planetsList = peek() == '[';
                if (top.planetsList)
                    planets(top);
                else
                    value(1);
            } else {
                value(1);
            }
            space();
            if (take('}'))
                return finish(top);
            expect(',');
        }
    }

private:
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    char peek() const { return m_at < m_end ? *m_at : '\0'; }
    bool take(char c)
    {
        if (peek() != c)
            return false;
        ++m_at;
        return true;
    }
    [[noreturn]] void fail(const QString &what) const { throw SyntaxError{what, m_line}; }
    void expect(char c)
    {
        if (!take(c))
            fail(m_at == m_end ? NotesFile::tr("the text ends too soon")
                               : NotesFile::tr("\"%1\" expected").arg(QLatin1Char(c)));
    }
    void space()
    {
        while (m_at < m_end) {
            const char c = *m_at;
            if (c == '\n')
                ++m_line;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
            ++m_at;
        }
    }

    Top finish(Top &top)
    {
        space();
        if (m_at != m_end)
            fail(NotesFile::tr("text after the end"));
        return std::move(top);
    }

    void planets(Top &top)
    {
        expect('[');
        space();
        if (take(']'))
            return;
        for (;;) {
            space();
            ++top.entriesSeen;
            const int line = m_line;
            std::optional<Entry> entry = peek() == '{' ? planet() : (value(1), std::nullopt);
            if (entry) {
                top.entries.push_back(std::move(*entry));
            } else if (top.bad++ == 0) {
                top.firstBad = top.entriesSeen;
                top.firstBadLine = line;
            }
            space();
            if (take(']'))
                return;
            expect(',');
        }
    }

    // One planet's entry; nullopt when it lacks a name or a place, or a field holds what it
    // cannot.
    std::optional<Entry> planet()
    {
        expect('{');
        std::optional<QString> name;
        std::optional<double> x, y;
        std::optional<Marker> marker = Marker::None;
        bool noteRead = true;
        QString note;
        space();
        if (!take('}')) {
            for (;;) {
                space();
                const QByteArray key = memberName();
                space();
                expect(':');
                space();
                const char next = peek();
                const bool isNumber = next == '-' || isDigit(next);
                if (key == "name") {
                    name = next == '"' ? std::optional(string()) : (value(2), std::nullopt);
                } else if (key == "x" || key == "y") {
                    std::optional<double> coordinate =
                        isNumber ? std::optional(number()) : (value(2), std::nullopt);
                    if (coordinate && !std::isfinite(*coordinate))
                        coordinate.reset();
                    (key == "x" ? x : y) = coordinate;
                } else if (key == "marker") {
                    if (next == '"')
                        marker = markerNamed(string());
                    else
                        marker = literal("null") ? std::optional(Marker::None) : (value(2), std::nullopt);
                } else if (key == "note") {
                    if (next == '"')
                        note = string();
                    else
                        noteRead = literal("null") || (value(2), false);
                } else {
                    value(2);
                }
                space();
                if (take('}'))
                    break;
                expect(',');
            }
        }
        if (!name || !x || !y || !marker || !noteRead)
            return std::nullopt;
        return Entry{{*name, *x, *y}, {*marker, note}};
    }

    // The name of an object's member as UTF-8. The names a notes file uses are short and
    // plain, so they are taken as they stand, without a text to decode for each.
    QByteArray memberName()
    {
        if (peek() == '"') {
            const char *start = m_at + 1;
            const char *at = start;
            while (at < m_end && at - start < 16 && *at != '"' && *at != '\\' && uchar(*at) >= 0x20)
                ++at;
            if (at < m_end && *at == '"') {
                m_at = at + 1;
                return QByteArray::fromRawData(start, at - start);
            }
        }
        return string().toUtf8();
    }

    bool literal(const char *word)
    {
        const qsizetype length = qsizetype(std::strlen(word));
        if (m_end - m_at < length || std::memcmp(m_at, word, size_t(length)) != 0)
            return false;
        m_at += length;
        return true;
    }

    // Any value, read only to be passed over; `depth` lists and objects deep already.
    void value(int depth)
    {
        if (depth > kDeepest)
            fail(NotesFile::tr("nested too deeply"));
        const char c = peek();
        if (c == '"') {
            string();
        } else if (c == '-' || isDigit(c)) {
            number();
        } else if (c == '{' || c == '[') {
            const char close = c == '{' ? '}' : ']';
            ++m_at;
            space();
            if (take(close))
                return;
            for (;;) {
                space();
                if (c == '{') {
                    string();
                    space();
                    expect(':');
                    space();
                }
                value(depth + 1);
                space();
                if (take(close))
                    return;
                expect(',');
            }
        } else if (!literal("true") && !literal("false") && !literal("null")) {
            fail(m_at == m_end ? NotesFile::tr("the text ends too soon")
                               : NotesFile::tr("a value expected"));
        }
    }

    // A JSON number, checked against the grammar (no leading zeros, no lone sign or point).
    double number()
    {
        const char *start = m_at;
        take('-');
        if (!take('0')) {
            if (!isDigit(peek()))
                fail(NotesFile::tr("a number expected"));
            while (isDigit(peek()))
                ++m_at;
        }
        if (take('.')) {
            if (!isDigit(peek()))
                fail(NotesFile::tr("digits expected after the point"));
            while (isDigit(peek()))
                ++m_at;
        }
        if (take('e') || take('E')) {
            if (!take('+'))
                take('-');
            if (!isDigit(peek()))
                fail(NotesFile::tr("digits expected in the exponent"));
            while (isDigit(peek()))
                ++m_at;
        }
        double number = 0;
        const auto [end, error] = std::from_chars(start, m_at, number);
        if (error == std::errc::result_out_of_range) // 1e999: no place a planet can have
            return std::strtod(std::string(start, m_at).c_str(), nullptr);
        if (error != std::errc() || end != m_at)
            fail(NotesFile::tr("a number expected"));
        return number;
    }

    int hexDigit()
    {
        const char c = peek();
        ++m_at;
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        fail(NotesFile::tr("four hexadecimal digits expected after \\u"));
    }

    // A text in quotes; runs of plain UTF-8 are decoded at once, escapes one by one.
    QString string()
    {
        expect('"');
        QString text;
        for (;;) {
            const char *run = m_at;
            while (m_at < m_end && *m_at != '"' && *m_at != '\\' && uchar(*m_at) >= 0x20)
                ++m_at;
            if (m_at != run)
                text += QString::fromUtf8(run, m_at - run);
            if (m_at == m_end)
                fail(NotesFile::tr("a text without its closing quote"));
            const char c = *m_at++;
            if (c == '"')
                return text;
            if (c != '\\')
                fail(NotesFile::tr("a line end or control character inside a text"));
            const char escape = peek();
            ++m_at;
            switch (escape) {
            case '"': text += u'"'; break;
            case '\\': text += u'\\'; break;
            case '/': text += u'/'; break;
            case 'b': text += u'\b'; break;
            case 'f': text += u'\f'; break;
            case 'n': text += u'\n'; break;
            case 'r': text += u'\r'; break;
            case 't': text += u'\t'; break;
            case 'u': {
                int unit = 0;
                for (int i = 0; i < 4; ++i)
                    unit = unit * 16 + hexDigit();
                text += QChar(char16_t(unit));
                break;
            }
            default:
                --m_at;
                fail(NotesFile::tr("an unknown escape in a text"));
            }
        }
    }

    const char *m_at;
    const char *m_end;
    int m_line = 1;
};

// Written as the reader takes it back: UTF-8 with the JSON escapes; a surrogate without its
// partner has no UTF-8 form, so it is written as an escape and reads back as it was.
void appendString(QByteArray &out, const QString &text)
{
    out += '"';
    bool lone = false;
    for (qsizetype i = 0; i < text.size() && !lone; ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else
            lone = text[i].isSurrogate();
    }
    auto escape = [&out](uchar c) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04x", c);
            out += hex;
        }
        }
    };
    if (!lone) {
        const QByteArray utf8 = text.toUtf8();
        const char *run = utf8.constData();
        const char *end = run + utf8.size();
        for (const char *at = run; at != end; ++at) {
            const uchar c = uchar(*at);
            if (c >= 0x20 && c != '"' && c != '\\')
                continue;
            out.append(run, at - run);
            escape(c);
            run = at + 1;
        }
        out.append(run, end - run);
    } else {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.isSurrogate()) {
                const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
                if (pair) {
                    out += QStringView(text).mid(i, 2).toUtf8();
                    ++i;
                } else {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "\\u%04x", c.unicode());
                    out += hex;
                }
            } else if (c.unicode() < 0x80) {
                const uchar b = uchar(c.unicode());
                if (b >= 0x20 && b != '"' && b != '\\')
                    out += char(b);
                else
                    escape(b);
            } else {
                out += QStringView(&c, 1).toUtf8();
            }
        }
    }
    out += '"';
}

void appendNumber(QByteArray &out, double value)
{
    if (value == std::trunc(value) && std::abs(value) < 1e15) {
        char digits[24];
        const auto [end, error] = std::to_chars(digits, digits + sizeof digits, qint64(value));
        out.append(digits, end - digits);
        return;
    }
    out += conv::plainNumber(value).toLatin1();
}

RunError fileError(int number, const QString &detail, const QString &path)
{
    RunError error(number, detail);
    error.at(path, 0);
    return error;
}

int errorNumber(QFileDevice::FileError error)
{
    return error == QFileDevice::PermissionsError ? RunError::PermissionDenied
                                                  : RunError::PathFileAccess;
}

} // namespace

QString notesPathFor(const QString &mapPath)
{
    const QFileInfo map(mapPath);
    const QString base = map.suffix().isEmpty() ? map.fileName() : map.completeBaseName();
    return map.dir().filePath(base + QStringLiteral(".notes.json"));
}

NotesRead parseNotes(QByteArrayView bytes, const QString &fileName)
{
    NotesRead read;
    NotesJson::Top top;
    try {
        top = NotesJson(bytes).read();
    } catch (const SyntaxError &error) {
        read.problem = formatError(NotesFile::tr("not a notes file (%1)").arg(error.what), fileName,
                                   error.line);
        return read;
    }
    if (!top.object || !top.version) {
        read.problem = formatError(NotesFile::tr("not a notes file (no version)"), fileName);
        return read;
    }
    if (*top.version != kNotesVersion) {
        read.problem =
            formatError(NotesFile::tr("notes of version %1, which this Kavora does not know")
                            .arg(conv::plainNumber(*top.version)),
                        fileName);
        return read;
    }
    if (top.planetsSeen && !top.planetsList) {
        read.problem = formatError(NotesFile::tr("\"planets\" is not a list"), fileName);
        return read;
    }
    // A planet named twice keeps what the later entry says.
    std::vector<std::pair<NoteKey, PlanetNote>> entries;
    entries.reserve(top.entries.size());
    for (NotesJson::Entry &entry : top.entries)
        entries.emplace_back(std::move(entry.key), std::move(entry.note));
    read.notes.assign(std::move(entries));
    if (top.bad > 0)
        read.problem = formatError(
            NotesFile::tr("%1 of %2 planet entries could not be read, the first is entry %3")
                .arg(top.bad)
                .arg(top.entriesSeen)
                .arg(top.firstBad),
            fileName, top.firstBadLine);
    return read;
}

QByteArray notesJson(const NotesStore &notes)
{
    QByteArray out;
    out.reserve(64 + qsizetype(notes.size()) * 96);
    out += "{\n  \"version\": " + QByteArray::number(kNotesVersion) + ",\n  \"planets\": [";
    bool first = true;
    for (const auto &[key, note] : notes.entries()) {
        out += first ? "\n    {\"name\": " : ",\n    {\"name\": ";
        first = false;
        appendString(out, key.name);
        out += ", \"x\": ";
        appendNumber(out, key.x);
        out += ", \"y\": ";
        appendNumber(out, key.y);
        out += ", \"marker\": ";
        appendString(out, markerName(note.marker));
        out += ", \"note\": ";
        appendString(out, note.text);
        out += '}';
    }
    out += first ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

NotesRead readNotesFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    NotesRead read;
    if (!file.open(QIODevice::ReadOnly)) {
        read.problem =
            fileError(errorNumber(file.error()), NotesFile::tr("the notes cannot be read"), path);
        return read;
    }
    if (file.size() > kLargestFile) {
        read.problem = formatError(NotesFile::tr("too large for a notes file"), path);
        return read;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        read.problem =
            fileError(errorNumber(file.error()), NotesFile::tr("the notes cannot be read"), path);
        return read;
    }
    return parseNotes(bytes, path);
}

void writeNotesFile(const QString &path, const NotesStore &notes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw fileError(errorNumber(file.error()), NotesFile::tr("the notes cannot be saved"),
                        path);
    file.write(notesJson(notes));
    if (!file.commit())
        throw fileError(errorNumber(file.error()), NotesFile::tr("the notes cannot be saved"),
                        path);
}

void backUpNotesFile(const QString &path)
{
    QFile original(path);
    if (!original.exists())
        return;
    const QString copy = path + QStringLiteral(".bak");
    if (!original.open(QIODevice::ReadOnly))
        throw fileError(errorNumber(original.error()), NotesFile::tr("the notes cannot be copied"),
                        copy);
    const QByteArray bytes = original.readAll();
    QSaveFile backup(copy);
    if (!backup.open(QIODevice::WriteOnly) || backup.write(bytes) != bytes.size() || !backup.commit())
        throw fileError(errorNumber(backup.error()), NotesFile::tr("the notes cannot be copied"),
                        copy);
}
