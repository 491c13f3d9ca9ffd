#include "registry.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

#ifdef Q_OS_WIN

HKEY toHkey(RegKey key)
{
    // A 64-bit HKEY carries the predefined 32-bit roots sign-extended.
    if (key >= 0x80000000u && key <= 0x8000000Fu)
        return reinterpret_cast<HKEY>(
            static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<quint32>(key))));
    return reinterpret_cast<HKEY>(key);
}

class WindowsRegistry : public Registry {
public:
    std::optional<RegKey> open(RegKey root, const QString &keyName) override
    {
        HKEY key = nullptr;
        // Read access only: Kavora writes nothing, and without administrator rights a key
        // under HKEY_LOCAL_MACHINE does not open for writing.
        if (RegOpenKeyExA(toHkey(root), keyName.toLocal8Bit().constData(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return reinterpret_cast<RegKey>(key);
    }

    std::optional<RegValue> query(RegKey key, const QString &valueName, quint32 room) override
    {
        QByteArray buffer(qsizetype(room), '\0');
        DWORD type = 0;
        DWORD size = room;
        if (RegQueryValueExA(toHkey(key), valueName.toLocal8Bit().constData(), nullptr, &type,
                             reinterpret_cast<BYTE *>(buffer.data()), &size) != ERROR_SUCCESS)
            return std::nullopt;
        buffer.truncate(qsizetype(size));
        return RegValue{type, buffer};
    }

    void close(RegKey key) override { RegCloseKey(toHkey(key)); }
};

#else

class NoRegistry : public Registry {
public:
    std::optional<RegKey> open(RegKey, const QString &) override { return std::nullopt; }
    std::optional<RegValue> query(RegKey, const QString &, quint32) override
    {
        return std::nullopt;
    }
    void close(RegKey) override {}
};

#endif

} // namespace

std::unique_ptr<Registry> systemRegistry()
{
#ifdef Q_OS_WIN
    return std::make_unique<WindowsRegistry>();
#else
    return std::make_unique<NoRegistry>();
#endif
}
