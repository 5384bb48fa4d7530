# Stage 8 entered directly (no scene change leads to it) at a fixed frame
# time of 0.1 s, with a ship that cannot die, played through the boss's
# defeat: the screenshots show the waves (300), the boss come down (1100),
# its bursts (1500), both pairs of its damage flames (2476) and the ending's
# reveal over the last picture of the stage (2570).
include(${CMAKE_CURRENT_LIST_DIR}/runner_run.cmake)
runner_run(out SHOTS 300 1100 1500 2476 2570
           ARGS --frames 2620 --script ${SCRIPT} --enter 9@80 --fps 10
           EXPECT "frame 300 scene 9 " "frame 1100 scene 9 " "frame 1500 scene 9 "
                  "frame 2476 scene 9 " "frame 2570 scene 10 " "ran 2620 frames, scene 10")
