# The fuzz targets' tree (the fuzz preset): clang's libFuzzer drives them,
# AddressSanitizer and UndefinedBehaviorSanitizer watch them. The code they
# test comes from the real libraries, whose folders are added here with the
# fuzzer's coverage and the sanitizers; only what a fuzz target links is
# built.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz targets need clang's libFuzzer: cmake --preset fuzz")
endif()
set(QUIB_FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
add_compile_options(-fsanitize=fuzzer-no-link ${QUIB_FUZZ_SANITIZERS} -fno-omit-frame-pointer)
add_link_options(${QUIB_FUZZ_SANITIZERS})
foreach(folder errors lattice data summary query statistics overview framework view frame panels
               cli app tests/support)
    add_subdirectory(${folder} EXCLUDE_FROM_ALL)
endforeach()
enable_testing()
add_subdirectory(fuzz)
