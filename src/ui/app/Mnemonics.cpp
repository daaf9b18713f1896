#include "app/Mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace Mnemonics
{

namespace
{
// The letter a caption already marks, or a null character.
QChar markedLetter(const QString &caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (caption.at(i + 1) != QLatin1Char('&'))
                return caption.at(i + 1).toLower();
            ++i;
        }
    }
    return QChar();
}
} // namespace

QString mark(const QString &caption, QString &used)
{
    if (!markedLetter(caption).isNull())
        return caption;
    int chosen = -1;
    for (int pass = 0; pass < 2 && chosen < 0; ++pass) {
        for (int i = 0; i < caption.size(); ++i) {
            const QChar c = caption.at(i);
            const bool wordStart = i == 0 || !caption.at(i - 1).isLetterOrNumber();
            if (c.isLetterOrNumber() && (pass == 1 || wordStart) && !used.contains(c.toLower())) {
                chosen = i;
                break;
            }
        }
    }
    if (chosen < 0)
        return caption;
    used += caption.at(chosen).toLower();
    return QString(caption).insert(chosen, QLatin1Char('&'));
}

void assign(const QList<QAction *> &siblings)
{
    QString used;
    for (const QAction *a : siblings) {
        const QChar letter = markedLetter(a->text());
        if (!letter.isNull())
            used += letter;
    }
    for (QAction *a : siblings) {
        if (!a->isSeparator() && !a->text().isEmpty())
            a->setText(mark(a->text(), used));
    }
}

void assign(QMenuBar *bar)
{
    assign(bar->actions());
    for (const QAction *top : bar->actions()) {
        if (top->menu())
            assign(top->menu()->actions());
    }
}

} // namespace Mnemonics
