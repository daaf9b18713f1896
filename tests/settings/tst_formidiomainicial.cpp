#include "app/FormIdiomaInicial.h"

#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class tst_formidiomainicial : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("confirmed"); // Otherwise the close box ends the chooser.
        QTest::addColumn<QList<qint16>>("languages");

        QTest::newRow("nothing chosen") << QStringList() << true << QList<qint16>();
        QTest::newRow("English") << QStringList{"Option1"} << true << QList<qint16>{0};
        QTest::newRow("changed mind") << QStringList{"Option1", "Option2"} << true << QList<qint16>{1};
        QTest::newRow("close box") << QStringList{"Option2"} << false << QList<qint16>();
    }

    void choice()
    {
        QFETCH(QStringList, clicks);
        QFETCH(bool, confirmed);

        QList<qint16> received;
        FormIdiomaInicial form([&received](qint16 language) { received << language; });
        form.show();
        for (const QString &click : clicks)
            QTest::mouseClick(form.findChild<QRadioButton *>(click), Qt::LeftButton);
        QCOMPARE(form.command1()->isEnabled(), !clicks.isEmpty());
        if (confirmed)
            QTest::mouseClick(form.command1(), Qt::LeftButton);
        else
            QVERIFY(form.close());
        QTest::keyClick(&form, Qt::Key_Return);
        QTEST(received, "languages");
        QCOMPARE(form.isVisible(), clicks.isEmpty());
    }
};

QTEST_MAIN(tst_formidiomainicial)
#include "tst_formidiomainicial.moc"
