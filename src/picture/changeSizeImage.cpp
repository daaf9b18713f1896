#include "changeSizeImage.h"

#include "PictureLoader.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr float widestKept = 1001.0f;
constexpr float highestKept = 901.0f;
constexpr float reducedWidth = 900.0f;
constexpr float reducedHeight = 800.0f;

int wholePixels(float length)
{
    return std::max(1, int(std::lround(length)));
}

} // namespace

QSize changeSizeImage::targetSize(QSize pixels)
{
    if (pixels.isEmpty())
        return pixels;
    const float width = float(pixels.width());
    const float height = float(pixels.height());
    if (width > widestKept)
        return QSize(wholePixels(reducedWidth), wholePixels(height * reducedWidth / width));
    if (height > highestKept)
        return QSize(wholePixels(width * reducedHeight / height), wholePixels(reducedHeight));
    return pixels;
}

bool changeSizeImage::setPicture(const QImage &picture)
{
    m_picReduced = QImage();
    if (picture.isNull())
        return false;
    const QSize target = targetSize(picture.size());
    if (target == picture.size())
        m_picReduced = picture;
    else
        m_picReduced = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return !m_picReduced.isNull();
}

QImage changeSizeImage::loadFileReduced(const QString &path, QString *error)
{
    const QByteArray bytes = PictureLoader::readFile(path, error);
    return bytes.isEmpty() ? QImage() : loadDataReduced(bytes, error);
}

QImage changeSizeImage::loadDataReduced(const QByteArray &bytes, QString *error)
{
    const QSize size = PictureLoader::peekSize(bytes, error);
    if (!size.isValid())
        return {};
    const QSize target = targetSize(size);
    QImage picture = target == size ? PictureLoader::loadData(bytes, error)
                                    : PictureLoader::loadDataScaled(bytes, target, error);
    if (!picture.isNull() && picture.size() != target)
        picture = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}
