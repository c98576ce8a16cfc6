# Runs one example script through tnscript and compares its standard output
# byte for byte with NAME.out beside it. NAME.args holds tnscript's options,
# one per line; NAME.status the exit status when it is not 0.
#   cmake -DTNSCRIPT=... -DSCRIPT=dir/NAME.vbs -P run_example.cmake
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WLE)
set(args)
if(EXISTS ${dir}/${name}.args)
  file(STRINGS ${dir}/${name}.args args)
endif()
set(status 0)
if(EXISTS ${dir}/${name}.status)
  file(STRINGS ${dir}/${name}.status status LIMIT_COUNT 1)
endif()
execute_process(COMMAND ${TNSCRIPT} ${args} ${SCRIPT}
  WORKING_DIRECTORY ${dir}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc
  TIMEOUT 60)
file(READ ${dir}/${name}.out expected)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "${name}: output differs\n--- expected ---\n${expected}\n--- got ---\n${out}\n--- stderr ---\n${err}")
endif()
if(NOT rc STREQUAL status)
  message(FATAL_ERROR "${name}: exit status ${rc}, expected ${status}\n${err}")
endif()
