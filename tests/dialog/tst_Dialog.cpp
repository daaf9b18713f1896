#include "board/TableroClass.h"
#include "dialog/Dialog.h"
#include "platform/Messages.h"
#include "puzzlefile/SalvarLeerPuzzle2.h"
#include "settings/ConfigFileHandler.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDataStream>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace
{

QByteArray pictureBytes(const char *format, Qt::GlobalColor color)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A puzzle file of cols x rows with the first two pieces of the top row exchanged.
QByteArray pzzBytes(qint16 magic, qint16 version, qint16 cols, qint16 rows, bool sliding)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << magic << version << qint16(0);
    out.writeRawData("bmp   ", 6);
    out << cols << rows << cols << rows << qint16(sliding ? -1 : 0) << qint32(0) << qint32(0);
    for (qint16 c = 1; c <= cols; ++c) {
        for (qint16 r = 1; r <= rows; ++r) {
            const qint16 home = (r == 1 && c <= 2) ? qint16(3 - c) : c;
            out << home << r;
        }
    }
    const QByteArray picture = pictureBytes("BMP", Qt::blue);
    out.writeRawData(picture.constData(), int(picture.size()));
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Paths in data rows are written against these names and resolved in the test.
QString resolved(QString text, const QString &root)
{
    return text.replace(QLatin1String("%PICS%"), root + QStringLiteral("/pics"))
        .replace(QLatin1String("%EMPTY%"), root + QStringLiteral("/empty"))
        .replace(QLatin1String("%ROOT%"), root);
}

} // namespace

class tst_Dialog : public QObject
{
    Q_OBJECT

private:
    void open(const QString &commandLine = QString());
    template <class T> T *child(const char *name) const
    {
        return m_dialog->findChild<T *>(QLatin1String(name));
    }
    QString text(const char *labelName) const { return child<QLabel>(labelName)->text(); }
    QString selected(const char *listName) const;
    void clickFile(const QString &name);
    void chooseFolder(const QString &folder);
    QStringList shownOr(const QString &message) const;
    std::unique_ptr<ConfigFileHandler> savedConfig() const;
    void expectEnabled(bool enabled, const QStringList &names) const;

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_pics;
    QString m_empty;
    std::unique_ptr<ConfigFileHandler> m_config;
    TableroClass m_board;
    std::unique_ptr<SalvarLeerPuzzle2> m_files;
    std::unique_ptr<Dialog> m_dialog;

private slots:
    void init();
    void cleanup();

    void loadAppliesSettingsAndLanguage_data();
    void loadAppliesSettingsAndLanguage();
    void loadFallsBackToProgramFolder_data();
    void loadFallsBackToProgramFolder();
    void countsOutsideTheListsAreBroughtIn();
    void commandLine_data();
    void commandLine();
    void commandLinePuzzleFileKeepsItsGrid();
    void puzzleFileClickSetsAndImageClickFrees();
    void refusedPuzzleFile_data();
    void refusedPuzzleFile();
    void fileTypeFiltersTheList_data();
    void fileTypeFiltersTheList();
    void listChangesAreNoClicks();
    void okWithoutPicture_data();
    void okWithoutPicture();
    void confirmationStoresChoices_data();
    void confirmationStoresChoices();
    void closeBoxActsAsCancelAndKeepsState();
    void saveModeSuggestions_data();
    void saveModeSuggestions();
    void saveModeNameAndSave();
    void driveNotReady_data();
    void driveNotReady();
    void unreadableFolderKeepsPrevious();
    void applyLanguageDescribesTheChoice();
};

void tst_Dialog::init()
{
    Messages::startScript();
    ModuloIdioma::setIdioma(ModuloIdioma::English);
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    const QString root = m_root->path();
    qputenv("XDG_CONFIG_HOME", root.toLocal8Bit());
    m_pics = root + QStringLiteral("/pics");
    m_empty = root + QStringLiteral("/empty");
    QVERIFY(QDir().mkpath(m_pics) && QDir().mkpath(m_empty) && QDir().mkpath(root + QStringLiteral("/data")));

    writeFile(m_pics + QStringLiteral("/flor.jpg"), pictureBytes("JPG", Qt::red));
    writeFile(m_pics + QStringLiteral("/mi foto.jpg"), pictureBytes("JPG", Qt::green));
    writeFile(m_pics + QStringLiteral("/Azul.bmp"), pictureBytes("BMP", Qt::blue));
    writeFile(m_pics + QStringLiteral("/broken.jpg"), "this is no picture");
    writeFile(m_pics + QStringLiteral("/FOTO.PZZ"), pzzBytes(1310, 1, 5, 6, true));
    writeFile(m_pics + QStringLiteral("/notes.txt"), "text");
    writeFile(m_pics + QStringLiteral("/partida.pzz"), pzzBytes(1310, 1, 5, 6, true));
    writeFile(m_pics + QStringLiteral("/bad.pzz"), pzzBytes(1311, 1, 5, 6, true));
    writeFile(m_pics + QStringLiteral("/v2.pzz"), pzzBytes(1310, 2, 5, 6, true));

    m_config = std::make_unique<ConfigFileHandler>(root + QStringLiteral("/data"));
    m_config->setDialogDrive(comun::driveOf(m_empty));
    m_config->setDialogPath(m_empty);
    m_board = TableroClass();
    m_board.setSeed(3);
    m_files = std::make_unique<SalvarLeerPuzzle2>();
}

void tst_Dialog::cleanup()
{
    m_dialog.reset();
    m_files.reset();
    m_config.reset();
    m_root.reset();
    Messages::stopScript();
}

void tst_Dialog::open(const QString &commandLine)
{
    DialogHost host;
    host.config = [this]() -> ConfigFileHandler & { return *m_config; };
    host.tablero = [this]() -> TableroClass & { return m_board; };
    host.puzzleFiles = [this]() -> SalvarLeerPuzzle2 & { return *m_files; };
    host.commandLine = commandLine;
    m_dialog = std::make_unique<Dialog>(host);
}

QString tst_Dialog::selected(const char *listName) const
{
    const QListWidgetItem *item = child<QListWidget>(listName)->currentItem();
    return item ? item->text() : QString();
}

void tst_Dialog::clickFile(const QString &name)
{
    auto *view = child<QListView>("File1");
    const QModelIndex index =
        qobject_cast<QFileSystemModel *>(view->model())->index(QDir(m_dialog->folder()).filePath(name));
    QVERIFY2(index.isValid(), qPrintable(name));
    view->setCurrentIndex(index);
}

void tst_Dialog::chooseFolder(const QString &folder)
{
    auto *tree = child<QTreeView>("Dir1");
    tree->setCurrentIndex(qobject_cast<QFileSystemModel *>(tree->model())->index(folder));
}

QStringList tst_Dialog::shownOr(const QString &message) const
{
    return message.isEmpty() ? QStringList() : QStringList{message};
}

std::unique_ptr<ConfigFileHandler> tst_Dialog::savedConfig() const
{
    return std::make_unique<ConfigFileHandler>(m_root->path() + QStringLiteral("/data"));
}

void tst_Dialog::expectEnabled(bool enabled, const QStringList &names) const
{
    for (const QString &name : names)
        QVERIFY2(m_dialog->findChild<QWidget *>(name)->isEnabled() == enabled, qPrintable(name));
}

void tst_Dialog::loadAppliesSettingsAndLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("frame1");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<QString>("label3");

    // Galician and other values keep the design captions; the labels follow the choice.
    const char *const rows[][5] = {
        {"English", "0", "Select an image", "12 pieces puzzle (3x4)",
         "You can only move a piece if it has an empty place by its side."},
        {"Spanish", "1", "Selecciona una imagen", "Puzzle de 12 piezas (3x4)",
         "Solo puedes mover una pieza si tiene un lugar vacío a su lado."},
        {"Galician", "2", "Selecciona una imagen", "Puzzle de 12 pezas (3x4)",
         "Solo podes mover unha peza se ten un lugar valeiro o seu carón."},
        {"other", "7", "Selecciona una imagen", "Puzzle de 16 piezas (4x4)",
         "Puedes mover cualquier pieza a cualquier posición."},
    };
    for (const auto &r : rows)
        QTest::newRow(r[0]) << QByteArray(r[1]).toInt() << QString::fromUtf8(r[2]) << QString::fromUtf8(r[3])
                            << QString::fromUtf8(r[4]);
}

void tst_Dialog::loadAppliesSettingsAndLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, frame1);
    QFETCH(QString, label2);
    QFETCH(QString, label3);
    ModuloIdioma::setIdioma(qint16(language));
    m_config->setListX(3);
    m_config->setListY(4);
    m_config->setOptionDificil(true);
    m_config->setMostrarImagen(0);
    m_config->setRecordardir(0);
    open();

    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Tesselon"));
    QCOMPARE(child<QGroupBox>("Frame1")->title(), frame1);
    QCOMPARE(text("Label2"), label2);
    QCOMPARE(text("Label3"), label3);
    auto *listX = child<QListWidget>("ListX");
    QCOMPARE(listX->count(), 29);
    QCOMPARE(listX->item(0)->text() + listX->item(28)->text(), QStringLiteral("230"));
    QCOMPARE(selected("ListX") + selected("ListY"), QStringLiteral("34"));
    QVERIFY(child<QRadioButton>("OptionDificil")->isChecked());
    QVERIFY(child<QLabel>("Image1")->isHidden());
    QVERIFY(!child<QCheckBox>("CheckRecordardir")->isChecked());
    QVERIFY(child<QLineEdit>("TextSalvarComo")->isHidden() && child<QLabel>("LabelSalvarComo")->isHidden());
    auto *combo = child<QComboBox>("Combo1");
    QStringList patterns;
    for (int i = 0; i < combo->count(); ++i)
        patterns << combo->itemText(i);
    QCOMPARE(patterns, (QStringList{"*.pzz;*.jpg;*.jpeg;*.gif;*.bmp;*.dib;*.wmf;*.emf",
                                    "*.jpg;*.jpeg;*.gif;*.bmp;*.dib;*.wmf;*.emf", "*.pzz", "*.*"}));
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(m_dialog->folder(), m_empty);
    QCOMPARE(m_dialog->PartesX, qint16(1));
    QVERIFY(!m_dialog->Ok && !m_dialog->theCargadoMedioMontado.has_value());
    QVERIFY(Messages::shown().isEmpty());
}

void tst_Dialog::loadFallsBackToProgramFolder_data()
{
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QString>("path");
    QTest::newRow("folder gone") << ""
                                 << "%ROOT%/gone";
    QTest::newRow("unknown drive") << "C:"
                                   << "%EMPTY%";
}

void tst_Dialog::loadFallsBackToProgramFolder()
{
    QFETCH(QString, drive);
    QFETCH(QString, path);
    m_config->setDialogDrive(drive.isEmpty() ? comun::driveOf(m_empty) : drive);
    m_config->setDialogPath(resolved(path, m_root->path()));
    open();
    QCOMPARE(m_dialog->folder(), QDir::cleanPath(comun::programFolder()));
    QCOMPARE(m_dialog->drive(), comun::driveOf(comun::programFolder()));
    QVERIFY(Messages::shown().isEmpty());
}

void tst_Dialog::countsOutsideTheListsAreBroughtIn()
{
    m_config->setListX(50);
    m_config->setListY(0);
    open();
    QCOMPARE(text("Label2"), QStringLiteral("60 pieces puzzle (30x2)"));
}

void tst_Dialog::commandLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("message");

    const char *const rows[][5] = {
        {"quoted", "\"%PICS%/flor.jpg\"", "%PICS%", "flor.jpg", ""},
        {"unquoted with space", "%PICS%/mi foto.jpg", "%PICS%", "mi foto.jpg", ""},
        {"wrong case", "%PICS%/FLOR.jpg", "%PICS%", "Azul.bmp", "File FLOR.jpg not found"},
        {"hidden by the file type", "%PICS%/notes.txt", "%PICS%", "Azul.bmp", "File notes.txt not found"},
        {"missing folder", "%ROOT%/nope/flor.jpg", "%EMPTY%", "", ""},
        {"no folder part", "flor.jpg", "%EMPTY%", "", ""},
        {"a folder", "%PICS%", "%ROOT%", "", "File pics not found"},
        {"empty file list", "%EMPTY%/x.jpg", "%EMPTY%", "", "File x.jpg not found"},
    };
    for (const auto &r : rows)
        QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << QString(r[3]) << QString(r[4]);
}

void tst_Dialog::commandLine()
{
    QFETCH(QString, line);
    QFETCH(QString, folder);
    QFETCH(QString, label);
    QFETCH(QString, message);
    open(resolved(line, m_root->path()));

    QCOMPARE(m_dialog->folder(), resolved(folder, m_root->path()));
    QCOMPARE(text("LabArchivo"), label);
    QCOMPARE(m_dialog->picture().isNull(), label.isEmpty());
    QCOMPARE(Messages::shownTexts(), shownOr(message));
    if (!label.isEmpty()) {
        QCOMPARE(m_dialog->theCargadoMedioMontado, std::optional<bool>(false));
        QCOMPARE(child<QListView>("File1")->currentIndex().data().toString(), label);
    }
}

void tst_Dialog::commandLinePuzzleFileKeepsItsGrid()
{
    m_config->setListX(3);
    m_config->setListY(3);
    m_board.Inicializar(3, 3, 3, 3, QStringLiteral("jpg   "), true, false);
    TableroClass::Table beforeX, beforeY, afterX, afterY;
    qint16 cx, cy, fx, fy;
    QVERIFY(m_board.getBoard(beforeX, beforeY, cx, cy, fx, fy));
    open(m_pics + QStringLiteral("/partida.pzz"));
    for (int pass = 0; pass < 2; ++pass) {
        QCOMPARE(selected("ListX") + selected("ListY"), QStringLiteral("56"));
        QVERIFY(child<QRadioButton>("OptionDificil")->isChecked());
        expectEnabled(false, {"ListX", "ListY", "OptionNormal", "OptionDificil"});
        // Each opening goes on in normal mode; the file's grid must stay.
        m_dialog->setSaveMode(false);
        m_dialog->show();
        if (pass == 0) {
            // The game keeps its own board until the player confirms.
            child<QPushButton>("CancelButton")->click();
            QVERIFY(m_board.getBoard(afterX, afterY, cx, cy, fx, fy));
            QVERIFY(cx == 3 && afterX == beforeX && afterY == beforeY);
        }
    }
    child<QPushButton>("OKButton")->click();
    QVERIFY(m_dialog->Ok);
    QCOMPARE(m_board.getCasillasX() * 100 + m_board.getCasillasY(), 506);
    QCOMPARE(m_board.NumeroDeFichasPorColocar(), qint16(2));
    QCOMPARE(m_dialog->PartesX * 100 + m_dialog->PartesY, 506);
    QCOMPARE(m_dialog->theExtension, QStringLiteral("pzz   "));
    QVERIFY(m_dialog->theJuegoDelCuadradito);
    QCOMPARE(m_dialog->theCargadoMedioMontado, std::optional<bool>(true));
    QCOMPARE(m_dialog->picture().pixelColor(0, 0), QColor(Qt::blue));
    const auto saved = savedConfig();
    QCOMPARE(saved->getListX() * 100 + saved->getListY(), 506);
    QVERIFY(saved->getOptionDificil());
}

void tst_Dialog::puzzleFileClickSetsAndImageClickFrees()
{
    open();
    chooseFolder(m_pics);
    QCOMPARE(m_dialog->folder(), m_pics);
    clickFile(QStringLiteral("partida.pzz"));
    QCOMPARE(text("LabArchivo"), QStringLiteral("partida.pzz"));
    expectEnabled(false, {"ListX", "ListY", "OptionNormal", "OptionDificil"});

    clickFile(QStringLiteral("flor.jpg"));
    QCOMPARE(m_dialog->theCargadoMedioMontado, std::optional<bool>(false));
    expectEnabled(true, {"ListX", "ListY", "OptionNormal", "OptionDificil"});
    QCOMPARE(selected("ListX") + selected("ListY"), QStringLiteral("56"));
    QVERIFY(child<QRadioButton>("OptionDificil")->isChecked());
}

void tst_Dialog::refusedPuzzleFile_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("English magic") << 0 << "bad.pzz"
                                   << "The file bad.pzz is not a puzzle file";
    QTest::newRow("Galician magic") << 2 << "bad.pzz"
                                    << "The file bad.pzz is not a puzzle file";
    QTest::newRow("Spanish version") << 1 << "v2.pzz"
                                     << QString::fromUtf8("La versión del archivo v2.pzz no está soportada");
}

void tst_Dialog::refusedPuzzleFile()
{
    QFETCH(int, language);
    QFETCH(QString, file);
    QFETCH(QString, message);
    ModuloIdioma::setIdioma(qint16(language));
    open(m_pics + QStringLiteral("/flor.jpg"));
    QVERIFY(!m_dialog->picture().isNull());

    clickFile(file);
    QCOMPARE(Messages::shownTexts(), QStringList{message});
    QCOMPARE(text("LabArchivo"), file);
    // The earlier picture must not be confirmed under the refused file's name.
    QVERIFY(m_dialog->picture().isNull());
    QCOMPARE(m_board.getCasillasX(), qint16(0));
    QVERIFY(!m_dialog->theJuegoDelCuadradito);
    expectEnabled(true, {"ListX", "OptionDificil"});
}

void tst_Dialog::fileTypeFiltersTheList_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("names");
    // Patterns ignore case, and the list is sorted as the player reads it.
    QTest::newRow("puzzle files and images")
        << 0 << "Azul.bmp bad.pzz broken.jpg flor.jpg FOTO.PZZ mi_foto.jpg partida.pzz v2.pzz";
    QTest::newRow("images") << 1 << "Azul.bmp broken.jpg flor.jpg mi_foto.jpg";
    QTest::newRow("puzzle files") << 2 << "bad.pzz FOTO.PZZ partida.pzz v2.pzz";
    QTest::newRow("every file")
        << 3 << "Azul.bmp bad.pzz broken.jpg flor.jpg FOTO.PZZ mi_foto.jpg notes.txt partida.pzz v2.pzz";
}

void tst_Dialog::fileTypeFiltersTheList()
{
    QFETCH(int, entry);
    QFETCH(QString, names);
    m_config->setDialogPath(m_pics);
    open();
    child<QComboBox>("Combo1")->setCurrentIndex(entry);
    auto *view = child<QListView>("File1");
    const auto listed = [view] {
        QStringList shown;
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            shown << view->model()->index(row, 0, view->rootIndex()).data().toString().replace(' ', '_');
        return shown.join(QLatin1Char(' '));
    };
    QTRY_COMPARE(listed(), names);
}

void tst_Dialog::listChangesAreNoClicks()
{
    open(m_pics + QStringLiteral("/flor.jpg"));
    auto *view = child<QListView>("File1");
    auto *model = view->model();
    QTRY_COMPARE(model->rowCount(view->rootIndex()), 8);

    // The clicked file leaves the list: the list must not click its neighbour by itself.
    QVERIFY(QFile::remove(m_pics + QStringLiteral("/flor.jpg")));
    QTRY_COMPARE(model->rowCount(view->rootIndex()), 7);
    child<QComboBox>("Combo1")->setCurrentIndex(2);
    QTRY_COMPARE(model->rowCount(view->rootIndex()), 4);
    QCOMPARE(text("LabArchivo"), QStringLiteral("flor.jpg"));
    QCOMPARE(m_dialog->theCargadoMedioMontado, std::optional<bool>(false));
    QVERIFY(!m_dialog->picture().isNull());
    QVERIFY(Messages::shown().isEmpty());
}

void tst_Dialog::okWithoutPicture_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("action"); // a file to click, or empty for a folder change
    QTest::addColumn<QString>("message");
    QTest::newRow("English, broken image")
        << 0 << "broken.jpg"
        << "To create the puzzle you shall chose an image\nfrom your computer";
    QTest::newRow("Spanish, upper-case puzzle extension")
        << 1 << "FOTO.PZZ"
        << "Para crear el puzzle debes escoger una imagen\nque tengas guardada en tu ordenador";
    QTest::newRow("other language, folder changed") << 7 << ""
                                                    << "";
}

void tst_Dialog::okWithoutPicture()
{
    QFETCH(int, language);
    QFETCH(QString, action);
    QFETCH(QString, message);
    ModuloIdioma::setIdioma(qint16(language));
    open(m_pics + QStringLiteral("/flor.jpg"));
    QVERIFY(!m_dialog->picture().isNull());
    if (action.isEmpty()) {
        chooseFolder(m_empty);
        QCOMPARE(m_dialog->folder(), m_empty);
    } else {
        clickFile(action); // not a picture: no message, nothing read as a puzzle file
    }
    QCOMPARE(text("LabArchivo"), QString());
    QVERIFY(m_dialog->picture().isNull() && child<QLabel>("Image1")->pixmap().isNull());
    QVERIFY(Messages::shown().isEmpty());
    QCOMPARE(m_board.getCasillasX(), qint16(0));

    m_dialog->show();
    child<QPushButton>("OKButton")->click();
    QVERIFY(m_dialog->isVisible() && !m_dialog->Ok);
    QCOMPARE(m_dialog->ArchivoSinPath, QString());
    QCOMPARE(Messages::shownTexts(), shownOr(message));
    if (!message.isEmpty())
        QCOMPARE(Messages::shown().first().title, QStringLiteral("Tesselon"));
}

void tst_Dialog::confirmationStoresChoices_data()
{
    QTest::addColumn<bool>("remember");
    QTest::newRow("remember the folder") << true;
    QTest::newRow("program folder") << false;
}

void tst_Dialog::confirmationStoresChoices()
{
    QFETCH(bool, remember);
    open(m_pics + QStringLiteral("/flor.jpg"));
    child<QListWidget>("ListX")->setCurrentRow(1);
    child<QListWidget>("ListY")->setCurrentRow(2);
    child<QRadioButton>("OptionDificil")->click();
    child<QCheckBox>("CheckMostrarImagen")->setChecked(false);
    child<QCheckBox>("CheckRecordardir")->setChecked(remember);
    QVERIFY(child<QLabel>("Image1")->isHidden());
    QCOMPARE(text("Label2"), QStringLiteral("12 pieces puzzle (3x4)"));

    m_dialog->show();
    child<QPushButton>("OKButton")->click();
    // A hidden preview still counts as the chosen picture.
    QVERIFY(m_dialog->Ok && m_dialog->isHidden());
    QCOMPARE(m_dialog->picture().size(), QSize(40, 30));
    QCOMPARE(m_dialog->PartesX * 100 + m_dialog->PartesY, 304);
    QCOMPARE(m_dialog->Archivo, m_pics + QStringLiteral("/flor.jpg"));
    QCOMPARE(m_dialog->ArchivoSinPath, QStringLiteral("flor.jpg"));
    QCOMPARE(m_dialog->theExtension, QStringLiteral("jpg   "));
    QVERIFY(m_dialog->theJuegoDelCuadradito && m_dialog->optionDificil());

    const auto saved = savedConfig();
    const QString folder = remember ? m_pics : comun::programFolder();
    QCOMPARE(saved->getDialogPath(), folder);
    QCOMPARE(saved->getDialogDrive(), comun::driveOf(folder));
    QCOMPARE(saved->getRecordardir(), qint16(remember ? 1 : 0));
    QCOMPARE(saved->getMostrarImagen(), qint16(0));
    QCOMPARE(saved->getListX() * 100 + saved->getListY(), 304);
    QVERIFY(saved->getOptionDificil());
}

void tst_Dialog::closeBoxActsAsCancelAndKeepsState()
{
    open(m_pics + QStringLiteral("/flor.jpg"));
    QPointer<Dialog> alive(m_dialog.get());
    m_dialog->show();
    child<QListWidget>("ListX")->setCurrentRow(5);
    child<QCheckBox>("CheckMostrarImagen")->setChecked(false);
    m_dialog->Ok = true;
    m_dialog->close();
    QVERIFY(alive && m_dialog->isHidden() && !m_dialog->Ok);

    m_dialog->show();
    QCOMPARE(text("LabArchivo"), QStringLiteral("flor.jpg"));
    QVERIFY(!m_dialog->picture().isNull());
    QCOMPARE(selected("ListX"), QStringLiteral("7"));
    QVERIFY(child<QLabel>("Image1")->isHidden());
    QCOMPARE(m_dialog->folder(), m_pics);

    m_dialog->Ok = true;
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    QVERIFY(m_dialog->isHidden() && !m_dialog->Ok);
}

void tst_Dialog::saveModeSuggestions_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("shuffled");
    QTest::addColumn<QString>("suggestion");
    QTest::addColumn<int>("fileType");
    QTest::newRow("in progress") << "Paisaje_2.jpg" << true << "Paisaje_2.pzz" << 2;
    QTest::newRow("name with a space") << "mi foto.jpg" << true << ".pzz" << 2;
    QTest::newRow("solved image") << "flor.jpg" << false << "flor.jpg   " << 1;
    QTest::newRow("solved puzzle file") << "partida.pzz" << false << "partida.jpg   " << 1;
    QTest::newRow("puzzle file in progress") << "partida.pzz" << true << "partida.pzz" << 2;
}

void tst_Dialog::saveModeSuggestions()
{
    QFETCH(QString, source);
    QFETCH(bool, shuffled);
    QFETCH(QString, suggestion);
    QFETCH(int, fileType);
    m_board.Inicializar(4, 3, 4, 3, QStringLiteral("jpg   "), shuffled, false);
    QCOMPARE(m_board.NumeroDeFichasPorColocar() != 0, shuffled);
    open();
    m_dialog->ArchivoSinPath = source;
    const QStringList locked{"Combo1", "ListX", "ListY", "OptionNormal", "OptionDificil"};

    m_dialog->setSaveMode(true);
    QCOMPARE(child<QLineEdit>("TextSalvarComo")->text(), suggestion);
    QVERIFY(!child<QLineEdit>("TextSalvarComo")->isHidden() && !child<QLabel>("LabelSalvarComo")->isHidden());
    QCOMPARE(child<QComboBox>("Combo1")->currentIndex(), fileType);
    QCOMPARE(selected("ListX") + selected("ListY"), QStringLiteral("43"));
    expectEnabled(false, locked);

    m_dialog->setSaveMode(false);
    expectEnabled(true, locked);
    QVERIFY(child<QLineEdit>("TextSalvarComo")->isHidden());
    QCOMPARE(child<QLineEdit>("TextSalvarComo")->text(), QString());
    QCOMPARE(child<QComboBox>("Combo1")->currentIndex(), 0);
}

void tst_Dialog::saveModeNameAndSave()
{
    m_board.Inicializar(3, 3, 3, 3, QStringLiteral("jpg   "), true, false);
    open();
    m_dialog->Archivo = m_pics + QStringLiteral("/flor.jpg");
    m_dialog->ArchivoSinPath = QStringLiteral("flor.jpg");
    auto *name = child<QLineEdit>("TextSalvarComo");
    auto *ok = child<QPushButton>("OKButton");

    m_dialog->setSaveMode(true);
    m_dialog->show();
    name->clear();
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(name, QStringLiteral("a"));
    QVERIFY(ok->isEnabled());
    name->clear();
    child<QPushButton>("CancelButton")->click();
    QVERIFY(ok->isEnabled() && m_dialog->isHidden());

    m_dialog->setSaveMode(true);
    QCOMPARE(name->text(), QStringLiteral("flor.pzz"));
    m_dialog->show();
    ok->click();
    QVERIFY(m_dialog->isHidden() && !m_dialog->Ok);
    TableroClass reread;
    bool sliding = true;
    QCOMPARE(m_files->leerPuzzle(m_empty + QStringLiteral("/flor.pzz"), reread, sliding), qint16(0));
    QCOMPARE(reread.getCasillasX(), qint16(3));
    QVERIFY(!sliding);

    // In normal mode the name does not govern the button.
    m_dialog->setSaveMode(false);
    name->setText(QStringLiteral("x"));
    name->clear();
    QVERIFY(ok->isEnabled());
}

void tst_Dialog::driveNotReady_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("Spanish") << 1 << QString::fromUtf8("La unidad escogida no está lista");
    QTest::newRow("other") << 7 << "";
}

void tst_Dialog::driveNotReady()
{
    QFETCH(int, language);
    QFETCH(QString, message);
    ModuloIdioma::setIdioma(qint16(language));
    open(m_pics + QStringLiteral("/flor.jpg"));
    auto *drives = child<QComboBox>("Drive1");
    drives->addItem(m_root->path() + QStringLiteral("/unplugged"));
    drives->setCurrentIndex(drives->count() - 1);

    QCOMPARE(Messages::shownTexts(), shownOr(message));
    QCOMPARE(drives->currentText(), QStringLiteral("/"));
    QCOMPARE(m_dialog->folder(), QStringLiteral("/"));
    QCOMPARE(text("LabArchivo"), QString());
    QVERIFY(m_dialog->picture().isNull());
}

void tst_Dialog::unreadableFolderKeepsPrevious()
{
    const QString gone = m_root->path() + QStringLiteral("/gone");
    const QString locked = m_root->path() + QStringLiteral("/locked");
    QVERIFY(QDir().mkpath(gone) && QDir().mkpath(locked));
    open(m_pics + QStringLiteral("/flor.jpg"));
    auto *tree = child<QTreeView>("Dir1");
    auto *model = qobject_cast<QFileSystemModel *>(tree->model());

    const QModelIndex goneIndex = model->index(gone);
    QVERIFY(goneIndex.isValid() && QDir(gone).removeRecursively());
    tree->setCurrentIndex(goneIndex);
    QCOMPARE(Messages::shownTexts(), QStringList{QStringLiteral("The folder %1 cannot be read").arg(gone)});
    QCOMPARE(m_dialog->folder(), m_pics);
    QCOMPARE(model->filePath(tree->currentIndex()), m_pics);
    QCOMPARE(text("LabArchivo"), QStringLiteral("flor.jpg"));

    if (geteuid() == 0)
        return; // permissions do not stop the superuser
    QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    Messages::clearShown();
    chooseFolder(locked);
    QCOMPARE(Messages::shown().size(), 1);
    QCOMPARE(m_dialog->folder(), m_pics);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void tst_Dialog::applyLanguageDescribesTheChoice()
{
    ModuloIdioma::setIdioma(ModuloIdioma::Spanish);
    m_config->setListX(3);
    m_config->setListY(4);
    open();
    const auto captions = [this] {
        return QStringList{child<QGroupBox>("Frame2")->title(),
                           child<QCheckBox>("CheckRecordardir")->text(),
                           child<QRadioButton>("OptionDificil")->text(),
                           text("Label5"),
                           text("LabelSalvarComo"),
                           child<QPushButton>("CancelButton")->text(),
                           text("Label2")}
            .join(QLatin1Char('|'));
    };
    const QString spanish = QString::fromUtf8("Tipo de puzzle|Recordar esta carpeta|Difícil|Tipo de "
                                              "archivo:|Salvar como:|Cancelar|Puzzle de 12 piezas (3x4)");
    const QString english = QStringLiteral(
        "Puzzle style|Remember this folder|Difficult|File type:|Save as:|Cancel|12 pieces puzzle (3x4)");
    QCOMPARE(captions(), spanish);
    ModuloIdioma::setIdioma(ModuloIdioma::English);
    m_dialog->applyLanguage();
    QCOMPARE(captions(), english);
    ModuloIdioma::setIdioma(ModuloIdioma::Galician);
    m_dialog->applyLanguage();
    QCOMPARE(captions(), english);
    ModuloIdioma::setIdioma(ModuloIdioma::Spanish);
    m_dialog->applyLanguage();
    QCOMPARE(captions(), spanish);
}

QTEST_MAIN(tst_Dialog)
#include "tst_Dialog.moc"
