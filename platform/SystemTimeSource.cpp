#include "platform/SystemTimeSource.h"

QDateTime SystemTimeSource::now() const
{
    return QDateTime::currentDateTime();
}
