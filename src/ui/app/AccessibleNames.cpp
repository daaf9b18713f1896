#include "app/AccessibleNames.h"

#include "app/MainActions.h"
#include "settings/ModuloIdioma.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace AccessibleNames
{

void apply(const MainActions &actions, QWidget *board, qint16 language)
{
    const char *const ctx = "AccessibleNames";
    const auto text = [language, ctx](const char *source) {
        return ModuloIdioma::text(language, ctx, source);
    };
    board->setAccessibleName(text(QT_TRANSLATE_NOOP("AccessibleNames", "Board")));
    QToolBar *toolbar = actions.toolbar();
    if (!toolbar)
        return;
    const std::pair<QAction *, const char *> buttons[] = {
        {actions.m_btnAbrir, QT_TRANSLATE_NOOP("AccessibleNames", "Open")},
        {actions.m_btnGuardar, QT_TRANSLATE_NOOP("AccessibleNames", "Save")},
        {actions.m_btnFit, QT_TRANSLATE_NOOP("AccessibleNames", "Fit to the window")},
        {actions.m_btnZoomOut, QT_TRANSLATE_NOOP("AccessibleNames", "Zoom out")},
        {actions.m_btnZoomIn, QT_TRANSLATE_NOOP("AccessibleNames", "Zoom in")},
    };
    // The toolbar's own button for the buttons that do not fit is a toggle that a screen
    // reader would otherwise announce without a name.
    if (auto *more = toolbar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(text(QT_TRANSLATE_NOOP("AccessibleNames", "More tools")));
    for (const auto &[button, name] : buttons) {
        button->setToolTip(text(name));
        if (QWidget *w = toolbar->widgetForAction(button))
            w->setAccessibleName(text(name));
    }
}

} // namespace AccessibleNames
