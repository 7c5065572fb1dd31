# The drawing surface: CDC with its pen and font, over a QPainter and as a
# recorder for the drawing's tests.
add_library(quib_surface STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PainterDC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecordingDC.cpp)
target_include_directories(quib_surface PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quib_surface PUBLIC Qt6::Gui)
