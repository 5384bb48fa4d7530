# Stage 7 entered directly at a fixed frame time of 0.1 s, with a ship that
# cannot die, played to the boss's defeat and into the ending: the
# screenshots show the boss coming down (760), its curving streams and arc
# rows (850), its ring pool and low arc rows (1740) and the ending after it
# (2390).
include(${CMAKE_CURRENT_LIST_DIR}/runner_run.cmake)
runner_run(out SHOTS 760 850 1740 2390
           ARGS --frames 2400 --script ${SCRIPT} --enter 8@80 --fps 10
           EXPECT "frame 760 scene 8 " "frame 850 scene 8 " "frame 1740 scene 8 "
                  "frame 2390 scene 10 " "ran 2400 frames, scene 10")
