#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The main window's commands: the menu bar in its designed order with its Spanish design
// captions, and the toolbar with its five bitmaps. Every command is a member of its own;
// the object names stay the design's names, by which assistive technology and tests find them.
class MainActions : public QObject
{
    Q_OBJECT
public:
    explicit MainActions(QMainWindow *window);

    // Loads the toolbar bitmaps from the icons folder and adds the buttons, the zoom
    // buttons hidden and saving off. Throws RunTimeError(53) naming a missing bitmap.
    void crearBarraHerramientas(const QString &resourceFolder);
    bool hasToolbar() const { return m_toolbar != nullptr; }
    QToolBar *toolbar() const { return m_toolbar; }

    // The captions of English or Spanish; any other language keeps the design captions.
    void setIdiomaMainForm(qint16 language);
    void checkLanguage(bool spanish);

    QMenu *m_menuArchivo = nullptr;
    QMenu *m_menuIdioma = nullptr;
    QMenu *m_menuVerMontado = nullptr;
    QMenu *m_menuAyuda = nullptr;
    QAction *m_actArchivo = nullptr;
    QAction *m_actAbrir = nullptr;
    QAction *m_actGuardar = nullptr;
    QAction *m_actSalir = nullptr;
    QAction *m_actIdioma = nullptr;
    QAction *m_actIngles = nullptr;
    QAction *m_actEspanol = nullptr;
    QAction *m_actVerMontado = nullptr;
    QAction *m_actPorUnosSegundos = nullptr;
    QAction *m_actVentanaIndependiente = nullptr;
    QAction *m_actVerSoloPiezasMontadas = nullptr;
    QAction *m_actAyuda = nullptr;
    QAction *m_actAyudaDeTesselon = nullptr;
    QAction *m_actAcercaDe = nullptr;

    // Toolbar buttons, null until the toolbar exists.
    QAction *m_btnAbrir = nullptr;
    QAction *m_btnGuardar = nullptr;
    QAction *m_btnFit = nullptr;
    QAction *m_btnZoomOut = nullptr;
    QAction *m_btnZoomIn = nullptr;

private:
    QMenu *addMenu(const char *name, const char *caption, QAction *&menuAction);
    QAction *addItem(QMenu *menu, const char *name, const char *caption);
    QAction *addButton(const QString &key, const QIcon &icon);

    QMainWindow *m_window;
    QToolBar *m_toolbar = nullptr;
};
