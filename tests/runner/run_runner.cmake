# Runs the runner on the script and checks its screenshots and its end: the
# title at frame 5, the mode screen at 50, and Escape at 60 ends the run.
include(${CMAKE_CURRENT_LIST_DIR}/runner_run.cmake)
runner_run(out SHOTS 5 50 ARGS --frames 200 --script ${SCRIPT}
           EXPECT "frame 5 scene 1 " "frame 50 scene 11 "
                  "ran 60 frames, scene 11, loop ended")
foreach(frame 000005 000050)
  file(SIZE ${OUT}/frame_${frame}.bmp size)
  if(NOT size EQUAL 1440054)  # 800 x 600 x 3 + the 54-byte header
    message(FATAL_ERROR "frame ${frame}: ${size} bytes")
  endif()
endforeach()
