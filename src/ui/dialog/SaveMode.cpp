#include "dialog/SaveMode.h"

#include "dialog/DialogRules.h"
#include "io/RunTimeError.h"
#include "platform/Messages.h"
#include "puzzlefile/SalvarLeerPuzzle2.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

SaveMode::SaveMode(QWidget *dialog) : QObject(dialog), m_dialog(dialog)
{
    LabelSalvarComo = new QLabel(dialog);
    LabelSalvarComo->setObjectName(QStringLiteral("LabelSalvarComo"));
    TextSalvarComo = new QLineEdit(dialog);
    TextSalvarComo->setObjectName(QStringLiteral("TextSalvarComo"));
    LabelSalvarComo->setBuddy(TextSalvarComo);
    hideName();
}

SaveMode::Suggestion SaveMode::suggestion() const
{
    const TableroClass board = m_game.board.value_or(TableroClass());
    const QString base = DialogRules::splitFileName(m_game.archivoSinPath);
    Suggestion suggestion;
    suggestion.columns = board.getCasillasX();
    suggestion.rows = board.getCasillasY();
    switch (SalvarLeerPuzzle2::getComoHayQueSalvarlo(board, m_game.archivoSinPath)) {
    case 2:
    case 4:
        suggestion.fileType = 2;
        suggestion.name = base + QStringLiteral(".pzz");
        break;
    default:
        suggestion.fileType = 1;
        suggestion.name = base + QLatin1Char('.') + board.getExtension();
        break;
    }
    return suggestion;
}

SaveMode::Destination SaveMode::destinationOf(const QString &folder, const QString &typed)
{
    QString path = typed;
    if (path.startsWith(QStringLiteral("~/")))
        path = QDir::homePath() + path.mid(1);
    else if (!QDir::isAbsolutePath(path))
        path = folder + QLatin1Char('/') + path;
    // The name keeps its trailing spaces and may be empty: the save itself judges it.
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString parent = path.left(slash);
    return {parent.isEmpty() ? QStringLiteral("/") : QDir::cleanPath(parent), path.mid(slash + 1)};
}

void SaveMode::showName(const QString &name)
{
    LabelSalvarComo->show();
    TextSalvarComo->show();
    TextSalvarComo->setText(name);
}

void SaveMode::hideName()
{
    LabelSalvarComo->hide();
    TextSalvarComo->hide();
}

qint16 SaveMode::save(SalvarLeerPuzzle2 &files, const QString &folder)
{
    const auto overwrite = [this](const QString &question) {
        return Messages::show(m_dialog, question, Messages::Buttons::YesNo, Messages::Icon::None,
                              Messages::Answer::No) == Messages::Answer::Yes;
    };
    const Destination destination = destinationOf(folder, TextSalvarComo->text());
    const SalvarLeerPuzzle2::Result saved =
        files.salvarPuzzle(m_game.archivo, m_game.archivoSinPath, m_game.board.value_or(TableroClass()),
                           destination.folder, destination.name, m_game.sliding, overwrite);
    if (!saved.message.isEmpty())
        Messages::show(m_dialog, saved.message);
    if (saved.code == 0)
        m_active = false;
    else if (saved.code == RunTimeError::BadFileName)
        TextSalvarComo->clear();
    return saved.code;
}
