#include "runerror.h"

#include <QCoreApplication>

RunError::RunError(int number, QString detail) : m_number(number), m_detail(std::move(detail)) {}

QString RunError::standardText(int number)
{
    switch (number) {
    case InvalidCall:
        return QCoreApplication::translate("RunError", "Invalid procedure call or argument");
    case Overflow:
        return QCoreApplication::translate("RunError", "Overflow");
    case OutOfMemory:
        return QCoreApplication::translate("RunError", "Out of memory");
    case SubscriptOutOfRange:
        return QCoreApplication::translate("RunError", "Subscript out of range");
    case TypeMismatch:
        return QCoreApplication::translate("RunError", "Type mismatch");
    case BadFileName:
        return QCoreApplication::translate("RunError", "Bad file name or number");
    case FileNotFound:
        return QCoreApplication::translate("RunError", "File not found");
    case DeviceIOError:
        return QCoreApplication::translate("RunError", "Device I/O error");
    case InputPastEnd:
        return QCoreApplication::translate("RunError", "Input past end of file");
    case PermissionDenied:
        return QCoreApplication::translate("RunError", "Permission denied");
    case PathFileAccess:
        return QCoreApplication::translate("RunError", "Path/File access error");
    case PathNotFound:
        return QCoreApplication::translate("RunError", "Path not found");
    case InvalidFileFormat:
        return QCoreApplication::translate("RunError", "Invalid file format");
    case InvalidPicture:
        return QCoreApplication::translate("RunError", "Invalid picture");
    default:
        return QCoreApplication::translate("RunError",
                                           "Application-defined or object-defined error");
    }
}

RunError &RunError::at(const QString &file, int line)
{
    m_file = file;
    m_line = line;
    m_what.clear();
    return *this;
}

QString RunError::description() const
{
    QString text = standardText(m_number);
    if (!m_detail.isEmpty())
        text += QStringLiteral(": ") + m_detail;
    if (!m_file.isEmpty()) {
        text += m_line > 0 ? QCoreApplication::translate("RunError", " (line %1 of %2)")
                                 .arg(m_line)
                                 .arg(m_file)
                           : QStringLiteral(" (%1)").arg(m_file);
    }
    return text;
}

QString RunError::message() const
{
    return QCoreApplication::translate("RunError", "Error!!! %1 %2")
        .arg(m_number)
        .arg(description());
}

const char *RunError::what() const noexcept
{
    if (m_what.isEmpty())
        m_what = message().toUtf8();
    return m_what.constData();
}
