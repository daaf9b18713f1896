// Compiled with the core's include folders and libraries only; it must not find QWidget.
#include "board/TableroClass.h"

#include <QWidget>

int coreWidgetProbe()
{
    return sizeof(QWidget);
}
