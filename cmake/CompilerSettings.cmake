# Settings every target of the project links against: bit-exact doubles
# and warnings. Every text inside the program is UTF-8, its literals too,
# in every build: texts are converted only at the edges (UTF-16 for
# Windows, code page 932 for the saved file's comment and the window's
# 99-byte reading).
add_library(torume_settings INTERFACE)

# The damage equation is compared for exact equality with in-game figures:
# every operation rounds on its own, no FMA; every native preset is 64-bit,
# where doubles are SSE2's, and WebAssembly's doubles are IEEE's own.
target_compile_options(torume_settings INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wno-sign-conversion
  -ffp-contract=off -fno-fast-math -finput-charset=UTF-8)

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
  target_link_libraries(${name} PUBLIC torume_settings)
endfunction()
