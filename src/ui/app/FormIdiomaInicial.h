#pragma once

#include <QDialog>
#include <QPixmap>
#include <QtGlobal>

#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;

// The first-run chooser: the player picks English or Spanish and confirms with "Ok".
// Closing it any other way leaves the language as configured.
class FormIdiomaInicial : public QDialog
{
    Q_OBJECT
public:
    // Receives 0 for English or 1 for Spanish when the choice is confirmed.
    using LanguageChosen = std::function<void(qint16 language)>;

    explicit FormIdiomaInicial(LanguageChosen onChosen, QWidget *parent = nullptr);

    QRadioButton *option1() const { return Option1; }
    QRadioButton *option2() const { return Option2; }
    QPushButton *command1() const { return Command1; }
    QLabel *picture() const { return Picture1; }

    void Command1_Click();

    // The picture the chooser shows: a few puzzle pieces, one of them out of place.
    static QPixmap builtInPicture();

private:
    void Option_Click(bool checked);

    LanguageChosen m_onChosen;
    QLabel *Picture1;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QPushButton *Command1;
};
