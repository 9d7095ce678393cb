# Tools that make files during the build, such as resources/xpmexport, run on the build machine.
# A cross build (MinGW-w64 for Windows, emscripten for the web) makes programs that machine cannot
# run, so it builds such a tool as a project of its own with the build machine's compiler, without
# the cross toolchain; a native build makes it as any other target. Either way the target NAME
# stands for the tool in custom commands: COMMAND $<TARGET_FILE:NAME> and DEPENDS NAME (not the
# bare name as COMMAND, which a cross build would hand to its emulator).
#   tallino_add_host_tool(NAME SOURCE_DIR)
include_guard(GLOBAL)
include(ExternalProject)

function(tallino_add_host_tool name source_dir)
    if(NOT CMAKE_CROSSCOMPILING)
        add_subdirectory(${source_dir} ${CMAKE_CURRENT_BINARY_DIR}/${name})
        return()
    endif()
    set(binary_dir ${CMAKE_CURRENT_BINARY_DIR}/${name}-host)
    set(tool ${binary_dir}/${name}${CMAKE_HOST_EXECUTABLE_SUFFIX})
    ExternalProject_Add(${name}_host
        SOURCE_DIR ${source_dir}
        BINARY_DIR ${binary_dir}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
        INSTALL_COMMAND ""
        BUILD_ALWAYS TRUE
        BUILD_BYPRODUCTS ${tool})
    add_executable(${name} IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${tool})
    add_dependencies(${name} ${name}_host)
endfunction()
