#include "sysinfo.h"

#include "runerror.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr quint32 kValueRoom = 1024;

class SystemPrograms : public Programs {
public:
    bool isFile(const QString &path) override { return QFileInfo(path).isFile(); }
    bool start(const QString &program) override
    {
        return !program.isEmpty() && QProcess::startDetached(program, {});
    }
};

// Closes the key on every way out of GetKeyValue, the thrown one included.
class KeyCloser {
public:
    KeyCloser(Registry &registry, RegKey key) : m_registry(registry), m_key(key) {}
    ~KeyCloser() { m_registry.close(m_key); }
    KeyCloser(const KeyCloser &) = delete;
    KeyCloser &operator=(const KeyCloser &) = delete;

private:
    Registry &m_registry;
    RegKey m_key;
};

} // namespace

std::unique_ptr<Programs> systemPrograms()
{
    return std::make_unique<SystemPrograms>();
}

bool GetKeyValue(Registry &registry, RegKey KeyRoot, const QString &KeyName,
                 const QString &SubKeyRef, QString &KeyVal)
{
    const std::optional<RegKey> key = registry.open(KeyRoot, KeyName);
    if (!key) {
        KeyVal.clear();
        return false;
    }
    KeyCloser closer(registry, *key);

    const std::optional<RegValue> value = registry.query(*key, SubKeyRef, kValueRoom);
    if (!value) {
        KeyVal.clear();
        return false;
    }
    if (value->data.isEmpty())
        throw RunError(
            RunError::InvalidCall,
            QCoreApplication::translate("SysInfo", "the registry value %1 of %2 holds no data")
                .arg(SubKeyRef, KeyName));

    // Stored text usually carries its terminating zero; text stored without one keeps its
    // last character.
    QByteArray text = value->data;
    if (text.endsWith('\0'))
        text.chop(1);

    switch (value->type) {
    case kRegSz:
        KeyVal = QString::fromLocal8Bit(text);
        break;
    case kRegDword: {
        // The number's own four bytes, not the cut text: 261 is stored as 05 01 00 00.
        char bytes[4] = {};
        std::copy_n(value->data.constData(), std::min<qsizetype>(value->data.size(), 4), bytes);
        KeyVal = QString::number(qFromLittleEndian<qint32>(bytes));
        break;
    }
    default:
        break;
    }
    return true;
}

void StartSysInfo(Registry &registry, Programs &programs, CommonDialog &dialog)
{
    try {
        QString path;
        if (GetKeyValue(registry, kHKeyLocalMachine, QString::fromLatin1(kSysInfoKey),
                        QString::fromLatin1(kSysInfoValue), path)) {
            if (programs.start(path))
                return;
        } else if (GetKeyValue(registry, kHKeyLocalMachine,
                               QString::fromLatin1(kSysInfoLocationKey),
                               QString::fromLatin1(kSysInfoLocationValue), path)) {
            path += QLatin1String(kSysInfoProgram);
            if (programs.isFile(path) && programs.start(path))
                return;
        }
    } catch (const RunError &) {
        // Any failure of the lookup ends in the same message as a missing entry.
    }
    dialog.message(
        QCoreApplication::translate("SysInfo", "System Information Is Unavailable At This Time"));
}
