#pragma once

#include <QLoggingCategory>

// The alarm going off, and how late when it was late.
Q_DECLARE_LOGGING_CATEGORY(lcAlarm)
