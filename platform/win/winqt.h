// Qt side of the window layer: the widget behind a window, for the tool and tests.
#pragma once

#include "korhtml/Export.h"
#include "platform/win/win.h"

class QWidget;

namespace kor {

// The widget of a window (null when the window does not exist) and the window of one of our widgets.
KORHTML_API QWidget* WindowWidget(CWnd* pWnd);
KORHTML_API CWnd* WindowFromWidget(QWidget* pWidget);

} // namespace kor
