# Runs tallimer-report on one golden case and compares what it prints with the case's
# expected.txt. A case folder holds:
#   args          the command's arguments, one a line
#   journal.txt   the journal (\My Documents\Tallimer.txt), byte for byte
#   Tallimer.ini  optional: the settings file, which holds the balance
#   registry.ini  optional: the stored settings; without it, the shared golden/registry.ini
#                 (break 30, target 480, unit 5)
#   expected.txt  what tallimer-report prints
# Called as: cmake -DREPORT=<tallimer-report> -DCASE=<case folder> -DWORK=<scratch folder> -P
# With -DUPDATE=1 the output is written to expected.txt instead (to add a case; review it).
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
set(docs "${WORK}/files/My Documents")
file(MAKE_DIRECTORY "${docs}")
file(COPY_FILE "${CASE}/journal.txt" "${docs}/Tallimer.txt")
if(EXISTS "${CASE}/Tallimer.ini")
    file(COPY_FILE "${CASE}/Tallimer.ini" "${docs}/Tallimer.ini")
endif()
if(EXISTS "${CASE}/registry.ini")
    file(COPY_FILE "${CASE}/registry.ini" "${WORK}/registry.ini")
else()
    file(COPY_FILE "${CASE}/../registry.ini" "${WORK}/registry.ini")
endif()

file(STRINGS "${CASE}/args" args)
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "TALLIMER_HOME=${WORK}" "${REPORT}" ${args}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tallimer-report ${args} exited with ${status}: ${err}")
endif()

if(UPDATE)
    file(WRITE "${CASE}/expected.txt" "${out}")
    return()
endif()
file(READ "${CASE}/expected.txt" expected)
if(NOT out STREQUAL expected)
    file(WRITE "${WORK}/actual.txt" "${out}")
    execute_process(COMMAND diff -u "${CASE}/expected.txt" "${WORK}/actual.txt")
    message(FATAL_ERROR "output differs from ${CASE}/expected.txt")
endif()
