// The about box's "System Info..." command: finds the system information program through
// the registry and starts it, or tells the user that it cannot.
#pragma once

#include "commondialog.h"
#include "registry.h"

// Starting another program, and the file test that comes before it.
class Programs {
public:
    virtual ~Programs() = default;
    virtual bool isFile(const QString &path) = 0; // a file, not a folder, exists there
    // Starts `program` without arguments and without waiting; the path is never handed to
    // a shell. False when it did not start.
    virtual bool start(const QString &program) = 0;
};

// This machine's file system and processes.
std::unique_ptr<Programs> systemPrograms();

// Where the system information program is recorded, in the order they are consulted.
inline constexpr char kSysInfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kSysInfoValue[] = "PATH";
inline constexpr char kSysInfoLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char kSysInfoLocationValue[] = "MSINFO";
inline constexpr char kSysInfoProgram[] = "\\MSINFO32.EXE";

// Reads one value as text into KeyVal. False, with KeyVal empty, when the key or the value
// cannot be read; a type other than text or number leaves KeyVal as it came. A value with
// no data throws RunError (invalid call).
bool GetKeyValue(Registry &registry, RegKey KeyRoot, const QString &KeyName,
                 const QString &SubKeyRef, QString &KeyVal);

// Starts the system information program, or shows "System Information Is Unavailable At
// This Time" through `dialog`.
void StartSysInfo(Registry &registry, Programs &programs, CommonDialog &dialog);
