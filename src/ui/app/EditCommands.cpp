#include "app/EditCommands.h"

#include "app/AccessibleNames.h"
#include "app/BoardAnimator.h"
#include "app/BoardView.h"
#include "app/MainActions.h"
#include "app/Mnemonics.h"
#include "game/GameSession.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QShortcut>
#include <QToolBar>

namespace
{
const char *const Ctx = "EditCommands";
} // namespace

EditCommands::EditCommands(QMainWindow *window, MainActions &actions, GameSession &session,
                           BoardAnimator *animator)
    : QObject(window), m_window(window), m_actions(actions), m_session(session),
      m_settings(comun::getDataFolder()), m_board(animator->boardWidget())
{
    m_menuEditar = new QMenu(window);
    m_menuEditar->setObjectName(QStringLiteral("M_Editar"));
    m_actEditar = window->menuBar()->insertMenu(actions.m_actIdioma, m_menuEditar);
    m_actEditar->setObjectName(QStringLiteral("M_Editar"));
    m_actDeshacer = m_menuEditar->addAction(QString());
    m_actDeshacer->setObjectName(QStringLiteral("M_Deshacer"));
    m_actDeshacer->setShortcut(QKeySequence::Undo);
    m_actRehacer = m_menuEditar->addAction(QString());
    m_actRehacer->setObjectName(QStringLiteral("M_Rehacer"));
    // Both of the desktop's redo keys work, whichever the platform's theme names.
    m_actRehacer->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_menuEditar->addSeparator();
    m_actAnimaciones = m_menuEditar->addAction(QString());
    m_actAnimaciones->setObjectName(QStringLiteral("M_Animaciones"));
    m_actAnimaciones->setCheckable(true);
    m_actAnimaciones->setChecked(m_settings.animations());
    animator->setEnabled(m_settings.animations());
    connect(m_actAnimaciones, &QAction::toggled, this, [this, animator](bool on) {
        animator->setEnabled(on);
        m_settings.setAnimations(on);
    });
    // F10 opens the first menu, as Alt alone does.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    connect(f10, &QShortcut::activated, this,
            [this] { m_window->menuBar()->setActiveAction(m_actions.m_actArchivo); });
    connect(m_actDeshacer, &QAction::triggered, &m_session, &GameSession::undo);
    connect(m_actRehacer, &QAction::triggered, &m_session, &GameSession::redo);
    for (auto signal : {&GameSession::started, &GameSession::statusChanged})
        connect(&m_session, signal, this, &EditCommands::update);
    connect(&m_session, &GameSession::stateChanged, this, &EditCommands::update);
    connect(actions.m_actVerSoloPiezasMontadas, &QAction::toggled, this, &EditCommands::update);
    setLanguage(ModuloIdioma::English);
    update();
}

QAction *EditCommands::addButton(const QString &key, const QString &file, QAction *before)
{
    QToolBar *toolbar = m_actions.toolbar();
    QPixmap pixmap;
    pixmap.load(m_resourceFolder + QStringLiteral("/icons/") + file);
    auto *button = new QAction(QIcon(pixmap), QString(), toolbar);
    button->setObjectName(key);
    button->setData(key);
    toolbar->insertAction(before, button);
    return button;
}

void EditCommands::addButtons(const QString &resourceFolder)
{
    m_resourceFolder = resourceFolder;
    QToolBar *toolbar = m_actions.toolbar();
    if (!toolbar)
        return;
    // After the file buttons, in a group of their own before the zoom buttons.
    const QList<QAction *> all = toolbar->actions();
    QAction *before = all.value(all.indexOf(m_actions.m_btnGuardar) + 1);
    m_btnDeshacer = addButton(QStringLiteral("deshacer"), QStringLiteral("undo.bmp"), before);
    m_btnRehacer = addButton(QStringLiteral("rehacer"), QStringLiteral("redo.bmp"), before);
    toolbar->insertSeparator(m_btnDeshacer);
    connect(m_btnDeshacer, &QAction::triggered, m_actDeshacer, &QAction::trigger);
    connect(m_btnRehacer, &QAction::triggered, m_actRehacer, &QAction::trigger);
    setLanguage(ModuloIdioma::idioma());
    update();
}

void EditCommands::update()
{
    const bool boardShown =
        m_session.state() != GameState::NoPicture && !m_actions.m_actVerSoloPiezasMontadas->isChecked();
    const bool undoOn = boardShown && m_session.canUndo();
    const bool redoOn = boardShown && m_session.canRedo();
    m_actDeshacer->setEnabled(undoOn);
    m_actRehacer->setEnabled(redoOn);
    if (m_btnDeshacer) {
        m_btnDeshacer->setEnabled(undoOn);
        m_btnRehacer->setEnabled(redoOn);
    }
}

void EditCommands::setLanguage(qint16 language)
{
    // Galician has no captions of its own for these commands and shows the English ones.
    const auto text = [language](const char *source) { return ModuloIdioma::text(language, Ctx, source); };
    m_actEditar->setText(text(QT_TRANSLATE_NOOP("EditCommands", "&Edit")));
    m_actDeshacer->setText(text(QT_TRANSLATE_NOOP("EditCommands", "&Undo")));
    m_actRehacer->setText(text(QT_TRANSLATE_NOOP("EditCommands", "&Redo")));
    m_actAnimaciones->setText(text(QT_TRANSLATE_NOOP("EditCommands", "&Animations")));
    if (m_btnDeshacer) {
        m_btnDeshacer->setText(text(QT_TRANSLATE_NOOP("EditCommands", "Undo")));
        m_btnRehacer->setText(text(QT_TRANSLATE_NOOP("EditCommands", "Redo")));
        m_btnDeshacer->setToolTip(m_btnDeshacer->text());
        m_btnRehacer->setToolTip(m_btnRehacer->text());
        for (QAction *button : {m_btnDeshacer, m_btnRehacer}) {
            if (QWidget *w = m_actions.toolbar()->widgetForAction(button))
                w->setAccessibleName(button->text());
        }
    }
    // The other buttons and the board are named with these, at start and at each change.
    AccessibleNames::apply(m_actions, m_board, language);
    Mnemonics::assign(m_window->menuBar());
}
