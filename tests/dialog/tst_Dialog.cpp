#include "board/TableroClass.h"
#include "dialog/Dialog.h"
#include "dialog/DialogRules.h"
#include "dialog/SaveMode.h"
#include "platform/Messages.h"
#include "settings/ConfigFileHandler.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace
{

QByteArray pictureBytes(const char *format, Qt::GlobalColor color)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, format);
    return bytes;
}

// A sliding 5 x 6 puzzle file with the first two pieces of the top row exchanged.
QByteArray pzzBytes(qint16 magic, qint16 version)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << magic << version << qint16(0);
    out.writeRawData("bmp   ", 6);
    out << qint16(5) << qint16(6) << qint16(5) << qint16(6) << qint16(-1) << qint32(0) << qint32(0);
    for (qint16 c = 1; c <= 5; ++c)
        for (qint16 r = 1; r <= 6; ++r)
            out << ((r == 1 && c <= 2) ? qint16(3 - c) : c) << r;
    const QByteArray picture = pictureBytes("BMP", Qt::blue);
    out.writeRawData(picture.constData(), int(picture.size()));
    return bytes;
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
        const QByteArray jpg = pictureBytes("JPG", Qt::red), pzz = pzzBytes(1310, 1);
        const QList<std::pair<const char *, QByteArray>> files{{"flor.jpg", jpg},
                                                               {"mi foto.jpg", jpg},
                                                               {"Azul.bmp", jpg},
                                                               {"FOTO.PZZ", pzz},
                                                               {"partida.pzz", pzz},
                                                               {"bad.pzz", pzzBytes(1311, 1)},
                                                               {"roto.png", jpg.left(40)},
                                                               {"verde.png", pictureBytes("PNG", Qt::green)},
                                                               {"v2.pzz", pzzBytes(1310, 2)}};
        for (const auto &[name, bytes] : files) {
            QFile file(m_pics + '/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
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
            {"a PNG", "@/pics/verde.png", "@/pics", "verde.png", ""},
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

    void puzzleFileReachesTheGameOnlyWhenConfirmed()
    {
        open(m_pics + QStringLiteral("/partida.pzz"));
        QVERIFY(counts() == "5x6" && child<QRadioButton>("OptionDificil")->isChecked());
        expectEnabled(false, m_gridControls);
        child<QPushButton>("CancelButton")->click();
        QVERIFY(!m_dialog->choice());
        // Each opening goes on in normal mode; the file's grid must stay with it.
        m_dialog->setSaveMode(false);
        QCOMPARE(counts(), QStringLiteral("5x6"));
        child<QPushButton>("OKButton")->click();
        QVERIFY(m_dialog->Ok && m_dialog->theJuegoDelCuadradito && m_dialog->theCargadoMedioMontado == true);
        const std::optional<GameSetup> chosen = m_dialog->choice();
        QVERIFY(chosen && chosen->board && chosen->sliding);
        QCOMPARE(chosen->board->getCasillasX() * 100 + chosen->board->getCasillasY(), 506);
        QCOMPARE(chosen->board->NumeroDeFichasPorColocar(), qint16(2));
        QCOMPARE(chosen->pictureBytes, pictureBytes("BMP", Qt::blue));
        QCOMPARE(m_dialog->picture().pixelColor(0, 0), QColor(Qt::blue));
        clickFile(QStringLiteral("flor.jpg"));
        QTRY_VERIFY(m_dialog->theCargadoMedioMontado == false && counts() == "5x6");
        expectEnabled(true, m_gridControls);
    }

    // Files that leave no picture after one was chosen: a confirmation must not use the
    // earlier picture. Only a refused puzzle file says why at once.
    void fileWithoutPicture_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("labelled");
        QTest::newRow("upper-case puzzle extension")
            << 1 << "FOTO.PZZ"
            << "El archivo no es una imagen que se pueda abrir, o está dañado." << false;
        QTest::newRow("not a puzzle file") << 0 << "bad.pzz"
                                           << "The file bad.pzz is not a puzzle file" << true;
        QTest::newRow("unsupported version") << 1 << "v2.pzz"
                                             << "La versión del archivo v2.pzz no está soportada" << true;
        QTest::newRow("damaged picture")
            << 0 << "roto.png"
            << "The file is not a picture that can be opened, or it is damaged." << false;
    }

    void fileWithoutPicture()
    {
        QFETCH(int, language);
        QFETCH(QString, file);
        QFETCH(QString, message);
        QFETCH(bool, labelled);
        ModuloIdioma::setIdioma(qint16(language));
        open(m_pics + QStringLiteral("/flor.jpg"));
        QTRY_VERIFY(!m_dialog->picture().isNull());
        clickFile(file);
        QTRY_VERIFY(text("Image1").isEmpty());
        QCOMPARE(text("LabArchivo"), labelled ? file : QString());
        QCOMPARE(Messages::shownTexts(), QStringList{message});
        QVERIFY(m_dialog->picture().isNull() && child<QLabel>("Image1")->pixmap().isNull());
        m_dialog->show();
        child<QPushButton>("OKButton")->click();
        QVERIFY(m_dialog->isVisible() && !m_dialog->Ok);
        QCOMPARE(Messages::shownTexts().last(), *DialogRules::choseImageMessage(qint16(language)));
    }

    void confirmationStoresChoices()
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
            QVERIFY(m_dialog->Ok && m_dialog->isHidden() && m_dialog->theJuegoDelCuadradito);
            QCOMPARE(m_dialog->PartesX * 100 + m_dialog->PartesY, 304);
            QCOMPARE(m_dialog->Archivo, m_pics + QStringLiteral("/flor.jpg"));
            QCOMPARE(m_dialog->ArchivoSinPath + m_dialog->theExtension, QStringLiteral("flor.jpgjpg   "));

            const ConfigFileHandler saved(m_root->filePath(QStringLiteral("data")));
            const QString folder = remember ? m_pics : comun::programFolder();
            QCOMPARE(saved.getDialogDrive() + saved.getDialogPath(), comun::driveOf(folder) + folder);
            QCOMPARE(saved.getRecordardir() * 10 + saved.getMostrarImagen(), remember ? 10 : 0);
            QCOMPARE(saved.getListX() * 100 + saved.getListY() + (saved.getOptionDificil() ? 1000 : 0), 1304);
        }
    }

    void closeBoxActsAsCancelAndKeepsState()
    {
        open(m_pics + QStringLiteral("/flor.jpg"));
        m_dialog->show();
        child<QListWidget>("ListX")->setCurrentRow(5);
        child<QCheckBox>("CheckMostrarImagen")->setChecked(false);
        m_dialog->Ok = true;
        m_dialog->close();
        QVERIFY(m_dialog->isHidden() && !m_dialog->Ok);
        m_dialog->show();
        QCOMPARE(text("LabArchivo") + counts().left(2) + m_dialog->folder(), "flor.jpg7x" + m_pics);
        QTRY_VERIFY(!m_dialog->picture().isNull() && child<QLabel>("Image1")->isHidden());
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
        GameSetup game;
        game.archivoSinPath = source;
        game.board.emplace();
        game.board->setSeed(3);
        game.board->Inicializar(4, 3, 4, 3, QStringLiteral("jpg   "), shuffled, false);
        auto *name = child<QLineEdit>("TextSalvarComo");
        auto *ok = child<QPushButton>("OKButton");
        const QStringList locked = m_gridControls + QStringList{"Combo1"};
        m_dialog->beginSave(game);
        m_dialog->show();
        QCOMPARE(name->isVisible() ? name->text() : QString(), suggestion);
        QVERIFY(child<QComboBox>("Combo1")->currentIndex() == fileType && counts() == "4x3");
        expectEnabled(false, locked);
        // An empty name cannot be confirmed, but must not leave OK disabled after a cancel.
        name->clear();
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(name, QStringLiteral("a"));
        QVERIFY(ok->isEnabled());
        name->clear();
        child<QPushButton>("CancelButton")->click();
        QVERIFY(ok->isEnabled() && m_dialog->isHidden());
        m_dialog->setSaveMode(false);
        expectEnabled(true, locked);
        QVERIFY(name->isHidden() && child<QComboBox>("Combo1")->currentIndex() == 0);
    }

    // Once the player has moved the tree, a directory the model finishes loading must not
    // bring it back to the current folder; a press chooses the row under the pointer.
    void treeStaysWhereThePlayerLeftIt()
    {
        for (int n = 0; n < 60; ++n)
            QVERIFY(QDir().mkpath(m_pics + QStringLiteral("/sub%1").arg(n, 2, 10, QLatin1Char('0'))));
        open(m_pics + QStringLiteral("/sub59/x.jpg"));
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        auto *tree = child<QTreeView>("Dir1");
        auto *model = qobject_cast<QFileSystemModel *>(tree->model());
        QTRY_VERIFY(tree->visualRect(tree->currentIndex()).intersects(tree->viewport()->rect()));
        QTest::qWait(200);
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

    // Folders the tree has passed through never show in the file list, and focus coming
    // into the list by the keyboard chooses nothing until Enter or Space.
    void fileListHoldsFilesAndWaitsForAChoice()
    {
        QVERIFY(QDir().mkpath(m_pics + QStringLiteral("/sub")));
        m_config->setDialogPath(m_pics + QStringLiteral("/sub"));
        open();
        child<QTreeView>("Dir1")->setCurrentIndex(
            qobject_cast<QFileSystemModel *>(child<QTreeView>("Dir1")->model())->index(m_pics));
        QCOMPARE(m_dialog->folder(), m_pics);
        QTRY_VERIFY(listedNames().contains(QStringLiteral("flor.jpg")));
        QVERIFY2(!listedNames().contains(QStringLiteral("sub")), qPrintable(listedNames().join(',')));

        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
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

    // Reopened, the dialog shows the list's choice or nothing.
    void reopenedPreviewFollowsTheList()
    {
        open(m_pics + QStringLiteral("/flor.jpg"));
        QTRY_VERIFY(!m_dialog->picture().isNull());
        QVERIFY(QFile::remove(m_pics + QStringLiteral("/flor.jpg")));
        m_dialog->show();
        QTRY_VERIFY(text("LabArchivo").isEmpty() && m_dialog->picture().isNull());
    }

    // "@" stands for the listed folder.
    void saveDestination_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("bare name") << "x.pzz"
                                   << "@"
                                   << "x.pzz";
        QTest::newRow("relative folder") << "a/../b/x.pzz"
                                         << "@/b"
                                         << "x.pzz";
        QTest::newRow("absolute") << "/tmp/x.pzz"
                                  << "/tmp"
                                  << "x.pzz";
        QTest::newRow("in the root") << "/x.pzz"
                                     << "/"
                                     << "x.pzz";
        QTest::newRow("home") << "~/x y.jpg   " << QDir::homePath() << "x y.jpg   ";
        QTest::newRow("folder only") << "/tmp/"
                                     << "/tmp"
                                     << "";
    }

    void saveDestination()
    {
        QFETCH(QString, typed);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        const SaveMode::Destination destination = SaveMode::destinationOf(QStringLiteral("/srv/pics"), typed);
        QCOMPARE(destination.folder, folder.replace(QLatin1Char('@'), QStringLiteral("/srv/pics")));
        QCOMPARE(destination.name, name);
    }

    void saveIntoAMissingFolderKeepsTheName()
    {
        open(m_pics + QStringLiteral("/flor.jpg"));
        GameSetup game;
        game.archivo = m_pics + QStringLiteral("/flor.jpg");
        game.archivoSinPath = QStringLiteral("flor.jpg");
        game.board.emplace();
        game.board->setSeed(3);
        game.board->Inicializar(4, 3, 4, 3, QStringLiteral("jpg   "), true, false);
        m_dialog->beginSave(game);
        m_dialog->show();
        const QString typed = m_root->filePath(QStringLiteral("nope/x.pzz"));
        child<QLineEdit>("TextSalvarComo")->setText(typed);
        child<QPushButton>("OKButton")->click();
        QVERIFY(m_dialog->isVisible() && !QFileInfo::exists(typed));
        QCOMPARE(Messages::shownTexts(), QStringList{QStringLiteral("Path not found: ") + typed});
        QCOMPARE(child<QLineEdit>("TextSalvarComo")->text(), typed);
    }

    // What a 1600 x 1000 screen at scale 2 leaves a dialog, in both languages and modes.
    void fitsAScaledScreen_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("saving");
        QTest::addColumn<QString>("captions");
        QTest::newRow("English") << 0 << false << "Columns Rows";
        QTest::newRow("Spanish, saving") << 1 << true << "Columnas Filas";
    }

    void fitsAScaledScreen()
    {
        QFETCH(int, language);
        QFETCH(bool, saving);
        QFETCH(QString, captions);
        ModuloIdioma::setIdioma(qint16(language));
        open(m_pics + QStringLiteral("/flor.jpg"));
        if (saving) {
            GameSetup game;
            game.archivoSinPath = QStringLiteral("flor.jpg");
            m_dialog->beginSave(game);
        }
        m_dialog->show();
        QCOMPARE(text("LabelColumns") + ' ' + text("LabelRows"), captions);
        const QSize least = m_dialog->minimumSizeHint();
        QVERIFY2(least.width() <= 790 && least.height() <= 460,
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
    }

    void unreadableFolderOrDrive()
    {
        const QString gone = m_root->filePath(QStringLiteral("gone"));
        QVERIFY(QDir().mkpath(gone));
        open(m_pics + QStringLiteral("/flor.jpg"));
        auto *tree = child<QTreeView>("Dir1");
        auto *model = qobject_cast<QFileSystemModel *>(tree->model());
        const QModelIndex goneIndex = model->index(gone);
        QVERIFY(goneIndex.isValid() && QDir(gone).removeRecursively());
        tree->setCurrentIndex(goneIndex);
        QCOMPARE(model->filePath(tree->currentIndex()) + m_dialog->folder(), m_pics + m_pics);
        QCOMPARE(text("LabArchivo"), QStringLiteral("flor.jpg"));

        auto *drives = child<QComboBox>("Drive1");
        drives->addItem(m_root->filePath(QStringLiteral("unplugged")));
        drives->setCurrentIndex(drives->count() - 1);
        const QStringList expected{QStringLiteral("The folder %1 cannot be read").arg(gone),
                                   QStringLiteral("The selected unit is not ready")};
        QCOMPARE(Messages::shownTexts(), expected);
        QCOMPARE(drives->currentText() + m_dialog->folder() + text("LabArchivo"), QStringLiteral("//"));
        QVERIFY(m_dialog->picture().isNull());
    }
};

QTEST_MAIN(tst_Dialog)
#include "tst_Dialog.moc"
