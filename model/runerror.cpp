#include "runerror.h"

RunError::RunError(int number, QString detail) : m_number(number), m_detail(std::move(detail)) {}

QString RunError::standardText(int number)
{
    switch (number) {
    case InvalidCall:
        return QStringLiteral("Invalid procedure call or argument");
    case Overflow:
        return QStringLiteral("Overflow");
    case OutOfMemory:
        return QStringLiteral("Out of memory");
    case SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case TypeMismatch:
        return QStringLiteral("Type mismatch");
    case BadFileName:
        return QStringLiteral("Bad file name or number");
    case FileNotFound:
        return QStringLiteral("File not found");
    case DeviceIOError:
        return QStringLiteral("Device I/O error");
    case InputPastEnd:
        return QStringLiteral("Input past end of file");
    case PermissionDenied:
        return QStringLiteral("Permission denied");
    case PathFileAccess:
        return QStringLiteral("Path/File access error");
    case PathNotFound:
        return QStringLiteral("Path not found");
    case InvalidFileFormat:
        return QStringLiteral("Invalid file format");
    case InvalidPicture:
        return QStringLiteral("Invalid picture");
    default:
        return QStringLiteral("Application-defined or object-defined error");
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
        text += m_line > 0 ? QStringLiteral(" (line %1 of %2)").arg(m_line).arg(m_file)
                           : QStringLiteral(" (%1)").arg(m_file);
    }
    return text;
}

QString RunError::message() const
{
    return QStringLiteral("Error!!! %1 %2").arg(m_number).arg(description());
}

const char *RunError::what() const noexcept
{
    if (m_what.isEmpty())
        m_what = message().toUtf8();
    return m_what.constData();
}
