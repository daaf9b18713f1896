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

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>
#include <optional>

using namespace WindowTestKit;

namespace
{

// What a language without a text of its own shows instead of a message or caption.
const QString NoText = QStringLiteral("<no text>");

QString orNoText(const std::optional<QString> &text)
{
    return text.value_or(NoText);
}

QString shownOrNoText()
{
    const QStringList texts = Messages::shownTexts();
    return texts.isEmpty() ? NoText : texts.join(QStringLiteral(" | "));
}

QString widgetText(const QWidget *widget)
{
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    return widget ? widget->windowTitle() : QStringLiteral("<missing widget>");
}

// One row for each of English (0), Spanish (1), Galician (2) and a value the program does
// not know (7).
void addRows(const char *kind, const char *key, const QString &english, const QString &spanish,
             const QString &galician, const QString &other)
{
    const std::pair<int, QString> cases[] = {{0, english}, {1, spanish}, {2, galician}, {7, other}};
    for (const auto &[language, expected] : cases)
        QTest::addRow("%s %s [%d]", kind, key, language)
            << QString::fromUtf8(kind) << QString::fromUtf8(key) << language << expected;
}

// Spanish for 1, English for every other value.
void addSpanishOrEnglish(const char *kind, const char *key, const QString &english, const QString &spanish)
{
    addRows(kind, key, english, spanish, english, english);
}

void addSame(const char *kind, const char *key, const QString &text)
{
    addRows(kind, key, text, text, text, text);
}

// Captions: English and Spanish from the language tables; any other value keeps the
// caption the window was designed with.
void addCaption(const char *kind, const char *key, const QString &english, const QString &spanish,
                const QString &designed)
{
    addRows(kind, key, english, spanish, designed, designed);
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
    std::map<int, std::unique_ptr<tess2mainform>> m_windows;
    std::map<int, QString> m_dialogLoadMessages;

    tess2mainform &window(int language);
    QString read(const QString &kind, const QString &key, int language);
    QString message(const QString &key, int language);

private slots:
    void initTestCase();
    void cleanupTestCase();
    void texts_data();
    void texts();
};

void tst_LanguageTexts::initTestCase()
{
    QVERIFY(m_root.isValid());
    prepareEnvironment(m_root.path());
    m_pics = m_root.path() + QStringLiteral("/pics");
    m_saves = m_root.path() + QStringLiteral("/saves");
    QVERIFY(QDir().mkpath(m_pics));
    QVERIFY(QDir().mkpath(m_saves));
    QFile existing(m_saves + QStringLiteral("/foto.pzz"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("taken");
}

void tst_LanguageTexts::cleanupTestCase()
{
    m_windows.clear();
    stopWatchingModals();
}

// A window whose configuration holds the language. English and Spanish are reached through
// the language command from the other one, so the rows cover the command as well as the
// start-up. The dialog is loaded in that language, with a command line naming a file that
// is not there.
tess2mainform &tst_LanguageTexts::window(int language)
{
    std::unique_ptr<tess2mainform> &slot = m_windows[language];
    if (!slot) {
        const bool byCommand = language == ModuloIdioma::English || language == ModuloIdioma::Spanish;
        ConfigLine line;
        line.dialogPath = m_pics;
        line.language = qint16(byCommand ? 1 - language : language);
        writeConfig(line);
        slot = startWindow(m_pics + QStringLiteral("/falta.jpg"));
        if (byCommand)
            slot->setLanguageCommand(qint16(language));
        Messages::clearShown();
        slot->dialog();
        m_dialogLoadMessages[language] = shownOrNoText();
        Messages::clearShown();
    }
    return *slot;
}

QString tst_LanguageTexts::message(const QString &key, int language)
{
    if (key == QLatin1String("close question")) {
        window(language).cerrarPrograma();
    } else if (key == QLatin1String("command-line file")) {
        window(language);
        return m_dialogLoadMessages[language];
    } else if (key == QLatin1String("overwrite")) {
        TableroClass board;
        board.Inicializar(2, 2, 2, 2, QStringLiteral("jpg   "), false, false);
        board.IntercambiarFichas(1, 1, 2, 1);
        SalvarLeerPuzzle2 files;
        const qint16 result =
            files.salvarPuzzle(m_pics + QStringLiteral("/foto.jpg"), QStringLiteral("foto.jpg"), board,
                               m_saves, QStringLiteral("foto"), false);
        if (result != -1)
            return QStringLiteral("result %1").arg(result);
        return shownOrNoText().replace(m_saves, QStringLiteral("<saves>"));
    } else if (key == QLatin1String("not yet")) {
        SalvarLeerPuzzle2 files;
        files.salvarPuzzle(QString(), QString(), TableroClass(), m_saves, QStringLiteral("foto"), false);
    } else if (key == QLatin1String("no system information")) {
        FormAcercaDe box(m_noKeys);
        box.StartSysInfo();
    } else if (key == QLatin1String("no help")) {
        Ayuda::mostrarAyuda(nullptr, qint16(language), m_root.path() + QStringLiteral("/nothing"));
    }
    return shownOrNoText();
}

QString tst_LanguageTexts::read(const QString &kind, const QString &key, int language)
{
    const auto lang = qint16(language);
    if (kind == QLatin1String("menu"))
        return window(language).action(key)->text();
    if (kind == QLatin1String("dialog")) {
        Dialog &dialog = window(language).dialog();
        return key == QLatin1String("Dialog") ? dialog.windowTitle()
                                              : widgetText(dialog.findChild<QWidget *>(key));
    }
    if (kind == QLatin1String("about")) {
        FormAcercaDe box(m_noKeys);
        return key == QLatin1String("FormAcercaDe") ? box.windowTitle()
                                                    : widgetText(box.findChild<QWidget *>(key));
    }
    if (kind == QLatin1String("status")) {
        if (key == QLatin1String("window"))
            return window(language).statusSimpleText()->text();
        // A 4 × 3 board with 5 pieces out of place after 17 moves.
        StatusBarInput input{1, lang, 4, 3, 5, 17, QStringLiteral("foto.jpg")};
        input.estado = key == QLatin1String("assembled") ? 2 : key == QLatin1String("no picture") ? 0 : 1;
        const StatusBarState bar = StatusBarTexts::refresh(StatusBarState(), input);
        if (key == QLatin1String("no picture"))
            return bar.simple ? bar.simpleText : QStringLiteral("<not simple>");
        const int panel = key.startsWith(QLatin1String("panel")) ? key.right(1).toInt() : 1;
        return bar.panels.at(size_t(panel - 1));
    }
    if (kind == QLatin1String("rule")) {
        if (key == QLatin1String("summary"))
            return orNoText(DialogRules::piecesSummary(lang, 3, 4));
        if (key == QLatin1String("normal") || key == QLatin1String("difficult"))
            return orNoText(DialogRules::styleExplanation(lang, key == QLatin1String("difficult")));
        if (key == QLatin1String("not ready"))
            return orNoText(DialogRules::notReadyMessage(lang));
        if (key == QLatin1String("choose an image"))
            return orNoText(DialogRules::choseImageMessage(lang));
        return DialogRules::refusedPuzzleFileMessage(lang, key == QLatin1String("-1") ? -1 : -2,
                                                     QStringLiteral("foto.pzz"));
    }
    if (kind == QLatin1String("message"))
        return message(key, language);
    // "Context:source": the text as the code looks it up.
    const QByteArray context = key.section(QLatin1Char(':'), 0, 0).toUtf8();
    const QByteArray source = key.section(QLatin1Char(':'), 1).toUtf8();
    return ModuloIdioma::text(lang, context.constData(), source.constData());
}

void tst_LanguageTexts::texts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    addCaption("menu", "M_Archivo", "File", "Archivo", "Archivo");
    addCaption("menu", "M_Abrir", "Open", "Abrir", "Abrir");
    addCaption("menu", "M_Guardar", "Save", "Guardar", "Guardar");
    addCaption("menu", "M_Salir", "Exit", "Salir", "Salir");
    addCaption("menu", "M_Idioma", "Language", "Idioma", "Idioma");
    addCaption("menu", "M_Ingles", "English", "English", "Inglés");
    addCaption("menu", "M_Español", "Español", "Español", "Español");
    addCaption("menu", "M_Ver_Montado", "See it assembled", "ver Montado", "Ver Montado");
    addCaption("menu", "M_Por_Unos_Segundos", "For a few seconds", "Por unos segundos", "Por unos segundos");
    addCaption("menu", "M_Ventana_Independiente", "In a new window", "En una nueva ventana",
               "Ventana independiente");
    addCaption("menu", "M_Ver_Solo_Piezas_Montadas", "See only assembled pieces", "Ver solo piezas montadas",
               "Ver solo piezas montadas");
    addCaption("menu", "M_Ayuda", "Help", "Ayuda", "Ayuda");
    addCaption("menu", "M_Ayuda_De_Tesselon", "Tesselon help", "Ayuda de Tesselon", "Ayuda de Tesselon");
    addCaption("menu", "M_Acerca_de", "About", "Acerca de", "Acerca de");

    // The dialog as loaded with 4 × 4 and the Normal style: the two labels already describe
    // that choice, and Galician has its own texts for them.
    addSame("dialog", "Dialog", "Tesselon");
    addCaption("dialog", "Frame1", "Select an image", "Selecciona una imagen", "Selecciona una imagen");
    addCaption("dialog", "CheckMostrarImagen", "Preview image", "Mostrar imagen", "Mostrar imagen");
    addCaption("dialog", "Frame2", "Puzzle style", "Tipo de puzzle", "Tipo de puzzle");
    addSame("dialog", "OptionNormal", "Normal");
    addCaption("dialog", "OptionDificil", "Difficult", "Difícil", "Difícil");
    addRows("dialog", "Label2", "16 pieces puzzle (4x4)", "Puzzle de 16 piezas (4x4)",
            "Puzzle de 16 pezas (4x4)", "Puzzle de 16 piezas (4x4)");
    addRows("dialog", "Label3", "Any piece can be moved to any place",
            "Puedes mover cualquier pieza a cualquier posición.",
            "Podes mover calquera peza a calquera posición.",
            "Puedes mover cualquier pieza a cualquier posición.");
    addCaption("dialog", "CheckRecordardir", "Remember this folder", "Recordar esta carpeta",
               "Recordar esta carpeta");
    addCaption("dialog", "Label5", "File type:", "Tipo de archivo:", "Tipo de archivo:");
    addCaption("dialog", "LabelSalvarComo", "Save as:", "Salvar como:", "Salvar como:");
    addCaption("dialog", "OKButton", "OK", "Aceptar", "Aceptar");
    addCaption("dialog", "CancelButton", "Cancel", "Cancelar", "Cancelar");
    // The caption table's style text ends with a period, unlike the style explanation.
    addRows("text", "Dialog:Any piece can be moved to any place.", "Any piece can be moved to any place.",
            "Puedes mover cualquier pieza a cualquier posición.",
            "Puedes mover cualquier pieza a cualquier posición.", "Any piece can be moved to any place.");

    addRows("rule", "summary", "12 pieces puzzle (3x4)", "Puzzle de 12 piezas (3x4)",
            "Puzzle de 12 pezas (3x4)", NoText);
    addRows("rule", "normal", "Any piece can be moved to any place",
            "Puedes mover cualquier pieza a cualquier posición.",
            "Podes mover calquera peza a calquera posición.", NoText);
    addRows("rule", "difficult", "You can only move a piece if it has an empty place by its side.",
            "Solo puedes mover una pieza si tiene un lugar vacío a su lado.",
            "Solo podes mover unha peza se ten un lugar valeiro o seu carón.", NoText);
    addRows("rule", "not ready", "The selected unit is not ready", "La unidad escogida no está lista",
            "A unidade escollida non está lista", NoText);
    addRows("rule", "choose an image", "To create the puzzle you shall chose an image\nfrom your computer",
            "Para crear el puzzle debes escoger una imagen\nque tengas guardada en tu ordenador",
            "Para crea-lo puzzle debes escoller unha imaxe\nque teñas gardada no teu ordenador", NoText);
    addSpanishOrEnglish("rule", "-1", "The file foto.pzz is not a puzzle file",
                        "El archivo foto.pzz no es un archivo de puzzle");
    addSpanishOrEnglish("rule", "-2", "The file version of foto.pzz is not supported",
                        "La versión del archivo foto.pzz no está soportada");

    addSpanishOrEnglish("status", "window", "NO IMAGE", "SIN IMAGEN");
    addSpanishOrEnglish("status", "no picture", "NO IMAGE", "SIN IMAGEN");
    addSpanishOrEnglish("status", "unsolved", "NOT ASSEMBLED", "SIN MONTAR");
    addSpanishOrEnglish("status", "assembled", "ASSEMBLED", "MONTADO");
    addSpanishOrEnglish("status", "panel3", "12 pieces (4x3)", "12 piezas (4x3)");
    addSpanishOrEnglish("status", "panel4", "7 pieces in place", "7 piezas colocadas");
    addSpanishOrEnglish("status", "panel5", "5 pieces out of place", "5 piezas por colocar");
    addSpanishOrEnglish("status", "panel6", "17 movements", "Realizados 17 movimientos");

    addRows("message", "close question", "Do you want to close the program?", "¿Desea abandonar el programa?",
            "¿Desexa abandona-lo programa?", "Do you want to close the program?");
    addSame("message", "command-line file", "File falta.jpg not found");
    addSpanishOrEnglish("message", "overwrite", "File <saves>/foto.pzz already exists. Overwrite it?",
                        "El archivo <saves>/foto.pzz ya existe. ¿Desea sobrescribirlo?");
    addSame("message", "not yet", "Todavía no se puede");
    addSame("message", "no system information",
            "La información del sistema no está disponible en este momento");
    addSpanishOrEnglish("message", "no help", "Help files not found",
                        "No se han encontrado los archivos de ayuda");

    const QString write = QStringLiteral(" ") + FormAcercaDe::contactAddress();
    addSpanishOrEnglish("about", "FormAcercaDe", "About Tesselon", "Acerca de Tesselon");
    addSame("about", "lblTitle", "Tesselon");
    addSpanishOrEnglish("about", "lblVersion", "Version 3.3.0", "Versión 3.3.0");
    addSpanishOrEnglish("about", "Label1",
                        "For comments, suggestions, bug reporting etc. you are welcomed to write to" + write,
                        "Para comentarios, sugerencias, informe de fallos etc. puede escribir a" + write);
    addSpanishOrEnglish("about", "cmdOK", "OK", "Aceptar");
    addSpanishOrEnglish("about", "cmdSysInfo", "System Info...", "Info. del sistema...");

    // Texts of our own with no language table: Spanish for 1, English for every other value.
    addSpanishOrEnglish("text",
                        "tess2mainform:The folder %1 cannot be created; your settings will not be kept.",
                        "The folder %1 cannot be created; your settings will not be kept.",
                        "No se puede crear la carpeta %1; la configuración no se guardará.");
    addSpanishOrEnglish("text", "tess2mainform:The picture cannot be shown.", "The picture cannot be shown.",
                        "No se puede mostrar la imagen.");
    addSpanishOrEnglish("text", "Dialog:The folder %1 cannot be read", "The folder %1 cannot be read",
                        "No se puede leer la carpeta %1");
    addSpanishOrEnglish("text", "SalvarLeerPuzzle2:The file %1 is a damaged puzzle file.",
                        "The file %1 is a damaged puzzle file.",
                        "El archivo %1 es un archivo de puzzle dañado.");
    addSpanishOrEnglish("text", "SalvarLeerPuzzle2:Bad file name", "Bad file name",
                        "Nombre de archivo incorrecto");
    addSpanishOrEnglish("text", "SalvarLeerPuzzle2:Path not found", "Path not found",
                        "No se ha encontrado la ruta de acceso");
    addSpanishOrEnglish("text", "SalvarLeerPuzzle2:Disk full", "Disk full", "Disco lleno");
    addSpanishOrEnglish("text", "HelpWindow:Back", "Back", "Atrás");
    addSpanishOrEnglish("text", "HelpWindow:Home", "Home", "Inicio");
}

void tst_LanguageTexts::texts()
{
    QFETCH(QString, kind);
    QFETCH(QString, key);
    QFETCH(int, language);
    QFETCH(QString, expected);

    ModuloIdioma::setIdioma(qint16(language));
    Messages::clearShown();
    QCOMPARE(read(kind, key, language), expected);
}

QTEST_MAIN(tst_LanguageTexts)
#include "tst_languagetexts.moc"
