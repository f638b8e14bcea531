# The help pages as the build writes them for each system: each page holds its own system's words
# and none of the other's, no system comment is left, and a source whose passages do not pair up
# is refused.
#
# cmake -DSOURCE_DIR=<source tree> -DWORK_DIR=<scratch folder> -P help_pages_test.cmake
cmake_minimum_required(VERSION 3.22)

set(script ${SOURCE_DIR}/cmake/help_pages.cmake)
include(${script})
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(failures "")

# Words in both languages' pages. Each system's page holds all of its own and none of the other's.
set(linux_words
    "systemd" "journalctl -t Quellix" "SIGUSR1" "XDG_CONFIG_HOME" "/usr/share/quellix/help"
    "gio trash" "LC_TIME" "0 2 * * * /usr/bin/quellix -C" ".Quellix.ini.lock")
set(windows_words
    "%APPDATA%\\quellix\\Quellix.ini" "quellix.exe -C" "sc start Quellix" "sc pause Quellix"
    "services.msc" "eventvwr.msc" "schtasks /Create" "$Recycle.Bin" "[--help | -h | /?]")

# Writes one page the way the build does; the command's result, and its output in failures.
function(write_page system source page result_variable)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -DQUELLIX_HELP_SYSTEM=${system} -DQUELLIX_HELP_SOURCE=${source}
                -DQUELLIX_HELP_OUTPUT=${page} -P ${script}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(${result_variable} ${result} PARENT_SCOPE)
    if(NOT result EQUAL 0)
        set(failures "${failures}\n${page}: not written: ${output}" PARENT_SCOPE)
    endif()
endfunction()

foreach(language IN LISTS QUELLIX_HELP_LANGUAGES)
    foreach(system IN LISTS QUELLIX_HELP_SYSTEMS)
        set(page ${WORK_DIR}/${system}/Quellix${language}.htm)
        write_page(${system} ${SOURCE_DIR}/resources/help/Quellix${language}.htm ${page} result)
        if(NOT result EQUAL 0)
            continue()
        endif()
        file(READ ${page} text)
        foreach(owner IN LISTS QUELLIX_HELP_SYSTEMS)
            foreach(word IN LISTS ${owner}_words)
                string(FIND "${text}" "${word}" at)
                if(owner STREQUAL system AND at EQUAL -1)
                    string(APPEND failures "\n${page}: lacks its own \"${word}\"")
                elseif(NOT owner STREQUAL system AND NOT at EQUAL -1)
                    string(APPEND failures "\n${page}: holds the ${owner} \"${word}\"")
                endif()
            endforeach()
        endforeach()
        if(text MATCHES "<!--[ \t]*/?[ \t]*(linux|windows)")
            string(APPEND failures "\n${page}: a comment \"${CMAKE_MATCH_0}\" is left")
        endif()
        if(NOT text MATCHES "</html>\n$")
            string(APPEND failures "\n${page}: does not end with </html>")
        endif()
    endforeach()
endforeach()

# Passages inside a line and on lines of their own, side by side.
set(sample "<ul>\n<!-- linux -->\n  <li>L</li>\n<!-- /linux -->\n<!-- windows -->\n  <li>W</li>\n")
string(APPEND sample "  <!-- /windows -->\n</ul>\n<p>a <!-- linux -->systemd<!-- /linux -->")
string(APPEND sample "<!-- windows -->Windows<!-- /windows --> service</p>\n")
set(sample_linux "<ul>\n  <li>L</li>\n</ul>\n<p>a systemd service</p>\n")
set(sample_windows "<ul>\n  <li>W</li>\n</ul>\n<p>a Windows service</p>\n")
foreach(system IN LISTS QUELLIX_HELP_SYSTEMS)
    quellix_filter_help_text(${system} "${sample}" sample text)
    if(NOT text STREQUAL sample_${system})
        string(APPEND failures "\nsample for ${system}:\n${text}\ninstead of\n${sample_${system}}")
    endif()
endforeach()

# Passages that do not pair up stop the build instead of dropping or leaking text.
set(broken
    "<p><!-- linux -->never closed</p>"
    "<p>never opened<!-- /windows --></p>"
    "<p><!-- linux -->a<!-- windows -->b<!-- /windows --><!-- /linux --></p>"
    "<p><!-- windows -->closed by the other<!-- /linux --></p>")
set(case 0)
foreach(source_text IN LISTS broken)
    math(EXPR case "${case} + 1")
    file(WRITE ${WORK_DIR}/broken${case}.htm "${source_text}\n")
    foreach(system IN LISTS QUELLIX_HELP_SYSTEMS)
        set(page ${WORK_DIR}/broken${case}-${system}.htm)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -DQUELLIX_HELP_SYSTEM=${system}
                    -DQUELLIX_HELP_SOURCE=${WORK_DIR}/broken${case}.htm
                    -DQUELLIX_HELP_OUTPUT=${page} -P ${script}
            RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
        if(result EQUAL 0 OR EXISTS ${page})
            string(APPEND failures "\n${system} page of \"${source_text}\" written")
        endif()
    endforeach()
endforeach()

if(failures)
    message(FATAL_ERROR "help pages:${failures}")
endif()
