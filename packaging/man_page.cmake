# cmake -DHELP2MAN=... -DPROGRAM=... -DINCLUDE=... -DOUTPUT=<folder>/<name>.1.gz -P man_page.cmake
#
# The man page from the built program's --help and --version, with the
# sections of INCLUDE added. --help ends by naming the settings file this
# build would use, a path inside the build folder; the page states the rule
# instead (its FILES section), so that line is left out.
cmake_minimum_required(VERSION 3.25)

get_filename_component(folder ${OUTPUT} DIRECTORY)
get_filename_component(page ${OUTPUT} NAME_WLE)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          ${HELP2MAN} --no-info --section=1
          "--name=read, edit and write the factory block of ZR93KW radios"
          --include=${INCLUDE} --output=${folder}/${page} ${PROGRAM}
  COMMAND_ERROR_IS_FATAL ANY)

file(READ ${folder}/${page} text)
string(REGEX REPLACE "\nSettings: [^\n]*" "" text "${text}")
file(WRITE ${folder}/${page} "${text}")

# -n: no name or time stamp inside, so the same page compresses to the same bytes.
execute_process(COMMAND gzip -9nf ${page} WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
