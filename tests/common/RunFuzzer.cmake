# Configures the fuzz project with clang++ the first time, rebuilds it incrementally, and runs
# FUZZ_RUNS inputs with a fixed seed on a fresh copy of the seed corpus, so the committed corpus
# stays as it is. A set number of inputs rather than a time: every run tries the same inputs,
# whatever the machine's speed, and a failure can be run again. Longer runs, with new seeds,
# are run by hand (see the README).
# Expects FUZZ_SOURCE_DIR, FUZZ_BINARY_DIR, CLANGXX and GENERATOR, and to run: FUZZ_TARGET,
# FUZZ_CORPUS (a folder of FUZZ_SOURCE_DIR) and FUZZ_RUNS.
if(NOT CLANGXX)
    message(FATAL_ERROR "clang++ was not found when the build was configured: run tools/install-deps.sh")
endif()

function(run_step)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}")
    endif()
endfunction()

if(NOT EXISTS ${FUZZ_BINARY_DIR}/CMakeCache.txt)
    run_step(${CMAKE_COMMAND} -S ${FUZZ_SOURCE_DIR} -B ${FUZZ_BINARY_DIR} -G ${GENERATOR}
             -DCMAKE_CXX_COMPILER=${CLANGXX} -DCMAKE_BUILD_TYPE=Debug)
endif()
# With FUZZ_BUILD_ONLY, every target is built and nothing runs: the main build does this, so the
# tests find their targets built.
if(FUZZ_BUILD_ONLY)
    run_step(${CMAKE_COMMAND} --build ${FUZZ_BINARY_DIR})
    return()
endif()
run_step(${CMAKE_COMMAND} --build ${FUZZ_BINARY_DIR} --target ${FUZZ_TARGET})

set(corpus ${FUZZ_BINARY_DIR}/${FUZZ_CORPUS}-run)
file(REMOVE_RECURSE ${corpus})
file(COPY ${FUZZ_SOURCE_DIR}/${FUZZ_CORPUS}/ DESTINATION ${corpus})
run_step(${FUZZ_BINARY_DIR}/${FUZZ_TARGET} -runs=${FUZZ_RUNS} -seed=1 -timeout=10 -print_final_stats=1
         -artifact_prefix=${FUZZ_BINARY_DIR}/ ${corpus})
