# Stage 3 entered directly (no scene change leads to it) at a fixed frame
# time of 0.1 s, with a ship that cannot die, played to the boss's defeat:
# the screenshots show the boss's arc rows crossing (985), the slower pair
# (1400), its damage flames (1875) and the fourth stage after it (1990).
include(${CMAKE_CURRENT_LIST_DIR}/runner_run.cmake)
runner_run(out SHOTS 100 985 1400 1875 1990
           ARGS --frames 2000 --script ${SCRIPT} --enter 4@80 --fps 10
           EXPECT "frame 100 scene 4 " "frame 985 scene 4 " "frame 1400 scene 4 "
                  "frame 1875 scene 4 " "frame 1990 scene 5 " "ran 2000 frames, scene 5")
