# What `cmake --install` puts under the prefix; `make install` and the Debian
# package both use these rules. <prefix>/lib/tansywatch is the program
# directory, holding the program and the files it finds beside itself exactly
# as the build directory does; <prefix>/bin/tansywatch is a relative link to
# it, so the installed tree can be moved (or staged in DESTDIR) as a whole.
set(TANSY_DESKTOP_ID org.example.tansywatch)
set(TANSY_PROGRAM_DIRECTORY lib/tansywatch)
set(TANSY_ICON_SIZES 16 22 24 32 48 64 128 256 512)

install(TARGETS tansywatch RUNTIME DESTINATION ${TANSY_PROGRAM_DIRECTORY})
install(FILES ${TANSY_PROGRAM_OUTPUTS} DESTINATION ${TANSY_PROGRAM_DIRECTORY})

# install(FILES) keeps a symbolic link a link.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-bin)
file(CREATE_LINK ../${TANSY_PROGRAM_DIRECTORY}/tansywatch ${CMAKE_BINARY_DIR}/install-bin/tansywatch SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install-bin/tansywatch DESTINATION bin)

# The menu entry, its icons and what software centres read.
install(FILES packaging/${TANSY_DESKTOP_ID}.desktop DESTINATION share/applications)
install(FILES packaging/${TANSY_DESKTOP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size IN LISTS TANSY_ICON_SIZES)
    install(FILES resources/tansywatch-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${TANSY_DESKTOP_ID}.png)
    # Screens of two device pixels to one take the size drawn for twice as many.
    math(EXPR double "${size} * 2")
    if(double IN_LIST TANSY_ICON_SIZES)
        install(FILES resources/tansywatch-${double}.png
            DESTINATION share/icons/hicolor/${size}x${size}@2/apps RENAME ${TANSY_DESKTOP_ID}.png)
    endif()
endforeach()

# The manual and the changelog go compressed, as Debian wants them; -n keeps
# the time stamp out so the same sources give the same bytes.
find_program(TANSY_GZIP gzip REQUIRED)
foreach(document IN ITEMS tansywatch.1 changelog)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${document}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${document} ${CMAKE_BINARY_DIR}/packaging/${document}
        COMMAND ${TANSY_GZIP} -9nf ${CMAKE_BINARY_DIR}/packaging/${document}
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${document}
        VERBATIM)
endforeach()
add_custom_target(compressed_documents ALL
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/tansywatch.1.gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/tansywatch.1.gz DESTINATION share/man/man1)
install(FILES packaging/copyright DESTINATION share/doc/tansywatch)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DESTINATION share/doc/tansywatch RENAME changelog.Debian.gz)
