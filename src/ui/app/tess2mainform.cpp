#include "app/tess2mainform.h"

#include "about/Ayuda.h"
#include "app/BoardAnimator.h"
#include "app/BoardView.h"
#include "app/BoardWidget.h"
#include "app/DropOpener.h"
#include "app/EditCommands.h"
#include "app/FormIdiomaInicial.h"
#include "app/GameKeeper.h"
#include "app/KeyboardController.h"
#include "app/MainActions.h"
#include "app/StatusPanels.h"
#include "changeSizeImage.h"
#include "dialog/DialogRules.h"
#include "io/RunTimeError.h"
#include "platform/Messages.h"
#include "settings/ConfigFileHandler.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"
#include "view/BoardLayout.h"
#include "view/Twips.h"

#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

namespace
{
const char *const Ctx = "tess2mainform";
} // namespace

tess2mainform::tess2mainform(const QString &commandLine, QWidget *parent)
    : QMainWindow(parent), m_commandLine(commandLine), m_resourceFolder(comun::programFolder())
{
    setObjectName(QStringLiteral("tess2mainform"));
    m_started.start();
    m_clock = [this] { return m_started.elapsed(); };
    m_session.setReducer([](const QImage &picture) {
        changeSizeImage reducer;
        return reducer.setPicture(picture) ? reducer.picReduced() : QImage();
    });

    m_view = new BoardView(m_session, this);
    setCentralWidget(m_view);
    m_actions = new MainActions(this);
    m_status = new StatusPanels(statusBar());
    m_keyboard = new KeyboardController(m_view->boardWidget(), m_session);
    m_edit = new EditCommands(this, *m_actions, m_session, new BoardAnimator(m_view, m_session));
    wireCommands();
    wireSession();
    // The dialog runs its own loop, which must not start inside the drop's delivery.
    connect(new DropOpener(this), &DropOpener::fileDropped, this, &tess2mainform::abrirDialogoEn,
            Qt::QueuedConnection);
    m_keeper = std::make_unique<GameKeeper>(*this);

    // A close that comes from the session ending asks nothing and saves nothing.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { sessionCommitting(); });
}

// Out of line so the owned objects' types are complete here.
tess2mainform::~tess2mainform() = default;

void tess2mainform::wireCommands()
{
    MainActions *a = m_actions;
    connect(a->m_actAbrir, &QAction::triggered, this, &tess2mainform::abrirDialogoNuevoPuzzle);
    connect(a->m_actGuardar, &QAction::triggered, this, &tess2mainform::guardarPuzzle);
    connect(a->m_actSalir, &QAction::triggered, this, &tess2mainform::cerrarPrograma);
    connect(a->m_actIngles, &QAction::triggered, this, [this] { setLanguageCommand(ModuloIdioma::English); });
    connect(a->m_actEspanol, &QAction::triggered, this,
            [this] { setLanguageCommand(ModuloIdioma::Spanish); });
    connect(a->m_actPorUnosSegundos, &QAction::triggered, this, &tess2mainform::M_Por_Unos_Segundos);
    connect(a->m_actVentanaIndependiente, &QAction::triggered, this, &tess2mainform::M_Ventana_Independiente);
    // The check mark toggles in the command itself, so the action must not toggle it first.
    connect(a->m_actVerSoloPiezasMontadas, &QAction::triggered, this, [this] {
        m_actions->m_actVerSoloPiezasMontadas->setChecked(
            !m_actions->m_actVerSoloPiezasMontadas->isChecked());
        M_Ver_Solo_Piezas_Montadas();
    });
    connect(a->m_actAyudaDeTesselon, &QAction::triggered, this, &tess2mainform::M_Ayuda_De_Tesselon);
    connect(a->m_actAcercaDe, &QAction::triggered, this, &tess2mainform::M_Acerca_de);
    connect(m_view, &BoardView::zoomed, this, &tess2mainform::updateZoomButtons);
}

void tess2mainform::wireSession()
{
    BoardWidget *board = m_view->boardWidget();
    connect(board, &BoardWidget::pressed, &m_session, &GameSession::press);
    connect(board, &BoardWidget::released, &m_session, &GameSession::release);
    connect(&m_session, &GameSession::started, this, &tess2mainform::onGameStarted);
    m_session.setPlaceListener(m_view);
    connect(&m_session, &GameSession::stateChanged, this, &tess2mainform::onStateChanged);
    connect(&m_session, &GameSession::statusChanged, this, &tess2mainform::actualizarBarraEstado);
}

ConfigFileHandler &tess2mainform::configFile()
{
    if (!ConfigFile) {
        ConfigFileHandler::setErrorReporter([this](const QString &text) { Messages::show(this, text); });
        ConfigFile = std::make_unique<ConfigFileHandler>();
    }
    return *ConfigFile;
}

Dialog &tess2mainform::dialog()
{
    if (!m_dialog) {
        DialogHost host;
        host.config = [this]() -> ConfigFileHandler & { return configFile(); };
        host.commandLine = m_commandLine;
        host.endProgram = [] { std::exit(1); };
        m_dialog = new Dialog(host, this);
    }
    return *m_dialog;
}

void tess2mainform::placeWindow()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // The 98 % × 95 % are the whole window's, frame included; the frame is known once
        // the native window exists.
        winId();
        const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        const QRect s = screen->geometry();
        const int width = int(float(s.width() * 0.98));
        const int height = int(float(s.height() * 0.95));
        resize(width - frame.left() - frame.right(), height - frame.top() - frame.bottom());
        const int left = int(float((s.width() - frameGeometry().width()) / 2.0));
        move(s.left() + left, s.top() + qRound(Twips::toPixelsY(30)));
    }
    setMinimumSize(qRound(Twips::toPixelsX(BoardLayout::MinWindowSide)),
                   qRound(Twips::toPixelsY(BoardLayout::MinWindowSide)));
}

void tess2mainform::chooseFirstLanguage()
{
    ConfigFileHandler &config = configFile();
    if (config.getPrimeraVezQueSeEjecuta()) {
        config.setPrimeraVezQueSeEjecuta(false);
        FormIdiomaInicial chooser([this](qint16 language) { setLanguageCommand(language); }, this);
        chooser.exec();
    }
    ModuloIdioma::setIdioma(config.getLanguage());
    m_actions->checkLanguage(config.getLanguage() == ModuloIdioma::Spanish);
    m_actions->setIdiomaMainForm(ModuloIdioma::idioma());
    m_edit->setLanguage(ModuloIdioma::idioma());
}

void tess2mainform::startUpWithoutDialog()
{
    m_keys.seedFromSystem();
    const QString dataFolder = comun::getDataFolder();
    if (!QDir(dataFolder).exists() && !QDir().mkpath(dataFolder)) {
        // Playing needs no data folder; only the settings are then not kept.
        Messages::show(
            this, ModuloIdioma::text(Ctx, "The folder %1 cannot be created; your settings will not be kept.")
                      .arg(QDir::toNativeSeparators(dataFolder)));
    }
    setEstado(GameState::NoPicture);
    setWindowTitle(QStringLiteral("Tesselon"));
    cargarIcono();
    placeWindow();
    m_view->prepararAreaTablero();
    chooseFirstLanguage();
    crearBarraHerramientas();
    show();
    m_view->colocarControles();
    actualizarBarraEstado();
}

void tess2mainform::startUp()
{
    startUpWithoutDialog();
    // Without a file to open, the game the last run left is continued at once.
    if (!m_commandLine.isEmpty() || !m_keeper->resume())
        abrirDialogoNuevoPuzzle();
    if (m_session.state() == GameState::NoPicture)
        setEstado(GameState::NoPicture);
}

void tess2mainform::crearBarraHerramientas()
{
    m_actions->crearBarraHerramientas(m_resourceFolder);
    m_edit->addButtons(m_resourceFolder);
    MainActions *a = m_actions;
    connect(a->m_btnAbrir, &QAction::triggered, this, &tess2mainform::abrirDialogoNuevoPuzzle);
    connect(a->m_btnGuardar, &QAction::triggered, this, &tess2mainform::guardarPuzzle);
    connect(a->m_btnFit, &QAction::triggered, m_view, &BoardView::zoomFit);
    connect(a->m_btnZoomOut, &QAction::triggered, m_view, &BoardView::zoomOut);
    connect(a->m_btnZoomIn, &QAction::triggered, m_view, &BoardView::zoomIn);
    if (m_session.state() == GameState::NoPicture) {
        showZoomButtons(false, false, false);
        a->m_btnGuardar->setEnabled(false);
    }
}

void tess2mainform::showZoomButtons(bool fit, bool out, bool in)
{
    m_actions->m_btnFit->setVisible(fit);
    m_actions->m_btnZoomOut->setVisible(out);
    m_actions->m_btnZoomIn->setVisible(in);
}

void tess2mainform::updateZoomButtons()
{
    showZoomButtons(m_actions->m_btnFit->isVisible(), m_view->zoomOutVisible(), m_view->zoomInVisible());
}

void tess2mainform::setLanguageCommand(qint16 language)
{
    m_actions->checkLanguage(language == ModuloIdioma::Spanish);
    configFile().setLanguage(language);
    ModuloIdioma::setIdioma(language);
    m_actions->setIdiomaMainForm(language);
    m_edit->setLanguage(language);
    if (m_dialog)
        m_dialog->applyLanguage();
    if (m_acercaDe && m_acercaDe->isVisible()) {
        // Unloaded and loaded again so every text is the new language's.
        delete m_acercaDe.data();
        M_Acerca_de();
    }
    actualizarBarraEstado();
}

// ---- game state and status bar ----

void tess2mainform::setEstado(GameState state)
{
    if (!m_actions->hasToolbar())
        return;
    if (state == GameState::Assembled)
        closeVentanita();
    const bool playing = state == GameState::Playing;
    m_view->boardWidget()->setInputEnabled(playing);
    const bool saveOn = saveOffered(state, m_session.archivoSinPath());
    m_actions->m_actGuardar->setEnabled(saveOn);
    m_actions->m_btnGuardar->setEnabled(saveOn);
    m_actions->m_actVerMontado->setEnabled(playing);
    m_actions->m_menuVerMontado->setEnabled(playing);
    const bool zoom = state != GameState::NoPicture;
    showZoomButtons(zoom, zoom, zoom);
    if (state == GameState::NoPicture)
        m_status->setSimpleText(QStringLiteral("SIN IMAGEN"));
    actualizarBarraEstado();
}

void tess2mainform::actualizarBarraEstado()
{
    const TableroClass &board = m_session.board();
    StatusBarInput input;
    input.estado = qint32(m_session.state());
    input.language = ModuloIdioma::idioma();
    input.columns = board.getCasillasX();
    input.rows = board.getCasillasY();
    input.porColocar = board.NumeroDeFichasPorColocar();
    input.movimientos = board.getNumeroDeMovimientos();
    input.archivoSinPath = m_session.archivoSinPath();
    m_status->refresh(input);
}

// ---- commands ----

void tess2mainform::abrirDialogoEn(const QString &path)
{
    dialog().selectFile(path);
    abrirDialogoNuevoPuzzle();
}

void tess2mainform::abrirDialogoNuevoPuzzle()
{
    Dialog &d = dialog();
    d.setSaveMode(false);
    if (d.exec() != QDialog::Accepted)
        return;
    std::optional<GameSetup> choice = d.choice();
    if (!choice)
        return;
    // The puzzle file in play, confirmed again, goes on with the board as it is now.
    if (!choice->board && DialogRules::isPuzzleFileName(choice->archivoSinPath) &&
        m_session.state() != GameState::NoPicture)
        choice->board = m_session.board();
    Nuevopuzzle(*choice);
}

void tess2mainform::guardarPuzzle()
{
    Dialog &d = dialog();
    d.beginSave(m_session.current());
    if (d.exec() == QDialog::Accepted)
        m_keeper->keepSaved(d.savedPath());
    d.setSaveMode(false);
}

void tess2mainform::Nuevopuzzle(const GameSetup &setup)
{
    closeVentanita();
    try {
        m_session.start(setup);
    } catch (const RunTimeError &e) {
        Messages::show(this, e.description());
    } catch (const std::exception &e) {
        Messages::show(this, QString::fromLocal8Bit(e.what()));
    }
}

void tess2mainform::onGameStarted()
{
    closeVentanita();
    try {
        setEstado(GameState::Playing);
        m_view->newBoard();
        m_view->PaintTablero();
        actualizarBarraEstado();
    } catch (const RunTimeError &e) {
        Messages::show(this, e.description());
    }
}

void tess2mainform::onStateChanged(GameState state)
{
    setEstado(state);
    if (state == GameState::Assembled)
        m_view->paintAssembled();
    else
        m_view->PaintTablero();
}

void tess2mainform::cerrarPrograma()
{
    // Exit is the player's own request, even while the session is saving.
    m_sessionEnding = false;
    close();
}

bool tess2mainform::confirmClose()
{
    const QString text = ModuloIdioma::text(Ctx, "Do you want to close the program?");
    return Messages::show(this, text, Messages::Buttons::YesNo, Messages::Icon::Information,
                          Messages::Answer::No) == Messages::Answer::Yes;
}

void tess2mainform::unloadOtherWindows()
{
    closeVentanita();
    if (m_dialog)
        m_dialog->prepareUnload();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->hide();
    }
}

// The one way out: the close box, the window menu, Exit and the session's end all come here.
void tess2mainform::closeEvent(QCloseEvent *event)
{
    // Only a close the player did not ask for may pass unasked: the program's own, or one
    // while the session ends. A player's close after a session save that went on still asks.
    const bool sessionEnding = m_sessionEnding && !event->spontaneous();
    m_sessionEnding = false;
    try {
        if (m_closingByProgram || sessionEnding) {
            event->accept();
            return;
        }
        if (!confirmClose()) {
            event->ignore();
            return;
        }
        configFile().saveConfigFile();
        unloadOtherWindows();
        m_closingByProgram = true;
        if (m_wait)
            m_wait->quit();
        event->accept();
        qApp->quit();
    } catch (...) {
        event->accept();
        qApp->exit(1);
    }
}

void tess2mainform::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (isMinimized())
        return;
    // A window manager may ignore the minimum size; the window then grows back to it.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize outer = event->size().grownBy(frame);
    const QSizeF twips(Twips::fromPixelsX(outer.width()), Twips::fromPixelsY(outer.height()));
    const QSizeF snapped = BoardLayout::snapWindowSize(twips);
    if (snapped != twips)
        resize(QSize(qRound(Twips::toPixelsX(snapped.width())), qRound(Twips::toPixelsY(snapped.height())))
                   .shrunkBy(frame)
                   .expandedTo(event->size()));
}

void tess2mainform::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    m_view->colocarControles();
    if (!m_ventanita)
        return;
    if (isMinimized())
        m_ventanita->hide();
    else if (m_ventanita->mark() == QLatin1String("visible"))
        m_ventanita->show();
}

// ---- view aids ----

void tess2mainform::M_Por_Unos_Segundos()
{
    if (m_session.boardPicture().isNull())
        return;
    m_view->paintAssembled();
    const qint64 start = m_clock();
    QEventLoop loop;
    m_wait = &loop;
    // The window keeps working during the wait: commands chosen meanwhile run at once, and
    // a close ends the wait at once.
    while (m_clock() - start < 3000 && !m_closingByProgram && !QCoreApplication::closingDown()) {
        const qint64 left = qBound<qint64>(qint64(1), 3000 - (m_clock() - start), qint64(50));
        QTimer::singleShot(int(left), &loop, &QEventLoop::quit);
        loop.exec();
    }
    m_wait = nullptr;
    if (!m_closingByProgram)
        m_view->PaintTablero();
}

void tess2mainform::M_Ventana_Independiente()
{
    if (!m_ventanita)
        m_ventanita = new FormVentanita(this);
    const QImage &board = m_session.boardPicture();
    m_ventanita->cargarImagen(m_dialog ? m_dialog->picture() : board, board.size());
    m_ventanita->show();
    m_ventanita->alwaysOnTop(true);
    m_ventanita->setMark(QStringLiteral("visible"));
}

void tess2mainform::closeVentanita()
{
    if (!m_ventanita)
        return;
    // The mark goes with the window, even before its deletion has run.
    m_ventanita->setMark(QString());
    m_ventanita->close();
}

void tess2mainform::M_Ver_Solo_Piezas_Montadas()
{
    QAction *item = m_actions->m_actVerSoloPiezasMontadas;
    item->setChecked(!item->isChecked());
    const bool on = item->isChecked();
    m_view->boardWidget()->setInputEnabled(!on && m_session.state() == GameState::Playing);
    m_actions->m_actPorUnosSegundos->setEnabled(!on);
    showZoomButtons(!on, !on, !on);
    if (on)
        m_view->PaintSoloMontadas();
    else
        m_view->PaintTablero();
}

// ---- help and About ----

void tess2mainform::M_Acerca_de()
{
    if (!m_acercaDe)
        m_acercaDe = new FormAcercaDe(m_keys, this);
    m_acercaDe->show();
    m_acercaDe->raise();
}

void tess2mainform::M_Ayuda_De_Tesselon()
{
    Ayuda::mostrarAyuda(this, ModuloIdioma::idioma(), m_resourceFolder);
}
