#include "PictureLoader.h"
#include "board/TableroClass.h"
#include "puzzlefile/PzzFile.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace
{
void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    static int argc = 1;
    static char name[] = "fuzz_pzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

// Every input goes through the reader the game uses. What it accepts must write back byte
// for byte, must be taken by the board as it is, and its picture goes through the one
// decode the game does.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    PzzFile source;
    if (PzzFile::read(bytes, source, PzzFile::Identity::Ignore) == PzzFile::Check::Ok &&
        source.toBytes() != bytes)
        abort();

    PzzFile pzz;
    if (PzzFile::read(bytes, pzz) != PzzFile::Check::Ok)
        return 0;
    if (pzz.toBytes() != bytes)
        abort();

    TableroClass board;
    if (!board.setBoard(pzz.homeColumns, pzz.homeRows, pzz.columns, pzz.rows, pzz.fichasX, pzz.fichasY,
                        pzz.extensionText()))
        abort();
    const int outOfPlace = board.NumeroDeFichasPorColocar();
    if (outOfPlace < 0 || outOfPlace > pzz.columns * pzz.rows || board.getExtension() != pzz.extensionText())
        abort();

    PictureLoader::peekSize(pzz.picture);
    const QImage picture = PictureLoader::loadData(pzz.picture);
    if (!picture.isNull() && (picture.width() <= 0 || picture.height() <= 0))
        abort();
    return 0;
}
