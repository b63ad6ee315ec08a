# add_gauge_module(NAME SOURCES src... ART_TARGET generator [ART_ARGS args...])
#
# Builds one gauge module from its sources and its artwork. The art generator is a build-machine
# program that writes the module's bitmaps (and sounds) plus a resources.list into a folder;
# rsrcpack turns that list into a resource pack (native) and a resource script (Win32).
#
# Native: NAME.so, resources linked into its "gauge_resources" section, only Linkage and
# ImportTable visible. Win32: NAME.dll, resources compiled in by windres, exports from
# framework/module.def, C and C++ run times linked in statically. The Win32 build does not run
# generators: it takes the art folder of a native build (GAUGE_ART_DIR).

set(GAUGE_MODULE_DIR "${CMAKE_BINARY_DIR}/modules" CACHE PATH "where built modules go")

# gauge_win32_runtime(TARGET)
#
# What every Win32 program and module of the project links with: the C and C++ run times and
# winpthread linked in statically (a module depends on no DLL but Windows' own), and the printf
# family routed through platform/printf_nan_sign_win32.cpp so that a NaN with its sign bit set
# prints "-nan" as on glibc.
set(GAUGE_WIN32_PRINTF_FIX "${CMAKE_CURRENT_LIST_DIR}/../platform/printf_nan_sign_win32.cpp")
function(gauge_win32_runtime TARGET)
    if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
        return()
    endif()
    target_sources(${TARGET} PRIVATE ${GAUGE_WIN32_PRINTF_FIX})
    target_link_options(${TARGET} PRIVATE -static -static-libgcc -static-libstdc++
        -Wl,--no-insert-timestamp
        -Wl,--wrap=__mingw_vsnprintf,--wrap=__mingw_vsprintf
        -Wl,--wrap=__mingw_vfprintf,--wrap=__mingw_vprintf)
endfunction()

function(add_gauge_module NAME)
    cmake_parse_arguments(GM "" "ART_TARGET" "SOURCES;ART_ARGS;LIBRARIES" ${ARGN})
    set_property(GLOBAL APPEND PROPERTY GAUGE_MODULES ${NAME})
    if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
        if(NOT GAUGE_ART_DIR)
            message(FATAL_ERROR "The Win32 build takes its artwork from a native build: "
                    "set GAUGE_ART_DIR to that build's art folder (the win32 preset does)")
        endif()
        set(art_dir "${GAUGE_ART_DIR}/${NAME}")
        set(rc "${art_dir}/resources.rc")
        if(NOT EXISTS ${rc})
            # The native tree's checks (tests/win32) fail on the missing DLL.
            message(WARNING "${NAME}.dll is not built: ${rc} is missing. Build the native "
                    "tree first (make win32 does): it draws the artwork of ${NAME}")
            return()
        endif()
        add_library(${NAME} SHARED ${GM_SOURCES} $<TARGET_OBJECTS:gauge_framework> ${rc}
                    ${PROJECT_SOURCE_DIR}/framework/module.def)
        # No "lib" prefix, no import library: nothing links against a gauge module.
        set_target_properties(${NAME} PROPERTIES PREFIX "" SUFFIX ".dll"
                              IMPORT_PREFIX "" IMPORT_SUFFIX ".dll.a")
        # The resource script names the art files by absolute path; rebuild when they change.
        file(STRINGS ${rc} rc_lines)
        set(art_files)
        foreach(line IN LISTS rc_lines)
            if(line MATCHES "\"([^\"]+)\"")
                list(APPEND art_files ${CMAKE_MATCH_1})
            endif()
        endforeach()
        set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${art_files}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rc})
        target_link_options(${NAME} PRIVATE -s)
        gauge_win32_runtime(${NAME})
    else()
        set(art_dir "${CMAKE_BINARY_DIR}/art/${NAME}")
        set(list "${art_dir}/resources.list")
        set(pack "${art_dir}/resources.pack")
        add_custom_command(
            OUTPUT ${list}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${art_dir}
            COMMAND $<TARGET_FILE:${GM_ART_TARGET}> ${art_dir} ${GM_ART_ARGS}
            DEPENDS ${GM_ART_TARGET}
            COMMENT "Drawing the artwork of ${NAME}")
        add_custom_command(
            OUTPUT ${pack} ${art_dir}/resources.rc
            COMMAND $<TARGET_FILE:rsrcpack> ${list} ${pack} ${art_dir}/resources.rc
            DEPENDS rsrcpack ${list}
            COMMENT "Packing the resources of ${NAME}")
        set(stub "${CMAKE_CURRENT_BINARY_DIR}/${NAME}_resources.S")
        file(WRITE ${stub}
             "    .section gauge_resources,\"a\"\n"
             "    .balign 16\n"
             "    .incbin \"${pack}\"\n"
             "    .section .note.GNU-stack,\"\",@progbits\n")
        set_source_files_properties(${stub} PROPERTIES OBJECT_DEPENDS ${pack})
        add_library(${NAME} MODULE ${GM_SOURCES} $<TARGET_OBJECTS:gauge_framework> ${stub})
        set_target_properties(${NAME} PROPERTIES PREFIX "" SUFFIX ".so"
                              CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
        target_link_options(${NAME} PRIVATE -Wl,--no-undefined)
        # NAME_resources draws and packs the module's artwork alone.
        add_custom_target(${NAME}_resources DEPENDS ${pack})
    endif()
    target_include_directories(${NAME} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${NAME} PRIVATE ${GM_LIBRARIES})
    set_target_properties(${NAME} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${GAUGE_MODULE_DIR}
                          RUNTIME_OUTPUT_DIRECTORY ${GAUGE_MODULE_DIR})
endfunction()
