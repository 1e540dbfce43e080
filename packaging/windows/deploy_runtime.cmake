# Puts beside the Windows programs what they load that is not the system's, as windeployqt does:
# the Qt plugins, each in the folder of its kind, and the libraries the programs, the modules and
# those plugins need, found in the folders searched. Used by the build (into its program folder,
# so that the programs run there) and by the installation (into the installed folder).
#   cmake -DDESTINATION=folder -DPROGRAMS=file -P deploy_runtime.cmake
# The file PROGRAMS sets EXECUTABLES and MODULES (names of files in that folder), PLUGINS (each
# named by its path, whose last folder is its kind: platforms/qwindows.dll), DIRECTORIES (where
# libraries are looked for) and OBJDUMP.
cmake_minimum_required(VERSION 3.25)
include(${PROGRAMS})
list(TRANSFORM EXECUTABLES PREPEND ${DESTINATION}/)
list(TRANSFORM MODULES PREPEND ${DESTINATION}/)
set(copied_plugins "")
foreach(plugin IN LISTS PLUGINS)
    get_filename_component(folder ${plugin} DIRECTORY)
    get_filename_component(kind ${folder} NAME)
    get_filename_component(name ${plugin} NAME)
    file(INSTALL ${plugin} DESTINATION ${DESTINATION}/${kind})
    list(APPEND copied_plugins ${DESTINATION}/${kind}/${name})
endforeach()

# The libraries each file imports, by the names its import table gives them, found in the folders
# searched and followed in turn. (CMake's file(GET_RUNTIME_DEPENDENCIES) writes the names of a
# Windows file in small letters and then finds no Qt6Core.dll on a system that tells case.)
set(pending ${EXECUTABLES} ${MODULES} ${copied_plugins})
set(seen "")
set(found "")
while(pending)
    list(POP_FRONT pending file)
    execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE headers
                    COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
    foreach(import IN LISTS imports)
        string(REPLACE "DLL Name: " "" name "${import}")
        string(STRIP "${name}" name)
        if(name IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${name})
        set(library "")
        foreach(folder IN LISTS DIRECTORIES)
            if(EXISTS ${folder}/${name})
                set(library ${folder}/${name})
                break()
            endif()
        endforeach()
        if(library)
            list(APPEND found ${library})
            list(APPEND pending ${library})
        elseif(name MATCHES "^(Qt6|lib)")
            # What is found nowhere must be the system's; Qt's and the compiler's libraries are not.
            message(FATAL_ERROR "${name}, which ${file} needs, was found nowhere")
        endif()
    endforeach()
endwhile()
if(found)
    file(INSTALL ${found} DESTINATION ${DESTINATION})
endif()
