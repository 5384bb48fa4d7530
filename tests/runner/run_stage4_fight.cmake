# Stage 4 entered directly at a fixed frame time of 0.1 s, with a ship that
# cannot die, through one whole attack cycle of its boss to the boss's
# defeat: the screenshots show the aimed lines (2300), the curving streams
# (2800) and stage 5 after the defeat (3090).
include(${CMAKE_CURRENT_LIST_DIR}/runner_run.cmake)
runner_run(out SHOTS 2300 2800 3090
           ARGS --frames 3100 --script ${SCRIPT} --enter 5@80 --fps 10
           EXPECT "frame 2300 scene 5 " "frame 2800 scene 5 " "frame 3090 scene 6 "
                  "ran 3100 frames, scene 6")
