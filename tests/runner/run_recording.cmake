# Plays a recorded run again (vantris_runner --replay RECORDING); the runner
# names the first frame whose digest differs.  With VANTRIS_RECORD=1 in the
# environment the run writes the recording anew instead.
execute_process(COMMAND ${RUNNER} --replay ${RECORDING}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message("${err}")  # as the runner wrote it
  message(FATAL_ERROR "the runner ended with ${rc}")
endif()
