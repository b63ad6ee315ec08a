# Runs one script through panelhost and compares what it prints with the reference output. On a
# difference the actual output is left in ACTUAL and both are shown.
execute_process(COMMAND ${PANELHOST} script ${MODULE} ${SCRIPT}
                OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
file(WRITE ${ACTUAL} "${actual}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "panelhost exited with ${status}:\n${errors}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs from ${EXPECTED}\n--- expected\n${expected}--- actual (kept in ${ACTUAL})\n${actual}")
endif()
