# The web edition with Debian's Emscripten: its own toolchain file, plus
# the Node.js module path its JavaScript optimiser needs (node-acorn lives
# in /usr/share/nodejs), for configuring and for every compile and link.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

set(TORUME_NODE_PATH /usr/share/nodejs)
set(ENV{NODE_PATH} ${TORUME_NODE_PATH})
set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${TORUME_NODE_PATH})
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${TORUME_NODE_PATH})
