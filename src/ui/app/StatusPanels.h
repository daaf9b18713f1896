#pragma once

#include "view/StatusBarTexts.h"

#include <QList>
#include <QObject>

class QLabel;
class QStatusBar;
class QWidget;

// The status bar's six panels and its one simple text, shown as the last refresh left them.
class StatusPanels : public QObject
{
    Q_OBJECT
public:
    explicit StatusPanels(QStatusBar *bar);

    // Rewrites the bar from the game; throws RunTimeError(6) before anything changes when
    // the piece count does not fit.
    void refresh(const StatusBarInput &input);
    // The Spanish no-picture text that disabling the commands puts there first.
    void setSimpleText(const QString &text);

    // One more panel after the six, shown and hidden with them, for the window's own use.
    QLabel *addPanel(const QString &objectName);

    QLabel *panel(int number) const;
    QLabel *simpleText() const { return m_simpleText; }
    bool simpleMode() const;

private:
    QList<QLabel *> m_panels;
    QLabel *m_simpleText = nullptr;
    QWidget *m_panelBox = nullptr;
    StatusBarState m_status;
};
