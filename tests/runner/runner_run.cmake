# A runner run in a fresh folder OUT that must end well, write a screenshot
# of every frame named and print every line expected; the runner's output
# goes into `out_var`.
#
#   runner_run(out SHOTS 150 400 ARGS --frames 500 --script s.keys
#              EXPECT "frame 150 scene 2 " "ran 500 frames")
function(runner_run out_var)
  cmake_parse_arguments(RUN "" "" "SHOTS;ARGS;EXPECT" ${ARGN})
  file(REMOVE_RECURSE ${OUT})
  set(shot_args)
  foreach(frame IN LISTS RUN_SHOTS)
    list(APPEND shot_args --shot ${frame})
  endforeach()
  execute_process(COMMAND ${RUNNER} ${RUN_ARGS} ${shot_args} --out ${OUT}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  message(STATUS "${out}${err}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "runner ended with ${rc}")
  endif()
  foreach(frame IN LISTS RUN_SHOTS)
    string(LENGTH "${frame}" digits)
    math(EXPR pad "6 - ${digits}")
    string(REPEAT "0" ${pad} zeros)
    if(NOT EXISTS ${OUT}/frame_${zeros}${frame}.bmp)
      message(FATAL_ERROR "no screenshot of frame ${frame}")
    endif()
  endforeach()
  foreach(expect IN LISTS RUN_EXPECT)
    if(NOT out MATCHES "${expect}")
      message(FATAL_ERROR "expected \"${expect}\"")
    endif()
  endforeach()
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()
