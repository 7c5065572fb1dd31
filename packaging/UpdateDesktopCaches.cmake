# Run by the installation, after the files: installed in place, the
# desktop's caches learn of Quib's data type and of the entry that opens it.
# A staged installation (DESTDIR, the Debian package) leaves that to the
# system's own triggers.
if("$ENV{DESTDIR}" STREQUAL "")
    set(data "${CMAKE_INSTALL_PREFIX}/${QUIB_DATADIR}")
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    if(update_mime)
        execute_process(COMMAND ${update_mime} "${data}/mime")
    endif()
    if(update_desktop)
        execute_process(COMMAND ${update_desktop} "${data}/applications")
    endif()
endif()
