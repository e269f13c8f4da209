#include "sound/SoundLog.h"

Q_LOGGING_CATEGORY(lcSound, "tansywatch.sound", QtWarningMsg)
