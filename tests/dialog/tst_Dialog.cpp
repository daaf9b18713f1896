#include "board/TableroClass.h"
#include "dialog/Dialog.h"
#include "dialog/DialogRules.h"
#include "dialog/SalvarLeerPuzzle2.h"
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
    std::unique_ptr<SalvarLeerPuzzle2> m_files;
    std::unique_ptr<Dialog> m_dialog;
    const QStringList m_gridControls{"ListX", "ListY", "OptionNormal", "OptionDificil"};

    void open(const QString &commandLine = QString())
    {
        m_dialog = std::make_unique<Dialog>(DialogHost{[this]() -> ConfigFileHandler & { return *m_config; },
                                                       [this]() -> SalvarLeerPuzzle2 & { return *m_files; },
                                                       commandLine,
                                                       {}});
    }
    template <class T> T *child(const char *name) const { return m_dialog->findChild<T *>(name); }
    QString text(const char *labelName) const { return child<QLabel>(labelName)->text(); }
    QString counts() const
    {
        return child<QListWidget>("ListX")->currentItem()->text() + 'x' +
               child<QListWidget>("ListY")->currentItem()->text();
    }
    void clickFile(const QString &name)
    {
        auto *view = child<QListView>("File1");
        const auto *model = qobject_cast<QFileSystemModel *>(view->model());
        view->setCurrentIndex(model->index(QDir(m_dialog->folder()).filePath(name)));
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
                                                               {"v2.pzz", pzzBytes(1310, 2)}};
        for (const auto &[name, bytes] : files) {
            QFile file(m_pics + '/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        m_config = std::make_unique<ConfigFileHandler>(m_root->filePath(QStringLiteral("data")));
        m_config->setDialogDrive(comun::driveOf(m_root->path()));
        m_config->setDialogPath(m_root->filePath(QStringLiteral("empty")));
        m_files = std::make_unique<SalvarLeerPuzzle2>();
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
        QCOMPARE(m_dialog->picture().isNull(), label.isEmpty());
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
        const std::optional<GameSetup> choice = m_dialog->choice();
        QVERIFY(choice && choice->sliding && choice->board);
        QCOMPARE(choice->board->getCasillasX() * 100 + choice->board->getCasillasY(), 506);
        QCOMPARE(choice->board->NumeroDeFichasPorColocar(), qint16(2));
        QCOMPARE(choice->picture.pixelColor(0, 0), QColor(Qt::blue));
        clickFile(QStringLiteral("flor.jpg"));
        QCOMPARE(counts(), QStringLiteral("5x6"));
        expectEnabled(true, m_gridControls);
    }

    // Files that leave no picture after one was chosen: a confirmation must not use the
    // earlier picture. Only a refused puzzle file says why at once.
    void fileWithoutPicture_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("upper-case puzzle extension") << 1 << "FOTO.PZZ" << QString();
        QTest::newRow("not a puzzle file") << 0 << "bad.pzz"
                                           << "The file bad.pzz is not a puzzle file";
        QTest::newRow("unsupported version") << 1 << "v2.pzz"
                                             << "La versión del archivo v2.pzz no está soportada";
    }

    void fileWithoutPicture()
    {
        QFETCH(int, language);
        QFETCH(QString, file);
        QFETCH(QString, message);
        ModuloIdioma::setIdioma(qint16(language));
        open(m_pics + QStringLiteral("/flor.jpg"));
        clickFile(file);
        QCOMPARE(text("LabArchivo"), message.isEmpty() ? QString() : file);
        QCOMPARE(Messages::shownTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(m_dialog->picture().isNull() && child<QLabel>("Image1")->pixmap().isNull());
        m_dialog->show();
        child<QPushButton>("OKButton")->click();
        QVERIFY(m_dialog->isVisible() && !m_dialog->choice());
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
            const std::optional<GameSetup> choice = m_dialog->choice();
            QVERIFY(choice && m_dialog->isHidden() && choice->sliding && !choice->board);
            QCOMPARE(choice->columns * 100 + choice->rows, 304);
            QCOMPARE(choice->archivo, m_pics + QStringLiteral("/flor.jpg"));
            QCOMPARE(choice->archivoSinPath + choice->extension, QStringLiteral("flor.jpgjpg   "));

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
        child<QPushButton>("OKButton")->click();
        m_dialog->show();
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
        GameSetup game;
        game.archivoSinPath = source;
        game.board.emplace();
        game.board->Inicializar(4, 3, 4, 3, QStringLiteral("jpg   "), shuffled, false);
        open();
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
