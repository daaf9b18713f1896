#pragma once

#include <QImage>
#include <QString>
#include <QtGlobal>

class QWidget;
class TableroClass;

// Reads and writes puzzle files (.pzz) and holds the picture of the last one read.
// Shows its own messages (through Messages) and answers with the result codes:
// 0 done, -1 not a puzzle file / overwrite declined, -2 unsupported version or an
// internal failure, otherwise the number of the error that stopped it.
class SalvarLeerPuzzle2
{
public:
    explicit SalvarLeerPuzzle2(QWidget *messageParent = nullptr);

    // Reads a puzzle file into the board and its picture into picture(). Everything is
    // checked before the board, the picture or the style flag change.
    qint16 leerPuzzle(const QString &aArchivoPuzzle, TableroClass &aTablero, bool &aJuegoDelCuadradito);
    QImage picture() const { return m_picture; }

    // Save kind 1..4 from the board and the source file's name.
    static int getComoHayQueSalvarlo(const TableroClass &aTablero, const QString &aArchivoSinPath);

    qint16 salvarPuzzle(const QString &aArchivo, const QString &aArchivoSinPath, const TableroClass &aTablero,
                        const QString &aPathDestino, const QString &aNombreArchivoDestino,
                        bool aJuegoDelCuadradito);

    qint16 salvarPuzzleFromImage(const QString &aArchivo, const QString &aArchivoSinPath,
                                 const TableroClass &aTablero, bool aJuegoDelCuadradito,
                                 const QString &aDestino);
    qint16 salvarImagenDelPuzzle(const QString &aArchivo, const QString &aArchivoSinPath,
                                 const QString &aDestino);
    static bool existeArchivo(const QString &path);

private:
    qint16 salvarPuzzleFromPuzzle(const QString &aArchivo, const QString &aArchivoSinPath,
                                  const TableroClass &aTablero, bool aJuegoDelCuadradito,
                                  const QString &aDestino);

    // Shows a writer's failure (its description alone) and answers its number.
    qint16 reportWriteError(int number, const QString &description) const;

    QWidget *m_parent;
    QImage m_picture;
};
