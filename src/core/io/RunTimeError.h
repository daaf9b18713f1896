#pragma once

#include <QString>
#include <stdexcept>

// A failure with a number and a description, thrown where an operation gives up and
// caught where the caller decides how to show it. The numbers keep their meaning across
// the program: 52 bad file name, 53 file not found, 68 device unavailable,
// 73 folder could not be created, 76 path not found, 481 not a picture.
class RunTimeError : public std::runtime_error
{
public:
    enum Number : int {
        BadFileName = 52,
        FileNotFound = 53,
        DeviceUnavailable = 68,
        CannotCreateFolder = 73,
        PathNotFound = 76,
        FunctionNotFound = 453,
        InvalidPicture = 481,
        SubscriptOutOfRange = 9,
        Overflow = 6,
        OutOfMemory = 7,
        DiskFull = 61,
        PermissionDenied = 70,
        FileIOError = 75,
        BadFileFormat = 321,
    };

    RunTimeError(int number, const QString &description, const QString &source = QString())
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description),
          m_source(source)
    {
    }

    int number() const { return m_number; }
    QString description() const { return m_description; }
    // Where the error arose; the start-up error box shows it before the description.
    QString source() const { return m_source; }

private:
    int m_number;
    QString m_description;
    QString m_source;
};
