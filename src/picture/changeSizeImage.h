#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Brings an oversized picture down to a size the board can show, keeping its proportions.
// A picture wider than 1001 pixels becomes 900 wide; otherwise one higher than 901 pixels
// becomes 800 high; anything else keeps its size. Only one of the two limits applies, so
// a very tall and wide picture may stay taller than 900 pixels. The reduction averages
// the pixels it merges, and no file is written on the way.
class changeSizeImage
{
public:
    // Reduces the picture into picReduced. False when there is no picture or the copy
    // cannot be made; picReduced is then empty and the caller keeps its own picture.
    bool setPicture(const QImage &picture);
    QImage picReduced() const { return m_picReduced; }

    // The size a picture of the given pixel size is reduced to.
    static QSize targetSize(QSize pixels);

    // Decode a picture file or its bytes straight to targetSize. An oversized JPEG is
    // scaled while it is decoded, so a large photo is never held at full size; other
    // formats are decoded and then reduced. A null image when the bytes are not a picture,
    // with the loader's reason in error when it is given.
    static QImage loadFileReduced(const QString &path, QString *error = nullptr);
    static QImage loadDataReduced(const QByteArray &bytes, QString *error = nullptr);

private:
    QImage m_picReduced;
};
