#pragma once

#include <QString>

#include <functional>
#include <optional>

class QFile;
class QIODevice;

// The one way the program opens files for reading and writes them, with failures given
// as the program's error numbers (see RunTimeError) and the system's own reason.
namespace FileLayer
{

struct Failure {
    int number = 0;
    // The system's words for what went wrong; may be empty.
    QString reason;
};

// The program's number for a system error (an errno value): 76 path not found,
// 70 permission denied, 61 disk full, 52 bad file name, 75 anything else.
int errorNumber(int systemError);

// Opens the file for reading: 53 when it is not there, 75 for a folder, otherwise the
// number of the system's reason.
std::optional<Failure> openForReading(QFile &file);

// Writes a file through a temporary one that replaces it only once complete, so a failed
// write leaves the earlier file as it was and nothing half written behind. The writer
// must answer false on a short write: the temporary file would commit it as it is.
std::optional<Failure> writeAtomically(const QString &path, const std::function<bool(QIODevice &)> &write);

} // namespace FileLayer
