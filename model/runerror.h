// The one failure type of Kavora: a classic run-time error number with its description,
// and where a reader met it. Readers throw it; the command at the edge turns it into a
// message ("Error!!! 13 Type mismatch ...").
#pragma once

#include <QString>
#include <exception>

class RunError : public std::exception {
public:
    // The numbers users of the game's tools know from their platform.
    enum Number : int {
        InvalidCall = 5,       // invalid procedure call or argument
        Overflow = 6,
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
        TypeMismatch = 13,
        BadFileName = 52,
        FileNotFound = 53,
        DeviceIOError = 57,
        InputPastEnd = 62,
        PermissionDenied = 70,
        PathFileAccess = 75,
        PathNotFound = 76,
        InvalidFileFormat = 321,
        InvalidPicture = 481,
    };

    explicit RunError(int number, QString detail = {});

    int number() const { return m_number; }
    // The platform's text for the number, followed by any detail ("line 7 of ...").
    QString description() const;
    QString file() const { return m_file; }
    int line() const { return m_line; } // 0 when no line applies

    // Marks where a reader met the failure; the description then names it.
    RunError &at(const QString &file, int line);

    // "Error!!! " + number + " " + description, the form every reader failure takes.
    QString message() const;

    const char *what() const noexcept override;

    static QString standardText(int number);

private:
    int m_number;
    QString m_detail;
    QString m_file;
    int m_line = 0;
    mutable QByteArray m_what;
};
