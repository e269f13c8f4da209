#include "platform/HeapTrim.h"

#include <QPixmapCache>

// Any C library header tells which C library this is.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

void HeapTrim::releaseFreedMemory()
{
    QPixmapCache::clear();
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
