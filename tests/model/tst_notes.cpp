// The notes store and its file: planets of one name kept apart by place, any text written
// and read back exactly, and every kind of damaged file read as far as it goes with the
// problem named.
#include "notesfile.h"
#include "records.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

class TestNotes : public QObject {
    Q_OBJECT
private slots:
    void samePlanetNameKeepsItsOwnNote();
    void anyTextRoundTrips_data();
    void anyTextRoundTrips();
    void damagedFiles_data();
    void damagedFiles();
    void fileNextToTheMap();
    void writingIsAtomicAndFailsClearly();
};

namespace {

Star_Object star(const QString &name, const QString &x, const QString &y)
{
    Star_Object s;
    s.Star_Name = name;
    s.Star_X = x;
    s.Star_Y = y;
    return s;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestNotes::samePlanetNameKeepsItsOwnNote()
{
    NotesStore notes;
    const Star_Object north = star("Twin", "1000", "2000");
    const Star_Object south = star("Twin", "1000", "900");
    QVERIFY(notes.set(*NotesStore::keyOf(north), {Marker::Target, "north"}));
    QVERIFY(notes.set(*NotesStore::keyOf(south), {Marker::Ally, ""}));
    QCOMPARE(notes.find(north)->text, QStringLiteral("north"));
    QCOMPARE(notes.find(south)->marker, Marker::Ally);
    QVERIFY(!notes.find(star("twin", "1000", "900")));  // names compare exactly
    QVERIFY(!notes.find(star("Twin", "1000", "x")));    // no place, no note
    // Setting the same note again changes nothing; an empty note takes the entry away.
    QVERIFY(!notes.set(*NotesStore::keyOf(north), {Marker::Target, "north"}));
    QVERIFY(notes.set(*NotesStore::keyOf(south), {}));
    QCOMPARE(notes.size(), 1);
    QCOMPARE(notes.markersInUse(), std::vector<Marker>{Marker::Target});
    for (Marker marker : kMarkers)
        QCOMPARE(markerNamed(markerName(marker)), std::optional(marker));
    QCOMPARE(markerNamed(u""), std::optional(Marker::None));
    QCOMPARE(markerNamed(u"Target"), std::nullopt); // the file's words are lower case

    // Both twins survive the file.
    notes.set(*NotesStore::keyOf(south), {Marker::Enemy, "south"});
    const NotesRead read = parseNotes(notesJson(notes), "twins.notes.json");
    QVERIFY(!read.problem);
    QCOMPARE(read.notes, notes);

    // A planet written twice (by a hand or another program) keeps what the later entry says,
    // in whatever order the entries come; a later empty entry takes it away.
    const NotesRead twice = parseNotes(R"({"version": 1, "planets": [
        {"name": "Twin", "x": 1000, "y": 2000, "note": "first"},
        {"name": "Alpha", "x": 1, "y": 1, "note": "kept"},
        {"name": "Twin", "x": 1000, "y": 2000, "marker": "enemy", "note": "second"},
        {"name": "Alpha", "x": 5, "y": 5, "note": "gone"},
        {"name": "Alpha", "x": 5, "y": 5, "note": ""}]})",
                                       "twice.notes.json");
    QVERIFY(!twice.problem);
    QCOMPARE(twice.notes.size(), 2);
    QCOMPARE(*twice.notes.find(north), (PlanetNote{Marker::Enemy, "second"}));
    QCOMPARE(twice.notes.find(star("Alpha", "1", "1"))->text, QStringLiteral("kept"));
}

void TestNotes::anyTextRoundTrips_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("tabs and newlines") << "Fleet 1\tturn 44\nFleet 2\r\nback\r";
    QTest::newRow("quotes and backslashes") << "\"go\" \\ C:\\temp\\\\n \\u0041 {\"x\": 1}";
    QTest::newRow("control characters") << QString("bell\x07 nul-free\x01\x1f end");
    QTest::newRow("scripts") << QString::fromUtf8("Ωmega ☄ наступление 攻撃 هجوم 🚀 e\u0301");
    QTest::newRow("ten thousand characters") << QString(10000, u'x') + u'!';
    QTest::newRow("blank") << " ";
    QTest::newRow("lone surrogates") << QString(QChar(0xD800)) + u'x' + QChar(0xDC00);
}

void TestNotes::anyTextRoundTrips()
{
    QFETCH(QString, text);
    NotesStore notes;
    notes.set({text, 1500, 1200}, {Marker::Watch, text}); // the name may be as odd
    notes.set({"Plain", -3.5, 1e4}, {Marker::Home, {}});
    QTemporaryDir dir;
    const QString path = dir.filePath("u.notes.json");
    writeNotesFile(path, notes);
    const NotesRead read = readNotesFile(path);
    QVERIFY2(!read.problem, read.problem ? qPrintable(read.problem->message()) : "");
    QCOMPARE(read.notes, notes);
    QCOMPARE(read.notes.find(NoteKey{text, 1500, 1200})->text, text);
    // Any JSON reader reads the same file.
    const QJsonDocument json = QJsonDocument::fromJson(readAll(path));
    QCOMPARE(json["version"].toInt(), kNotesVersion);
    int found = 0;
    for (const QJsonValue &planet : json["planets"].toArray()) {
        if (planet["marker"].toString() == u"watch") {
            QCOMPARE(planet["note"].toString(), text);
            QCOMPARE(planet["name"].toString(), text);
            ++found;
        }
    }
    QCOMPARE(found, 1);
}

void TestNotes::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("notesRead");
    QTest::addColumn<QString>("problem"); // empty: none
    QTest::newRow("good") << QByteArray(R"({"version": 1, "planets": [
        {"name": "A", "x": 1, "y": 2, "marker": "target"}, {"name": "B", "x": 3, "y": 4, "note": "n"}]})")
                          << 2 << "";
    QTest::newRow("no planets yet") << QByteArray(R"({"version": 1})") << 0 << "";
    QTest::newRow("not JSON, the line named") << QByteArray("{\"version\": 1,\n\"planets\": [\n{oops}]}")
                                               << 0 << "Error!!! 321 Invalid file format: not a notes file (";
    QTest::newRow("line of the error") << QByteArray("{\"version\": 1,\n\"planets\": [\n{oops}]}")
                                       << 0 << "(line 3 of ";
    QTest::newRow("empty file") << QByteArray() << 0 << "not a notes file";
    QTest::newRow("an array") << QByteArray("[1, 2]") << 0 << "no version";
    QTest::newRow("a later version") << QByteArray(R"({"version": 2, "planets": [
        {"name": "A", "x": 1, "y": 2, "marker": "target"}]})")
                                     << 0 << "notes of version 2, which this Kavora does not know";
    QTest::newRow("version as text") << QByteArray(R"({"version": "1", "planets": []})") << 0
                                     << "no version";
    QTest::newRow("planets not a list") << QByteArray(R"({"version": 1, "planets": {}})") << 0
                                        << "\"planets\" is not a list";
    QTest::newRow("bad entries left out") << QByteArray(R"({"version": 1, "planets": [
        {"name": "A", "x": 1, "y": 2, "marker": "target"},
        {"name": "B", "x": "3", "y": 4},
        {"name": "C", "x": 3, "y": 4, "marker": "friend"},
        {"name": 7, "x": 3, "y": 4},
        "D",
        {"name": "E", "x": 3, "y": 4, "note": 12},
        {"name": "F", "x": 5, "y": 6, "note": "kept"}]})")
                                          << 2 << "5 of 7 planet entries could not be read, the first is entry 2";
    QTest::newRow("the line of the first bad entry") << QByteArray("{\"version\": 1, \"planets\": [\n"
        "{\"name\": \"A\", \"x\": 1, \"y\": 2, \"note\": \"n\"},\n\n{\"name\": \"B\", \"x\": 1}]}")
                                                     << 1 << "(line 4 of ";
    // Valid JSON that says more than a notes file does: the rest is passed over.
    QTest::newRow("members of other programs") << QByteArray(R"({"planets": [
        {"colour": [1, {"deep": [true, false, null, -0.5e+3]}], "name": "A", "x": 1, "y": 2,
         "marker": "ally", "a member name longer than sixteen": "n"}], "version": 1, "z": {}})")
                                               << 1 << "";
    QTest::newRow("escaped member names and a byte order mark")
        << QByteArray("\xEF\xBB\xBF{\"v\\u0065rsion\": 1, \"planets\": "
                      "[{\"n\\u0061me\": \"A\", \"x\": 1, \"y\": 2, \"note\": \"n\"}]}")
        << 1 << "";
    QTest::newRow("numbers outside the grammar") << QByteArray(R"({"version": 1, "planets": [
        {"name": "A", "x": 01, "y": 2, "note": "n"}]})")
                                                 << 0 << "not a notes file (";
    QTest::newRow("a place beyond any number") << QByteArray(R"({"version": 1, "planets": [
        {"name": "A", "x": 1e999, "y": 2, "note": "n"}, {"name": "B", "x": 1, "y": 2, "note": "n"}]})")
                                               << 1 << "1 of 2 planet entries";
    QTest::newRow("text after the end") << QByteArray(R"({"version": 1, "planets": []} [])") << 0
                                        << "not a notes file (";
    QTest::newRow("a text left open") << QByteArray(R"({"version": 1, "planets": [{"name": "A)")
                                      << 0 << "not a notes file (";
    QTest::newRow("a raw line end inside a text")
        << QByteArray("{\"version\": 1, \"planets\": [{\"name\": \"A\nB\", \"x\": 1, \"y\": 2}]}")
        << 0 << "not a notes file (";
    // Deeper than any notes file: an error, not an exhausted stack.
    QTest::newRow("lists in lists") << QByteArray(R"({"version": 1, "planets": [)")
                                           + QByteArray(100000, '[')
                                    << 0 << "not a notes file (nested too deeply)";
}

void TestNotes::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, notesRead);
    QFETCH(QString, problem);
    const NotesRead read = parseNotes(bytes, "/g/u.notes.json");
    QCOMPARE(read.notes.size(), notesRead);
    QCOMPARE(read.problem.has_value(), !problem.isEmpty());
    if (read.problem) {
        QVERIFY2(read.problem->message().contains(problem), qPrintable(read.problem->message()));
        QVERIFY(read.problem->message().contains(QStringLiteral("/g/u.notes.json")));
    }
}

void TestNotes::fileNextToTheMap()
{
    QCOMPARE(notesPathFor("/games/universe.map"), QStringLiteral("/games/universe.notes.json"));
    QCOMPARE(notesPathFor("/games/old.universe.MAP"), QStringLiteral("/games/old.universe.notes.json"));
    QCOMPARE(notesPathFor("/games/universe"), QStringLiteral("/games/universe.notes.json"));
    // No file yet: no notes and nothing wrong.
    QTemporaryDir dir;
    const NotesRead none = readNotesFile(dir.filePath("u.notes.json"));
    QVERIFY(none.notes.empty() && !none.problem);
}

// The file is replaced whole; a folder that cannot be written leaves the old file and says
// where. A damaged file is copied as it stands before anything replaces it.
void TestNotes::writingIsAtomicAndFailsClearly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("u.notes.json");
    NotesStore notes;
    notes.set({"A", 1, 2}, {Marker::Target, "first"});
    writeNotesFile(path, notes);
    const QByteArray first = readAll(path);
    QVERIFY(!QDir(dir.path()).entryList(QDir::Files).filter(".notes.json.").size());

    try {
        writeNotesFile(dir.filePath("missing/u.notes.json"), notes);
        QFAIL("written into a folder that does not exist");
    } catch (const RunError &error) {
        QVERIFY(error.message().contains(QStringLiteral("the notes cannot be saved")));
        QVERIFY(error.message().contains(dir.filePath("missing/u.notes.json")));
    }

    QFile::remove(path);
    QFile damaged(path);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("not json at all");
    damaged.close();
    backUpNotesFile(path);
    QCOMPARE(readAll(path + ".bak"), QByteArray("not json at all"));
    writeNotesFile(path, notes);
    QCOMPARE(readAll(path), first);
    QCOMPARE(readAll(path + ".bak"), QByteArray("not json at all"));
    backUpNotesFile(dir.filePath("none.notes.json")); // nothing to keep: nothing done
    QVERIFY(!QFile::exists(dir.filePath("none.notes.json.bak")));
}

QTEST_GUILESS_MAIN(TestNotes)
#include "tst_notes.moc"
