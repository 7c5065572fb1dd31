# The application shell: application, document template, document, view,
# frame with its bars, dialogs and message boxes.
find_package(X11)

add_library(quib_framework STATIC
    ${CMAKE_CURRENT_LIST_DIR}/AfxResources.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CmdTarget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogUnits.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DocTemplate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Document.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FontDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FrameWnd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LockKeys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Menu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecentFileList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatusBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ToolBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/View.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WinApp.cpp)
target_include_directories(quib_framework PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quib_framework PUBLIC Qt6::Widgets Qt6::PrintSupport quib_surface PRIVATE quib_errors)
# The lock keys' state comes from the X server's keyboard indicators.
if(X11_FOUND AND X11_Xkb_FOUND)
    target_compile_definitions(quib_framework PRIVATE QUIB_HAVE_XKB)
    target_link_libraries(quib_framework PRIVATE X11::X11)
endif()
# X11's headers define names (Unsorted, None, Bool) that Qt's use: kept out
# of a unity build's shared translation units.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/LockKeys.cpp PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
