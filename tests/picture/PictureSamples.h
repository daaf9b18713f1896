#pragma once

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

// Pictures and picture bytes the tests build in memory or find beside the program, and the
// files they go into.
namespace PictureSamples
{

// Red, green, blue and yellow clockwise from the top left: flat colours that survive JPEG,
// palettes and scaling well enough to be checked pixel by pixel.
inline const QColor quadrantColours[4] = {QColor(220, 30, 30), QColor(30, 200, 60), QColor(30, 60, 220),
                                          QColor(240, 220, 30)};

inline QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(quadrantColours[2]);
    QPainter painter(&image);
    painter.fillRect(0, 0, width, height / 2, quadrantColours[1]);
    painter.fillRect(0, 0, width / 2, height, quadrantColours[3]);
    painter.fillRect(0, 0, width / 2, height / 2, quadrantColours[0]);
    return image;
}

inline bool near(QRgb pixel, const QColor &expected, int tolerance = 24)
{
    return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
           std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
           std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

inline bool showsQuadrants(const QImage &image)
{
    bool shown = !image.isNull();
    for (int i = 0; i < 4; ++i)
        shown = shown && near(image.pixel((i == 1 || i == 2 ? 3 : 1) * image.width() / 4,
                                          (i < 2 ? 1 : 3) * image.height() / 4),
                              quadrantColours[i]);
    return shown;
}

inline QByteArray encoded(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    return image.save(&buffer, format, quality) ? bytes : QByteArray();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces the file's bytes; false unless every byte was written.
inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The pictures below are there only for the tests whose build names their folders.
#ifdef TESSELON_TEST_PICTURES
// A picture the build draws: a sample beside the program, such as "samples/paisaje.jpg", or
// one drawn for these tests, such as "sideways-6.jpg" or "quadrants.heic".
inline QByteArray builtPicture(const QString &name)
{
    return fileBytes((name.startsWith("samples/") ? TESSELON_RUNTIME_DIR "/" : TESSELON_TEST_PICTURES "/") +
                     name);
}
#endif

// A grey JPEG of any size up to 65535 x 65535 that takes little memory to make: one
// component whose blocks are all a zero difference and an end of block, one bit each
// under tables with a single code. A progressive one holds only its first scan, of DC
// values. dataBytes cuts the coded data short when not negative.
inline QByteArray flatJpeg(int width, int height, bool progressive = false, qint64 dataBytes = -1)
{
    const auto be16 = [](int value) { return QByteArray(1, char(value >> 8)) + char(value & 0xFF); };
    QByteArray bytes("\xFF\xD8\xFF\xDB\x00\x43\x00", 7);
    bytes += QByteArray(64, '\x01');
    bytes +=
        QByteArray(progressive ? "\xFF\xC2" : "\xFF\xC0") + be16(11) + '\x08' + be16(height) + be16(width);
    bytes += QByteArray("\x01\x01\x11\x00", 4);
    const QByteArray oneCode = QByteArray(1, '\x01') + QByteArray(15, '\0') + '\0';
    bytes += QByteArray("\xFF\xC4\x00\x14\x00", 5) + oneCode;
    if (!progressive)
        bytes += QByteArray("\xFF\xC4\x00\x14\x10", 5) + oneCode;
    bytes += QByteArray("\xFF\xDA\x00\x08\x01\x01\x00\x00", 8) + char(progressive ? 0 : 63) + '\0';
    const qint64 blocks = qint64((width + 7) / 8) * ((height + 7) / 8);
    bytes += QByteArray(dataBytes >= 0 ? dataBytes : (blocks * (progressive ? 1 : 2) + 7) / 8, '\0');
    return bytes + "\xFF\xD9";
}

template <typename T> QByteArray littleEndian(const QList<T> &values)
{
    QByteArray bytes(values.size() * qsizetype(sizeof(T)), '\0');
    qToLittleEndian<T>(values.constData(), values.size(), bytes.data());
    return bytes;
}

// Little-endian fields written over a copy of the bytes: 32-bit unless told otherwise.
template <typename T = quint32>
QByteArray patched(QByteArray bytes, std::initializer_list<std::pair<qsizetype, T>> fields)
{
    for (const auto &[at, value] : fields)
        qToLittleEndian<T>(value, bytes.data() + at);
    return bytes;
}

// Points the home, temporary and XDG folders and the working folder at an empty folder, so
// that a test can show at its end that nothing was written anywhere.
inline bool enterSandbox(const QTemporaryDir &sandbox)
{
    for (const char *name : {"HOME", "TMPDIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(name, sandbox.path().toLocal8Bit());
    return sandbox.isValid() && QDir::setCurrent(sandbox.path());
}

inline QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

} // namespace PictureSamples
