#pragma once

#include "platform/TimeSource.h"

class SystemTimeSource final : public TimeSource
{
public:
    QDateTime now() const override;
};
