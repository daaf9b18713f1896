#pragma once

#include "puzzlefile/PzzFile.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>

#include <functional>

class QIODevice;
class TableroClass;

// Reads and writes puzzle files (.pzz) and holds the picture of the last one read. It
// never shows anything: each operation answers a result code (0 done, -1 not a puzzle
// file / overwrite declined, -2 unsupported version, otherwise the number of the error
// that stopped it) and the text the window is to show, in the player's language.
class SalvarLeerPuzzle2
{
public:
    struct Result {
        qint16 code = 0;
        // Empty when there is nothing to tell the player.
        QString message;
    };

    // How pictures are told apart and decoded; the core knows no picture formats of its
    // own, so the caller hands in its picture loader.
    struct PictureDecoder {
        // The picture, or a null image when the bytes are not one that can be shown.
        std::function<QImage(const QByteArray &)> decode;
        // Whether the bytes look like a picture that can be shown, found without decoding.
        std::function<bool(const QByteArray &)> recognises;
    };

    // What one reading of a puzzle file found, before the board, the picture or the style
    // change. Making it needs neither the player's language nor this object, so it may be
    // made on another thread and then taken on the window's.
    struct Reading {
        enum class Outcome { Read, NotPuzzleFile, UnsupportedVersion, Damaged, CannotOpen };
        Outcome outcome = Outcome::CannotOpen;
        // The file as messages name it.
        QString name;
        // Why the file could not be opened: the program's error number and the system's words.
        int errorNumber = 0;
        QString reason;
        PzzFile pzz;
        QImage picture;
    };

    // Asked with the question to show before an existing file is replaced; true replaces it.
    using OverwriteQuestion = std::function<bool(const QString &question)>;

    explicit SalvarLeerPuzzle2(PictureDecoder decoder);

    // Reads a puzzle file into the board and its picture into picture(), and the picture's
    // encoded bytes into aPictureBytes when asked for. Everything is checked before any of
    // them or the style flag change. The bytes are not kept here: a caller that does not
    // want them should not pay for holding a second large picture.
    Result leerPuzzle(const QString &aArchivoPuzzle, TableroClass &aTablero, bool &aJuegoDelCuadradito,
                      QByteArray *aPictureBytes = nullptr);
    // The same from an open device; the name is the one messages give the file.
    Result leerPuzzle(QIODevice &in, const QString &name, TableroClass &aTablero, bool &aJuegoDelCuadradito,
                      QByteArray *aPictureBytes = nullptr);
    QImage picture() const { return m_picture; }

    static Reading readPuzzleFile(const QString &path, const PictureDecoder &decoder);
    static Reading readPuzzleFile(QIODevice &in, const QString &name, const PictureDecoder &decoder);
    // Takes a reading as leerPuzzle does, with the same result and message.
    Result takeReading(Reading &&reading, TableroClass &aTablero, bool &aJuegoDelCuadradito,
                       QByteArray *aPictureBytes = nullptr);
    const PictureDecoder &decoder() const { return m_decoder; }

    // Save kind 1..4 from the board and the source file's name.
    static int getComoHayQueSalvarlo(const TableroClass &aTablero, const QString &aArchivoSinPath);

    Result salvarPuzzle(const QString &aArchivo, const QString &aArchivoSinPath, const TableroClass &aTablero,
                        const QString &aPathDestino, const QString &aNombreArchivoDestino,
                        bool aJuegoDelCuadradito, const OverwriteQuestion &overwrite);

    Result salvarPuzzleFromImage(const QString &aArchivo, const QString &aArchivoSinPath,
                                 const TableroClass &aTablero, bool aJuegoDelCuadradito,
                                 const QString &aDestino);
    Result salvarImagenDelPuzzle(const QString &aArchivo, const QString &aArchivoSinPath,
                                 const QString &aDestino);
    static bool existeArchivo(const QString &path);

private:
    Result salvarPuzzleFromPuzzle(const QString &aArchivo, const TableroClass &aTablero,
                                  const QString &aDestino);

    PictureDecoder m_decoder;
    QImage m_picture;
};
