# Included by the scripts that build and unpack: runs a command and, where it fails, stops the script with why and
# what the command printed.
function(run_checked why)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(status)
    message(FATAL_ERROR "${why}:\n${output}")
  endif()
endfunction()
