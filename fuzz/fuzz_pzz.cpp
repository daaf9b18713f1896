#include "PuzzlePictures.h"
#include "QuietApplication.h"
#include "board/TableroClass.h"
#include "puzzlefile/PzzFile.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startQuietApplication("fuzz_pzz");
    return 0;
}

// Every input goes through the game's own read flow. What it accepts must write back byte
// for byte, must be on the board as the file has it, and must have given a picture; what
// it refuses must leave the board and the style as they were.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    PzzFile source;
    if (PzzFile::read(bytes, source, PzzFile::Identity::Ignore) == PzzFile::Check::Ok &&
        source.toBytes() != bytes)
        abort();

    static SalvarLeerPuzzle2 flows(puzzlePictures());
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    TableroClass board;
    bool sliding = true;
    QByteArray pictureBytes;
    const SalvarLeerPuzzle2::Result result =
        flows.leerPuzzle(in, QStringLiteral("fuzz.pzz"), board, sliding, &pictureBytes);
    if (result.code != 0) {
        if (board.getCasillasX() != 0 || !sliding || !pictureBytes.isEmpty() ||
            (result.code > 0) == result.message.isEmpty())
            abort();
        return 0;
    }

    PzzFile pzz;
    if (PzzFile::read(bytes, pzz) != PzzFile::Check::Ok || pzz.toBytes() != bytes)
        abort();
    PzzFile back = pzz;
    if (!board.getBoard(back.homeColumns, back.homeRows, back.columns, back.rows, back.fichasX,
                        back.fichasY) ||
        back.toBytes() != bytes || board.getExtension() != pzz.extensionText() || sliding != pzz.sliding())
        abort();
    const int outOfPlace = board.NumeroDeFichasPorColocar();
    if (outOfPlace < 0 || outOfPlace > pzz.columns * pzz.rows || flows.picture().isNull() ||
        pictureBytes != pzz.picture)
        abort();
    return 0;
}
