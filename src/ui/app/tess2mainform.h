#pragma once

#include "about/FormAcercaDe.h"
#include "about/KeyStore.h"
#include "app/FormVentanita.h"
#include "dialog/Dialog.h"
#include "game/GameSession.h"
#include "settings/comun.h"

#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class BoardView;
class BoardWidget;
class ConfigFileHandler;
class GameKeeper;
class EditCommands;
class KeyboardController;
class MainActions;
class QEventLoop;
class QLabel;
class QScrollBar;
class StatusPanels;

// The main window, a front end of the game session: it wires menus, toolbar and the board
// to the session, shows what the session reports, and owns the settings and the other windows.
class tess2mainform : public QMainWindow
{
    Q_OBJECT
public:
    explicit tess2mainform(const QString &commandLine = QString(), QWidget *parent = nullptr);
    ~tess2mainform() override;

    // Runs the start-up steps up to showing the window and opening the first new-puzzle
    // dialog. Throws RunTimeError when start-up cannot go on.
    void startUp();

    // Start-up without the first dialog, for tests that drive the window themselves.
    void startUpWithoutDialog();

    void Nuevopuzzle(const GameSetup &setup);
    void cerrarPrograma();
    void abrirDialogoNuevoPuzzle();
    // The dialog with a file already selected, as for a file named on the command line.
    void abrirDialogoEn(const QString &path);
    void guardarPuzzle();

    // Sets every command to match the game state.
    void setEstado(GameState state);
    void actualizarBarraEstado();
    void setLanguageCommand(qint16 language);

    void M_Por_Unos_Segundos();
    void M_Ventana_Independiente();
    void M_Ver_Solo_Piezas_Montadas();
    void M_Acerca_de();
    void M_Ayuda_De_Tesselon();

    // The session manager asks the program to save its data: the session may be ending.
    void sessionCommitting() { m_sessionEnding = true; }

    // What the dialog and the tests reach of what the window owns.
    GameSession &session() { return m_session; }
    ConfigFileHandler &configFile();
    Dialog &dialog();
    FormVentanita *ventanita() const { return m_ventanita; }
    FormAcercaDe *acercaDe() const { return m_acercaDe; }
    KeyStore &keyStore() { return m_keys; }
    BoardView *boardView() const { return m_view; }
    MainActions *actions() const { return m_actions; }
    StatusPanels *statusPanels() const { return m_status; }
    GameKeeper *keeper() const { return m_keeper.get(); }
    EditCommands *editCommands() const { return m_edit; }
    KeyboardController *keyboard() const { return m_keyboard; }

    // Where icons/ is looked for; the program's own folder unless a test says otherwise.
    void setResourceFolder(const QString &folder) { m_resourceFolder = folder; }

    // The three-second view reads this clock (milliseconds); tests replace it.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void wireCommands();
    void wireSession();
    // A missing or unreadable icon keeps the built-in one.
    void cargarIcono() { setWindowIcon(comun::windowIcon(m_resourceFolder)); }
    void placeWindow();
    void chooseFirstLanguage();
    void crearBarraHerramientas();
    void onGameStarted();
    void onStateChanged(GameState state);
    void showZoomButtons(bool fit, bool out, bool in);
    void updateZoomButtons();
    void closeVentanita();
    bool confirmClose();
    void unloadOtherWindows();

    QString m_commandLine;
    QString m_resourceFolder;
    GameSession m_session;
    std::unique_ptr<ConfigFileHandler> ConfigFile;
    QPointer<Dialog> m_dialog;
    QPointer<FormVentanita> m_ventanita;
    QPointer<FormAcercaDe> m_acercaDe;
    KeyStore m_keys;

    MainActions *m_actions = nullptr;
    BoardView *m_view = nullptr;
    StatusPanels *m_status = nullptr;
    EditCommands *m_edit = nullptr;
    KeyboardController *m_keyboard = nullptr;

    QElapsedTimer m_started;
    std::function<qint64()> m_clock;
    QPointer<QEventLoop> m_wait;
    bool m_closingByProgram = false;
    bool m_sessionEnding = false;
    // Last member: it writes the game while the session is still there.
    std::unique_ptr<GameKeeper> m_keeper;
};
