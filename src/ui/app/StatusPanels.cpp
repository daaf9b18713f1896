#include "app/StatusPanels.h"

#include "app/ElidingLabel.h"
#include "game/GameState.h"
#include "view/Twips.h"
#include "view/WindowTitle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>

StatusPanels::StatusPanels(QStatusBar *bar) : QObject(bar)
{
    m_panelBox = new QWidget(bar);
    auto *layout = new QHBoxLayout(m_panelBox);
    layout->setContentsMargins(0, 0, 0, 0);
    const int panelWidth = qRound(Twips::toPixelsX(1440));
    for (int i = 1; i <= 6; ++i) {
        auto *panel = new ElidingLabel(m_panelBox);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setMinimumWidth(panelWidth);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        layout->addWidget(panel, i == 2 ? 2 : 1);
        m_panels.append(panel);
    }
    m_simpleText = new QLabel(bar);
    m_simpleText->setObjectName(QStringLiteral("SimpleText"));
    bar->addWidget(m_panelBox, 1);
    bar->addWidget(m_simpleText, 1);
    bar->setSizeGripEnabled(true);
    m_simpleText->hide();
}

void StatusPanels::refresh(const StatusBarInput &input)
{
    m_status.simpleText = m_simpleText->text();
    m_status = StatusBarTexts::refresh(m_status, input);
    for (int i = 0; i < 6; ++i)
        m_panels.at(i)->setText(m_status.panels[size_t(i)]);
    m_simpleText->setText(m_status.simpleText);
    m_panelBox->setVisible(!m_status.simple);
    m_simpleText->setVisible(m_status.simple);
    // The window's title follows the same refresh as the bar.
    const bool playing = input.estado != qint32(GameState::NoPicture) && !input.archivoSinPath.isEmpty();
    m_panelBox->window()->setWindowTitle(
        WindowTitle::text(input.language, playing ? input.archivoSinPath : QString(),
                          input.columns * input.rows - input.porColocar, input.columns * input.rows,
                          input.estado == qint32(GameState::Assembled)));
}

void StatusPanels::setSimpleText(const QString &text)
{
    m_simpleText->setText(text);
}

QLabel *StatusPanels::addPanel(const QString &objectName)
{
    auto *panel = new QLabel(m_panelBox);
    panel->setObjectName(objectName);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    m_panelBox->layout()->addWidget(panel);
    return panel;
}

QLabel *StatusPanels::panel(int number) const
{
    return number >= 1 && number <= m_panels.size() ? m_panels.at(number - 1) : nullptr;
}

bool StatusPanels::simpleMode() const
{
    return !m_simpleText->isHidden();
}
