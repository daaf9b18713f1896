#pragma once

#include <QObject>

class QWidget;

// Lets a window take a picture or puzzle file dragged from a file manager. What the
// program does not read (a folder, a web address, a file that is gone, another type) is
// refused by the drop cursor itself, so the player is never stopped by a message.
class DropOpener : public QObject
{
    Q_OBJECT
public:
    explicit DropOpener(QWidget *target);

signals:
    void fileDropped(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
