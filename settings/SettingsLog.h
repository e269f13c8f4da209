#pragma once

#include <QLoggingCategory>

// Settings that could not be written, and where they went instead.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
