#pragma once

#include <QObject>
#include <QString>

#include "settings/ExtraSettings.h"

class BoardAnimator;
class GameSession;
class MainActions;
class QAction;
class QMainWindow;
class QMenu;
class QWidget;

// The Edit menu after File: undo and redo of the session's moves, from the menu, the keys
// and two toolbar buttons, and the check item that turns the pieces' glide on and off.
class EditCommands : public QObject
{
    Q_OBJECT
public:
    // The glide follows the check item, kept in the second settings file.
    EditCommands(QMainWindow *window, MainActions &actions, GameSession &session, BoardAnimator *animator);

    // Adds the two buttons after the save button; a missing bitmap leaves a button with its
    // caption only, as nothing in the game depends on its picture.
    void addButtons(const QString &resourceFolder);
    // Undo and redo are offered while there is a move to take back or to make again and the
    // board shows the game (not only the placed pieces, not an empty window).
    void update();
    void setLanguage(qint16 language);

    QMenu *m_menuEditar = nullptr;
    QAction *m_actEditar = nullptr;
    QAction *m_actDeshacer = nullptr;
    QAction *m_actRehacer = nullptr;
    QAction *m_actAnimaciones = nullptr;
    QAction *m_btnDeshacer = nullptr;
    QAction *m_btnRehacer = nullptr;

private:
    QAction *addButton(const QString &key, const QString &file, QAction *before);

    QMainWindow *m_window;
    MainActions &m_actions;
    GameSession &m_session;
    QString m_resourceFolder;
    ExtraSettings m_settings;
    QWidget *m_board;
};
