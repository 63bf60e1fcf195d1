# One golden case: runs COMMAND over a fresh copy of the device folder HOME with the arguments
# of case NAME in CASES and compares status and standard output with GOLDEN/NAME.out.
# With GOLDEN_UPDATE set in the environment it rewrites the .out file instead.
file(STRINGS "${CASES}" lines REGEX "^${NAME} ")
list(GET lines 0 line)
separate_arguments(words UNIX_COMMAND "${line}")
list(POP_FRONT words name expected_status)

file(REMOVE_RECURSE "${WORK}")
file(COPY "${HOME}/" DESTINATION "${WORK}")
set(ENV{TALLIMER_HOME} "${WORK}")
execute_process(COMMAND "${COMMAND}" ${words} OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE status)
file(REMOVE_RECURSE "${WORK}")

set(golden "${GOLDEN}/${NAME}.out")
if(DEFINED ENV{GOLDEN_UPDATE})
    file(WRITE "${golden}" "${out}")
endif()
file(READ "${golden}" expected)
if(NOT status STREQUAL expected_status)
    message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\n${err}")
endif()
if(NOT out STREQUAL expected)
    file(WRITE "${WORK}.out" "${out}")
    message(FATAL_ERROR "output differs from ${golden}; it is in ${WORK}.out")
endif()
