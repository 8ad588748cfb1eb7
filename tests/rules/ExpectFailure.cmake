# cmake -DPROGRAM=... -DFILTER=Suite.Test -DSAYS=regex -P ExpectFailure.cmake
# Runs one test of PROGRAM and passes only when the run fails and its output matches SAYS.
execute_process(COMMAND "${PROGRAM}" "--gtest_filter=${FILTER}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0)
  message(FATAL_ERROR "${FILTER} broke a rule, yet its run ended with 0:\n${out}${err}")
endif()
if(NOT "${out}${err}" MATCHES "${SAYS}")
  message(FATAL_ERROR "${FILTER} failed without saying \"${SAYS}\":\n${out}${err}")
endif()
if(NOT "${out}" MATCHES "\\[ RUN      \\] ${FILTER}")
  message(FATAL_ERROR "${FILTER} did not run:\n${out}${err}")
endif()
message(STATUS "${FILTER} failed its run as it must (exit ${rc})")
