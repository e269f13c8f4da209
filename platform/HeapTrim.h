#pragma once

// Memory a closed window freed stays in the heap, and the style's pictures it
// drew stay cached, counted against a clock that may rest for days; this
// hands what it can back to the system.
namespace HeapTrim {
void releaseFreedMemory();
} // namespace HeapTrim
