# Runs tallimer-report with NAME.args of a case folder (journal.txt, optional Tallimer.ini,
# Tallimer.days, Tallimer.ledger, desktop.ini and registry.ini, else golden/registry.ini: break 30, target 480, unit 5) and compares with NAME.out.
# With -DUPDATE=1 the output is written to NAME.out instead (to add a case; review it). A run
# with --format pdf compares the text of its PDF.
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
if(EXISTS "${CASE}/Tallimer.ledger")
    file(COPY_FILE "${CASE}/Tallimer.ledger" "${docs}/Tallimer.ledger")
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
# A PDF run writes its file with --output; what is compared is the text poppler extracts from it,
# once qpdf has found the file sound and of one page. Both tools are required: without them the
# case fails, it is not skipped (script/bootstrap --test installs them).
set(pdf "")
if(line MATCHES "--format pdf")
    set(pdf "${WORK}/${NAME}.pdf")
    list(APPEND args --output "${pdf}")
    find_program(PDFTOTEXT pdftotext)
    find_program(QPDF qpdf)
    if(NOT PDFTOTEXT OR NOT QPDF)
        message(FATAL_ERROR "${NAME} needs pdftotext (poppler-utils) and qpdf: script/bootstrap --test")
    endif()
endif()
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "TALLIMER_HOME=${WORK}" "${REPORT}" ${args}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tallimer-report ${line} exited with ${status}: ${err}")
endif()

if(pdf)
    if(NOT out STREQUAL "")
        message(FATAL_ERROR "a PDF run with --output printed on standard output: ${out}")
    endif()
    execute_process(COMMAND "${QPDF}" --check "${pdf}" RESULT_VARIABLE status OUTPUT_VARIABLE check)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "qpdf --check ${pdf} exited with ${status}: ${check}")
    endif()
    execute_process(COMMAND "${QPDF}" --show-npages "${pdf}" OUTPUT_VARIABLE pages
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT pages STREQUAL "1")
        message(FATAL_ERROR "${pdf} has ${pages} pages, not 1")
    endif()
    execute_process(COMMAND "${PDFTOTEXT}" -layout "${pdf}" - OUTPUT_VARIABLE out
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "pdftotext ${pdf} exited with ${status}")
    endif()
endif()

# The blanks that pdftotext -layout puts between the words of a line follow the widths of the
# font the PDF was laid out in, the desktop's sans-serif, which differs between machines: a PDF's
# text is compared with each run of blanks as one, and blank lines dropped.
function(comparable text result)
    if(pdf)
        string(ASCII 12 page_end)
        string(REGEX REPLACE "[ \t\r${page_end}]+" " " text "${text}")
        string(REGEX REPLACE " *\n[ \n]*" "\n" text "${text}")
        string(STRIP "${text}" text)
    endif()
    set(${result} "${text}" PARENT_SCOPE)
endfunction()

set(expected_file "${CASE}/${NAME}.out")
if(UPDATE)
    file(WRITE "${expected_file}" "${out}")
    return()
endif()
file(READ "${expected_file}" expected)
comparable("${out}" out)
comparable("${expected}" expected)
if(NOT out STREQUAL expected)
    file(WRITE "${WORK}/actual.txt" "${out}")
    file(WRITE "${WORK}/expected.txt" "${expected}")
    execute_process(COMMAND diff -u "${WORK}/expected.txt" "${WORK}/actual.txt")
    message(FATAL_ERROR "output differs from ${expected_file}")
endif()
