#include "settings/ConfigFileHandler.h"

#include "platform/RunTimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

QStringList g_messages;

// Root ignores file modes. The read-only cases drop the capabilities that let it, for
// this thread only and only while the guard lives, so they test what a user would meet.
class FileModesEnforced
{
public:
    FileModesEnforced() { m_dropped = setOverride(false); }
    ~FileModesEnforced()
    {
        if (m_dropped)
            setOverride(true);
    }

private:
    static bool setOverride(bool on)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
        if (syscall(SYS_capget, &header, data) != 0)
            return false;
        const quint32 mask = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        if (on)
            data[0].effective |= mask & data[0].permitted;
        else if ((data[0].effective & mask) == 0)
            return false;
        else
            data[0].effective &= ~mask;
        return syscall(SYS_capset, &header, data) == 0;
    }

    bool m_dropped = false;
};

bool canCreateFileIn(const QString &folder)
{
    QFile probe(folder + "/probe");
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList fieldsOf(const ConfigFileHandler &c)
{
    return {c.getFileVersion(),
            QString::number(c.getLanguage()),
            c.getDialogDrive(),
            c.getDialogPath(),
            QString::number(c.getRecordardir()),
            QString::number(c.getMostrarImagen()),
            QString::number(c.getListX()),
            QString::number(c.getListY()),
            c.getOptionDificil() ? "true" : "false",
            c.getPrimeraVezQueSeEjecuta() ? "true" : "false"};
}

QString message(int number, const char *description)
{
    return QStringLiteral("Error in loadconfigFile: %1.  %2").arg(number).arg(description);
}

} // namespace

class tst_configfilehandler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void load_data();
    void load();
    void defaultsWithoutSamples_data();
    void defaultsWithoutSamples();
    void roundTrip();
    void settersWaitForSave();
    void missingFolders();
    void saveIntoReadOnlyFolderKeepsEarlierFile();
    void dataFolderThatCannotBeCreated();
    void unreadableFile();

private:
    QStringList defaults() const;
    QByteArray defaultsLine() const;

    QTemporaryDir m_home;
    QString m_samples;
    QString m_drive;
};

void tst_configfilehandler::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path() + "/.config"));
    m_samples = m_home.path() + "/Documents/tesselon samples";
    QVERIFY(QDir().mkpath(m_samples));
    QVERIFY(writeAll(m_samples + "/gato.jpg", "x"));
    m_drive = QStorageInfo(m_samples).rootPath();
    ConfigFileHandler::setErrorReporter([](const QString &text) { g_messages << text; });
}

void tst_configfilehandler::init()
{
    g_messages.clear();
}

QStringList tst_configfilehandler::defaults() const
{
    return {"1.0", "0", m_drive, m_samples, "1", "1", "4", "4", "false", "true"};
}

QByteArray tst_configfilehandler::defaultsLine() const
{
    return "\"1.0\",0,\"" + m_drive.toUtf8() + "\",\"" + m_samples.toUtf8() + "\",1,1,4,4,#FALSE#,#TRUE#\r\n";
}

void tst_configfilehandler::load_data()
{
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("fields");
    // Whether the file afterwards holds the defaults line; otherwise it is left as it was.
    QTest::addColumn<bool>("rewritten");

    const QByteArray head = "\"1.0\",0,\"/\",\"/h\",1,1,";
    const QByteArray tail = ",1,1,4,4,#FALSE#,#TRUE#\r\n";
    const QByteArray custom = "\"1.0\",1,\"/media/usb\",\"/media/usb/fotos\",0,0,12,30,#TRUE#,#FALSE#\r\n";
    const QStringList customFields{"1.0", "1", "/media/usb", "/media/usb/fotos", "0", "0", "12", "30", "true", "false"};
    auto fields = [](const QString &path, const QString &listX = "4") {
        return QStringList{"1.0", "0", "/", path, "1", "1", listX, "4", "false", "true"};
    };
    const QString pastEnd = message(62, "Input past end of file");
    const QString mismatch = message(13, "Type mismatch");
    const QString badFormat = message(321, "Invalid file format");

    QTest::newRow("first run") << false << QByteArray() << "" << defaults() << true;
    QTest::newRow("defaults line") << true << defaultsLine() << "" << defaults() << false;
    QTest::newRow("every field changed") << true << custom << "" << customFields << false;
    QTest::newRow("no line end") << true << QByteArray(custom).replace("\r\n", "") << "" << customFields << false;
    QTest::newRow("line feed only") << true << QByteArray(custom).replace("\r\n", "\n") << "" << customFields << false;
    QTest::newRow("items after the tenth ignored")
        << true << QByteArray(custom).replace("\r\n", ",7,\"x\"\r\nmore\r\n") << "" << customFields << false;
    QTest::newRow("path with a comma") << true << "\"1.0\",0,\"/\",\"/home/a, b\"" + tail << ""
                                       << fields("/home/a, b") << false;
    QTest::newRow("doubled quote") << true << "\"1.0\",0,\"/\",\"/say \"\"hi\"\"\"" + tail << ""
                                   << fields("/say \"hi\"") << false;
    QTest::newRow("accents") << true << "\"1.0\",0,\"/\",\"/home/josé/imágenes\"" + tail << ""
                             << fields("/home/josé/imágenes") << false;
    QTest::newRow("smallest 16-bit value") << true << head + "-32768,4,#FALSE#,#TRUE#" << ""
                                           << fields("/h", "-32768") << false;

    QTest::newRow("version 2.0") << true << "\"2.0\",1,\"/\",\"/h\"" + tail << "" << defaults() << true;
    QTest::newRow("version 2.0 and a bad item") << true << "\"2.0\",x,\"/\",\"/h\"" + tail << mismatch
                                                << defaults() << false;
    QTest::newRow("nine items") << true << QByteArray("\"1.0\",0,\"/\",\"/home\",1,1,4,4,#FALSE#\r\n") << pastEnd
                                << defaults() << false;
    QTest::newRow("empty file") << true << QByteArray("") << pastEnd << defaults() << false;
    QTest::newRow("empty line") << true << "\r\n" + custom << pastEnd << defaults() << false;
    QTest::newRow("unterminated quote") << true << QByteArray("\"1.0\",0,\"/\",\"/home,1,1,4,4,#FALSE#,#TRUE#\r\n")
                                        << pastEnd << defaults() << false;
    QTest::newRow("not a number") << true << head + "abc,4,#FALSE#,#TRUE#" << mismatch << defaults() << false;
    QTest::newRow("fraction") << true << head + "4.5,4,#FALSE#,#TRUE#" << mismatch << defaults() << false;
    QTest::newRow("quoted number") << true << "\"1.0\",\"1\",\"/\",\"/h\"" + tail << mismatch << defaults() << false;
    QTest::newRow("missing number") << true << "\"1.0\",,\"/\",\"/h\"" + tail << mismatch << defaults() << false;
    QTest::newRow("#TRUE# misspelled") << true << head + "4,4,#FALSE#,#TREU#" << mismatch << defaults() << false;
    QTest::newRow("binary garbage") << true << QByteArray("\x00\x01\x02,\x00\x00", 6) << mismatch << defaults()
                                    << false;
    QTest::newRow("16-bit overflow") << true << head + "32768,4,#FALSE#,#TRUE#" << message(6, "Overflow")
                                     << defaults() << false;
    QTest::newRow("64-bit overflow") << true << "\"1.0\",-99999999999999999999999,\"/\",\"/h\"" + tail
                                     << message(6, "Overflow") << defaults() << false;
    QTest::newRow("1 MB line") << true << "\"1.0\",0,\"/\",\"/" + QByteArray(1024 * 1024, 'a') + "\"" + tail
                               << badFormat << defaults() << false;
    QTest::newRow("invalid UTF-8") << true << "\"1.0\",0,\"/\",\"/home/\xff\xfe\"" + tail << badFormat << defaults()
                                   << false;
}

void tst_configfilehandler::load()
{
    QFETCH(bool, fileThere);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(QStringList, fields);
    QFETCH(bool, rewritten);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.path() + "/configfile.txt";
    if (fileThere)
        QVERIFY(writeAll(file, content));

    const ConfigFileHandler config(dir.path());
    QCOMPARE(config.filePath(), file);
    QCOMPARE(g_messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(fieldsOf(config), fields);
    QCOMPARE(readAll(file), rewritten ? defaultsLine() : content);
}

void tst_configfilehandler::defaultsWithoutSamples_data()
{
    QTest::addColumn<QString>("samplesFile");

    QTest::newRow("no samples folder") << QString();
    QTest::newRow("samples folder with a hidden file only") << ".directory";
}

void tst_configfilehandler::defaultsWithoutSamples()
{
    QFETCH(QString, samplesFile);

    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    const QString documents = home.path() + "/Documents";
    QVERIFY(QDir().mkpath(documents));
    if (!samplesFile.isEmpty()) {
        QVERIFY(QDir().mkpath(documents + "/tesselon samples"));
        QVERIFY(writeAll(documents + "/tesselon samples/" + samplesFile, "x"));
    }

    const ConfigFileHandler config(home.path() + "/tesselon");
    qputenv("HOME", oldHome);

    const QString drive = QStorageInfo(documents).rootPath();
    QCOMPARE(config.getDialogPath(), documents);
    QCOMPARE(config.getDialogDrive(), drive);
    QCOMPARE(readAll(config.filePath()),
             "\"1.0\",0,\"" + drive.toUtf8() + "\",\"" + documents.toUtf8() + "\",1,1,4,4,#FALSE#,#TRUE#\r\n");
    QVERIFY(g_messages.isEmpty());
}

void tst_configfilehandler::roundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ConfigFileHandler config(dir.path());
    config.setLanguage(2);
    config.setDialogDrive("/media/ana's \"usb\"");
    config.setDialogPath("/media/a, b/\"fotos\"\r\nnuevas/ñandú");
    config.setRecordardir(0);
    config.setMostrarImagen(-7);
    config.setListX(30);
    config.setListY(-32768);
    config.setOptionDificil(true);
    config.setPrimeraVezQueSeEjecuta(false);
    QVERIFY(config.saveConfigFile());
    const QByteArray saved = readAll(config.filePath());
    QCOMPARE(saved, config.configLine());

    const ConfigFileHandler again(dir.path());
    QVERIFY(g_messages.isEmpty());
    QCOMPARE(fieldsOf(again), fieldsOf(config));
    QCOMPARE(again.configLine(), saved);

    // Fields are replaced only by a whole, valid line.
    ConfigFileHandler target(dir.path());
    QVERIFY_THROWS_EXCEPTION(RunTimeError, target.readConfigLine("\"1.0\",1,\"/\",\"/x\",1,1,9,9,#TRUE#"));
    QCOMPARE(fieldsOf(target), fieldsOf(config));
}

void tst_configfilehandler::settersWaitForSave()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ConfigFileHandler config(dir.path());
    const QByteArray first = readAll(config.filePath());
    QCOMPARE(first, defaultsLine());

    config.setLanguage(1);
    config.setListX(7);
    QCOMPARE(readAll(config.filePath()), first);
    QVERIFY(config.saveConfigFile());
    QCOMPARE(readAll(config.filePath()),
             "\"1.0\",1,\"" + m_drive.toUtf8() + "\",\"" + m_samples.toUtf8() + "\",1,1,7,4,#FALSE#,#TRUE#\r\n");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"configfile.txt"});
}

void tst_configfilehandler::missingFolders()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    // The program's own folder is made when it is missing.
    const ConfigFileHandler made(dir.path() + "/tesselon");
    QVERIFY(g_messages.isEmpty());
    QCOMPARE(readAll(dir.path() + "/tesselon/configfile.txt"), defaultsLine());

    // A missing data root is not made: it is reported, and the defaults stay in memory.
    const ConfigFileHandler lost(dir.path() + "/no root/tesselon");
    QCOMPARE(g_messages, QStringList{message(76, "Path not found")});
    QCOMPARE(fieldsOf(lost), defaults());
    QVERIFY(!QFileInfo::exists(dir.path() + "/no root"));

    // A folder where the file should be is reported too.
    g_messages.clear();
    QVERIFY(QDir(dir.path()).mkpath("odd/configfile.txt"));
    const ConfigFileHandler odd(dir.path() + "/odd");
    QCOMPARE(g_messages, QStringList{message(75, "Path/File access error")});
    QCOMPARE(fieldsOf(odd), defaults());
    QVERIFY(QFileInfo(dir.path() + "/odd/configfile.txt").isDir());
}

void tst_configfilehandler::saveIntoReadOnlyFolderKeepsEarlierFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray earlier = "\"1.0\",1,\"/\",\"/home/ana\",1,0,6,5,#TRUE#,#FALSE#\r\n";
    QVERIFY(writeAll(dir.path() + "/configfile.txt", earlier));
    ConfigFileHandler config(dir.path());
    QCOMPARE(config.getListX(), qint16(6));

    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    bool saved = true;
    bool enforced = false;
    {
        FileModesEnforced guard;
        enforced = !canCreateFileIn(dir.path());
        config.setListX(20);
        config.setDialogPath("/somewhere/else");
        if (enforced)
            saved = config.saveConfigFile();
    }
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    if (!enforced)
        QSKIP("file modes are not enforced for this user");

    QVERIFY(!saved);
    QCOMPARE(readAll(dir.path() + "/configfile.txt"), earlier);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"configfile.txt"});
    // Nothing is lost in memory: the next save that can write does.
    QVERIFY(config.saveConfigFile());
    QCOMPARE(ConfigFileHandler(dir.path()).getListX(), qint16(20));
}

void tst_configfilehandler::dataFolderThatCannotBeCreated()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner));
    QStringList fields;
    bool enforced = false;
    bool folderMade = true;
    {
        FileModesEnforced guard;
        enforced = !canCreateFileIn(home.path());
        if (enforced) {
            ConfigFileHandler config(home.path() + "/tesselon");
            fields = fieldsOf(config);
            folderMade = QFileInfo::exists(home.path() + "/tesselon");
            QVERIFY(!config.saveConfigFile());
        }
    }
    QVERIFY(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    if (!enforced)
        QSKIP("file modes are not enforced for this user");

    QCOMPARE(fields, defaults());
    QVERIFY(!folderMade);
    QVERIFY(g_messages.isEmpty());
}

void tst_configfilehandler::unreadableFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray custom = "\"1.0\",1,\"/\",\"/h\",1,1,9,9,#FALSE#,#FALSE#\r\n";
    const QString file = dir.path() + "/configfile.txt";
    QVERIFY(writeAll(file, custom));
    QVERIFY(QFile::setPermissions(file, QFile::WriteOwner));
    QStringList fields;
    bool enforced = false;
    {
        FileModesEnforced guard;
        QFile probe(file);
        enforced = !probe.open(QIODevice::ReadOnly);
        if (enforced)
            fields = fieldsOf(ConfigFileHandler(dir.path()));
    }
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    if (!enforced)
        QSKIP("file modes are not enforced for this user");

    QCOMPARE(g_messages, QStringList{message(70, "Permission denied")});
    QCOMPARE(fields, defaults());
    QCOMPARE(readAll(file), custom);
}

QTEST_GUILESS_MAIN(tst_configfilehandler)
#include "tst_configfilehandler.moc"
