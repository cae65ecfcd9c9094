# Settings every target of the project links against.
#
# torume_settings: bit-exact doubles and warnings; literals stay UTF-8.
# torume_cp932:    adds the code page 932 execution charset, for every
#                  target whose string literals are the program's own
#                  on-screen texts (the core and the Windows program).
add_library(torume_settings INTERFACE)
add_library(torume_cp932 INTERFACE)
target_link_libraries(torume_cp932 INTERFACE torume_settings)

# The damage equation is compared for exact equality with in-game figures:
# every operation rounds on its own, no FMA; every native preset is 64-bit,
# where doubles are SSE2's, and WebAssembly's doubles are IEEE's own.
target_compile_options(torume_settings INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wno-sign-conversion
  -ffp-contract=off -fno-fast-math -finput-charset=UTF-8)
# Clang (the fuzz targets, the web edition) has no code page 932 execution
# charset: its literals stay UTF-8, which a browser shows as they are.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  target_compile_options(torume_cp932 INTERFACE -fexec-charset=CP932)
endif()

if(EMSCRIPTEN)
  # The web edition is downloaded: nothing throws, nothing asks for types.
  target_compile_options(torume_settings INTERFACE -fno-exceptions -fno-rtti)
endif()

if(TORUME_FUZZ)
  # Coverage for libFuzzer in every library; the targets add the driver.
  target_compile_options(torume_settings INTERFACE -fsanitize=fuzzer-no-link)
endif()

if(TORUME_SANITIZE)
  target_compile_options(torume_settings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(torume_settings INTERFACE -fsanitize=address,undefined)
endif()

# torume_core_library(name sources...): a library of the portable core.
function(torume_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  # The charset stays private: a consumer such as the command-line program
  # keeps its own UTF-8 literals.
  target_link_libraries(${name} PUBLIC torume_settings PRIVATE torume_cp932)
endfunction()
