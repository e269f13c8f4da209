#pragma once

#include <QLoggingCategory>

// What the windows could not show as asked, such as a face picture that could not be read.
Q_DECLARE_LOGGING_CATEGORY(lcWindows)
