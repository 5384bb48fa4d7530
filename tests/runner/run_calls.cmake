# Flies an enemy kind over stage 1 from a call list and checks the run wrote
# its screenshots; a call list naming no role must be refused.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/runtime)
set(ENV{XDG_RUNTIME_DIR} ${OUT}/runtime)
execute_process(COMMAND ${RUNNER} --frames 320 --script ${SCRIPT} --calls ${CALLS}
                        --shot 215 --shot 310 --out ${OUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "runner ended with ${rc}")
endif()
foreach(frame 000215 000310)
  if(NOT EXISTS ${OUT}/frame_${frame}.bmp)
    message(FATAL_ERROR "no screenshot of frame ${frame}")
  endif()
endforeach()
if(NOT out MATCHES "frame 215 scene 2 ")
  message(FATAL_ERROR "frame 215 was not stage 1")
endif()

file(WRITE ${OUT}/bad.calls "100 200 Szak10Fly\n")
execute_process(COMMAND ${RUNNER} --frames 1 --calls ${OUT}/bad.calls
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "no role named Szak10Fly")
  message(FATAL_ERROR "an unknown role was not refused: ${rc} ${err}")
endif()
