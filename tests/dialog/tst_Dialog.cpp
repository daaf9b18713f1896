#include "board/TableroClass.h"
#include "dialog/Dialog.h"
#include "dialog/DialogRules.h"
#include "dialog/SaveMode.h"
#include "picture/PictureSamples.h"
#include "platform/Messages.h"
#include "puzzlefile/PzzFile.h"
#include "settings/ConfigFileHandler.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace
{

using PictureSamples::patched;
using PictureSamples::writeBytes;

QByteArray pictureBytes(const char *format, Qt::GlobalColor color)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    return PictureSamples::encoded(image, format);
}

// A sliding 5 x 6 puzzle file with the first two pieces of the top row exchanged.
QByteArray pzzBytes()
{
    TableroClass board;
    board.Inicializar(5, 6, 5, 6, QStringLiteral("bmp"), false, false);
    board.IntercambiarFichas(1, 1, 2, 1);
    PzzFile file;
    board.getBoard(file.homeColumns, file.homeRows, file.columns, file.rows, file.fichasX, file.fichasY);
    file.extension = PzzFile::extensionField(QStringLiteral("bmp"));
    file.style = PzzFile::styleValue(true);
    file.picture = pictureBytes("BMP", Qt::blue);
    return file.toBytes();
}

// A 4 x 3 game from the named source, shuffled or solved.
GameSetup game(const QString &source, bool shuffled)
{
    GameSetup game;
    game.archivoSinPath = source;
    game.board.emplace();
    game.board->setSeed(3);
    game.board->Inicializar(4, 3, 4, 3, QStringLiteral("jpg   "), shuffled, false);
    return game;
}

} // namespace

class tst_Dialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_pics;
    std::unique_ptr<ConfigFileHandler> m_config;
    std::unique_ptr<Dialog> m_dialog;
    const QStringList m_gridControls{"ListX", "ListY", "OptionNormal", "OptionDificil"};

    void open(const QString &commandLine = QString())
    {
        m_dialog = std::make_unique<Dialog>(
            DialogHost{[this]() -> ConfigFileHandler & { return *m_config; }, commandLine, {}});
    }
    template <class T> T *child(const char *name) const { return m_dialog->findChild<T *>(name); }
    QString text(const char *labelName) const { return child<QLabel>(labelName)->text(); }
    QString counts() const
    {
        return child<QListWidget>("ListX")->currentItem()->text() + 'x' +
               child<QListWidget>("ListY")->currentItem()->text();
    }
    QModelIndex fileRow(const QString &name) const
    {
        const auto *rows = qobject_cast<QSortFilterProxyModel *>(child<QListView>("File1")->model());
        const auto *model = qobject_cast<QFileSystemModel *>(rows->sourceModel());
        return rows->mapFromSource(model->index(QDir(m_dialog->folder()).filePath(name)));
    }
    QStringList listedNames() const
    {
        const QListView *view = child<QListView>("File1");
        QStringList names;
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            names << view->model()->index(row, 0, view->rootIndex()).data().toString();
        return names;
    }
    // The list's current row is the file's, selected and whole in sight.
    bool chosenInSight(const QString &name) const
    {
        const QListView *view = child<QListView>("File1");
        const QModelIndex current = view->currentIndex();
        return current.data().toString() == name && view->selectionModel()->isSelected(current) &&
               view->viewport()->rect().contains(view->visualRect(current));
    }
    // What a screen reader calls a control: its name, or for a drop-down list, whose name
    // is its value, the caption that labels it.
    static QString spokenName(QWidget *control)
    {
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(control);
        if (spoken->role() == QAccessible::ComboBox) {
            for (const auto &[label, relation] : spoken->relations(QAccessible::Label))
                if (label->role() == QAccessible::StaticText)
                    spoken = label;
        }
        return spoken->text(QAccessible::Name);
    }
    // A real click on the file's row in the shown dialog.
    void clickFile(const QString &name)
    {
        auto *view = child<QListView>("File1");
        const QModelIndex index = fileRow(name);
        QVERIFY(index.isValid());
        m_dialog->show();
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QCOMPARE(view->currentIndex().data().toString(), name);
    }
    void expectEnabled(bool enabled, const QStringList &names) const
    {
        for (const QString &name : names)
            QVERIFY2(m_dialog->findChild<QWidget *>(name)->isEnabled() == enabled, qPrintable(name));
    }

private slots:
    void init()
    {
        Messages::startScript();
        ModuloIdioma::setIdioma(ModuloIdioma::English);
        m_root = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_root->path().toLocal8Bit());
        m_pics = m_root->filePath(QStringLiteral("pics"));
        QVERIFY(QDir().mkpath(m_pics) && QDir().mkpath(m_root->filePath("empty")) &&
                QDir().mkpath(m_root->filePath("data")));
        const QByteArray jpg = pictureBytes("JPG", Qt::red), pzz = pzzBytes();
        const char *const names[] = {"flor.jpg", "mi foto.jpg", "Azul.bmp",
                                     "FOTO.PZZ", "partida.pzz", "roto.png"};
        const QByteArray bytes[] = {jpg, jpg, jpg, pzz, pzz, jpg.left(40)};
        for (int n = 0; n < 6; ++n)
            QVERIFY(writeBytes(m_pics + '/' + names[n], bytes[n]));
        // A foreign magic number, then a version not supported: the file's first two fields.
        QVERIFY(writeBytes(m_pics + "/bad.pzz", patched<qint16>(pzz, {{0, 1311}})));
        QVERIFY(writeBytes(m_pics + "/v2.pzz", patched<qint16>(pzz, {{2, 2}})));
        m_config = std::make_unique<ConfigFileHandler>(m_root->filePath(QStringLiteral("data")));
        m_config->setDialogDrive(comun::driveOf(m_root->path()));
        m_config->setDialogPath(m_root->filePath(QStringLiteral("empty")));
    }

    void cleanup()
    {
        m_dialog.reset();
        m_config.reset();
        m_root.reset();
        Messages::stopScript();
    }

    void badSettingsAreBroughtIn()
    {
        m_config->setDialogPath(m_root->filePath(QStringLiteral("gone")));
        m_config->setListX(50);
        m_config->setListY(0);
        open();
        QCOMPARE(m_dialog->folder(), QDir::cleanPath(comun::programFolder()));
        QCOMPARE(text("Label2"), QStringLiteral("60 pieces puzzle (30x2)"));
        QVERIFY(Messages::shown().isEmpty());
    }

    // "@" stands for the temporary root. A file not found selects the first of the list.
    void commandLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("message");
        const char *const rows[][5] = {
            {"quoted", "\"@/pics/flor.jpg\"", "@/pics", "flor.jpg", ""},
            {"unquoted with space", "@/pics/mi foto.jpg", "@/pics", "mi foto.jpg", ""},
            {"wrong case", "@/pics/FLOR.jpg", "@/pics", "Azul.bmp", "File FLOR.jpg not found"},
            {"missing folder", "@/nope/flor.jpg", "@/empty", "", ""},
            {"no folder part", "flor.jpg", "@/empty", "", ""},
            {"a folder", "@/pics", "@", "", "File pics not found"},
            {"empty file list", "@/empty/x.jpg", "@/empty", "", "File x.jpg not found"},
        };
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << QString(r[3]) << QString(r[4]);
    }

    void commandLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, folder);
        QFETCH(QString, label);
        QFETCH(QString, message);
        open(line.replace(QLatin1Char('@'), m_root->path()));
        QCOMPARE(m_dialog->folder(), folder.replace(QLatin1Char('@'), m_root->path()));
        QCOMPARE(text("LabArchivo"), label);
        QTRY_COMPARE(m_dialog->picture().isNull(), label.isEmpty());
        QCOMPARE(Messages::shownTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    // A puzzle file is read off the window's thread: the latest click wins whichever read
    // ends first, and OK pressed meanwhile waits for it.
    void puzzleFileReachesTheGameOnlyWhenConfirmed()
    {
        open(m_pics + QStringLiteral("/flor.jpg"));
        clickFile(QStringLiteral("partida.pzz"));
        QCOMPARE(text("LabArchivo") + ' ' + text("Image1"), QStringLiteral("partida.pzz Loading…"));
        child<QPushButton>("OKButton")->click();
        const std::optional<GameSetup> chosen = m_dialog->choice();
        QVERIFY(chosen && chosen->board && chosen->sliding && m_dialog->isHidden());
        QCOMPARE(chosen->board->getCasillasX() * 100 + chosen->board->getCasillasY(), 506);
        QCOMPARE(chosen->board->NumeroDeFichasPorColocar(), qint16(2));
        QCOMPARE(chosen->pictureBytes, pictureBytes("BMP", Qt::blue));
        QCOMPARE(m_dialog->picture().pixelColor(0, 0), QColor(Qt::blue));
        QVERIFY(counts() == "5x6" && child<QRadioButton>("OptionDificil")->isChecked());
        expectEnabled(false, m_gridControls);
        m_dialog->show();
        child<QPushButton>("CancelButton")->click();
        QVERIFY(!m_dialog->choice());
        // Each opening goes on in normal mode; the file's grid must stay with it.
        m_dialog->setSaveMode(false);
        QCOMPARE(counts(), QStringLiteral("5x6"));
        clickFile(QStringLiteral("partida.pzz"));
        clickFile(QStringLiteral("flor.jpg"));
        QTRY_VERIFY(child<QWidget>("ListX")->isEnabled());
        QTest::qWait(100);
        QVERIFY(m_dialog->picture().pixelColor(0, 0).red() > 200 && counts() == "5x6");
        expectEnabled(true, m_gridControls);
        QVERIFY(Messages::shown().isEmpty());
    }

    // Files that leave no picture after one was chosen: a confirmation must not use the
    // earlier picture. Only a refused puzzle file says why at once.
    void fileWithoutPicture_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        const char *const rows[][4] = {
            {"upper-case puzzle extension", "1", "FOTO.PZZ",
             "El archivo no es una imagen que se pueda abrir, o está dañado."},
            {"not a puzzle file", "0", "bad.pzz", "The file bad.pzz is not a puzzle file"},
            {"unsupported version", "1", "v2.pzz", "La versión del archivo v2.pzz no está soportada"},
            {"damaged picture", "0", "roto.png",
             "The file is not a picture that can be opened, or it is damaged."}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString(r[1]).toInt() << QString(r[2]) << QString::fromUtf8(r[3]);
    }

    void fileWithoutPicture()
    {
        QFETCH(int, language);
        QFETCH(QString, file);
        QFETCH(QString, message);
        ModuloIdioma::setIdioma(qint16(language));
        open(m_pics + QStringLiteral("/flor.jpg"));
        QTRY_VERIFY(!m_dialog->picture().isNull());
        clickFile(file);
        QTRY_VERIFY(text("Image1").isEmpty());
        QCOMPARE(text("LabArchivo"), file.endsWith(".pzz") ? file : QString());
        QCOMPARE(Messages::shownTexts(), QStringList{message});
        QVERIFY(m_dialog->picture().isNull() && child<QLabel>("Image1")->pixmap().isNull());
        m_dialog->show();
        child<QPushButton>("OKButton")->click();
        QVERIFY(m_dialog->isVisible() && !m_dialog->choice());
        QCOMPARE(Messages::shownTexts().last(), *DialogRules::choseImageMessage(qint16(language)));
    }

    void confirmationStoresChoicesAndCloseBoxCancels()
    {
        for (const bool remember : {true, false}) {
            open(m_pics + QStringLiteral("/flor.jpg"));
            child<QListWidget>("ListX")->setCurrentRow(1);
            child<QListWidget>("ListY")->setCurrentRow(2);
            child<QRadioButton>("OptionDificil")->click();
            child<QCheckBox>("CheckMostrarImagen")->setChecked(false);
            child<QCheckBox>("CheckRecordardir")->setChecked(remember);
            QVERIFY(child<QLabel>("Image1")->isHidden());
            m_dialog->show();
            child<QPushButton>("OKButton")->click();
            // A hidden preview still counts as the chosen picture.
            const std::optional<GameSetup> chosen = m_dialog->choice();
            QVERIFY(chosen && m_dialog->isHidden() && chosen->sliding && !chosen->board);
            QCOMPARE(chosen->columns * 100 + chosen->rows, 304);
            QCOMPARE(chosen->archivo, m_pics + QStringLiteral("/flor.jpg"));
            QCOMPARE(chosen->archivoSinPath + chosen->extension, QStringLiteral("flor.jpgjpg   "));

            const ConfigFileHandler saved(m_root->filePath(QStringLiteral("data")));
            const QString folder = remember ? m_pics : comun::programFolder();
            QCOMPARE(saved.getDialogDrive() + saved.getDialogPath(), comun::driveOf(folder) + folder);
            QCOMPARE(saved.getRecordardir() * 10 + saved.getMostrarImagen(), remember ? 10 : 0);
            QCOMPARE(saved.getListX() * 100 + saved.getListY() + (saved.getOptionDificil() ? 1000 : 0), 1304);
        }
        // The close box acts as Cancel and leaves everything as it was for the next showing.
        m_dialog->show();
        child<QListWidget>("ListX")->setCurrentRow(5);
        m_dialog->close();
        QVERIFY(m_dialog->isHidden() && !m_dialog->choice());
        m_dialog->show();
        QCOMPARE(text("LabArchivo") + counts().left(2) + m_dialog->folder(), "flor.jpg7x" + m_pics);
        QVERIFY(!m_dialog->picture().isNull() && child<QLabel>("Image1")->isHidden());
    }

    void saveMode_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("shuffled");
        QTest::addColumn<QString>("suggestion");
        QTest::addColumn<int>("fileType");
        // A suggestion is made only from a name without spaces.
        QTest::newRow("in progress") << "Paisaje_2.jpg" << true << "Paisaje_2.pzz" << 2;
        QTest::newRow("name with a space") << "mi foto.jpg" << true << ".pzz" << 2;
        QTest::newRow("solved puzzle file") << "partida.pzz" << false << "partida.jpg   " << 1;
    }

    void saveMode()
    {
        QFETCH(QString, source);
        QFETCH(bool, shuffled);
        QFETCH(QString, suggestion);
        QFETCH(int, fileType);
        open();
        auto *name = child<QLineEdit>("TextSalvarComo");
        auto *ok = child<QPushButton>("OKButton");
        const QStringList locked = m_gridControls + QStringList{"Combo1"};
        GameSetup saved = game(source, shuffled);
        saved.archivo = m_pics + '/' + source;
        m_dialog->beginSave(saved);
        m_dialog->show();
        QCOMPARE(name->isVisible() ? name->text() : QString(), suggestion);
        QVERIFY(child<QComboBox>("Combo1")->currentIndex() == fileType && counts() == "4x3");
        expectEnabled(false, locked);
        // An empty name cannot be confirmed, but must not leave OK disabled after a cancel.
        name->clear();
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(name, QStringLiteral("a"));
        QVERIFY(ok->isEnabled());
        // A folder that is not there keeps the dialog open with the name as typed.
        const QString typed = m_root->filePath(QStringLiteral("nope/x.pzz"));
        name->setText(typed);
        ok->click();
        QVERIFY(m_dialog->isVisible() && !QFileInfo::exists(typed) && name->text() == typed);
        // A solved puzzle file saves its picture, under the picture's own extension.
        const QString written = typed + (shuffled ? "" : ".bmp");
        QCOMPARE(Messages::shownTexts(), QStringList{QStringLiteral("Path not found: ") + written});
        name->clear();
        child<QPushButton>("CancelButton")->click();
        QVERIFY(ok->isEnabled() && m_dialog->isHidden());
        m_dialog->setSaveMode(false);
        expectEnabled(true, locked);
        QVERIFY(name->isHidden() && child<QComboBox>("Combo1")->currentIndex() == 0);
    }

    // Once the player has moved the tree, a directory the model finishes loading must not
    // bring it back to the current folder; a press chooses the row under the pointer.
    // Revealing the folder never scrolls across, which would cut off every name's start.
    void treeStaysWhereThePlayerLeftIt()
    {
        const QString deep = m_pics + QStringLiteral("/sub59/a folder name far wider than the tree itself");
        for (int n = 0; n < 60; ++n)
            QVERIFY(QDir().mkpath(m_pics + QStringLiteral("/sub%1").arg(n, 2, 10, QLatin1Char('0'))));
        QVERIFY(QDir().mkpath(deep));
        open(deep + QStringLiteral("/x.jpg"));
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        auto *tree = child<QTreeView>("Dir1");
        auto *model = qobject_cast<QFileSystemModel *>(tree->model());
        QTRY_VERIFY(tree->visualRect(tree->currentIndex()).intersects(tree->viewport()->rect()));
        QTest::qWait(200);
        QVERIFY(tree->horizontalScrollBar()->maximum() > 0);
        QCOMPARE(tree->horizontalScrollBar()->value(), 0);
        const int revealed = tree->verticalScrollBar()->value();
        QWheelEvent wheel(QPointF(5, 5), tree->viewport()->mapToGlobal(QPointF(5, 5)), {}, {0, 120 * 3},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(tree->viewport(), &wheel);
        const int top = tree->verticalScrollBar()->value();
        QVERIFY2(top > 0 && top < revealed, qPrintable(QStringLiteral("%1 %2").arg(top).arg(revealed)));
        emit model->directoryLoaded(m_pics);
        QTest::qWait(20);
        QCOMPARE(tree->verticalScrollBar()->value(), top);

        const QModelIndex pressed = tree->indexAt(QPoint(20, tree->viewport()->height() / 2));
        QVERIFY(pressed.isValid() && model->filePath(pressed).startsWith(m_pics + "/sub"));
        const QRect row = tree->visualRect(pressed);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(row.left() + 10, row.center().y()));
        QCOMPARE(m_dialog->folder(), model->filePath(pressed));
    }

    // A file chosen far down a long list is brought into sight once its row has come, and
    // again when the dialog is shown anew. Folders the tree has passed through never show in
    // the file list, and focus coming into the list by the keyboard chooses nothing until
    // Enter or Space.
    void fileListKeepsItsChoiceInSightAndWaitsForOne()
    {
        const QString many = m_pics + QStringLiteral("/many");
        QVERIFY(QDir().mkpath(many));
        for (int n = 0; n < 400; ++n)
            QVERIFY(writeBytes(many + QStringLiteral("/f%1.jpg").arg(n), QByteArray()));
        QVERIFY(writeBytes(many + QStringLiteral("/f250.jpg"), pictureBytes("JPG", Qt::red)));
        open(many + QStringLiteral("/f250.jpg"));
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        // The rows are sorted after they come.
        QTRY_COMPARE(listedNames().size(), 400);
        QTest::qWait(100);
        QTRY_VERIFY(chosenInSight(QStringLiteral("f250.jpg")) && !m_dialog->picture().isNull());
        m_dialog->hide();
        child<QListView>("File1")->scrollToTop();
        m_dialog->show();
        QTRY_VERIFY(chosenInSight(QStringLiteral("f250.jpg")));
        // A window shown again under the offscreen platform is not made active by itself.
        QApplication::setActiveWindow(m_dialog.get());

        child<QTreeView>("Dir1")->setCurrentIndex(
            qobject_cast<QFileSystemModel *>(child<QTreeView>("Dir1")->model())->index(m_pics));
        QCOMPARE(m_dialog->folder(), m_pics);
        QTRY_VERIFY(listedNames().contains(QStringLiteral("flor.jpg")));
        QVERIFY2(!listedNames().contains(QStringLiteral("many")), qPrintable(listedNames().join(',')));
        auto *list = child<QListView>("File1");
        child<QComboBox>("Combo1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(child<QComboBox>("Combo1"), Qt::Key_Backtab);
        QTRY_VERIFY(list->hasFocus());
        QTest::qWait(50);
        QVERIFY(text("LabArchivo").isEmpty() && m_dialog->picture().isNull() && Messages::shown().isEmpty());
        list->setCurrentIndex(fileRow(QStringLiteral("flor.jpg")));
        QVERIFY(text("LabArchivo").isEmpty());
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(text("LabArchivo") + ' ' + text("Image1"), QStringLiteral("flor.jpg Loading…"));
        QTRY_VERIFY(!m_dialog->picture().isNull());
    }

    // Another program deletes what the dialog shows: a click on a file that has gone says
    // so, a listed folder that has gone gives way to its parent, nothing of either stays in
    // the preview. A drive that cannot be read falls back on the root.
    void vanishingFilesAndFolders()
    {
        const QString sub = m_pics + QStringLiteral("/sub"), gone = m_root->filePath(QStringLiteral("gone"));
        QVERIFY(QDir().mkpath(sub) && QDir().mkpath(gone));
        for (const char *name : {"/x.jpg", "/y.jpg"})
            QVERIFY(writeBytes(sub + name, pictureBytes("JPG", Qt::red)));
        open(sub + QStringLiteral("/x.jpg"));
        m_dialog->show();
        QTRY_VERIFY(!m_dialog->picture().isNull() && listedNames().contains(QStringLiteral("y.jpg")));
        QVERIFY(QFile::remove(sub + QStringLiteral("/y.jpg")));
        clickFile(QStringLiteral("y.jpg"));
        QVERIFY(text("LabArchivo").isEmpty() && m_dialog->picture().isNull());

        clickFile(QStringLiteral("x.jpg"));
        QTRY_VERIFY(!m_dialog->picture().isNull());
        QVERIFY(QDir(sub).removeRecursively());
        QTRY_COMPARE(m_dialog->folder(), m_pics);
        QVERIFY(text("LabArchivo").isEmpty() && m_dialog->picture().isNull());
        auto *tree = child<QTreeView>("Dir1");
        auto *model = qobject_cast<QFileSystemModel *>(tree->model());
        QCOMPARE(model->filePath(tree->currentIndex()), m_pics);

        // A folder pressed in the tree after it has gone says so and changes nothing.
        clickFile(QStringLiteral("flor.jpg"));
        QTRY_VERIFY(!m_dialog->picture().isNull());
        const QModelIndex goneIndex = model->index(gone);
        QVERIFY(goneIndex.isValid() && QDir(gone).removeRecursively());
        tree->setCurrentIndex(goneIndex);
        QCOMPARE(model->filePath(tree->currentIndex()) + m_dialog->folder(), m_pics + m_pics);
        // A chosen file that goes while the dialog is hidden is let go of at the next showing.
        m_dialog->hide();
        QVERIFY(QFile::remove(m_pics + QStringLiteral("/flor.jpg")));
        m_dialog->show();
        QTRY_VERIFY(text("LabArchivo").isEmpty() && m_dialog->picture().isNull());

        auto *drives = child<QComboBox>("Drive1");
        drives->addItem(m_root->filePath(QStringLiteral("unplugged")));
        drives->setCurrentIndex(drives->count() - 1);
        QCOMPARE(drives->currentText() + m_dialog->folder(), QStringLiteral("//"));
        const QStringList expected{QStringLiteral("The file y.jpg is no longer in its folder"),
                                   QStringLiteral("The folder %1 cannot be read").arg(gone),
                                   QStringLiteral("The selected unit is not ready")};
        QCOMPARE(Messages::shownTexts(), expected);
    }

    // The listed folder is /srv/pics; "~" stands for the home folder.
    void saveDestination_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("destination"); // folder|name
        const char *const rows[][3] = {{"relative folder", "a/../b/x.pzz", "/srv/pics/b|x.pzz"},
                                       {"in the root", "/x.pzz", "/|x.pzz"},
                                       {"home", "~/x y.jpg   ", "~|x y.jpg   "},
                                       {"folder only", "/tmp/", "/tmp|"}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }

    void saveDestination()
    {
        QFETCH(QString, typed);
        QFETCH(QString, destination);
        const SaveMode::Destination found = SaveMode::destinationOf(QStringLiteral("/srv/pics"), typed);
        QCOMPARE(found.folder + '|' + found.name, destination.replace('~', QDir::homePath()));
    }

    // In both languages and modes: the dialog fits what a 1600 x 1000 screen at scale 2
    // leaves it, and every control the player can reach has a name assistive technology
    // reads, in the player's language.
    void languagesAndScreen_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("saving");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("English") << 0 << false << QStringList{"Drive:",  "Folders", "Files", "File type:",
                                                              "Preview", "Columns", "Rows",  "Save as"};
        QTest::newRow("Spanish, saving")
            << 1 << true << QStringList{"Unidad:",      "Carpetas", "Archivos", "Tipo de archivo:",
                                        "Vista previa", "Columnas", "Filas",    "Salvar como"};
    }

    void languagesAndScreen()
    {
        QFETCH(int, language);
        QFETCH(bool, saving);
        QFETCH(QStringList, names);
        ModuloIdioma::setIdioma(qint16(1 - language));
        open(m_pics + QStringLiteral("/flor.jpg"));
        ModuloIdioma::setIdioma(qint16(language));
        m_dialog->applyLanguage();
        if (saving)
            m_dialog->beginSave(game(QStringLiteral("flor.jpg"), true));
        m_dialog->show();
        const QSize least = m_dialog->minimumSizeHint();
        QVERIFY2(least.width() <= 790 && least.height() <= 460,
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        QStringList named;
        for (const char *control :
             {"Drive1", "Dir1", "File1", "Combo1", "Image1", "ListX", "ListY", "TextSalvarComo"})
            named << spokenName(child<QWidget>(control));
        QCOMPARE(named, names);
        for (QWidget *control : m_dialog->findChildren<QWidget *>()) {
            if (control->focusPolicy() != Qt::NoFocus && control->isVisibleTo(m_dialog.get()))
                QVERIFY2(!spokenName(control).isEmpty(),
                         qPrintable(control->objectName() + ' ' + control->metaObject()->className()));
        }
    }
};

QTEST_MAIN(tst_Dialog)
#include "tst_Dialog.moc"
