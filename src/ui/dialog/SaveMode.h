#pragma once

#include "game/GameSetup.h"

#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;
class SalvarLeerPuzzle2;

// The dialog's save mode: the game it saves, the name it suggests for it and the save
// itself, with its question and messages shown over the dialog.
class SaveMode : public QObject
{
    Q_OBJECT

public:
    // Creates LabelSalvarComo and TextSalvarComo, hidden, inside the dialog.
    explicit SaveMode(QWidget *dialog);

    QLabel *LabelSalvarComo = nullptr;
    QLineEdit *TextSalvarComo = nullptr;

    struct Suggestion {
        // Combo1's entry: 1 images, 2 puzzle files.
        int fileType = 1;
        QString name;
        int columns = 0;
        int rows = 0;
    };

    bool active() const { return m_active; }
    void setActive(bool active) { m_active = active; }
    void setGame(const GameSetup &game) { m_game = game; }
    const GameSetup &game() const { return m_game; }

    // What the name field and the lists start with for the game to save.
    Suggestion suggestion() const;
    void showName(const QString &name);
    void hideName();

    struct Destination {
        QString folder;
        QString name;
    };
    // Where a typed name saves: an absolute path or one under "~/" as it is, anything else
    // under the listed folder, whatever folder part it has.
    static Destination destinationOf(const QString &folder, const QString &typed);

    // Saves the game into the folder under the typed name, after the overwrite question
    // when the file is there, and answers the result code. A name the file system refuses
    // is emptied from the field.
    qint16 save(SalvarLeerPuzzle2 &files, const QString &folder);

private:
    QWidget *m_dialog;
    bool m_active = false;
    GameSetup m_game;
};
