# A recording written anew with arguments given after --replay: a short run
# in OUT/rec, re-recorded from OUT with more frames, a key script (named from
# OUT), screenshots and the asset folder ASSETS.  Its run line must then hold
# the arguments the run had (the script named from the recording's folder, no
# --replay, --shot, --out or --assets), and it must play again from another
# folder with no argument added, while a shorter run of it must fail.
file(REMOVE_RECURSE ${OUT})
file(COPY ${SCRIPT} DESTINATION ${OUT}/keys)
get_filename_component(keys ${SCRIPT} NAME)
file(WRITE ${OUT}/rec/run.txt "# A short run from the title.\nrun --frames 40 --seed 5\nevery 8\n")

# runner(VAR RECORD|CHECK DIR ARGS...): the runner's output and error text in
# VAR, its exit code in VAR_rc; RECORD writes the recording anew.
function(runner var mode dir)
  set(record --unset=VANTRIS_RECORD)
  if(mode STREQUAL "RECORD")
    set(record VANTRIS_RECORD=1)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${record} ${RUNNER} ${ARGN}
                  WORKING_DIRECTORY ${dir} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  message(STATUS "${out}${err}")
  set(${var} "${out}${err}" PARENT_SCOPE)
  set(${var}_rc ${rc} PARENT_SCOPE)
endfunction()

runner(recorded RECORD ${OUT} --replay rec/run.txt --frames 120 --script keys/${keys}
       --shot 100 --out shots --assets ${ASSETS})
if(NOT recorded_rc EQUAL 0 OR NOT EXISTS ${OUT}/shots/frame_000100.bmp)
  message(FATAL_ERROR "recording anew ended with ${recorded_rc}")
endif()
file(STRINGS ${OUT}/rec/run.txt head LIMIT_COUNT 3)
set(expected "# A short run from the title.;run --seed 5 --frames 120 --script ../keys/${keys};every 8")
if(NOT head STREQUAL expected)
  message(FATAL_ERROR "the recording begins\n  ${head}\ninstead of\n  ${expected}")
endif()

runner(played CHECK ${OUT}/keys --replay ${OUT}/rec/run.txt)
if(NOT played_rc EQUAL 0 OR NOT played MATCHES "ran 120 frames, scene 2")
  message(FATAL_ERROR "the recording written anew did not play again")
endif()
# (Shorter, but past the script's last event at frame 62.)
runner(shorter CHECK ${OUT} --replay rec/run.txt --frames 80)
if(shorter_rc EQUAL 0 OR NOT shorter MATCHES "the run ended after 80 frames; the recording goes on to frame 112")
  message(FATAL_ERROR "a shorter run of the recording did not fail")
endif()
