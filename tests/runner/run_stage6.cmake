# Stage 6 entered directly (no scene change leads to it) at a fixed frame
# time of 0.1 s, with a ship that cannot die, played to the boss's defeat:
# the screenshots show the first bolt pair among the twin drops (1250), all
# three bolt pairs (1490), the aimed ring under the laser (1800), the defeat's
# explosions (1900) and scene 8 after it (1990).
include(${CMAKE_CURRENT_LIST_DIR}/runner_run.cmake)
runner_run(out SHOTS 1250 1490 1800 1900 1990
           ARGS --frames 2000 --script ${SCRIPT} --enter 7@80 --fps 10
           EXPECT "frame 1250 scene 7 " "frame 1490 scene 7 " "frame 1800 scene 7 "
                  "frame 1900 scene 7 " "frame 1990 scene 8 " "ran 2000 frames, scene 8")
