#include "window/WindowTestKit.h"

#include "about/Ayuda.h"
#include "about/FormAcercaDe.h"
#include "about/KeyStore.h"
#include "app/StatusBarTexts.h"
#include "app/tess2mainform.h"
#include "board/TableroClass.h"
#include "dialog/Dialog.h"
#include "dialog/DialogRules.h"
#include "platform/Messages.h"
#include "puzzlefile/SalvarLeerPuzzle2.h"
#include "settings/ModuloIdioma.h"

#include <QAction>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <utility>

using namespace WindowTestKit;

namespace
{

// What a language without a text of its own shows instead of a message or caption.
const QString NoText = QStringLiteral("<no text>");

QString shown()
{
    const QStringList texts = Messages::shownTexts();
    Messages::clearShown();
    return texts.isEmpty() ? NoText : texts.join(QStringLiteral(" | "));
}

QString orNoText(const std::optional<QString> &text) { return text.value_or(NoText); }

// One row for each of English (0), Spanish (1), Galician (2) and a value the program does
// not know (7).
void addRows(const char *key, const QString &english, const QString &spanish, const QString &galician,
             const QString &other)
{
    const std::pair<int, QString> cases[] = {{0, english}, {1, spanish}, {2, galician}, {7, other}};
    for (const auto &[language, expected] : cases)
        QTest::addRow("%s [%d]", key, language) << QString::fromUtf8(key) << language << expected;
}

void addSpanishOrEnglish(const char *key, const QString &english, const QString &spanish)
{
    addRows(key, english, spanish, english, english);
}

void addSame(const char *key, const QString &text) { addRows(key, text, text, text, text); }

// English and Spanish from the language tables; any other value keeps the designed caption.
void addCaption(const char *key, const QString &english, const QString &spanish, const QString &designed)
{
    addRows(key, english, spanish, designed, designed);
}

} // namespace

class tst_LanguageTexts : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_pics;
    QString m_saves;
    KeyStore m_noKeys;
    // What each language showed, by object name or by the name of the message.
    QMap<std::pair<int, QString>, QString> m_seen;

    void collect(tess2mainform &window, qint16 language);

private slots:
    void initTestCase();
    void texts_data();
    void texts();
};

void tst_LanguageTexts::initTestCase()
{
    QVERIFY(m_root.isValid());
    prepareEnvironment(m_root.path());
    m_pics = m_root.path() + QStringLiteral("/pics");
    m_saves = m_root.path() + QStringLiteral("/saves");
    QVERIFY(QDir().mkpath(m_pics) && QDir().mkpath(m_saves));
    QFile existing(m_saves + QStringLiteral("/foto.pzz"));
    QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("taken") == 5);
    existing.close();
    writeConfig({ModuloIdioma::Galician, m_pics});
    const std::unique_ptr<tess2mainform> window = startWindow();
    // Galician is only a start-up language; the others come through the language command,
    // each after one whose captions differ from its own.
    for (const qint16 language : {2, 7, 0, 1}) {
        if (language != ModuloIdioma::Galician)
            window->setLanguageCommand(language);
        collect(*window, language);
    }
    stopWatchingModals();
}

void tst_LanguageTexts::collect(tess2mainform &window, qint16 language)
{
    const auto seen = [&](const QString &key, const QString &text) { m_seen[{language, key}] = text; };
    const auto widgets = [&](const QWidget &top) {
        seen(top.objectName(), top.windowTitle());
        for (const QWidget *child : top.findChildren<QWidget *>()) {
            for (const char *property : {"text", "title"}) {
                if (child->property(property).isValid())
                    seen(child->objectName(), child->property(property).toString());
            }
        }
    };
    for (const QAction *action : window.findChildren<QAction *>())
        seen(action->objectName(), action->text());
    Messages::clearShown();
    {
        // Loaded with a command line naming a picture that is not there.
        Dialog dialog({[&]() -> ConfigFileHandler & { return window.configFile(); },
                       [&]() -> TableroClass & { return window.tablero(); },
                       [&]() -> SalvarLeerPuzzle2 & { return window.puzzleFiles(); },
                       m_pics + QStringLiteral("/falta.jpg"), [] {}});
        seen(QStringLiteral("command-line file"), shown());
        widgets(dialog);
    }
    FormAcercaDe box(m_noKeys);
    widgets(box);
    box.StartSysInfo();
    seen(QStringLiteral("no system information"), shown());
    window.cerrarPrograma();
    seen(QStringLiteral("close question"), shown());
    Ayuda::mostrarAyuda(nullptr, language, m_root.path() + QStringLiteral("/nothing"));
    seen(QStringLiteral("no help"), shown());
    SalvarLeerPuzzle2 files;
    files.salvarPuzzle(QString(), QString(), TableroClass(), m_saves, QStringLiteral("foto"), false);
    seen(QStringLiteral("not yet"), shown());
    TableroClass board;
    board.Inicializar(2, 2, 2, 2, QStringLiteral("jpg   "), false, false);
    board.IntercambiarFichas(1, 1, 2, 1);
    files.salvarPuzzle(m_pics + QStringLiteral("/foto.jpg"), QStringLiteral("foto.jpg"), board, m_saves,
                       QStringLiteral("foto"), false);
    seen(QStringLiteral("overwrite"), shown().replace(m_saves, QStringLiteral("<saves>")));

    seen(QStringLiteral("summary"), orNoText(DialogRules::piecesSummary(language, 3, 4)));
    seen(QStringLiteral("difficult"), orNoText(DialogRules::styleExplanation(language, true)));
    seen(QStringLiteral("not ready"), orNoText(DialogRules::notReadyMessage(language)));
    seen(QStringLiteral("choose an image"), orNoText(DialogRules::choseImageMessage(language)));
    for (const int result : {-1, -2})
        seen(QString::number(result), DialogRules::refusedPuzzleFileMessage(language, result, "foto.pzz"));
    // A 4 × 3 board with 5 pieces out of place after 17 moves, in each game state.
    for (const int estado : {0, 1, 2}) {
        const StatusBarState bar =
            StatusBarTexts::refresh({}, {estado, language, 4, 3, 5, 17, QStringLiteral("foto.jpg")});
        seen(QStringLiteral("state %1").arg(estado), bar.simple ? bar.simpleText : bar.panels[0]);
        for (size_t panel = 2; estado == 1 && panel < bar.panels.size(); ++panel)
            seen(QStringLiteral("panel %1").arg(panel + 1), bar.panels[panel]);
    }
}

void tst_LanguageTexts::texts_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    addCaption("M_Archivo", "File", "Archivo", "Archivo");
    addCaption("M_Abrir", "Open", "Abrir", "Abrir");
    addCaption("M_Guardar", "Save", "Guardar", "Guardar");
    addCaption("M_Salir", "Exit", "Salir", "Salir");
    addCaption("M_Idioma", "Language", "Idioma", "Idioma");
    addCaption("M_Ingles", "English", "English", "Inglés");
    addCaption("M_Español", "Español", "Español", "Español");
    addCaption("M_Ver_Montado", "See it assembled", "ver Montado", "Ver Montado");
    addCaption("M_Por_Unos_Segundos", "For a few seconds", "Por unos segundos", "Por unos segundos");
    addCaption("M_Ventana_Independiente", "In a new window", "En una nueva ventana", "Ventana independiente");
    addCaption("M_Ver_Solo_Piezas_Montadas", "See only assembled pieces", "Ver solo piezas montadas",
               "Ver solo piezas montadas");
    addCaption("M_Ayuda", "Help", "Ayuda", "Ayuda");
    addCaption("M_Ayuda_De_Tesselon", "Tesselon help", "Ayuda de Tesselon", "Ayuda de Tesselon");
    addCaption("M_Acerca_de", "About", "Acerca de", "Acerca de");

    // The dialog as loaded with 4 × 4 and the Normal style: the two labels already describe
    // that choice, and Galician has its own texts for them.
    addCaption("Frame1", "Select an image", "Selecciona una imagen", "Selecciona una imagen");
    addCaption("CheckMostrarImagen", "Preview image", "Mostrar imagen", "Mostrar imagen");
    addCaption("Frame2", "Puzzle style", "Tipo de puzzle", "Tipo de puzzle");
    addSame("OptionNormal", "Normal");
    addCaption("OptionDificil", "Difficult", "Difícil", "Difícil");
    addRows("Label2", "16 pieces puzzle (4x4)", "Puzzle de 16 piezas (4x4)", "Puzzle de 16 pezas (4x4)",
            "Puzzle de 16 piezas (4x4)");
    addRows("Label3", "Any piece can be moved to any place", "Puedes mover cualquier pieza a cualquier posición.",
            "Podes mover calquera peza a calquera posición.",
            "Puedes mover cualquier pieza a cualquier posición.");
    addCaption("CheckRecordardir", "Remember this folder", "Recordar esta carpeta", "Recordar esta carpeta");
    addCaption("Label5", "File type:", "Tipo de archivo:", "Tipo de archivo:");
    addCaption("LabelSalvarComo", "Save as:", "Salvar como:", "Salvar como:");
    addCaption("OKButton", "OK", "Aceptar", "Aceptar");
    addCaption("CancelButton", "Cancel", "Cancelar", "Cancelar");
    // The caption table's style text ends with a period, unlike the style explanation.
    addRows("Dialog:Any piece can be moved to any place.", "Any piece can be moved to any place.",
            "Puedes mover cualquier pieza a cualquier posición.",
            "Puedes mover cualquier pieza a cualquier posición.", "Any piece can be moved to any place.");

    addRows("summary", "12 pieces puzzle (3x4)", "Puzzle de 12 piezas (3x4)", "Puzzle de 12 pezas (3x4)", NoText);
    addRows("difficult", "You can only move a piece if it has an empty place by its side.",
            "Solo puedes mover una pieza si tiene un lugar vacío a su lado.",
            "Solo podes mover unha peza se ten un lugar valeiro o seu carón.", NoText);
    addRows("not ready", "The selected unit is not ready", "La unidad escogida no está lista",
            "A unidade escollida non está lista", NoText);
    addRows("choose an image", "To create the puzzle you shall chose an image\nfrom your computer",
            "Para crear el puzzle debes escoger una imagen\nque tengas guardada en tu ordenador",
            "Para crea-lo puzzle debes escoller unha imaxe\nque teñas gardada no teu ordenador", NoText);
    addSpanishOrEnglish("-1", "The file foto.pzz is not a puzzle file",
                        "El archivo foto.pzz no es un archivo de puzzle");
    addSpanishOrEnglish("-2", "The file version of foto.pzz is not supported",
                        "La versión del archivo foto.pzz no está soportada");

    addSpanishOrEnglish("state 0", "NO IMAGE", "SIN IMAGEN");
    addSpanishOrEnglish("state 1", "NOT ASSEMBLED", "SIN MONTAR");
    addSpanishOrEnglish("state 2", "ASSEMBLED", "MONTADO");
    addSpanishOrEnglish("panel 3", "12 pieces (4x3)", "12 piezas (4x3)");
    addSpanishOrEnglish("panel 4", "7 pieces in place", "7 piezas colocadas");
    addSpanishOrEnglish("panel 5", "5 pieces out of place", "5 piezas por colocar");
    addSpanishOrEnglish("panel 6", "17 movements", "Realizados 17 movimientos");

    addRows("close question", "Do you want to close the program?", "¿Desea abandonar el programa?",
            "¿Desexa abandona-lo programa?", "Do you want to close the program?");
    addSame("command-line file", "File falta.jpg not found");
    addSpanishOrEnglish("overwrite", "File <saves>/foto.pzz already exists. Overwrite it?",
                        "El archivo <saves>/foto.pzz ya existe. ¿Desea sobrescribirlo?");
    addSame("not yet", "Todavía no se puede");
    addSame("no system information", "La información del sistema no está disponible en este momento");
    addSpanishOrEnglish("no help", "Help files not found", "No se han encontrado los archivos de ayuda");

    const QString write = QStringLiteral(" ") + FormAcercaDe::contactAddress();
    addSpanishOrEnglish("FormAcercaDe", "About Tesselon", "Acerca de Tesselon");
    addSame("lblTitle", "Tesselon");
    addSpanishOrEnglish("lblVersion", "Version 3.3.0", "Versión 3.3.0");
    addSpanishOrEnglish("Label1",
                        "For comments, suggestions, bug reporting etc. you are welcomed to write to" + write,
                        "Para comentarios, sugerencias, informe de fallos etc. puede escribir a" + write);
    addSpanishOrEnglish("cmdOK", "OK", "Aceptar");
    addSpanishOrEnglish("cmdSysInfo", "System Info...", "Info. del sistema...");

    // Texts of our own with no language table, read as the code looks them up.
    addSpanishOrEnglish("tess2mainform:The folder %1 cannot be created; your settings will not be kept.",
                        "The folder %1 cannot be created; your settings will not be kept.",
                        "No se puede crear la carpeta %1; la configuración no se guardará.");
    addSpanishOrEnglish("tess2mainform:The picture cannot be shown.", "The picture cannot be shown.",
                        "No se puede mostrar la imagen.");
    addSpanishOrEnglish("Dialog:The folder %1 cannot be read", "The folder %1 cannot be read",
                        "No se puede leer la carpeta %1");
    addSpanishOrEnglish("SalvarLeerPuzzle2:The file %1 is a damaged puzzle file.",
                        "The file %1 is a damaged puzzle file.", "El archivo %1 es un archivo de puzzle dañado.");
    addSpanishOrEnglish("SalvarLeerPuzzle2:Bad file name", "Bad file name", "Nombre de archivo incorrecto");
    addSpanishOrEnglish("SalvarLeerPuzzle2:Path not found", "Path not found", "No se ha encontrado la ruta de acceso");
    addSpanishOrEnglish("SalvarLeerPuzzle2:Disk full", "Disk full", "Disco lleno");
    addSpanishOrEnglish("HelpWindow:Back", "Back", "Atrás");
    addSpanishOrEnglish("HelpWindow:Home", "Home", "Inicio");
}

void tst_LanguageTexts::texts()
{
    QFETCH(QString, key);
    QFETCH(int, language);
    QFETCH(QString, expected);

    const QByteArray context = key.section(QLatin1Char(':'), 0, 0).toUtf8();
    const QByteArray source = key.section(QLatin1Char(':'), 1).toUtf8();
    QCOMPARE(key.contains(QLatin1Char(':'))
                 ? ModuloIdioma::text(qint16(language), context.constData(), source.constData())
                 : m_seen.value({language, key}, QStringLiteral("<not shown>")),
             expected);
}

QTEST_MAIN(tst_LanguageTexts)
#include "tst_languagetexts.moc"
