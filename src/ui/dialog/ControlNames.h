#pragma once

#include <QLatin1String>

// The dialog's controls keep the names of its design, which tests and assistive
// technology find them by.
template <class Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}
