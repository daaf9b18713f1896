#pragma once

#include <QByteArray>

// The picture formats the loader knows, told apart by their content alone, and the checks
// that a file of each is whole before any decoder sees it.
namespace PictureFormat
{

enum class Kind { Unknown, Jpeg, Png, Gif, Bmp, Dib, Ico, Webp, Tiff, Heif, Wmf, Emf };

// Every signature lies within this many first bytes of a file.
constexpr qsizetype signatureBytes = 64;

Kind sniff(const QByteArray &bytes);

// False when the bytes stop before the picture ends or their structure is plainly broken.
// Decoders that would show a cut-off picture as far as it goes, or fill the rest with
// grey, are never handed such bytes. JPEG and metafiles are checked elsewhere.
bool complete(Kind kind, const QByteArray &bytes);

// The name of the Qt image plugin that reads the kind; empty for the kinds Qt does not read.
const char *qtFormat(Kind kind);

bool isMetafile(Kind kind);

} // namespace PictureFormat
