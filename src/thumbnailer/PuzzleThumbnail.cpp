#include "PuzzleThumbnail.h"

#include "PictureLoader.h"
#include "board/TableroClass.h"
#include "io/RunTimeError.h"
#include "puzzlefile/PzzFile.h"
#include "view/BoardRenderer.h"

#include <utility>

namespace PuzzleThumbnail
{

QImage render(QByteArray puzzleFile, int side)
{
    if (side < 1)
        return {};
    PzzFile pzz;
    if (PzzFile::read(std::move(puzzleFile), pzz) != PzzFile::Check::Ok)
        return {};
    TableroClass board;
    if (!board.setBoard(pzz.homeColumns, pzz.homeRows, pzz.columns, pzz.rows, pzz.fichasX, pzz.fichasY,
                        pzz.extensionText()))
        return {};

    // The pieces are cut from the picture in proportion to its size, so decoding it
    // straight at the thumbnail's size cuts the same pieces the game shows, without ever
    // holding the full picture where the format can avoid it.
    const QSize natural = PictureLoader::peekSize(pzz.picture);
    if (!natural.isValid() || natural.isEmpty())
        return {};
    QSize fitted = natural;
    if (natural.width() > side || natural.height() > side)
        fitted = natural.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const QImage picture = PictureLoader::loadDataScaled(pzz.picture, fitted);
    if (picture.isNull())
        return {};

    try {
        BoardRenderer renderer;
        renderer.setSource(picture);
        renderer.setTablero(&board);
        renderer.setSliding(pzz.sliding());
        renderer.setBoardSize(QSizeF(fitted));
        renderer.PaintTablero(1);
        return renderer.image();
    } catch (const RunTimeError &) {
        return {};
    }
}

} // namespace PuzzleThumbnail
