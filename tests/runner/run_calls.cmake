# Call lists the runner must refuse, each with its message: a name that is no
# role, a slot given to a role that takes none and one missing.  (The call
# lists of this folder are played by the recorded runs.)
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
foreach(case "Szak10Fly|line 1: no role named 'Szak10Fly'"
             "Szak10Spawn 2|line 1: Szak10Spawn takes no slot"
             "Szak10Hit|line 1: Szak10Hit needs a slot")
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 call)
  list(GET case 1 expected)
  file(WRITE ${OUT}/bad.calls "100 200 ${call}\n")
  execute_process(COMMAND ${RUNNER} --frames 201 --calls ${OUT}/bad.calls
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(rc EQUAL 0 OR NOT err MATCHES "${expected}")
    message(FATAL_ERROR "\"${call}\" was not refused with \"${expected}\": ${rc} ${err}")
  endif()
endforeach()
