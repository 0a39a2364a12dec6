# Writes LongRunReturns.h: the machine's long-run return per coin, bonus game
# included, for bets of 1 to 5 coins, as the analysis tool's PAR sheet gives
# it (plumfizz-par --no-sweep --format csv, the table "coins bet,return per
# coin,...").
#   cmake -DPAR=<plumfizz-par> -DOUT=<header> -P LongRunReturns.cmake
execute_process(COMMAND ${PAR} --no-sweep --format csv OUTPUT_VARIABLE sheet RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "plumfizz-par --no-sweep --format csv failed: ${result}")
endif()
string(FIND "${sheet}" "coins bet,return per coin," at)
if(at LESS 0)
  message(FATAL_ERROR "the PAR sheet has no table of returns per coin")
endif()
string(SUBSTRING "${sheet}" ${at} -1 table)
set(values)
foreach(coins 1 2 3 4 5)
  if(NOT table MATCHES "\n${coins},([0-9.]+),")
    message(FATAL_ERROR "the PAR sheet gives no return for ${coins} coins")
  endif()
  list(APPEND values ${CMAKE_MATCH_1})
endforeach()
list(JOIN values ", " joined)
file(WRITE ${OUT}.new
"// The machine's long-run return per coin, bonus game included, for bets of 1
// to 5 coins, from the analysis tool's PAR sheet. Written at build time.
#pragma once

namespace dialogs {

inline constexpr double LongRunReturnPerCoin[5] = {${joined}};

}  // namespace dialogs
")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.new)
