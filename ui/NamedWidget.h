// Widgets carry their control's name as objectName, so that tests, style
// sheets and a reader find each control by the name its handlers use.
#pragma once

#include <QLatin1String>

template <typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}
