# The README's scripted run, started with an empty environment (no PATH, no
# HOME, no *SAN_OPTIONS): in the sanitizer build as in any other it must end
# with 0, write its screenshot and say nothing on the standard error.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND env -i ${RUNNER} --frames 300 --script ${SCRIPT} --shot 120
                        --out shots --assets ${ASSETS}
                WORKING_DIRECTORY ${OUT} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
message(STATUS "${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the runner ended with ${rc}")
endif()
if(NOT err STREQUAL "")
  message(FATAL_ERROR "the runner wrote on the standard error")
endif()
if(NOT EXISTS ${OUT}/shots/frame_000120.bmp OR NOT out MATCHES "ran 300 frames, scene 2")
  message(FATAL_ERROR "the run did not play its frames and write frame 120")
endif()
