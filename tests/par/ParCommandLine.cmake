# Runs plumfizz-par as a user would. Called by CTest with -DPAR=<the tool>.

function(run_par out err code)
  execute_process(COMMAND ${PAR} ${ARGN} OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  set(${out} "${o}" PARENT_SCOPE)
  set(${err} "${e}" PARENT_SCOPE)
  set(${code} "${r}" PARENT_SCOPE)
endfunction()

# The sheet, without the sweep over all generator states (seconds of both cores).
run_par(out err code --exact --no-sweep)
if(NOT code EQUAL 0 OR NOT out MATCHES "3664/3375" OR NOT out MATCHES "Bonus games per spin")
  message(FATAL_ERROR "sheet: exit ${code}\n${out}${err}")
endif()

# The sheet as JSON: it parses, and its pay table ends with the pay table's return.
run_par(out err code --no-sweep --format json)
string(JSON tables ERROR_VARIABLE json_error GET "${out}" tables)
string(JSON last_row ERROR_VARIABLE json_error GET "${out}" tables 1 rows 8 6)
if(NOT code EQUAL 0 OR json_error OR NOT last_row MATCHES "^1\\.0856296")
  message(FATAL_ERROR "json sheet: exit ${code} ${json_error} '${last_row}'\n${out}${err}")
endif()

# The replay protocol: the reference figures of earlier versions, to the spin.
run_par(out err code --simulate 1000000 --bet 5 --seed 42 --replay)
if(NOT code EQUAL 0 OR NOT out MATCHES "\nbase winnings: 5328045\n" OR NOT out MATCHES "\nfinal seed: 3944210322\n")
  message(FATAL_ERROR "replay: exit ${code}\n${out}${err}")
endif()

# The game's model exported and read back: the same sheet in every format, byte for byte, and the
# same replay figures; one stop changed, another sheet; a fault, exit status 2 and its line.
set(model "${CMAKE_CURRENT_BINARY_DIR}/par-default.model")
run_par(out err code --export-model "${model}")
if(NOT code EQUAL 0 OR NOT EXISTS "${model}")
  message(FATAL_ERROR "--export-model: exit ${code}\n${err}")
endif()
foreach(format text csv json)
  run_par(own err code --no-sweep --exact --format ${format})
  run_par(read err code --model "${model}" --no-sweep --exact --format ${format})
  if(NOT code EQUAL 0 OR NOT own STREQUAL read)
    message(FATAL_ERROR "--model of the exported model, ${format}: exit ${code}\n${err}")
  endif()
endforeach()
run_par(out err code --model "${model}" --simulate 1000000 --bet 5 --seed 42 --replay)
if(NOT code EQUAL 0 OR NOT out MATCHES "\nbase winnings: 5328045\n" OR NOT out MATCHES "\nfinal seed: 3944210322\n")
  message(FATAL_ERROR "replay of the exported model: exit ${code}\n${out}${err}")
endif()
file(READ "${model}" text)
string(REPLACE "\n23 plum\n" "\n23 seven\n" changed "${text}")
file(WRITE "${model}" "${changed}")
run_par(other err code --model "${model}" --no-sweep --exact --format text)
if(NOT code EQUAL 0 OR other STREQUAL own OR changed STREQUAL text)
  message(FATAL_ERROR "one stop changed gave the same sheet: exit ${code}\n${err}")
endif()
string(REPLACE "\n23 plum\n" "\n23 cherry\n" broken "${text}")
file(WRITE "${model}" "${broken}")
run_par(out err code --model "${model}")
string(REGEX MATCHALL "\n" newlines "${err}")
list(LENGTH newlines newline_count)
if(NOT code EQUAL 2 OR NOT out STREQUAL "" OR NOT newline_count EQUAL 1 OR NOT err MATCHES "line 33: unknown symbol")
  message(FATAL_ERROR "a malformed model: exit ${code}, stdout '${out}', stderr '${err}'")
endif()
file(REMOVE "${model}")

# Two streams: said so, with each stream's final seed.
run_par(out err code --simulate 20001 --bet 1 --seed 7 --threads 2)
if(NOT code EQUAL 0 OR NOT out MATCHES "^streams: 2\nspins: 20001\n" OR NOT out MATCHES "\nfinal seeds: [0-9]+ [0-9]+\n")
  message(FATAL_ERROR "--threads 2: exit ${code}\n${out}${err}")
endif()

# --help and --version print and succeed.
run_par(out err code --help)
if(NOT code EQUAL 0 OR NOT out MATCHES "--replay" OR NOT err STREQUAL "")
  message(FATAL_ERROR "--help: exit ${code}\n${out}${err}")
endif()
run_par(out err code --version)
if(NOT code EQUAL 0 OR NOT out MATCHES "^plumfizz-par [0-9]+\\.[0-9]+")
  message(FATAL_ERROR "--version: exit ${code}\n${out}${err}")
endif()

# Two runs of the same simulation agree on every figure but the speed.
set(labels "spins" "total bet" "base winnings" "winning spins" "bonus games" "bonus prizes" "final seed"
           "total return" "spins per second")
foreach(run 1 2)
  run_par(out err code --simulate 20000 --bet 2 --seed 4711)
  if(NOT code EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "simulation: exit ${code}\n${err}")
  endif()
  # The totals come first, then an empty line and the comparison with the sheet.
  string(FIND "${out}" "\n\n" end)
  string(SUBSTRING "${out}" 0 ${end} totals)
  if(NOT out MATCHES "\n\nCompared with the PAR sheet\n")
    message(FATAL_ERROR "simulation without the comparison:\n${out}")
  endif()
  string(REPLACE "\n" ";" lines "${totals}")
  list(LENGTH lines count)
  if(NOT count EQUAL 9)
    message(FATAL_ERROR "simulation printed ${count} lines of totals:\n${out}")
  endif()
  foreach(i RANGE 8)
    list(GET lines ${i} line)
    list(GET labels ${i} label)
    if(i LESS 7)
      set(pattern "^${label}: [0-9]+$")
    elseif(i EQUAL 7)
      set(pattern "^${label}: [0-9]+\\.[0-9]+$")
    else()
      set(pattern "^${label}: [0-9]+$")
    endif()
    if(NOT line MATCHES "${pattern}")
      message(FATAL_ERROR "line ${i} is \"${line}\"")
    endif()
  endforeach()
  list(REMOVE_AT lines 8)
  set(figures${run} "${lines}")
endforeach()
if(NOT figures1 STREQUAL figures2)
  message(FATAL_ERROR "the same seed gave different figures:\n${figures1}\n${figures2}")
endif()
if(NOT figures1 MATCHES "^spins: 20000;total bet: 40000;")
  message(FATAL_ERROR "unexpected totals: ${figures1}")
endif()

# Bad arguments: exit status 2, one line on standard error, nothing else. The words of a case are
# separated by '|': a ';' would split the list into one-word cases.
set(bad_cases
  "--simulate"
  "--simulate|10|--bet|1"
  "--simulate|-1|--bet|1|--seed|1"
  "--simulate|ten|--bet|1|--seed|1"
  "--simulate|10000000001|--bet|1|--seed|1"
  "--simulate|10|--bet|0|--seed|1"
  "--simulate|10|--bet|6|--seed|1"
  "--simulate|10|--bet|1|--seed|x"
  "--simulate|0|--bet|1|--seed|1"
  "--format|xml"
  "--simulate|10|--bet|1|--seed|1|--replay|--threads|2"
  "--export-model|x|--exact"
  "--bogus")
foreach(case IN LISTS bad_cases)
  string(REPLACE "|" " " shown "${case}")
  string(REPLACE "|" ";" args "${case}")
  run_par(out err code ${args})
  string(REGEX MATCHALL "\n" newlines "${err}")
  list(LENGTH newlines newline_count)
  if(NOT code EQUAL 2 OR NOT out STREQUAL "" OR NOT newline_count EQUAL 1 OR NOT err MATCHES "^plumfizz-par: .*usage: ")
    message(FATAL_ERROR "'${shown}': exit ${code}, stdout '${out}', stderr '${err}'")
  endif()
endforeach()
