#include "alarm/AlarmLog.h"

Q_LOGGING_CATEGORY(lcAlarm, "tansywatch.alarm", QtWarningMsg)
