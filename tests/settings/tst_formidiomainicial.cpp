#include "settings/FormIdiomaInicial.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTimer>
#include <QtTest>

class tst_formidiomainicial : public QObject
{
    Q_OBJECT

private slots:
    void captions();
    void choice_data();
    void choice();
    void okDisabledUntilChoice();
    void closeBoxCallsNothing();
    void modalRun();
};

void tst_formidiomainicial::captions()
{
    FormIdiomaInicial form([](qint16) {});
    QCOMPARE(form.windowTitle(), QStringLiteral("Tesselon"));
    QCOMPARE(form.option1()->text(), QStringLiteral("English"));
    QCOMPARE(form.option2()->text(), QStringLiteral("Español"));
    QCOMPARE(form.command1()->text(), QStringLiteral("Ok"));
    QVERIFY(!form.option1()->isChecked());
    QVERIFY(!form.option2()->isChecked());
    QVERIFY(form.isModal());

    const QImage picture = form.picture()->pixmap().toImage();
    QVERIFY(!picture.isNull());
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y));
    QVERIFY2(colours.size() >= 4, "the picture should show several coloured pieces");
}

void tst_formidiomainicial::choice_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QList<qint16>>("languages");

    QTest::newRow("English") << QStringList{"Option1"} << QList<qint16>{0};
    QTest::newRow("Español") << QStringList{"Option2"} << QList<qint16>{1};
    QTest::newRow("changed mind") << QStringList{"Option2", "Option1"} << QList<qint16>{0};
    QTest::newRow("changed mind twice") << QStringList{"Option1", "Option2", "Option2"} << QList<qint16>{1};
    QTest::newRow("space key on Español") << QStringList{"key:Option2"} << QList<qint16>{1};
}

void tst_formidiomainicial::choice()
{
    QFETCH(QStringList, clicks);
    QFETCH(QList<qint16>, languages);

    QList<qint16> received;
    FormIdiomaInicial form([&received](qint16 language) { received << language; });
    form.show();
    for (const QString &click : clicks) {
        if (click.startsWith("key:")) {
            auto *option = form.findChild<QRadioButton *>(click.mid(4));
            QVERIFY(option);
            option->setFocus();
            QTest::keyClick(option, Qt::Key_Space);
        } else {
            auto *option = form.findChild<QRadioButton *>(click);
            QVERIFY(option);
            QTest::mouseClick(option, Qt::LeftButton);
        }
    }
    QVERIFY(form.command1()->isEnabled());
    QVERIFY(received.isEmpty());

    QTest::mouseClick(form.command1(), Qt::LeftButton);
    QCOMPARE(received, languages);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(!form.isVisible());
}

void tst_formidiomainicial::okDisabledUntilChoice()
{
    int calls = 0;
    FormIdiomaInicial form([&calls](qint16) { ++calls; });
    form.show();
    QVERIFY(!form.command1()->isEnabled());

    QTest::mouseClick(form.command1(), Qt::LeftButton);
    QTest::keyClick(&form, Qt::Key_Return);
    QCOMPARE(calls, 0);
    QVERIFY(form.isVisible());

    // A click beside the options chooses nothing.
    QTest::mouseClick(form.picture(), Qt::LeftButton);
    QVERIFY(!form.command1()->isEnabled());
}

void tst_formidiomainicial::closeBoxCallsNothing()
{
    int calls = 0;
    FormIdiomaInicial form([&calls](qint16) { ++calls; });
    form.show();
    QTest::mouseClick(form.option2(), Qt::LeftButton);
    QVERIFY(form.close());
    QCOMPARE(calls, 0);
    QCOMPARE(form.result(), int(QDialog::Rejected));

    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    QCOMPARE(calls, 0);
    QVERIFY(!form.isVisible());
}

void tst_formidiomainicial::modalRun()
{
    QList<qint16> received;
    FormIdiomaInicial form([&received](qint16 language) { received << language; });
    QTimer::singleShot(0, &form, [&form] {
        QTest::mouseClick(form.option2(), Qt::LeftButton);
        QTest::mouseClick(form.command1(), Qt::LeftButton);
    });
    QCOMPARE(form.exec(), int(QDialog::Accepted));
    QCOMPARE(received, QList<qint16>{1});
}

QTEST_MAIN(tst_formidiomainicial)
#include "tst_formidiomainicial.moc"
