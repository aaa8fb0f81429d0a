cmake_minimum_required(VERSION 3.25)
# cmake -DFUZZER=<program> -DSEEDS=<seed corpus> -DWORK=<folder> -DRUNS=<inputs>
#       [-DMAX_LEN=<bytes>] -P run_fuzz.cmake
# Runs one fuzz target from a fresh working corpus beside its seeds, so that
# what libFuzzer adds never lands among the committed seeds. The run is the
# same every time (fixed seed, RUNS inputs), unless LT_FUZZ_SECONDS is set in
# the environment: then it runs that long from a random seed. An input that
# crashes or breaks a property is kept in WORK/crashes/ until the next run.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/crashes)
# Inputs of any length up to MAX_LEN from the start: the slow targets would
# otherwise spend a short run on inputs of a few bytes.
set(arguments -print_final_stats=1 -len_control=0 -artifact_prefix=${WORK}/crashes/)
if(MAX_LEN)
  list(APPEND arguments -max_len=${MAX_LEN})
endif()
if(DEFINED ENV{LT_FUZZ_SECONDS})
  list(APPEND arguments -max_total_time=$ENV{LT_FUZZ_SECONDS})
else()
  list(APPEND arguments -seed=1 -runs=${RUNS})
endif()
execute_process(COMMAND ${FUZZER} ${arguments} ${WORK}/corpus ${SEEDS} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input that did it is in ${WORK}/crashes/")
endif()
