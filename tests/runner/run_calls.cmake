# Flies an enemy kind over stage 1 from a call list and checks the run wrote
# its screenshots; a call list naming no role must be refused.
include(${CMAKE_CURRENT_LIST_DIR}/runner_run.cmake)
runner_run(out SHOTS 215 310 ARGS --frames 320 --script ${SCRIPT} --calls ${CALLS}
           EXPECT "frame 215 scene 2 ")

file(WRITE ${OUT}/bad.calls "100 200 Szak10Fly\n")
execute_process(COMMAND ${RUNNER} --frames 1 --calls ${OUT}/bad.calls
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "no role named Szak10Fly")
  message(FATAL_ERROR "an unknown role was not refused: ${rc} ${err}")
endif()
