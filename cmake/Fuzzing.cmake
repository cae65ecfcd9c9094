# libFuzzer targets (clang), each registered beside the code it exercises,
# built with AddressSanitizer and UndefinedBehaviorSanitizer. Clang has no
# code page 932 execution charset, so here the literals stay UTF-8; no
# logic depends on their bytes. CTest runs each target for a short, bounded time from its
# seed corpus; scripts/fuzz.sh runs them longer.
set(TORUME_FUZZ_SECONDS 15 CACHE STRING "Seconds each fuzz target runs under CTest")

# torume_fuzz_target(name source LIBS libs... SEEDS dirs...), called by the
# subsystem's CMakeLists.txt when TORUME_FUZZ is on.
function(torume_fuzz_target name source)
  cmake_parse_arguments(F "" "" "LIBS;SEEDS" ${ARGN})
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # New inputs go to the build tree; the seeds in the repository stay as they are.
  set(corpus ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name}
    COMMAND ${name} -max_total_time=${TORUME_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
            ${corpus} ${F_SEEDS})
endfunction()
