#pragma once

#include <QMainWindow>
#include <QtGlobal>

class HelpBrowser;
class QAction;

// The window that shows the compiled help: the current topic, with Back, Forward and Home
// (the topic it was opened at). Its title is the title of the topic in view.
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Opens the topic of the help file. When the file cannot be read or lacks the topic the
    // window keeps what it showed and the answer is false.
    bool openTopic(const QString &helpFile, const QString &topic);
    void setIdioma(qint16 language);

    HelpBrowser *browser() const { return m_browser; }
    QString helpFile() const;

private:
    void showTitle();

    HelpBrowser *m_browser;
    QAction *m_back;
    QAction *m_forward;
    QAction *m_home;
};
