#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box of the program goes through here. Tests switch the facade into
// scripted mode: nothing is shown, each box is recorded, and answers come from a queue,
// so no test ever waits on a modal window.
namespace Messages
{

enum class Buttons { Ok, YesNo };
enum class Icon { None, Information, Warning, Critical };
enum class Answer { Ok, Yes, No };

struct Shown {
    QString title;
    QString text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer defaultAnswer = Answer::Ok;
};

// Shows a box titled "Tesselon" unless another title is given, and returns the answer.
Answer show(QWidget *parent, const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
            Answer defaultAnswer = Answer::Ok, const QString &title = QStringLiteral("Tesselon"));

inline void info(QWidget *parent, const QString &text)
{
    show(parent, text);
}

// Scripted mode for tests. With an empty queue a Yes/No box is answered with its
// default answer and an OK box with Ok.
void startScript();
void stopScript();
bool scripted();
void queueAnswer(Answer answer);
QList<Shown> shown();
QStringList shownTexts();
void clearShown();

} // namespace Messages
