# The benchmark program, gathered from the benchmarks beside the code they
# measure. Run on demand by scripts/bench.sh, not by the tests.
find_package(benchmark REQUIRED)

add_executable(torume_bench
  ${PROJECT_SOURCE_DIR}/damage/DamageFormula_bench.cpp
  ${PROJECT_SOURCE_DIR}/estimator/Estimation_bench.cpp
  ${PROJECT_SOURCE_DIR}/estimator/BenchmarkMain.cpp
  ${PROJECT_SOURCE_DIR}/observations/ObservationFile_bench.cpp
  ${PROJECT_SOURCE_DIR}/cli/EstimateProcess_bench.cpp)
target_link_libraries(torume_bench PRIVATE torume_observations torume_estimator torume_damage torume_form benchmark::benchmark)
target_compile_definitions(torume_bench PRIVATE
  TORUME_EXE="$<TARGET_FILE:torume>" TORUME_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
add_dependencies(torume_bench torume)
