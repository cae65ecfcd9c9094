# libFuzzer targets (clang), each registered beside the code it exercises,
# built with AddressSanitizer and UndefinedBehaviorSanitizer. Clang has no
# code page 932 execution charset, so here the literals stay UTF-8; no
# logic depends on their bytes. CTest runs each target for a short, bounded time from its
# seed corpus; scripts/fuzz.sh runs them longer.
set(TORUME_FUZZ_SECONDS 15 CACHE STRING "Seconds each fuzz target runs under CTest")

# scripts/fuzz.sh takes the targets from this list rather than knowing
# where each subsystem builds its own: one line per target, its name, its
# program, its corpus and its seed folders, separated by tabs.
set(TORUME_FUZZ_TARGET_LIST ${CMAKE_BINARY_DIR}/fuzz-targets.txt)
set_property(GLOBAL PROPERTY TORUME_FUZZ_TARGET_LINES "")

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
  list(JOIN F_SEEDS "\t" seeds)
  set_property(GLOBAL APPEND PROPERTY TORUME_FUZZ_TARGET_LINES "${name}\t$<TARGET_FILE:${name}>\t${corpus}\t${seeds}")
endfunction()

# Written once every subsystem has registered its targets.
function(torume_write_fuzz_target_list)
  get_property(lines GLOBAL PROPERTY TORUME_FUZZ_TARGET_LINES)
  list(JOIN lines "\n" content)
  file(GENERATE OUTPUT ${TORUME_FUZZ_TARGET_LIST} CONTENT "${content}\n")
endfunction()
cmake_language(DEFER CALL torume_write_fuzz_target_list)
