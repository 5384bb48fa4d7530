# Stage 5 entered directly at level 3 at a fixed frame time of 0.1 s, with
# a ship that cannot die, played to the boss's defeat: the screenshots show
# the entry picture rising (1050), the rows drawn by place with the fans and
# streams (1250), the two laser beams (1600), the animated rows (2050) and
# stage 7 after the defeat (2590).
include(${CMAKE_CURRENT_LIST_DIR}/runner_run.cmake)
runner_run(out SHOTS 1050 1250 1600 2050 2590
           ARGS --frames 2600 --script ${SCRIPT} --enter 6@80 --fps 10
           EXPECT "frame 1050 scene 6 " "frame 1250 scene 6 " "frame 1600 scene 6 "
                  "frame 2050 scene 6 " "frame 2590 scene 8 " "ran 2600 frames, scene 8")
