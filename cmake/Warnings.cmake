# One place for the warning flags every target of ours is built with.
add_library(tansy_warnings INTERFACE)
target_compile_options(tansy_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-qual -Wformat=2 -Wimplicit-fallthrough)
