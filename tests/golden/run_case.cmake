# One golden case: runs sorvani-annotate on an input with some options and compares what it writes
# with the committed output, byte for byte, showing the difference when they part; with
# REGENERATE, writes the committed output instead.
#   cmake -DTOOL=... -DINPUT=... -DEXPECTED=... -DACTUAL=... "-DOPTIONS=--tones --words"
#         [-DREGENERATE=ON] -P run_case.cmake
foreach(variable TOOL INPUT EXPECTED ACTUAL)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "run_case.cmake needs -D${variable}=...")
    endif()
endforeach()

separate_arguments(OPTIONS UNIX_COMMAND "${OPTIONS}")
# RTF and web pages are written through Qt, whose platform must not depend on the caller's display.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${TOOL} ${OPTIONS} ${INPUT}
                OUTPUT_FILE ${ACTUAL} ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "sorvani-annotate ${OPTIONS} ${INPUT} ended with ${status}: ${errors}")
endif()

if(REGENERATE)
    file(COPY_FILE ${ACTUAL} ${EXPECTED} ONLY_IF_DIFFERENT)
    return()
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${ACTUAL}
                RESULT_VARIABLE different)
if(different)
    find_program(DIFF diff)
    if(DIFF)
        execute_process(COMMAND ${DIFF} -u --text ${EXPECTED} ${ACTUAL})
    endif()
    message(FATAL_ERROR "${ACTUAL} differs from ${EXPECTED}. If the change is intended, "
                        "regenerate the golden files: cmake --build <build> --target regenerate-golden")
endif()
