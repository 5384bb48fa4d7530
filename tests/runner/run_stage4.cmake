# Stage 1 ended at frame 100 as a boss's defeat does, into stage 4 (scene 5):
# its first waves must be on screen at frame 700; a scene that does not
# exist must be refused.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${RUNNER} --frames 720 --script ${SCRIPT} --enter 5@100
                        --shot 150 --shot 700 --out ${OUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "runner ended with ${rc}")
endif()
foreach(expect "frame 150 scene 5 " "frame 700 scene 5 " "ran 720 frames, scene 5")
  if(NOT out MATCHES "${expect}")
    message(FATAL_ERROR "expected \"${expect}\"")
  endif()
endforeach()
file(SHA1 ${OUT}/frame_000150.bmp early)
file(SHA1 ${OUT}/frame_000700.bmp waves)
if(early STREQUAL waves)
  message(FATAL_ERROR "stage 4 shows the same frame twice")
endif()

execute_process(COMMAND ${RUNNER} --frames 1 --enter 13@0
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0)
  message(FATAL_ERROR "scene 13 was not refused")
endif()
