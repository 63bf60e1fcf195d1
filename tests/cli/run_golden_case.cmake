# Runs tallimer-report with NAME.args of a case folder (journal.txt, optional Tallimer.ini,
# Tallimer.days, desktop.ini and registry.ini, else golden/registry.ini: break 30, target 480, unit 5) and compares with NAME.out.
# With -DUPDATE=1 the output is written to NAME.out instead (to add a case; review it).
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
set(docs "${WORK}/files/My Documents")
file(MAKE_DIRECTORY "${docs}")
file(COPY_FILE "${CASE}/journal.txt" "${docs}/Tallimer.txt")
if(EXISTS "${CASE}/Tallimer.ini")
    file(COPY_FILE "${CASE}/Tallimer.ini" "${docs}/Tallimer.ini")
endif()
if(EXISTS "${CASE}/Tallimer.days")
    file(COPY_FILE "${CASE}/Tallimer.days" "${docs}/Tallimer.days")
endif()
if(EXISTS "${CASE}/desktop.ini")
    file(COPY_FILE "${CASE}/desktop.ini" "${WORK}/desktop.ini")
endif()
if(EXISTS "${CASE}/registry.ini")
    file(COPY_FILE "${CASE}/registry.ini" "${WORK}/registry.ini")
else()
    file(COPY_FILE "${CASE}/../registry.ini" "${WORK}/registry.ini")
endif()

file(READ "${CASE}/${NAME}.args" line)
separate_arguments(args UNIX_COMMAND "${line}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "TALLIMER_HOME=${WORK}" "${REPORT}" ${args}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tallimer-report ${line} exited with ${status}: ${err}")
endif()

set(expected_file "${CASE}/${NAME}.out")
if(UPDATE)
    file(WRITE "${expected_file}" "${out}")
    return()
endif()
file(READ "${expected_file}" expected)
if(NOT out STREQUAL expected)
    file(WRITE "${WORK}/actual.txt" "${out}")
    execute_process(COMMAND diff -u "${expected_file}" "${WORK}/actual.txt")
    message(FATAL_ERROR "output differs from ${expected_file}")
endif()
