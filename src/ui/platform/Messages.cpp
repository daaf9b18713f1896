#include "platform/Messages.h"

#include "settings/ModuloIdioma.h"

#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

namespace
{
struct Script {
    bool active = false;
    QQueue<Messages::Answer> answers;
    QList<Messages::Shown> shown;
};

Script &script()
{
    static Script s;
    return s;
}
} // namespace

namespace Messages
{

Answer show(QWidget *parent, const QString &text, Buttons buttons, Icon icon, Answer defaultAnswer,
            const QString &title)
{
    Script &s = script();
    if (s.active) {
        s.shown.append(Shown{title, text, buttons, icon, defaultAnswer});
        if (!s.answers.isEmpty())
            return s.answers.dequeue();
        return buttons == Buttons::Ok ? Answer::Ok : defaultAnswer;
    }

    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    // The buttons follow the game's language, not the desktop's.
    const bool spanish = ModuloIdioma::idioma() == ModuloIdioma::Spanish;
    if (buttons == Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        if (spanish)
            box.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
        box.setDefaultButton(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    if (spanish) {
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
        box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    }
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void startScript()
{
    Script &s = script();
    s.active = true;
    s.answers.clear();
    s.shown.clear();
}

void stopScript()
{
    script().active = false;
}
bool scripted()
{
    return script().active;
}
void queueAnswer(Answer answer)
{
    script().answers.enqueue(answer);
}
QList<Shown> shown()
{
    return script().shown;
}

QStringList shownTexts()
{
    QStringList texts;
    for (const Shown &s : script().shown)
        texts << s.text;
    return texts;
}

void clearShown()
{
    script().shown.clear();
}

} // namespace Messages
