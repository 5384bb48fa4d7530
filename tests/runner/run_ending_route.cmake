# The route from the mode screen through stage 1 and the ending back to the
# title: the runner ends the stage as the last boss's defeat does, and the
# screenshots show the ending's message, its three pictures and the credits.
include(${CMAKE_CURRENT_LIST_DIR}/runner_run.cmake)
runner_run(out SHOTS 150 400 2300 3300 4300 5000 5600
           ARGS --frames 5700 --script ${SCRIPT} --defeat 200
           EXPECT "frame 150 scene 2 " "frame 400 scene 10 " "frame 2300 scene 10 "
                  "frame 5000 scene 10 " "frame 5600 scene 1 "
                  "ran 5650 frames, scene 1, loop ended")
# The three pictures and the credits differ from one another.
file(SHA1 ${OUT}/frame_002300.bmp p1)
file(SHA1 ${OUT}/frame_003300.bmp p2)
file(SHA1 ${OUT}/frame_004300.bmp p3)
file(SHA1 ${OUT}/frame_005000.bmp credits)
list(APPEND sums ${p1} ${p2} ${p3} ${credits})
list(REMOVE_DUPLICATES sums)
list(LENGTH sums distinct)
if(NOT distinct EQUAL 4)
  message(FATAL_ERROR "the ending's screenshots repeat")
endif()
