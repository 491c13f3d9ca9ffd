#include "frmabout.h"
#include "runerror.h"
#include "scripteddialog.h"
#include "sysinfo.h"
#include "version.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QtEndian>

#include <map>
#include <set>

namespace {

const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");
const QString kPathKey = QString::fromLatin1(kSysInfoKey);
const QString kLocationKey = QString::fromLatin1(kSysInfoLocationKey);

// A registry made of a table; it notes every key opened and closed.
class ScriptedRegistry : public Registry {
public:
    void set(const QString &key, const QString &name, quint32 type, const QByteArray &data)
    {
        m_values[{key, name}] = RegValue{type, data};
        m_keys.insert(key);
    }
    // A key that exists but holds no values.
    void setKey(const QString &key) { m_keys.insert(key); }

    std::optional<RegKey> open(RegKey root, const QString &keyName) override
    {
        opened << keyName;
        if (root != kHKeyLocalMachine || !m_keys.count(keyName))
            return std::nullopt;
        const RegKey handle = 100 + RegKey(m_handles.size());
        m_handles[handle] = keyName;
        return handle;
    }

    std::optional<RegValue> query(RegKey key, const QString &valueName, quint32 room) override
    {
        const auto value = m_values.find({m_handles.at(key), valueName});
        if (value == m_values.end() || quint32(value->second.data.size()) > room)
            return std::nullopt;
        return value->second;
    }

    void close(RegKey key) override
    {
        if (!m_handles.count(key) || m_closed.count(key))
            qFatal("closed a key that is not open");
        m_closed.insert(key);
    }

    bool allClosed() const { return m_closed.size() == m_handles.size(); }

    QStringList opened;

private:
    std::map<std::pair<QString, QString>, RegValue> m_values;
    std::set<QString> m_keys;
    std::map<RegKey, QString> m_handles;
    std::set<RegKey> m_closed;
};

class ScriptedPrograms : public Programs {
public:
    bool isFile(const QString &path) override { return files.contains(path); }
    bool start(const QString &program) override
    {
        started << program;
        return startSucceeds;
    }

    QStringList files;
    QStringList started;
    bool startSucceeds = true;
};

QByteArray dword(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// An about box on scripted parts, shown and active, as the user meets it.
struct ShownAbout {
    ScriptedRegistry registry;
    ScriptedPrograms programs;
    ScriptedDialog dialog;
    frmAbout about{dialog, registry, programs};

    bool show()
    {
        about.show();
        return QTest::qWaitForWindowActive(&about);
    }
};

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void getKeyValue_data();
    void getKeyValue();
    void emptyValueIsAnError();
    void startSysInfo_data();
    void startSysInfo();
    void noRegistryHere();
    void window();
    void closingKeys_data();
    void closingKeys();
    void enterOnSysInfoStartsIt();
    void sysInfoButtonKeepsBoxOpen();
};

void TestAbout::getKeyValue_data()
{
    QTest::addColumn<bool>("keyExists");
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("data"); // empty with keyExists: the value is missing
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("keyVal");

    QTest::newRow("text with its zero")
        << true << kRegSz << QByteArray("C:\\Tools\\msinfo32.exe\0", 22) << true
        << "C:\\Tools\\msinfo32.exe";
    QTest::newRow("text without zero")
        << true << kRegSz << QByteArray("C:\\Tools") << true << "C:\\Tools";
    QTest::newRow("one character") << true << kRegSz << QByteArray("x") << true << "x";
    QTest::newRow("only the zero") << true << kRegSz << QByteArray("\0", 1) << true << "";
    // Only one terminator is cut.
    QTest::newRow("two zeros") << true << kRegSz << QByteArray("ab\0\0", 4) << true
                               << QString::fromLatin1("ab\0", 3);
    QTest::newRow("number 261") << true << kRegDword << dword(261) << true << "261";
    QTest::newRow("negative number") << true << kRegDword << dword(-2) << true << "-2";
    QTest::newRow("largest number")
        << true << kRegDword << dword(2147483647) << true << "2147483647";
    // A type that yields no text leaves KeyVal as it came.
    QTest::newRow("binary") << true << quint32(3) << QByteArray("\1\2\3") << true << "before";
    QTest::newRow("expandable text")
        << true << quint32(2) << QByteArray("%SystemRoot%\0", 13) << true << "before";
    QTest::newRow("too long for the buffer")
        << true << kRegSz << QByteArray(1025, 'a') << false << "";
    QTest::newRow("fills the buffer")
        << true << kRegSz << QByteArray(1024, 'a') << true << QString(1024, u'a');
    QTest::newRow("missing value") << true << kRegSz << QByteArray() << false << "";
    QTest::newRow("missing key") << false << kRegSz << QByteArray() << false << "";
}

void TestAbout::getKeyValue()
{
    QFETCH(bool, keyExists);
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    QFETCH(bool, found);
    QFETCH(QString, keyVal);

    ScriptedRegistry registry;
    if (keyExists && data.isEmpty())
        registry.setKey(kPathKey);
    else if (keyExists)
        registry.set(kPathKey, "PATH", type, data);

    QString value = QStringLiteral("before");
    QCOMPARE(GetKeyValue(registry, kHKeyLocalMachine, kPathKey, "PATH", value), found);
    QCOMPARE(value, keyVal);
    QVERIFY(registry.allClosed());
}

void TestAbout::emptyValueIsAnError()
{
    ScriptedRegistry registry;
    registry.set(kPathKey, "PATH", kRegSz, QByteArray());
    QString value;
    QVERIFY_THROWS_EXCEPTION(RunError,
                             GetKeyValue(registry, kHKeyLocalMachine, kPathKey, "PATH", value));
    QVERIFY(registry.allClosed());
}

void TestAbout::startSysInfo_data()
{
    QTest::addColumn<QByteArray>("pathValue");     // null: no such entry
    QTest::addColumn<QByteArray>("locationValue"); // null: no such entry
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("startSucceeds");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<QStringList>("keysOpened");
    QTest::addColumn<bool>("unavailable");

    const QByteArray path("C:\\Tools\\MSINFO32.EXE\0", 22);
    const QByteArray folder("C:\\Shared\\MSINFO\0", 17);
    const QString fromFolder = QStringLiteral("C:\\Shared\\MSINFO\\MSINFO32.EXE");
    const QStringList both{kPathKey, kLocationKey};

    QTest::newRow("PATH entry") << path << QByteArray() << QStringList{} << true
                                << QStringList{"C:\\Tools\\MSINFO32.EXE"} << QStringList{kPathKey}
                                << false;
    // The PATH entry wins; the folder is not consulted.
    QTest::newRow("both entries") << path << folder << QStringList{fromFolder} << true
                                  << QStringList{"C:\\Tools\\MSINFO32.EXE"} << QStringList{kPathKey}
                                  << false;
    QTest::newRow("PATH entry, start fails")
        << path << folder << QStringList{fromFolder} << false
        << QStringList{"C:\\Tools\\MSINFO32.EXE"} << QStringList{kPathKey} << true;
    QTest::newRow("folder, file present") << QByteArray() << folder << QStringList{fromFolder}
                                          << true << QStringList{fromFolder} << both << false;
    QTest::newRow("folder, file missing")
        << QByteArray() << folder << QStringList{} << true << QStringList{} << both << true;
    QTest::newRow("folder, start fails") << QByteArray() << folder << QStringList{fromFolder}
                                         << false << QStringList{fromFolder} << both << true;
    QTest::newRow("neither entry")
        << QByteArray() << QByteArray() << QStringList{} << true << QStringList{} << both << true;
    // A PATH value with no data at all abandons the lookup.
    QTest::newRow("empty PATH value") << QByteArray("", 0) << folder << QStringList{fromFolder}
                                      << true << QStringList{} << QStringList{kPathKey} << true;
}

void TestAbout::startSysInfo()
{
    QFETCH(QByteArray, pathValue);
    QFETCH(QByteArray, locationValue);
    QFETCH(QStringList, files);
    QFETCH(bool, startSucceeds);
    QFETCH(QStringList, started);
    QFETCH(QStringList, keysOpened);
    QFETCH(bool, unavailable);

    ScriptedRegistry registry;
    if (!pathValue.isNull())
        registry.set(kPathKey, "PATH", kRegSz, pathValue);
    if (!locationValue.isNull())
        registry.set(kLocationKey, "MSINFO", kRegSz, locationValue);
    ScriptedPrograms programs;
    programs.files = files;
    programs.startSucceeds = startSucceeds;
    ScriptedDialog dialog;

    StartSysInfo(registry, programs, dialog);

    QCOMPARE(programs.started, started);
    QCOMPARE(registry.opened, keysOpened);
    QCOMPARE(dialog.messages(), unavailable ? QStringList{kUnavailable} : QStringList{});
    QCOMPARE(dialog.asked().size(), unavailable ? 1 : 0);
    QVERIFY(registry.allClosed());
}

void TestAbout::noRegistryHere()
{
#ifdef Q_OS_WIN
    QSKIP("this machine has a registry");
#else
    const auto registry = systemRegistry();
    ScriptedPrograms programs;
    ScriptedDialog dialog;
    StartSysInfo(*registry, programs, dialog);
    QCOMPARE(dialog.messages(), QStringList{kUnavailable});
    QVERIFY(programs.started.isEmpty());
#endif
}

void TestAbout::window()
{
    ScriptedRegistry registry;
    ScriptedPrograms programs;
    ScriptedDialog dialog;
    frmAbout about(dialog, registry, programs);

    QCOMPARE(about.windowTitle(), QStringLiteral("About Kavora for Quelmar"));
    QCOMPARE(about.findChild<QLabel *>("lblVersion")->text(),
             QStringLiteral("Version ") + QLatin1String(kavora::kVersionText));
    QCOMPARE(about.findChild<QPushButton *>("cmdOK")->text(), QStringLiteral("OK"));
    QCOMPARE(about.findChild<QPushButton *>("cmdSysInfo")->text(),
             QStringLiteral("&System Info..."));
    QCOMPARE(about.size(), QSize(320, 200));
    QCOMPARE(about.findChild<QLabel *>("Image1")->pixmap().size(), QSize(320, 200));
    // Centred on the screen, not on whatever window opened it.
    QCOMPARE(about.geometry().center(), about.screen()->geometry().center());
}

void TestAbout::closingKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestAbout::closingKeys()
{
    QFETCH(int, key);
    ShownAbout box;
    QVERIFY(box.show());

    // The key goes where the user's would: to the widget with the focus.
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, Qt::Key(key));
    QVERIFY(!box.about.isVisible());
    QVERIFY(box.programs.started.isEmpty());
    QVERIFY(box.dialog.asked().isEmpty());
}

void TestAbout::enterOnSysInfoStartsIt()
{
    ShownAbout box;
    QVERIFY(box.show());
    auto *sysInfo = box.about.findChild<QPushButton *>("cmdSysInfo");
    auto *ok = box.about.findChild<QPushButton *>("cmdOK");

    // Tab moves the focus to "&System Info..."; Enter there is that button's, not OK's.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), sysInfo);
    QTest::keyClick(sysInfo, Qt::Key_Return);
    QCOMPARE(box.dialog.messages(), QStringList{kUnavailable});
    QVERIFY(box.about.isVisible());

    // Back on OK, Enter closes the box again.
    QTest::keyClick(sysInfo, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Return);
    QVERIFY(!box.about.isVisible());
    QCOMPARE(box.dialog.messages().size(), 1);
}

void TestAbout::sysInfoButtonKeepsBoxOpen()
{
    ShownAbout box;
    QVERIFY(box.show());
    auto *button = box.about.findChild<QPushButton *>("cmdSysInfo");

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(box.dialog.messages(), QStringList{kUnavailable});
    QVERIFY(box.about.isVisible());

    box.registry.set(kPathKey, "PATH", kRegSz, QByteArray("C:\\Tools\\MSINFO32.EXE\0", 22));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(box.programs.started, QStringList{"C:\\Tools\\MSINFO32.EXE"});
    QCOMPARE(box.dialog.messages().size(), 1);
    QVERIFY(box.about.isVisible());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
