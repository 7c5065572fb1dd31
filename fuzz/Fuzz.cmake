# The fuzz targets need clang's libFuzzer, so they are a project of their
# own, built with clang whatever compiler builds the rest. The test command
# runs each briefly; run them by hand for as long as one likes.
find_program(QUIB_FUZZ_CXX NAMES clang++-14 clang++)
if(NOT QUIB_FUZZ_CXX)
    message(STATUS "clang++ not found: the reader fuzz target is skipped")
    return()
endif()

include(ExternalProject)
set(QUIB_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(reader_fuzzer
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/fuzz
    BINARY_DIR ${QUIB_FUZZ_BINARY_DIR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${QUIB_FUZZ_CXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")

# `seeds`: seed folders, separated by commas.
function(add_fuzz_test name fuzzer seeds runs)
    add_test(NAME ${name}
        COMMAND ${CMAKE_COMMAND}
            -DFUZZER=${QUIB_FUZZ_BINARY_DIR}/${fuzzer}
            -DCORPUS=${QUIB_FUZZ_BINARY_DIR}/${fuzzer}-corpus
            -DSEEDS=${seeds}
            -DRUNS=${runs}
            -DMAX_LEN=4096
            -P ${PROJECT_SOURCE_DIR}/fuzz/RunFuzzer.cmake)
endfunction()
# The reader's seeds: the examples, and the first lines of each compressed
# three ways (gzip -9, xz -6 with a 64 KiB dictionary, zstd -19), after the
# byte that chooses the chunk.
add_fuzz_test(reader_fuzz reader_fuzzer
    ${PROJECT_SOURCE_DIR}/examples,${PROJECT_SOURCE_DIR}/fuzz/seeds/reader 20000)
add_fuzz_test(pipeline_fuzz pipeline_fuzzer ${PROJECT_SOURCE_DIR}/examples 5000)
add_fuzz_test(arguments_fuzz arguments_fuzzer ${PROJECT_SOURCE_DIR}/fuzz/seeds/arguments 50000)
