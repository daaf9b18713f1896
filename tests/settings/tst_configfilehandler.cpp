#include "picture/PictureSamples.h"
#include "settings/ConfigFileHandler.h"

#include <QtTest>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace PictureSamples;

namespace
{

QStringList g_messages;

QStringList fieldsOf(const ConfigFileHandler &c)
{
    const auto n = [](int value) { return QString::number(value); };
    return {c.getFileVersion(),      n(c.getLanguage()),
            c.getDialogDrive(),      c.getDialogPath(),
            n(c.getRecordardir()),   n(c.getMostrarImagen()),
            n(c.getListX()),         n(c.getListY()),
            n(c.getOptionDificil()), n(c.getPrimeraVezQueSeEjecuta())};
}

QString message(int number, const char *description)
{
    return QStringLiteral("Error in loadconfigFile: %1.  %2").arg(number).arg(description);
}

// Root ignores file modes; without the capabilities that let it, the refusals below are
// the ones a user would meet. All files here belong to the test, so nothing else changes.
bool enforceFileModes()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace

class tst_configfilehandler : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_samples;
    QString m_drive;

    QStringList defaults() const { return {"1.0", "0", m_drive, m_samples, "1", "1", "4", "4", "0", "1"}; }
    QByteArray defaultsLine() const
    {
        return QString("\"1.0\",0,\"%1\",\"%2\",1,1,4,4,#FALSE#,#TRUE#\r\n").arg(m_drive, m_samples).toUtf8();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QVERIFY(enforceFileModes());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path() + "/.config"));
        m_samples = m_home.path() + "/Documents/tesselon samples";
        QVERIFY(QDir().mkpath(m_samples) && writeBytes(m_samples + "/gato.jpg", "x"));
        m_drive = QStorageInfo(m_samples).rootPath();
        ConfigFileHandler::setErrorReporter([](const QString &text) { g_messages << text; });
    }

    void init() { g_messages.clear(); }

    void load_data()
    {
        QTest::addColumn<QByteArray>("content"); // A null array: no file at all.
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("rewritten"); // Otherwise the file is left as it was.

        const QByteArray head = "\"1.0\",0,\"/\",\"/h\",1,1,";
        const QByteArray tail = ",1,1,4,4,#FALSE#,#TRUE#\r\n";
        const QString mismatch = message(13, "Type mismatch");
        const QString pastEnd = message(62, "Input past end of file");
        const QString badFormat = message(321, "Invalid file format");

        QTest::newRow("first run") << QByteArray() << "" << defaults() << true;
        QTest::newRow("path with a comma, every field changed")
            << QByteArray("\"1.0\",1,\"/media/usb\",\"/media/a, b\",0,-32768,12,30,#TRUE#,#FALSE#\n") << ""
            << QStringList{"1.0", "1", "/media/usb", "/media/a, b", "0", "-32768", "12", "30", "1", "0"}
            << false;
        QTest::newRow("doubled quote, accents")
            << "\"1.0\",0,\"/\",\"/say \"\"sí\"\"\"" + tail << ""
            << QStringList{"1.0", "0", "/", "/say \"sí\"", "1", "1", "4", "4", "0", "1"} << false;
        QTest::newRow("version 2.0") << "\"2.0\",1,\"/\",\"/h\"" + tail << "" << defaults() << true;
        QTest::newRow("nine items") << head + "4,4,#FALSE#\r\n" << pastEnd << defaults() << false;
        QTest::newRow("empty file") << QByteArray("") << pastEnd << defaults() << false;
        QTest::newRow("not a number") << head + "abc,4,#FALSE#,#TRUE#" << mismatch << defaults() << false;
        QTest::newRow("quoted number")
            << "\"1.0\",\"1\",\"/\",\"/h\"" + tail << mismatch << defaults() << false;
        QTest::newRow("#TRUE# misspelled") << head + "4,4,#FALSE#,#TREU#" << mismatch << defaults() << false;
        QTest::newRow("16-bit overflow")
            << head + "32768,4,#FALSE#,#TRUE#" << message(6, "Overflow") << defaults() << false;
        QTest::newRow("1 MB line") << "\"1.0\",0,\"/\",\"/" + QByteArray(1024 * 1024, 'a') + "\"" + tail
                                   << badFormat << defaults() << false;
        QTest::newRow("invalid UTF-8")
            << "\"1.0\",0,\"/\",\"/home/\xff\xfe\"" + tail << badFormat << defaults() << false;
    }

    void load()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(bool, rewritten);

        QTemporaryDir dir;
        const QString file = dir.path() + "/configfile.txt";
        if (!content.isNull())
            QVERIFY(writeBytes(file, content));
        const ConfigFileHandler config(dir.path());
        QCOMPARE(g_messages, message.isEmpty() ? QStringList() : QStringList{message});
        QTEST(fieldsOf(config), "fields");
        QVERIFY(QFileInfo::exists(file));
        QCOMPARE(fileBytes(file), rewritten ? defaultsLine() : content);
    }

    void refusedFiles()
    {
        QTemporaryDir dir;
        // A missing data root is reported, not made.
        const ConfigFileHandler lost(dir.path() + "/no root/tesselon");
        QVERIFY(!QFileInfo::exists(dir.path() + "/no root"));
        // An unreadable file is reported and left alone.
        const QString file = dir.path() + "/configfile.txt";
        QVERIFY(writeBytes(file, "x") && QFile::setPermissions(file, QFile::WriteOwner));
        const ConfigFileHandler denied(dir.path());
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(g_messages, (QStringList{message(76, "Path not found"), message(70, "Permission denied")}));
        QCOMPARE(fieldsOf(lost) + fieldsOf(denied), defaults() + defaults());
        QCOMPARE(fileBytes(file), QByteArray("x"));
    }

    void saveIntoReadOnlyFolderKeepsEarlierFile()
    {
        QTemporaryDir dir;
        const QString file = dir.path() + "/configfile.txt";
        const QByteArray earlier = "\"1.0\",1,\"/\",\"/home/ana\",1,0,6,5,#TRUE#,#FALSE#\r\n";
        QVERIFY(writeBytes(file, earlier));
        ConfigFileHandler config(dir.path());
        config.setDialogPath("/media/a, \"b\"\r\nñandú");

        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool saved = config.saveConfigFile();
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(!saved);
        QCOMPARE(fileBytes(file), earlier);

        // Nothing is lost in memory: the next save that can write does, and reads back whole.
        QVERIFY(config.saveConfigFile());
        QCOMPARE(fieldsOf(ConfigFileHandler(dir.path())), fieldsOf(config));
        QVERIFY(g_messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_configfilehandler)
#include "tst_configfilehandler.moc"
