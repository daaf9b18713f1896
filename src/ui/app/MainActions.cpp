#include "app/MainActions.h"

#include "io/RunTimeError.h"
#include "settings/ModuloIdioma.h"

#include <QAction>
#include <QDir>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>

namespace
{
const char *const Ctx = "tess2mainform";

// Each command's English caption; the Spanish form comes from the translation.
struct Caption {
    QAction *MainActions::*action;
    const char *caption;
};

const Caption kCaptions[] = {
    {&MainActions::m_actArchivo, QT_TRANSLATE_NOOP("tess2mainform", "File")},
    {&MainActions::m_actAbrir, QT_TRANSLATE_NOOP("tess2mainform", "Open")},
    {&MainActions::m_actGuardar, QT_TRANSLATE_NOOP("tess2mainform", "Save")},
    {&MainActions::m_actSalir, QT_TRANSLATE_NOOP("tess2mainform", "Exit")},
    {&MainActions::m_actIdioma, QT_TRANSLATE_NOOP("tess2mainform", "Language")},
    {&MainActions::m_actIngles, QT_TRANSLATE_NOOP("tess2mainform", "English")},
    {&MainActions::m_actEspanol, QT_TRANSLATE_NOOP("tess2mainform", "Español")},
    {&MainActions::m_actVerMontado, QT_TRANSLATE_NOOP("tess2mainform", "See it assembled")},
    {&MainActions::m_actPorUnosSegundos, QT_TRANSLATE_NOOP("tess2mainform", "For a few seconds")},
    {&MainActions::m_actVentanaIndependiente, QT_TRANSLATE_NOOP("tess2mainform", "In a new window")},
    {&MainActions::m_actVerSoloPiezasMontadas,
     QT_TRANSLATE_NOOP("tess2mainform", "See only assembled pieces")},
    {&MainActions::m_actAyuda, QT_TRANSLATE_NOOP("tess2mainform", "Help")},
    {&MainActions::m_actAyudaDeTesselon, QT_TRANSLATE_NOOP("tess2mainform", "Tesselon help")},
    {&MainActions::m_actAcercaDe, QT_TRANSLATE_NOOP("tess2mainform", "About")},
};
} // namespace

MainActions::MainActions(QMainWindow *window) : QObject(window), m_window(window)
{
    m_menuArchivo = addMenu("M_Archivo", "Archivo", m_actArchivo);
    m_actAbrir = addItem(m_menuArchivo, "M_Abrir", "Abrir");
    m_actGuardar = addItem(m_menuArchivo, "M_Guardar", "Guardar");
    m_actSalir = addItem(m_menuArchivo, "M_Salir", "Salir");
    m_menuIdioma = addMenu("M_Idioma", "Idioma", m_actIdioma);
    m_actIngles = addItem(m_menuIdioma, "M_Ingles", "Inglés");
    m_actEspanol = addItem(m_menuIdioma, "M_Español", "Español");
    m_menuVerMontado = addMenu("M_Ver_Montado", "Ver Montado", m_actVerMontado);
    m_actPorUnosSegundos = addItem(m_menuVerMontado, "M_Por_Unos_Segundos", "Por unos segundos");
    m_actVentanaIndependiente = addItem(m_menuVerMontado, "M_Ventana_Independiente", "Ventana independiente");
    m_actVerSoloPiezasMontadas =
        addItem(m_menuVerMontado, "M_Ver_Solo_Piezas_Montadas", "Ver solo piezas montadas");
    m_menuAyuda = addMenu("M_Ayuda", "Ayuda", m_actAyuda);
    m_actAyudaDeTesselon = addItem(m_menuAyuda, "M_Ayuda_De_Tesselon", "Ayuda de Tesselon");
    m_actAcercaDe = addItem(m_menuAyuda, "M_Acerca_de", "Acerca de");

    m_actAbrir->setShortcut(QKeySequence::Open);
    m_actGuardar->setShortcut(QKeySequence::Save);
    m_actSalir->setShortcut(QKeySequence::Quit);
    m_actSalir->setMenuRole(QAction::QuitRole);
    m_actIngles->setCheckable(true);
    m_actEspanol->setCheckable(true);
    m_actEspanol->setChecked(true);
    m_actVerSoloPiezasMontadas->setCheckable(true);
    m_actAyudaDeTesselon->setShortcut(QKeySequence::HelpContents);
}

QMenu *MainActions::addMenu(const char *name, const char *caption, QAction *&menuAction)
{
    QMenu *menu = m_window->menuBar()->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromUtf8(name));
    menuAction = menu->menuAction();
    menuAction->setObjectName(QString::fromUtf8(name));
    return menu;
}

QAction *MainActions::addItem(QMenu *menu, const char *name, const char *caption)
{
    QAction *action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    return action;
}

QAction *MainActions::addButton(const QString &key, const QIcon &icon)
{
    QAction *button = m_toolbar->addAction(icon, QString());
    button->setObjectName(key);
    button->setData(key);
    return button;
}

void MainActions::crearBarraHerramientas(const QString &resourceFolder)
{
    const std::pair<const char *, const char *> bitmaps[] = {
        {"abrir", "open.bmp"},      {"guardar", "save.bmp"}, {"zoom_out", "zoom_out.bmp"},
        {"zoom_in", "zoom_in.bmp"}, {"fit", "fit.bmp"},
    };
    QHash<QString, QIcon> images;
    for (const auto &[key, file] : bitmaps) {
        const QString path = resourceFolder + QStringLiteral("/icons/") + QString::fromUtf8(file);
        QPixmap pixmap;
        if (!pixmap.load(path))
            throw RunTimeError(RunTimeError::FileNotFound,
                               QStringLiteral("File not found: %1").arg(QDir::toNativeSeparators(path)),
                               QStringLiteral("crearBarraHerramientas"));
        images.insert(QString::fromUtf8(key), QIcon(pixmap));
    }

    m_toolbar = new QToolBar(m_window);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolbar->toggleViewAction()->setVisible(false);
    m_toolbar->addSeparator();
    m_btnAbrir = addButton(QStringLiteral("abrir"), images.value(QStringLiteral("abrir")));
    m_btnGuardar = addButton(QStringLiteral("guardar"), images.value(QStringLiteral("guardar")));
    m_toolbar->addSeparator();
    m_btnFit = addButton(QStringLiteral("fit"), images.value(QStringLiteral("fit")));
    m_btnZoomOut = addButton(QStringLiteral("zoom_out"), images.value(QStringLiteral("zoom_out")));
    m_btnZoomIn = addButton(QStringLiteral("zoom_in"), images.value(QStringLiteral("zoom_in")));
    m_btnZoomIn->setShortcuts(QKeySequence::ZoomIn);
    m_btnZoomOut->setShortcuts(QKeySequence::ZoomOut);
    m_btnFit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    m_window->addToolBar(Qt::TopToolBarArea, m_toolbar);
    for (QAction *button : {m_btnAbrir, m_btnGuardar, m_btnFit, m_btnZoomOut, m_btnZoomIn}) {
        button->setShortcutContext(Qt::WindowShortcut);
        // The buttons carry no caption; their keys name them for assistive technology.
        if (QWidget *w = m_toolbar->widgetForAction(button))
            w->setAccessibleName(button->objectName());
    }
}

void MainActions::setIdiomaMainForm(qint16 language)
{
    if (language != ModuloIdioma::English && language != ModuloIdioma::Spanish)
        return;
    for (const Caption &c : kCaptions)
        (this->*c.action)->setText(ModuloIdioma::text(language, Ctx, c.caption));
}

void MainActions::checkLanguage(bool spanish)
{
    m_actEspanol->setChecked(spanish);
    m_actIngles->setChecked(!spanish);
}
