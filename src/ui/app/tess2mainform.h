#pragma once

#include "about/FormAcercaDe.h"
#include "about/KeyStore.h"
#include "app/FormVentanita.h"
#include "board/MoveRules.h"
#include "board/TableroClass.h"
#include "dialog/Dialog.h"
#include "view/BoardRenderer.h"
#include "view/StatusBarTexts.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class BoardWidget;
class ConfigFileHandler;
class Dialog;
class FormVentanita;
class QAction;
class QLabel;
class QMenu;
class QScrollBar;
class QToolBar;

// The main window: it owns the board, the settings, the source picture and the game
// state, lays out the board viewport, and wires menus, toolbar and mouse to the rules.
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

    void Nuevopuzzle();
    void cerrarPrograma();
    void abrirDialogoNuevoPuzzle();
    void guardarPuzzle();

    void setEstado(int n);
    int getEstado() const { return estado; }
    void actualizarBarraEstado();

    void PaintTablero();
    void PaintCasilla(qint16 column, qint16 row, quint32 rasterOp);
    void DibujarRejilla();
    void PaintSoloMontadas();
    void paintAssembled();

    void zoomIn();
    void zoomOut();
    void zoomFit();

    void setLanguageCommand(qint16 language);

    void M_Por_Unos_Segundos();
    void M_Ventana_Independiente();
    void M_Ver_Solo_Piezas_Montadas();
    void M_Acerca_de();
    void M_Ayuda_De_Tesselon();

    // Accessors through which the dialog and the tests reach what the window owns.
    TableroClass &tablero() { return Tablero; }
    ConfigFileHandler &configFile();
    Dialog &dialog();
    FormVentanita *ventanita() const { return m_ventanita; }
    FormAcercaDe *acercaDe() const { return m_acercaDe; }
    KeyStore &keyStore() { return m_keys; }
    BoardWidget *boardWidget() const { return PicDestino; }
    const QImage &boardImage() const { return m_renderer.image(); }
    const QImage &sourcePicture() const { return PicOrigen; }
    float getZoom() const { return zoom; }
    QAction *action(const QString &name) const;
    QAction *toolbarButton(const QString &key) const { return m_buttons.value(key); }
    QLabel *statusPanel(int number) const;
    QLabel *statusSimpleText() const { return m_simpleText; }
    bool statusSimpleMode() const;
    QScrollBar *hScroll() const { return HScroll1; }
    QScrollBar *vScroll() const { return VScroll1; }
    QWidget *viewport() const { return PicContenedor; }

    // Where icons/ is looked for; the program's own folder unless a test says otherwise.
    void setResourceFolder(const QString &folder) { m_resourceFolder = folder; }

    // The three-second view reads this clock (milliseconds); tests replace it.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createMenus();
    void crearBarraHerramientas();
    void createStatusBar();
    void cargarIcono();
    void setIdiomaMainForm();
    void prepararAreaTablero();
    void colocarControles();
    void ajustarBarrasDesplazamiento();
    void applyZoom(float newZoom);
    void zoomCommand(const std::function<float()> &newZoom);
    QSizeF viewportTwips() const;
    QSizeF sourceTwips() const;
    void setBoardSize(double widthTwips, double heightTwips);
    void placeBoard();
    void updateZoomButtons();
    void onBoardPressed(int button, int shift, float x, float y);
    void onBoardReleased(int button, int shift, float x, float y);
    void handleMoveOutcome(const MoveRules::Outcome &outcome);
    void updateBoardRect(const QRect &deviceRect);
    void closeVentanita();
    bool confirmClose();
    void unloadOtherWindows();
    bool sliding() const;
    qint16 partesX() const;
    qint16 partesY() const;

    QString m_commandLine;
    QString m_resourceFolder;
    TableroClass Tablero;
    std::unique_ptr<ConfigFileHandler> ConfigFile;
    QPointer<Dialog> m_dialog;
    QPointer<FormVentanita> m_ventanita;
    QPointer<FormAcercaDe> m_acercaDe;
    KeyStore m_keys;

    QImage PicOrigen;
    int estado = 0;
    float zoom = 1.0f;
    MoveRules::MoveState m_move;
    BoardRenderer m_renderer;

    // Board size and position in 1/1440 inch, as the layout rules reason.
    double m_boardWidth = 0;
    double m_boardHeight = 0;
    qint16 m_hMaximum = 0;
    qint16 m_vMaximum = 0;
    StatusBarState m_status;

    QWidget *m_client = nullptr;
    QWidget *PicContenedor = nullptr;
    BoardWidget *PicDestino = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QScrollBar *VScroll1 = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QAction *> m_buttons;
    QHash<QString, QMenu *> m_menus;
    QList<QLabel *> m_panels;
    QLabel *m_simpleText = nullptr;
    QWidget *m_panelBox = nullptr;

    std::function<qint64()> m_clock;
    bool m_closingByProgram = false;
    bool m_sessionEnding = false;
    bool m_inLayout = false;
};
