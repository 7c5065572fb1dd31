# The drawing surface: CDC with its pen and font, free of Qt, and the
# surface over a QPainter.
add_library(quib_dc STATIC ${CMAKE_CURRENT_LIST_DIR}/DC.cpp)
target_include_directories(quib_dc PUBLIC ${CMAKE_CURRENT_LIST_DIR})

add_library(quib_surface STATIC
    ${CMAKE_CURRENT_LIST_DIR}/PainterDC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LogFont.cpp)
target_link_libraries(quib_surface PUBLIC quib_dc Qt6::Gui)
