#pragma once

#include "PictureLoader.h"
#include "puzzlefile/SalvarLeerPuzzle2.h"

// The puzzle-file flows see pictures through the program's one picture loader.
inline SalvarLeerPuzzle2::PictureDecoder puzzlePictures()
{
    return {[](const QByteArray &bytes) { return PictureLoader::loadData(bytes); },
            [](const QByteArray &bytes) { return PictureLoader::peekSize(bytes).isValid(); }};
}
