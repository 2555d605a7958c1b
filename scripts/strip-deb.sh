#!/bin/sh
# strip as Debian's packaging helpers strip programs: the compiler's .comment
# and the .note section go too. make package hands it to CMake as CMAKE_STRIP.
exec strip --remove-section=.comment --remove-section=.note "$@"
