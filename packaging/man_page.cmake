# cmake -DHELP2MAN=... -DPROGRAM=... -DNAME=... -DINCLUDE=... -DOUTPUT=<folder>/<name>.1.gz
#       [-DSUBCOMMANDS=ON] -P man_page.cmake
#
# A man page from the built program's --help and --version, with the sections
# of INCLUDE added, so that each option's words have one source. With
# SUBCOMMANDS the page's OPTIONS section has --help's "Options of the window:"
# and each subcommand's options (from `PROGRAM SUBCOMMAND --help`, the
# subcommands as the usage lines name them), and --help's exit statuses are
# its EXIT STATUS. --help
# ends by naming the settings file this build would use, a path inside the
# build folder; the page states the rule instead (its FILES section), so that
# line is left out.
cmake_minimum_required(VERSION 3.25)

get_filename_component(folder ${OUTPUT} DIRECTORY)
get_filename_component(page ${OUTPUT} NAME_WLE)
get_filename_component(program_name ${PROGRAM} NAME)

function(help_of out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${PROGRAM} ${ARGN} --help
                  OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(source ${PROGRAM})
if(SUBCOMMANDS)
  help_of(main)
  string(REGEX REPLACE "\nSettings: [^\n]*" "" main "${main}")
  string(FIND "${main}" "\nOptions of the window:" window_at)
  string(FIND "${main}" "\nExit status:" exit_at)
  math(EXPR window_length "${exit_at} - ${window_at} + 1")
  string(SUBSTRING "${main}" 0 ${window_at} head)
  string(SUBSTRING "${main}" ${window_at} ${window_length} window_options)
  string(SUBSTRING "${main}" ${exit_at} -1 exit_statuses)

  string(REGEX MATCHALL "\n  or:  ${program_name} [a-z][-a-z]*" forms "${main}")
  set(subcommands "")
  foreach(form IN LISTS forms)
    string(REGEX REPLACE ".* " "" subcommand "${form}")
    list(APPEND subcommands ${subcommand})
  endforeach()
  list(REMOVE_DUPLICATES subcommands)

  set(options "\nOptions:${window_options}")
  foreach(subcommand IN LISTS subcommands)
    help_of(text ${subcommand})
    # Qt's option list, without its own --help and --help-all; then what
    # follows the positional argument (write's fields and bands).
    string(REGEX MATCH "\nOptions:\n.*\nArguments:\n  ${subcommand}\n" listed "${text}")
    string(REGEX REPLACE "\nArguments:\n.*" "" listed "${listed}")
    string(REGEX REPLACE "\n  (-h, --help|--help-all) [^\n]*" "" listed "${listed}")
    string(REPLACE "\nOptions:\n" "Options of ${subcommand}:\n" listed "${listed}")
    string(REGEX REPLACE ".*\nArguments:\n  ${subcommand}\n" "" more "${text}")
    string(APPEND options "${listed}\n${more}\n")
  endforeach()

  # help2man reads the page's text from a stand-in with the program's name.
  set(stand_in_folder ${folder}/help2man-${page})
  file(MAKE_DIRECTORY ${stand_in_folder})
  file(WRITE ${stand_in_folder}/help.txt "${head}\n${options}${exit_statuses}")
  file(WRITE ${stand_in_folder}/${program_name}
       "#!/bin/sh\nif [ \"$1\" = --version ]; then exec '${PROGRAM}' --version; fi\n"
       "exec cat '${stand_in_folder}/help.txt'\n")
  file(CHMOD ${stand_in_folder}/${program_name} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set(source ${stand_in_folder}/${program_name})
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          ${HELP2MAN} --no-info --section=1 --name=${NAME} --include=${INCLUDE} --output=${folder}/${page} ${source}
  COMMAND_ERROR_IS_FATAL ANY)

file(READ ${folder}/${page} text)
string(REPLACE ".SS \"Exit status:\"" ".SH \"EXIT STATUS\"" text "${text}")
file(WRITE ${folder}/${page} "${text}")

# -n: no name or time stamp inside, so the same page compresses to the same bytes.
execute_process(COMMAND gzip -9nf ${page} WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
