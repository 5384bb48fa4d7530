# Runs the runner on the script and checks its screenshots and its end.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
# A lock folder of its own, so another game or test run on the machine never
# holds this run's single-instance lock.
file(MAKE_DIRECTORY ${OUT}/runtime)
set(ENV{XDG_RUNTIME_DIR} ${OUT}/runtime)
execute_process(COMMAND ${RUNNER} --frames 200 --script ${SCRIPT} --shot 5 --shot 50
                        --out ${OUT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "runner ended with ${rc}")
endif()
foreach(frame 000005 000050)
  if(NOT EXISTS ${OUT}/frame_${frame}.bmp)
    message(FATAL_ERROR "no screenshot of frame ${frame}")
  endif()
  file(SIZE ${OUT}/frame_${frame}.bmp size)
  if(NOT size EQUAL 1440054)  # 800 x 600 x 3 + the 54-byte header
    message(FATAL_ERROR "frame ${frame}: ${size} bytes")
  endif()
endforeach()
if(NOT out MATCHES "frame 5 scene 1 ")
  message(FATAL_ERROR "frame 5 was not the title")
endif()
if(NOT out MATCHES "frame 50 scene 11 ")
  message(FATAL_ERROR "frame 50 was not the mode screen")
endif()
if(NOT out MATCHES "ran 60 frames, scene 11, loop ended")
  message(FATAL_ERROR "Escape at frame 60 did not end the run there")
endif()
