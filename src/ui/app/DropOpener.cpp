#include "app/DropOpener.h"

#include "dialog/DialogRules.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

DropOpener::DropOpener(QWidget *target) : QObject(target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool DropOpener::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    const QString path =
        drop->mimeData()->hasUrls() ? DialogRules::droppedFile(drop->mimeData()->urls()) : QString();
    if (path.isEmpty()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        emit fileDropped(path);
    return true;
}
