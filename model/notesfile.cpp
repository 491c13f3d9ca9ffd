#include "notesfile.h"

#include "conversions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

// Far more than 32,767 planets with long notes; a larger file is not ours.
constexpr qint64 kLargestFile = qint64(256) << 20;

RunError formatError(const QString &detail, const QString &fileName, int line = 0)
{
    RunError error(RunError::InvalidFileFormat, detail);
    error.at(fileName, line);
    return error;
}

int lineAt(QByteArrayView bytes, qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, bytes.size());
    return 1 + int(std::count(bytes.begin(), bytes.begin() + offset, '\n'));
}

std::optional<double> place(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    return std::isfinite(number) ? std::optional(number) : std::nullopt;
}

void appendString(QString &out, const QString &text)
{
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A surrogate without its partner has no UTF-8 form: it is written as an escape, so
        // it reads back as it was.
        if (c.isSurrogate()) {
            const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            if (pair) {
                out += c;
                out += text[++i];
            } else {
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            }
            continue;
        }
        switch (c.unicode()) {
        case u'"': out += QLatin1String("\\\""); break;
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
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
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.toByteArray(), &parsed);
    if (parsed.error != QJsonParseError::NoError) {
        read.problem = formatError(QStringLiteral("not a notes file (%1)").arg(parsed.errorString()),
                                   fileName, lineAt(bytes, parsed.offset));
        return read;
    }
    const QJsonObject top = document.object();
    const QJsonValue version = top.value(QLatin1String("version"));
    if (!document.isObject() || !version.isDouble()) {
        read.problem = formatError(QStringLiteral("not a notes file (no version)"), fileName);
        return read;
    }
    if (version.toDouble() != kNotesVersion) {
        read.problem = formatError(
            QStringLiteral("notes of version %1, which this Kavora does not know")
                .arg(conv::plainNumber(version.toDouble())),
            fileName);
        return read;
    }
    const QJsonValue planets = top.value(QLatin1String("planets"));
    if (!planets.isArray()) {
        if (!planets.isUndefined())
            read.problem = formatError(QStringLiteral("\"planets\" is not a list"), fileName);
        return read;
    }
    int bad = 0;
    int firstBad = 0;
    int entry = 0;
    for (const QJsonValue &value : planets.toArray()) {
        ++entry;
        const QJsonObject planet = value.toObject();
        const QJsonValue name = planet.value(QLatin1String("name"));
        const std::optional<double> x = place(planet.value(QLatin1String("x")));
        const std::optional<double> y = place(planet.value(QLatin1String("y")));
        const QJsonValue marker = planet.value(QLatin1String("marker"));
        const QJsonValue note = planet.value(QLatin1String("note"));
        std::optional<Marker> known = marker.isUndefined() || marker.isNull()
                                          ? std::optional(Marker::None)
                                          : std::nullopt;
        if (marker.isString())
            known = markerNamed(marker.toString());
        const bool noteRead = note.isUndefined() || note.isNull() || note.isString();
        if (!value.isObject() || !name.isString() || !x || !y || !known || !noteRead) {
            if (bad++ == 0)
                firstBad = entry;
            continue;
        }
        read.notes.set({name.toString(), *x, *y}, {*known, note.toString()});
    }
    if (bad > 0)
        read.problem = formatError(
            QStringLiteral("%1 of %2 planet entries could not be read, the first is entry %3")
                .arg(bad)
                .arg(entry)
                .arg(firstBad),
            fileName);
    return read;
}

QByteArray notesJson(const NotesStore &notes)
{
    QString out;
    out.reserve(64 + notes.size() * 96);
    out += QStringLiteral("{\n  \"version\": %1,\n  \"planets\": [").arg(kNotesVersion);
    bool first = true;
    for (const auto &[key, note] : notes.entries()) {
        out += first ? QLatin1String("\n    {\"name\": ") : QLatin1String(",\n    {\"name\": ");
        first = false;
        appendString(out, key.name);
        out += QLatin1String(", \"x\": ") + conv::plainNumber(key.x);
        out += QLatin1String(", \"y\": ") + conv::plainNumber(key.y);
        out += QLatin1String(", \"marker\": ");
        appendString(out, markerName(note.marker));
        out += QLatin1String(", \"note\": ");
        appendString(out, note.text);
        out += u'}';
    }
    out += QLatin1String(first ? "]\n}\n" : "\n  ]\n}\n");
    return out.toUtf8();
}

NotesRead readNotesFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    NotesRead read;
    if (!file.open(QIODevice::ReadOnly)) {
        read.problem = fileError(errorNumber(file.error()), QStringLiteral("the notes cannot be read"), path);
        return read;
    }
    if (file.size() > kLargestFile) {
        read.problem = formatError(QStringLiteral("too large for a notes file"), path);
        return read;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        read.problem = fileError(errorNumber(file.error()), QStringLiteral("the notes cannot be read"), path);
        return read;
    }
    return parseNotes(bytes, path);
}

void writeNotesFile(const QString &path, const NotesStore &notes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw fileError(errorNumber(file.error()), QStringLiteral("the notes cannot be saved"), path);
    file.write(notesJson(notes));
    if (!file.commit())
        throw fileError(errorNumber(file.error()), QStringLiteral("the notes cannot be saved"), path);
}

void backUpNotesFile(const QString &path)
{
    QFile original(path);
    if (!original.exists())
        return;
    const QString copy = path + QStringLiteral(".bak");
    if (!original.open(QIODevice::ReadOnly))
        throw fileError(errorNumber(original.error()), QStringLiteral("the notes cannot be copied"), copy);
    const QByteArray bytes = original.readAll();
    QSaveFile backup(copy);
    if (!backup.open(QIODevice::WriteOnly) || backup.write(bytes) != bytes.size() || !backup.commit())
        throw fileError(errorNumber(backup.error()), QStringLiteral("the notes cannot be copied"), copy);
}
