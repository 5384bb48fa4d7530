# Stage 3 entered directly (no scene change leads to it) at a fixed frame
# time of 0.1 s, with a ship that cannot die, played to the boss's defeat:
# the screenshots show the boss's arc rows and its damage flames, and the
# run ends in scene 5, the fourth stage.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/runtime)
set(ENV{XDG_RUNTIME_DIR} ${OUT}/runtime)
set(shots 100 985 1400 1875 1990)
set(args)
foreach(frame IN LISTS shots)
  list(APPEND args --shot ${frame})
endforeach()
execute_process(COMMAND ${RUNNER} --frames 2000 --script ${SCRIPT} --enter 4@80 --fps 10
                        ${args} --out ${OUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "runner ended with ${rc}")
endif()
foreach(frame IN LISTS shots)
  string(LENGTH "${frame}" digits)
  math(EXPR pad "6 - ${digits}")
  string(REPEAT "0" ${pad} zeros)
  if(NOT EXISTS ${OUT}/frame_${zeros}${frame}.bmp)
    message(FATAL_ERROR "no screenshot of frame ${frame}")
  endif()
endforeach()
foreach(expect "frame 100 scene 4 " "frame 985 scene 4 " "frame 1400 scene 4 "
               "frame 1875 scene 4 " "frame 1990 scene 5 " "ran 2000 frames, scene 5")
  if(NOT out MATCHES "${expect}")
    message(FATAL_ERROR "expected \"${expect}\"")
  endif()
endforeach()
