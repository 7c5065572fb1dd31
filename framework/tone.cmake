# Tones on the desktop's sound server.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBPULSE REQUIRED IMPORTED_TARGET libpulse)
add_library(quib_tone STATIC ${CMAKE_CURRENT_LIST_DIR}/Beep.cpp ${CMAKE_CURRENT_LIST_DIR}/PulseTone.cpp)
target_include_directories(quib_tone PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quib_tone PRIVATE PkgConfig::LIBPULSE)
