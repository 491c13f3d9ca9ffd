// Reading the Windows registry, which Kavora does only to find the system information
// program. On other systems the registry is a source without keys.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

// A root key constant or a key that Registry::open returned.
using RegKey = quintptr;

// The root keys are the classic 32-bit constants.
inline constexpr RegKey kHKeyLocalMachine = 0x80000002;

// Value types that Kavora understands.
inline constexpr quint32 kRegSz = 1;    // text, usually stored with its terminating zero
inline constexpr quint32 kRegDword = 4; // 32-bit number, little-endian

struct RegValue {
    quint32 type = 0;
    QByteArray data; // exactly the bytes the value holds
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens `keyName` under `root`; nullopt when it cannot be opened.
    virtual std::optional<RegKey> open(RegKey root, const QString &keyName) = 0;
    // Reads `valueName` into room for `room` bytes; nullopt when the value is missing or
    // does not fit.
    virtual std::optional<RegValue> query(RegKey key, const QString &valueName, quint32 room) = 0;
    virtual void close(RegKey key) = 0;
};

// This machine's registry: the real one on Windows, one without keys elsewhere.
std::unique_ptr<Registry> systemRegistry();
