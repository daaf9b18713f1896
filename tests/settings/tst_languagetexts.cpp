#include "window/WindowTestKit.h"

#include "about/Ayuda.h"
#include "about/FormAcercaDe.h"
#include "app/tess2mainform.h"
#include "dialog/DialogRules.h"
#include "platform/Messages.h"
#include "puzzlefile/SalvarLeerPuzzle2.h"
#include "settings/ModuloIdioma.h"
#include "view/StatusBarTexts.h"

#include <QAction>
#include <QtTest>

using namespace WindowTestKit;

namespace
{

// What a language without a text of its own shows instead of a message.
const QString NoText = QStringLiteral("<no text>");

// One row for each of English (0), Spanish (1), Galician (2) and a value the program does
// not know (7); unless given, Galician and that value show the English text.
void addRows(const QString &key, const QString &en, const QString &es, const QString &gl = {},
             const QString &other = {})
{
    const std::pair<int, QString> cases[] = {
        {0, en}, {1, es}, {2, gl.isNull() ? en : gl}, {7, other.isNull() ? en : other}};
    for (const auto &[language, expected] : cases)
        QTest::addRow("%s [%d]", qPrintable(key), language) << key << language << expected;
}

// English and Spanish from the language tables; any other value keeps the designed
// caption, the Spanish one unless given.
void addCaption(const char *key, const char *english, const char *spanish, const char *designed = nullptr)
{
    addRows(key, english, spanish, designed ? designed : spanish, designed ? designed : spanish);
}

// A text with no language table of its own, read as the code looks it up.
void addLookup(const char *context, const char *source, const char *spanish)
{
    addRows(QString::fromUtf8(context) + QLatin1Char(':') + QString::fromUtf8(source), source, spanish);
}

} // namespace

class tst_LanguageTexts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    KeyStore m_noKeys;
    // What each language showed, by object name or by the name of the message.
    QMap<std::pair<int, QString>, QString> m_seen;

private slots:
    void initTestCase();
    void texts_data();
    void texts();
};

void tst_LanguageTexts::initTestCase()
{
    QVERIFY(m_root.isValid());
    prepareEnvironment(m_root.path());
    const QString saves = m_root.path();
    QVERIFY(QFile(saves + QStringLiteral("/foto.pzz")).open(QIODevice::WriteOnly));
    writeConfig({ModuloIdioma::Galician, m_root.filePath(QStringLiteral("home"))});
    const std::unique_ptr<tess2mainform> window = startWindow();
    // Galician is only a start-up language; the others come through the language command,
    // each after one whose captions differ from its own.
    for (const qint16 language : {2, 7, 0, 1}) {
        if (language != ModuloIdioma::Galician)
            window->setLanguageCommand(language);
        const auto seen = [&](const QString &key, const QString &text) { m_seen[{language, key}] = text; };
        const auto widgets = [&](const QWidget &top) {
            seen(top.objectName(), top.windowTitle());
            for (const QWidget *w : top.findChildren<QWidget *>())
                seen(w->objectName(), w->property(w->inherits("QGroupBox") ? "title" : "text").toString());
        };
        // The words as shown: the marker of the underlined letter is not one of them.
        for (const QAction *action : window->findChildren<QAction *>())
            seen(action->objectName(), QString(action->text()).remove(QLatin1Char('&')));
        Dialog dialog({[&]() -> ConfigFileHandler & { return window->configFile(); }, QString(), [] {}});
        widgets(dialog);
        FormAcercaDe box(m_noKeys);
        widgets(box);
        SalvarLeerPuzzle2 files({});
        TableroClass board;
        board.Inicializar(2, 2, 2, 2, QStringLiteral("jpg   "), false, false);
        board.IntercambiarFichas(1, 1, 2, 1);
        QString question = NoText;
        files.salvarPuzzle(QString(), QStringLiteral("foto.jpg"), board, saves, QStringLiteral("foto"), false,
                           [&question](const QString &text) { return question = text, false; });
        seen(QStringLiteral("overwrite"), question.replace(saves, QStringLiteral("<saves>")));
        const auto message = [] {
            const QString text = Messages::shownTexts().join(QStringLiteral(" | "));
            Messages::clearShown();
            return text;
        };
        window->cerrarPrograma();
        seen(QStringLiteral("close question"), message());
        Ayuda::mostrarAyuda(nullptr, language, m_root.filePath(QStringLiteral("nothing")));
        seen(QStringLiteral("no help"), message());

        seen(QStringLiteral("summary"), DialogRules::piecesSummary(language, 3, 4).value_or(NoText));
        seen(QStringLiteral("difficult"), DialogRules::styleExplanation(language, true).value_or(NoText));
        seen(QStringLiteral("not ready"), DialogRules::notReadyMessage(language).value_or(NoText));
        seen(QStringLiteral("choose an image"), DialogRules::choseImageMessage(language).value_or(NoText));
        for (const int result : {-1, -2})
            seen(QString::number(result),
                 DialogRules::refusedPuzzleFileMessage(language, result, "foto.pzz"));
        // A 4 × 3 board with 5 pieces out of place after 17 moves, in each game state.
        for (const int estado : {0, 1, 2}) {
            const StatusBarState bar = StatusBarTexts::refresh({}, {estado, language, 4, 3, 5, 17, {}});
            seen(QStringLiteral("state %1").arg(estado), bar.simple ? bar.simpleText : bar.panels[0]);
            for (size_t panel = 2; estado == 1 && panel < bar.panels.size(); ++panel)
                seen(QStringLiteral("panel %1").arg(panel + 1), bar.panels[panel]);
        }
    }
}

void tst_LanguageTexts::texts_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    // See it assembled, the no-picture state and the About box's title are checked in every
    // language by the window's language test; the system information message by the help's
    // tests. The dialog's message for a missing command-line file and the puzzle's "not yet"
    // have one text for every language, checked by the dialog's and the puzzle file's tests.
    addCaption("M_Archivo", "File", "Archivo");
    addCaption("M_Ingles", "English", "English", "Inglés");
    addCaption("M_Ventana_Independiente", "In a new window", "En una nueva ventana", "Ventana independiente");
    addRows("close question", "Do you want to close the program?", "¿Desea abandonar el programa?",
            "¿Desexa abandona-lo programa?");
    addRows("no help", "Help files not found", "No se han encontrado los archivos de ayuda");
    addCaption("M_Abrir", "Open", "Abrir");
    addCaption("M_Guardar", "Save", "Guardar");
    addCaption("M_Salir", "Exit", "Salir");
    addCaption("M_Idioma", "Language", "Idioma");
    addCaption("M_Español", "Español", "Español");
    addCaption("M_Por_Unos_Segundos", "For a few seconds", "Por unos segundos");
    addCaption("M_Ver_Solo_Piezas_Montadas", "See only assembled pieces", "Ver solo piezas montadas");
    addCaption("M_Ayuda", "Help", "Ayuda");
    addCaption("M_Ayuda_De_Tesselon", "Tesselon help", "Ayuda de Tesselon");
    addCaption("M_Acerca_de", "About", "Acerca de");

    // The dialog as loaded with 4 × 4 and the Normal style: the two labels already describe
    // that choice, and Galician has its own texts for them.
    addCaption("Frame1", "Select an image", "Selecciona una imagen");
    addCaption("CheckMostrarImagen", "Preview image", "Mostrar imagen");
    addCaption("Frame2", "Puzzle style", "Tipo de puzzle");
    addCaption("OptionNormal", "Normal", "Normal");
    addCaption("OptionDificil", "Difficult", "Difícil");
    addRows("Label2", "16 pieces puzzle (4x4)", "Puzzle de 16 piezas (4x4)", "Puzzle de 16 pezas (4x4)",
            "Puzzle de 16 piezas (4x4)");
    const QString normalEs = QStringLiteral("Puedes mover cualquier pieza a cualquier posición.");
    addRows("Label3", "Any piece can be moved to any place", normalEs,
            "Podes mover calquera peza a calquera posición.", normalEs);
    addCaption("CheckRecordardir", "Remember this folder", "Recordar esta carpeta");
    addCaption("Label5", "File type:", "Tipo de archivo:");
    addCaption("LabelSalvarComo", "Save as:", "Salvar como:");
    addCaption("OKButton", "OK", "Aceptar");
    addCaption("CancelButton", "Cancel", "Cancelar");
    // The caption table's style text ends with a period, unlike the style explanation.
    addRows("Dialog:Any piece can be moved to any place.", "Any piece can be moved to any place.", normalEs,
            normalEs);

    addRows("summary", "12 pieces puzzle (3x4)", "Puzzle de 12 piezas (3x4)", "Puzzle de 12 pezas (3x4)",
            NoText);
    addRows("difficult", "You can only move a piece if it has an empty place by its side.",
            "Solo puedes mover una pieza si tiene un lugar vacío a su lado.",
            "Solo podes mover unha peza se ten un lugar valeiro o seu carón.", NoText);
    addRows("not ready", "The selected unit is not ready", "La unidad escogida no está lista",
            "A unidade escollida non está lista", NoText);
    addRows("choose an image", "To create the puzzle you shall chose an image\nfrom your computer",
            "Para crear el puzzle debes escoger una imagen\nque tengas guardada en tu ordenador",
            "Para crea-lo puzzle debes escoller unha imaxe\nque teñas gardada no teu ordenador", NoText);
    addRows("-1", "The file foto.pzz is not a puzzle file", "El archivo foto.pzz no es un archivo de puzzle");
    addRows("-2", "The file version of foto.pzz is not supported",
            "La versión del archivo foto.pzz no está soportada");

    addRows("state 1", "NOT ASSEMBLED", "SIN MONTAR");
    addRows("state 2", "ASSEMBLED", "MONTADO");
    addRows("panel 3", "12 pieces (4x3)", "12 piezas (4x3)");
    addRows("panel 4", "7 pieces in place", "7 piezas colocadas");
    addRows("panel 5", "5 pieces out of place", "5 piezas por colocar");
    addRows("panel 6", "17 movements", "Realizados 17 movimientos");

    addRows("overwrite", "File <saves>/foto.pzz already exists. Overwrite it?",
            "El archivo <saves>/foto.pzz ya existe. ¿Desea sobrescribirlo?");

    const QString write = QStringLiteral(" ") + FormAcercaDe::contactAddress();
    addRows("lblTitle", "Tesselon", "Tesselon");
    addRows("lblVersion", "Version 3.3.0", "Versión 3.3.0");
    addRows("Label1", "For comments, suggestions, bug reporting etc. you are welcomed to write to" + write,
            "Para comentarios, sugerencias, informe de fallos etc. puede escribir a" + write);
    addRows("cmdOK", "OK", "Aceptar");
    addRows("cmdSysInfo", "System Info...", "Info. del sistema...");

    addLookup("tess2mainform", "The folder %1 cannot be created; your settings will not be kept.",
              "No se puede crear la carpeta %1; la configuración no se guardará.");
    addLookup("tess2mainform", "The picture cannot be shown.", "No se puede mostrar la imagen.");
    addLookup("Dialog", "The folder %1 cannot be read", "No se puede leer la carpeta %1");
    addLookup("SalvarLeerPuzzle2", "The file %1 is a damaged puzzle file.",
              "El archivo %1 es un archivo de puzzle dañado.");
    addLookup("SalvarLeerPuzzle2", "Bad file name", "Nombre de archivo incorrecto");
    addLookup("SalvarLeerPuzzle2", "Path not found", "No se ha encontrado la ruta de acceso");
    addLookup("SalvarLeerPuzzle2", "Disk full", "Disco lleno");
    addLookup("HelpWindow", "Back", "Atrás");
    addLookup("HelpWindow", "Home", "Inicio");
}

void tst_LanguageTexts::texts()
{
    QFETCH(QString, key);
    QFETCH(int, language);

    // "Context:source" names a text as the code looks it up; any other key, what was shown.
    const QString lookedUp = ModuloIdioma::text(qint16(language), qUtf8Printable(key.section(':', 0, 0)),
                                                qUtf8Printable(key.section(':', 1)));
    QTEST(key.contains(':') ? lookedUp : m_seen.value({language, key}), "expected");
}

QTEST_MAIN(tst_LanguageTexts)
#include "tst_languagetexts.moc"
