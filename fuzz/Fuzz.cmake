# The reader's fuzz target needs clang's libFuzzer, so it is a project of its
# own, built with clang whatever compiler builds the rest.
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

add_test(NAME reader_fuzz
    COMMAND ${CMAKE_COMMAND}
        -DFUZZER=${QUIB_FUZZ_BINARY_DIR}/reader_fuzzer
        -DCORPUS=${QUIB_FUZZ_BINARY_DIR}/corpus
        -DSEEDS=${PROJECT_SOURCE_DIR}/examples
        -DRUNS=20000
        -DMAX_LEN=4096
        -P ${PROJECT_SOURCE_DIR}/fuzz/RunReaderFuzzer.cmake)
