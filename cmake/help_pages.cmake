# The help pages of one system, from the one source per language in resources/help.
#
# A passage that holds for one system only sits between two comments naming that system, inside
# a line or on lines of their own:
#
#   <!-- linux -->...<!-- /linux -->
#   <!-- windows -->...<!-- /windows -->
#
# The page of a system keeps its own passages, without the comments, and drops the other's whole;
# a comment on a line of its own goes with its line. Passages do not nest.
#
# In a project: include() this file and call
#   quellix_help_pages(SYSTEM linux|windows OUTPUT_DIR dir [PAGES variable])
# which adds the target quellix_help_pages, writing QuellixEN.htm and QuellixFR.htm into dir at
# build time (PAGES receives their paths). The build runs this file as a script for each page:
#   cmake -DQUELLIX_HELP_SYSTEM=windows -DQUELLIX_HELP_SOURCE=in.htm -DQUELLIX_HELP_OUTPUT=out.htm
#         -P help_pages.cmake

cmake_policy(VERSION 3.22)

set(QUELLIX_HELP_SYSTEMS linux windows)
set(QUELLIX_HELP_LANGUAGES EN FR)

# The text of the page for system from the text of a source; the name of the source in messages.
function(quellix_filter_help_text system text name out)
    if(NOT system IN_LIST QUELLIX_HELP_SYSTEMS)
        message(FATAL_ERROR "help pages: no system '${system}' (${QUELLIX_HELP_SYSTEMS})")
    endif()
    # One control character stands for each comment, so that "no closing comment" is [^c].
    set(code 1)
    set(stand_ins "")
    set(passages "")
    foreach(each IN LISTS QUELLIX_HELP_SYSTEMS)
        string(ASCII ${code} open_${each})
        math(EXPR code "${code} + 1")
        string(ASCII ${code} close_${each})
        math(EXPR code "${code} + 1")
        string(APPEND stand_ins "${open_${each}}${close_${each}}")
        list(APPEND passages "${open_${each}}${close_${each}}")
    endforeach()
    if(text MATCHES "[${stand_ins}]")
        message(FATAL_ERROR "${name}: holds a control character")
    endif()
    # Comments on lines of their own first, closing ones before opening ones: where one passage
    # ends and the next begins on the following line, the line break both need is still there.
    foreach(each IN LISTS QUELLIX_HELP_SYSTEMS)
        string(REGEX REPLACE "\n[ \t]*<!-- /${each} -->[ \t]*\n" "${close_${each}}\n"
               text "${text}")
    endforeach()
    foreach(each IN LISTS QUELLIX_HELP_SYSTEMS)
        string(REGEX REPLACE "\n[ \t]*<!-- ${each} -->[ \t]*\n" "${open_${each}}\n"
               text "${text}")
        string(REPLACE "<!-- ${each} -->" "${open_${each}}" text "${text}")
        string(REPLACE "<!-- /${each} -->" "${close_${each}}" text "${text}")
    endforeach()
    # Each passage closed before the next opens, and closed by its own system's comment.
    string(REGEX REPLACE "[^${stand_ins}]" "" order "${text}")
    list(JOIN passages "|" passage)
    if(NOT order MATCHES "^(${passage})*$")
        message(FATAL_ERROR
            "${name}: a system's passage is not closed, closed without being opened, or nested")
    endif()
    foreach(each IN LISTS QUELLIX_HELP_SYSTEMS)
        if(each STREQUAL system)
            string(REPLACE "${open_${each}}" "" text "${text}")
            string(REPLACE "${close_${each}}" "" text "${text}")
        else()
            string(REGEX REPLACE "${open_${each}}[^${close_${each}}]*${close_${each}}" ""
                   text "${text}")
        endif()
    endforeach()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Writes the page for system of the source file to output.
function(quellix_filter_help_page system source output)
    file(READ "${source}" text)
    quellix_filter_help_text("${system}" "${text}" "${source}" text)
    file(WRITE "${output}" "${text}")
endfunction()

function(quellix_help_pages)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "SYSTEM;OUTPUT_DIR;PAGES" "")
    if(NOT arg_SYSTEM IN_LIST QUELLIX_HELP_SYSTEMS OR NOT arg_OUTPUT_DIR)
        message(FATAL_ERROR "quellix_help_pages(SYSTEM ${QUELLIX_HELP_SYSTEMS} OUTPUT_DIR dir)")
    endif()
    set(script ${CMAKE_CURRENT_FUNCTION_LIST_FILE})
    set(pages "")
    foreach(language IN LISTS QUELLIX_HELP_LANGUAGES)
        set(source ${PROJECT_SOURCE_DIR}/resources/help/Quellix${language}.htm)
        set(page ${arg_OUTPUT_DIR}/Quellix${language}.htm)
        add_custom_command(OUTPUT ${page}
            COMMAND ${CMAKE_COMMAND} -DQUELLIX_HELP_SYSTEM=${arg_SYSTEM}
                    -DQUELLIX_HELP_SOURCE=${source} -DQUELLIX_HELP_OUTPUT=${page} -P ${script}
            DEPENDS ${source} ${script}
            COMMENT "Writing the ${arg_SYSTEM} help page Quellix${language}.htm"
            VERBATIM)
        list(APPEND pages ${page})
    endforeach()
    add_custom_target(quellix_help_pages ALL DEPENDS ${pages})
    if(arg_PAGES)
        set(${arg_PAGES} ${pages} PARENT_SCOPE)
    endif()
endfunction()

# Run as a script by the build: one page.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    quellix_filter_help_page("${QUELLIX_HELP_SYSTEM}" "${QUELLIX_HELP_SOURCE}"
                             "${QUELLIX_HELP_OUTPUT}")
endif()
