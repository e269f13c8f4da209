#include "controls/WindowsLog.h"

Q_LOGGING_CATEGORY(lcWindows, "tansywatch.windows", QtWarningMsg)
