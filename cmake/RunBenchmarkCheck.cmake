# Runs one benchmark for CTest (see mahjong_add_benchmark): BENCHMARK is the
# program, CHECK_ARGS its arguments and CHECK_OUTPUT the expressions its
# output must match. Fails when the program fails or leaves out a figure.
execute_process(COMMAND ${BENCHMARK} ${CHECK_ARGS}
                RESULT_VARIABLE result
                OUTPUT_VARIABLE output
                ERROR_VARIABLE errors)
message("${output}")
if(errors)
  message("${errors}")
endif()
if(NOT result STREQUAL "0")
  message(FATAL_ERROR "${BENCHMARK} ended with ${result}")
endif()
set(missing)
foreach(pattern IN LISTS CHECK_OUTPUT)
  if(NOT output MATCHES "${pattern}")
    list(APPEND missing "${pattern}")
  endif()
endforeach()
if(missing)
  list(JOIN missing "\n  " text)
  message(FATAL_ERROR "the output lacks:\n  ${text}")
endif()
