#include "app/tess2mainform.h"

#include "about/Ayuda.h"
#include "about/FormAcercaDe.h"
#include "app/BoardWidget.h"
#include "app/FormIdiomaInicial.h"
#include "app/FormVentanita.h"
#include "board/RasterOp.h"
#include "changeSizeImage.h"
#include "dialog/Dialog.h"
#include "game/GameSetup.h"
#include "io/RunTimeError.h"
#include "platform/Messages.h"
#include "settings/ConfigFileHandler.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"
#include "view/BoardLayout.h"
#include "view/StatusBarTexts.h"
#include "view/Twips.h"

#include <cmath>
#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <QWindowStateChangeEvent>

namespace
{
const char *const Ctx = "tess2mainform";

// Menu captions as the window is designed (Spanish); the language commands replace them.
struct MenuItem {
    const char *name;
    const char *parent;
    const char *designCaption;
    const char *caption; // English; the Spanish form comes from the translation
};

const MenuItem kMenuItems[] = {
    {"M_Archivo", nullptr, "Archivo", QT_TRANSLATE_NOOP("tess2mainform", "File")},
    {"M_Abrir", "M_Archivo", "Abrir", QT_TRANSLATE_NOOP("tess2mainform", "Open")},
    {"M_Guardar", "M_Archivo", "Guardar", QT_TRANSLATE_NOOP("tess2mainform", "Save")},
    {"M_Salir", "M_Archivo", "Salir", QT_TRANSLATE_NOOP("tess2mainform", "Exit")},
    {"M_Idioma", nullptr, "Idioma", QT_TRANSLATE_NOOP("tess2mainform", "Language")},
    {"M_Ingles", "M_Idioma", "Inglés", QT_TRANSLATE_NOOP("tess2mainform", "English")},
    {"M_Español", "M_Idioma", "Español", QT_TRANSLATE_NOOP("tess2mainform", "Español")},
    {"M_Ver_Montado", nullptr, "Ver Montado", QT_TRANSLATE_NOOP("tess2mainform", "See it assembled")},
    {"M_Por_Unos_Segundos", "M_Ver_Montado", "Por unos segundos",
     QT_TRANSLATE_NOOP("tess2mainform", "For a few seconds")},
    {"M_Ventana_Independiente", "M_Ver_Montado", "Ventana independiente",
     QT_TRANSLATE_NOOP("tess2mainform", "In a new window")},
    {"M_Ver_Solo_Piezas_Montadas", "M_Ver_Montado", "Ver solo piezas montadas",
     QT_TRANSLATE_NOOP("tess2mainform", "See only assembled pieces")},
    {"M_Ayuda", nullptr, "Ayuda", QT_TRANSLATE_NOOP("tess2mainform", "Help")},
    {"M_Ayuda_De_Tesselon", "M_Ayuda", "Ayuda de Tesselon",
     QT_TRANSLATE_NOOP("tess2mainform", "Tesselon help")},
    {"M_Acerca_de", "M_Ayuda", "Acerca de", QT_TRANSLATE_NOOP("tess2mainform", "About")},
};

struct ToolbarBitmap {
    const char *key;
    const char *file;
};

const ToolbarBitmap kBitmaps[] = {
    {"abrir", "open.bmp"},      {"guardar", "save.bmp"}, {"zoom_out", "zoom_out.bmp"},
    {"zoom_in", "zoom_in.bmp"}, {"fit", "fit.bmp"},
};

bool endsWithPzz(const QString &name)
{
    return name.right(4) == QLatin1String(".pzz");
}
} // namespace

tess2mainform::tess2mainform(const QString &commandLine, QWidget *parent)
    : QMainWindow(parent), m_commandLine(commandLine), m_resourceFolder(comun::programFolder())
{
    setObjectName(QStringLiteral("tess2mainform"));
    m_clock = [] {
        static QElapsedTimer timer;
        if (!timer.isValid())
            timer.start();
        return timer.elapsed();
    };

    m_client = new QWidget(this);
    setCentralWidget(m_client);
    PicContenedor = new QWidget(m_client);
    PicContenedor->setObjectName(QStringLiteral("PicContenedor"));
    PicContenedor->setAutoFillBackground(true);
    PicDestino = new BoardWidget(PicContenedor);
    PicDestino->setBoardImage(&m_renderer.image());
    HScroll1 = new QScrollBar(Qt::Horizontal, m_client);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    VScroll1 = new QScrollBar(Qt::Vertical, m_client);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { placeBoard(); });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this] { placeBoard(); });
    connect(PicDestino, &BoardWidget::pressed, this, &tess2mainform::onBoardPressed);
    connect(PicDestino, &BoardWidget::released, this, &tess2mainform::onBoardReleased);

    m_renderer.setTablero(&Tablero);
    m_move.tablero = &Tablero;

    createMenus();
    createStatusBar();

    // A close that comes from the session ending asks nothing and saves nothing.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { m_sessionEnding = true; });
}

// Out of line so the owned objects' types are complete here.
tess2mainform::~tess2mainform() = default;

void tess2mainform::createMenus()
{
    for (const MenuItem &item : kMenuItems) {
        const QString name = QString::fromUtf8(item.name);
        const QString caption = QString::fromUtf8(item.designCaption);
        if (!item.parent) {
            QMenu *menu = menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            m_menus.insert(name, menu);
            m_actions.insert(name, menu->menuAction());
            continue;
        }
        QAction *action = m_menus.value(QString::fromUtf8(item.parent))->addAction(caption);
        action->setObjectName(name);
        m_actions.insert(name, action);
    }

    QAction *abrir = m_actions.value(QStringLiteral("M_Abrir"));
    abrir->setShortcut(QKeySequence::Open);
    connect(abrir, &QAction::triggered, this, &tess2mainform::abrirDialogoNuevoPuzzle);
    QAction *guardar = m_actions.value(QStringLiteral("M_Guardar"));
    guardar->setShortcut(QKeySequence::Save);
    connect(guardar, &QAction::triggered, this, &tess2mainform::guardarPuzzle);
    QAction *salir = m_actions.value(QStringLiteral("M_Salir"));
    salir->setShortcut(QKeySequence::Quit);
    salir->setMenuRole(QAction::QuitRole);
    connect(salir, &QAction::triggered, this, &tess2mainform::cerrarPrograma);

    QAction *ingles = m_actions.value(QStringLiteral("M_Ingles"));
    QAction *espanol = m_actions.value(QStringLiteral("M_Español"));
    ingles->setCheckable(true);
    espanol->setCheckable(true);
    espanol->setChecked(true);
    connect(ingles, &QAction::triggered, this, [this] { setLanguageCommand(ModuloIdioma::English); });
    connect(espanol, &QAction::triggered, this, [this] { setLanguageCommand(ModuloIdioma::Spanish); });

    connect(m_actions.value(QStringLiteral("M_Por_Unos_Segundos")), &QAction::triggered, this,
            &tess2mainform::M_Por_Unos_Segundos);
    connect(m_actions.value(QStringLiteral("M_Ventana_Independiente")), &QAction::triggered, this,
            &tess2mainform::M_Ventana_Independiente);
    QAction *soloMontadas = m_actions.value(QStringLiteral("M_Ver_Solo_Piezas_Montadas"));
    soloMontadas->setCheckable(true);
    // The check mark toggles in the command itself, so the action must not toggle it first.
    connect(soloMontadas, &QAction::triggered, this, [this, soloMontadas] {
        soloMontadas->setChecked(!soloMontadas->isChecked());
        M_Ver_Solo_Piezas_Montadas();
    });

    QAction *ayuda = m_actions.value(QStringLiteral("M_Ayuda_De_Tesselon"));
    ayuda->setShortcut(QKeySequence::HelpContents);
    connect(ayuda, &QAction::triggered, this, &tess2mainform::M_Ayuda_De_Tesselon);
    connect(m_actions.value(QStringLiteral("M_Acerca_de")), &QAction::triggered, this,
            &tess2mainform::M_Acerca_de);
}

void tess2mainform::createStatusBar()
{
    m_panelBox = new QWidget(statusBar());
    auto *layout = new QHBoxLayout(m_panelBox);
    layout->setContentsMargins(0, 0, 0, 0);
    const int panelWidth = qRound(Twips::toPixelsX(1440));
    for (int i = 1; i <= 6; ++i) {
        auto *panel = new QLabel(m_panelBox);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setMinimumWidth(panelWidth);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        layout->addWidget(panel, i == 2 ? 2 : 1);
        m_panels.append(panel);
    }
    m_simpleText = new QLabel(statusBar());
    m_simpleText->setObjectName(QStringLiteral("SimpleText"));
    statusBar()->addWidget(m_panelBox, 1);
    statusBar()->addWidget(m_simpleText, 1);
    statusBar()->setSizeGripEnabled(true);
    m_simpleText->hide();
}

QLabel *tess2mainform::statusPanel(int number) const
{
    return number >= 1 && number <= m_panels.size() ? m_panels.at(number - 1) : nullptr;
}

bool tess2mainform::statusSimpleMode() const
{
    return !m_simpleText->isHidden();
}

QAction *tess2mainform::action(const QString &name) const
{
    return m_actions.value(name);
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

void tess2mainform::cargarIcono()
{
    // A missing or unreadable icon keeps the built-in one.
    setWindowIcon(comun::windowIcon(m_resourceFolder));
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
    setEstado(0);
    setWindowTitle(QStringLiteral("Tesselon"));
    cargarIcono();

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
    setMinimumSize(qRound(Twips::toPixelsX(4000)), qRound(Twips::toPixelsY(4000)));

    prepararAreaTablero();

    ConfigFileHandler &config = configFile();
    if (config.getPrimeraVezQueSeEjecuta()) {
        config.setPrimeraVezQueSeEjecuta(false);
        FormIdiomaInicial chooser([this](qint16 language) { setLanguageCommand(language); }, this);
        chooser.exec();
    }

    ModuloIdioma::setIdioma(config.getLanguage());
    const bool spanish = config.getLanguage() == ModuloIdioma::Spanish;
    m_actions.value(QStringLiteral("M_Español"))->setChecked(spanish);
    m_actions.value(QStringLiteral("M_Ingles"))->setChecked(!spanish);
    setIdiomaMainForm();

    crearBarraHerramientas();
    show();
    colocarControles();
    actualizarBarraEstado();
}

void tess2mainform::startUp()
{
    startUpWithoutDialog();
    abrirDialogoNuevoPuzzle();
    if (PicOrigen.isNull())
        setEstado(0);
}

void tess2mainform::crearBarraHerramientas()
{
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setContextMenuPolicy(Qt::PreventContextMenu);
    Toolbar1->toggleViewAction()->setVisible(false);

    QHash<QString, QIcon> images;
    for (const ToolbarBitmap &bitmap : kBitmaps) {
        const QString path = m_resourceFolder + QStringLiteral("/icons/") + QString::fromUtf8(bitmap.file);
        QPixmap pixmap;
        if (!pixmap.load(path))
            throw RunTimeError(RunTimeError::FileNotFound,
                               QStringLiteral("File not found: %1").arg(QDir::toNativeSeparators(path)),
                               QStringLiteral("crearBarraHerramientas"));
        images.insert(QString::fromUtf8(bitmap.key), QIcon(pixmap));
    }

    auto addButton = [this, &images](const QString &key) {
        QAction *button = Toolbar1->addAction(images.value(key), QString());
        button->setObjectName(key);
        button->setData(key);
        m_buttons.insert(key, button);
        return button;
    };
    Toolbar1->addSeparator();
    QAction *abrir = addButton(QStringLiteral("abrir"));
    QAction *guardar = addButton(QStringLiteral("guardar"));
    Toolbar1->addSeparator();
    QAction *fit = addButton(QStringLiteral("fit"));
    QAction *zoomOutButton = addButton(QStringLiteral("zoom_out"));
    QAction *zoomInButton = addButton(QStringLiteral("zoom_in"));
    connect(abrir, &QAction::triggered, this, &tess2mainform::abrirDialogoNuevoPuzzle);
    connect(guardar, &QAction::triggered, this, &tess2mainform::guardarPuzzle);
    connect(fit, &QAction::triggered, this, &tess2mainform::zoomFit);
    connect(zoomOutButton, &QAction::triggered, this, &tess2mainform::zoomOut);
    connect(zoomInButton, &QAction::triggered, this, &tess2mainform::zoomIn);
    zoomInButton->setShortcuts(QKeySequence::ZoomIn);
    zoomOutButton->setShortcuts(QKeySequence::ZoomOut);
    fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    for (QAction *button : {zoomInButton, zoomOutButton, fit})
        button->setShortcutContext(Qt::WindowShortcut);
    addToolBar(Qt::TopToolBarArea, Toolbar1);
    // The buttons carry no caption; their keys name them for assistive technology.
    for (auto it = m_buttons.constBegin(); it != m_buttons.constEnd(); ++it) {
        if (QWidget *w = Toolbar1->widgetForAction(it.value()))
            w->setAccessibleName(it.key());
    }

    if (getEstado() == 0) {
        fit->setVisible(false);
        zoomOutButton->setVisible(false);
        zoomInButton->setVisible(false);
        guardar->setEnabled(false);
    }
}

void tess2mainform::setIdiomaMainForm()
{
    const qint16 language = ModuloIdioma::idioma();
    if (language != ModuloIdioma::English && language != ModuloIdioma::Spanish)
        return;
    for (const MenuItem &item : kMenuItems) {
        QAction *action = m_actions.value(QString::fromUtf8(item.name));
        action->setText(ModuloIdioma::text(language, Ctx, item.caption));
    }
}

void tess2mainform::setLanguageCommand(qint16 language)
{
    const bool spanish = language == ModuloIdioma::Spanish;
    m_actions.value(QStringLiteral("M_Español"))->setChecked(spanish);
    m_actions.value(QStringLiteral("M_Ingles"))->setChecked(!spanish);
    configFile().setLanguage(language);
    ModuloIdioma::setIdioma(language);
    setIdiomaMainForm();
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

void tess2mainform::setEstado(int n)
{
    estado = n;
    if (m_buttons.isEmpty())
        return;
    // Each row is independent: one that cannot be applied never stops the others.
    if (n == 2)
        closeVentanita();
    if (n == 0 || n == 1 || n == 2) {
        PicDestino->setInputEnabled(n == 1);
        bool saveOn = n == 1;
        if (n == 2)
            saveOn = m_dialog && endsWithPzz(m_dialog->ArchivoSinPath);
        m_actions.value(QStringLiteral("M_Guardar"))->setEnabled(saveOn);
        m_buttons.value(QStringLiteral("guardar"))->setEnabled(saveOn);
        m_actions.value(QStringLiteral("M_Ver_Montado"))->setEnabled(n == 1);
        m_menus.value(QStringLiteral("M_Ver_Montado"))->setEnabled(n == 1);
        for (const char *key : {"fit", "zoom_out", "zoom_in"})
            m_buttons.value(QString::fromLatin1(key))->setVisible(n != 0);
        if (n == 0)
            m_simpleText->setText(QStringLiteral("SIN IMAGEN"));
    }
    actualizarBarraEstado();
}

void tess2mainform::actualizarBarraEstado()
{
    StatusBarInput input;
    input.estado = estado;
    input.language = ModuloIdioma::idioma();
    input.columns = Tablero.getCasillasX();
    input.rows = Tablero.getCasillasY();
    input.porColocar = Tablero.NumeroDeFichasPorColocar();
    input.movimientos = Tablero.getNumeroDeMovimientos();
    input.archivoSinPath = m_dialog ? m_dialog->ArchivoSinPath : QString();
    m_status.simpleText = m_simpleText->text();
    m_status = StatusBarTexts::refresh(m_status, input);
    for (int i = 0; i < 6; ++i)
        m_panels.at(i)->setText(m_status.panels[size_t(i)]);
    m_simpleText->setText(m_status.simpleText);
    m_panelBox->setVisible(!m_status.simple);
    m_simpleText->setVisible(m_status.simple);
}

// ---- commands ----

void tess2mainform::abrirDialogoNuevoPuzzle()
{
    Dialog &d = dialog();
    d.setSaveMode(false);
    d.exec();
    if (!d.Ok)
        return;
    // A puzzle file's arrangement reaches the game only now that the player confirmed it.
    if (const std::optional<GameSetup> chosen = d.choice(); chosen && chosen->board)
        Tablero = *chosen->board;
    Nuevopuzzle();
}

void tess2mainform::guardarPuzzle()
{
    Dialog &d = dialog();
    GameSetup current;
    current.archivo = d.Archivo;
    current.archivoSinPath = d.ArchivoSinPath;
    current.extension = Tablero.getExtension();
    current.columns = Tablero.getCasillasX();
    current.rows = Tablero.getCasillasY();
    current.sliding = d.theJuegoDelCuadradito;
    current.board = Tablero;
    d.beginSave(current);
    d.exec();
    d.setSaveMode(false);
}

void tess2mainform::Nuevopuzzle()
{
    closeVentanita();
    try {
        Dialog &d = dialog();
        PicOrigen = d.picture();
        if (PicOrigen.isNull())
            throw RunTimeError(RunTimeError::InvalidPicture,
                               ModuloIdioma::text(Ctx, "The picture cannot be shown."));
        if (PicOrigen.width() > 1001 || PicOrigen.height() > 901) {
            changeSizeImage reducer;
            if (reducer.setPicture(PicOrigen))
                PicOrigen = reducer.picReduced();
        }
        if (!d.theCargadoMedioMontado.value_or(false))
            Tablero.Inicializar(d.PartesX, d.PartesY, d.PartesX, d.PartesY, d.theExtension, true,
                                d.optionDificil());
        d.theJuegoDelCuadradito = d.optionDificil();
        m_renderer.setSource(PicOrigen);
        m_renderer.setSliding(sliding());
        setEstado(1);
        prepararAreaTablero();

        zoom = BoardLayout::fitZoom(QSizeF(m_boardWidth, m_boardHeight), sourceTwips());
        const QSizeF board = BoardLayout::boardSize(sourceTwips(), zoom);
        setBoardSize(board.width(), board.height());

        m_move.lista.reset(int(qint16(d.PartesX * d.PartesY)) + 1);
        PaintTablero();
        actualizarBarraEstado();
    } catch (const RunTimeError &e) {
        Messages::show(this, e.description());
    } catch (const std::exception &e) {
        Messages::show(this, QString::fromLocal8Bit(e.what()));
    }
}

void tess2mainform::cerrarPrograma()
{
    try {
        if (!confirmClose())
            return;
        configFile().saveConfigFile();
        unloadOtherWindows();
        m_closingByProgram = true;
        close();
        qApp->quit();
    } catch (...) {
        qApp->exit(1);
    }
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

void tess2mainform::closeEvent(QCloseEvent *event)
{
    try {
        if (m_closingByProgram || m_sessionEnding) {
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
        event->accept();
        qApp->quit();
    } catch (...) {
        event->accept();
        qApp->exit(1);
    }
}

// ---- layout, scrolling and zoom ----

void tess2mainform::prepararAreaTablero()
{
    VScroll1->hide();
    HScroll1->hide();
    HScroll1->setFocusPolicy(Qt::NoFocus);
    VScroll1->setFocusPolicy(Qt::NoFocus);
    HScroll1->setSingleStep(1);
    VScroll1->setSingleStep(1);
    colocarControles();
    const QSizeF view = viewportTwips();
    setBoardSize(view.width(), view.height());
}

void tess2mainform::colocarControles()
{
    if (isMinimized() || m_inLayout)
        return;
    m_inLayout = true;
    const double toolbarH = Toolbar1 && Toolbar1->isVisible() ? Twips::fromPixelsY(Toolbar1->height()) : 0.0;
    const double statusH = Twips::fromPixelsY(statusBar()->height());
    const QSizeF inner(Twips::fromPixelsX(m_client->width()),
                       Twips::fromPixelsY(m_client->height()) + toolbarH + statusH);
    const BoardLayout::Controls c = BoardLayout::colocarControles(inner, float(statusH));

    // The viewport rule counts from the top of the client area, which the toolbar
    // shares with us; our child widgets start below it.
    auto toRect = [toolbarH](const QRectF &twips) {
        const int left = qRound(Twips::toPixelsX(twips.left()));
        const int top = qMax(0, qRound(Twips::toPixelsY(twips.top() - toolbarH)));
        return QRect(left, top, qMax(0, qRound(Twips::toPixelsX(twips.width()))),
                     qMax(0, qRound(Twips::toPixelsY(twips.height()))));
    };
    const QRect viewport = toRect(c.viewport);
    PicContenedor->setGeometry(viewport);
    HScroll1->setGeometry(viewport.left(), viewport.bottom() + 1, viewport.width(),
                          qRound(Twips::toPixelsY(BoardLayout::ScrollBarThickness)));
    VScroll1->setGeometry(viewport.right() + 1, viewport.top(),
                          qRound(Twips::toPixelsX(BoardLayout::ScrollBarThickness)), viewport.height());
    m_inLayout = false;
    ajustarBarrasDesplazamiento();
}

QSizeF tess2mainform::viewportTwips() const
{
    return QSizeF(Twips::fromPixelsX(PicContenedor->width()), Twips::fromPixelsY(PicContenedor->height()));
}

void tess2mainform::ajustarBarrasDesplazamiento()
{
    const BoardLayout::Scrolling bars =
        BoardLayout::ajustarBarrasDesplazamiento(QSizeF(m_boardWidth, m_boardHeight), viewportTwips(),
                                                 qint16(HScroll1->value()), qint16(VScroll1->value()));
    VScroll1->setVisible(bars.vertical.visible);
    HScroll1->setVisible(bars.horizontal.visible);
    {
        const QSignalBlocker blockV(VScroll1);
        const QSignalBlocker blockH(HScroll1);
        VScroll1->setRange(bars.vertical.rangeMinimum(), bars.vertical.rangeMaximum());
        HScroll1->setRange(bars.horizontal.rangeMinimum(), bars.horizontal.rangeMaximum());
        VScroll1->setPageStep(qMax(1, int(bars.vertical.largeChange)));
        HScroll1->setPageStep(qMax(1, int(bars.horizontal.largeChange)));
        VScroll1->setValue(bars.vertical.position);
        HScroll1->setValue(bars.horizontal.position);
    }
    m_vMaximum = bars.vertical.maximum;
    m_hMaximum = bars.horizontal.maximum;
    placeBoard();
}

void tess2mainform::placeBoard()
{
    const int left = qRound(Twips::toPixelsX(BoardLayout::boardOffset(qint16(HScroll1->value()))));
    const int top = qRound(Twips::toPixelsY(BoardLayout::boardOffset(qint16(VScroll1->value()))));
    PicDestino->move(left, top);
}

void tess2mainform::setBoardSize(double widthTwips, double heightTwips)
{
    m_boardWidth = widthTwips;
    m_boardHeight = heightTwips;
    const QSizeF logical(Twips::toPixelsX(widthTwips), Twips::toPixelsY(heightTwips));
    m_renderer.setDevicePixelRatio(devicePixelRatioF());
    m_renderer.setBoardSize(logical);
    // The surface is exactly as large as the image it shows.
    const QImage &image = m_renderer.image();
    const qreal dpr = image.isNull() ? 1.0 : image.devicePixelRatio();
    PicDestino->resize(qMax(1, int(std::lround(image.width() / dpr))),
                       qMax(1, int(std::lround(image.height() / dpr))));
}

void tess2mainform::applyZoom(float newZoom)
{
    zoom = newZoom;
    const QSizeF board = BoardLayout::boardSize(sourceTwips(), zoom);
    setBoardSize(board.width(), board.height());
    const qint16 oldV = m_vMaximum;
    const qint16 oldH = m_hMaximum;
    PaintTablero();
    // A scroll position keeps its place relative to the new range.
    VScroll1->setValue(BoardLayout::keepRelativePosition(oldV, m_vMaximum, qint16(VScroll1->value())));
    HScroll1->setValue(BoardLayout::keepRelativePosition(oldH, m_hMaximum, qint16(HScroll1->value())));
    updateZoomButtons();
}

QSizeF tess2mainform::sourceTwips() const
{
    return QSizeF(Twips::fromPixelsX(PicOrigen.width()), Twips::fromPixelsY(PicOrigen.height()));
}

void tess2mainform::updateZoomButtons()
{
    const QSizeF board(m_boardWidth, m_boardHeight);
    if (QAction *out = m_buttons.value(QStringLiteral("zoom_out")))
        out->setVisible(BoardLayout::zoomOutVisible(board));
    if (QAction *in = m_buttons.value(QStringLiteral("zoom_in")))
        in->setVisible(BoardLayout::zoomInVisible(board));
}

void tess2mainform::zoomIn()
{
    zoomCommand([this] { return BoardLayout::zoomIn(zoom); });
}

void tess2mainform::zoomOut()
{
    zoomCommand([this] { return BoardLayout::zoomOut(zoom); });
}

void tess2mainform::zoomFit()
{
    zoomCommand([this] { return BoardLayout::fitZoom(viewportTwips(), sourceTwips()); });
}

void tess2mainform::zoomCommand(const std::function<float()> &newZoom)
{
    if (PicOrigen.isNull())
        return;
    try {
        applyZoom(newZoom());
    } catch (const RunTimeError &e) {
        // A board too large for memory: go back to the fit, which always fits.
        Messages::show(this, e.description());
        try {
            applyZoom(BoardLayout::fitZoom(viewportTwips(), sourceTwips()));
        } catch (const RunTimeError &) {
        }
    }
}

void tess2mainform::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    colocarControles();
}

void tess2mainform::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    colocarControles();
    if (!m_ventanita)
        return;
    if (isMinimized())
        m_ventanita->hide();
    else if (m_ventanita->mark() == QLatin1String("visible"))
        m_ventanita->show();
}

// ---- painting ----

void tess2mainform::updateBoardRect(const QRect &deviceRect)
{
    if (!deviceRect.isEmpty())
        PicDestino->update(m_renderer.logicalRect(deviceRect));
}

void tess2mainform::PaintTablero()
{
    try {
        m_renderer.setSliding(sliding());
        updateBoardRect(m_renderer.PaintTablero(estado));
    } catch (const RunTimeError &e) {
        Messages::show(this, QStringLiteral("Error in PaintTablero. ") + e.description());
    } catch (const std::exception &e) {
        Messages::show(this, QStringLiteral("Error in PaintTablero. ") + QString::fromLocal8Bit(e.what()));
    }
    ajustarBarrasDesplazamiento();
}

void tess2mainform::PaintCasilla(qint16 column, qint16 row, quint32 rasterOp)
{
    m_renderer.setSliding(sliding());
    updateBoardRect(m_renderer.PaintCasilla(column, row, rasterOp));
}

void tess2mainform::DibujarRejilla()
{
    updateBoardRect(m_renderer.DibujarRejilla());
}

void tess2mainform::PaintSoloMontadas()
{
    m_renderer.setSliding(sliding());
    updateBoardRect(m_renderer.PaintSoloMontadas());
}

void tess2mainform::paintAssembled()
{
    updateBoardRect(m_renderer.paintAssembled());
}

// ---- moves ----

bool tess2mainform::sliding() const
{
    return m_dialog && m_dialog->theJuegoDelCuadradito;
}
qint16 tess2mainform::partesX() const
{
    return m_dialog ? m_dialog->PartesX : Tablero.getCasillasX();
}
qint16 tess2mainform::partesY() const
{
    return m_dialog ? m_dialog->PartesY : Tablero.getCasillasY();
}

void tess2mainform::onBoardPressed(int button, int shift, float x, float y)
{
    const auto paint = [this](qint16 c, qint16 r, quint32 op) { PaintCasilla(c, r, op); };
    handleMoveOutcome(MoveRules::mouseDown(m_move, sliding(), button, shift, x, y, float(PicDestino->width()),
                                           float(PicDestino->height()), partesX(), partesY(), paint));
}

void tess2mainform::onBoardReleased(int button, int shift, float x, float y)
{
    const auto paint = [this](qint16 c, qint16 r, quint32 op) { PaintCasilla(c, r, op); };
    handleMoveOutcome(MoveRules::mouseUp(m_move, sliding(), button, shift, x, y, float(PicDestino->width()),
                                         float(PicDestino->height()), partesX(), partesY(), paint));
}

void tess2mainform::handleMoveOutcome(const MoveRules::Outcome &outcome)
{
    if (outcome.completed) {
        setEstado(2);
        paintAssembled();
    }
    if (outcome.refreshStatus)
        actualizarBarraEstado();
}

// ---- view aids ----

void tess2mainform::M_Por_Unos_Segundos()
{
    if (PicOrigen.isNull())
        return;
    paintAssembled();
    const qint64 start = m_clock();
    QEventLoop loop;
    // The window keeps working during the wait: commands chosen meanwhile run at once.
    while (m_clock() - start < 3000) {
        const qint64 left = qBound<qint64>(qint64(1), 3000 - (m_clock() - start), qint64(50));
        QTimer::singleShot(int(left), &loop, &QEventLoop::quit);
        loop.exec();
        if (QCoreApplication::closingDown())
            break;
    }
    PaintTablero();
}

void tess2mainform::M_Ventana_Independiente()
{
    if (!m_ventanita)
        m_ventanita = new FormVentanita(this);
    m_ventanita->cargarImagen(m_dialog ? m_dialog->picture() : PicOrigen, PicOrigen.size());
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
    QAction *item = m_actions.value(QStringLiteral("M_Ver_Solo_Piezas_Montadas"));
    item->setChecked(!item->isChecked());
    const bool on = item->isChecked();
    PicDestino->setInputEnabled(!on && estado == 1);
    m_actions.value(QStringLiteral("M_Por_Unos_Segundos"))->setEnabled(!on);
    for (const char *key : {"fit", "zoom_out", "zoom_in"}) {
        if (QAction *button = m_buttons.value(QString::fromLatin1(key)))
            button->setVisible(!on);
    }
    if (on)
        PaintSoloMontadas();
    else
        PaintTablero();
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
