# Stage 2 entered from stage 1 as its boss's defeat does (--enter 3@100):
# the screenshots show the first waves, the gunships and the
# first large pair.
file(REMOVE_RECURSE ${OUT})
set(shots 400 650 900)
set(args)
foreach(frame IN LISTS shots)
  list(APPEND args --shot ${frame})
endforeach()
execute_process(COMMAND ${RUNNER} --frames 910 --script ${SCRIPT} --enter 3@100 ${args}
                        --out ${OUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "runner ended with ${rc}")
endif()
foreach(frame IN LISTS shots)
  if(NOT out MATCHES "frame ${frame} scene 3 ")
    message(FATAL_ERROR "frame ${frame} was not stage 2")
  endif()
endforeach()
if(NOT out MATCHES "ran 910 frames, scene 3")
  message(FATAL_ERROR "the run did not end in stage 2")
endif()

execute_process(COMMAND ${RUNNER} --frames 1 --enter 13@0
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0)
  message(FATAL_ERROR "scene 13 was not refused")
endif()
