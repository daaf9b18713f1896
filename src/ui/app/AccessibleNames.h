#pragma once

#include <QtGlobal>

class MainActions;
class QWidget;

// The names assistive technology reads for the controls that show no caption of their own:
// the toolbar's buttons (also their tooltips) and the board, in the player's language.
namespace AccessibleNames
{
void apply(const MainActions &actions, QWidget *board, qint16 language);
}
