# Runs plumfizz-par as a user would. Called by CTest with -DPAR=<the tool>, -DWORK=<a scratch
# directory> and -DPYTHON=<an interpreter, or empty>.

function(run_par out err code)
  execute_process(COMMAND ${PAR} ${ARGN} OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  set(${out} "${o}" PARENT_SCOPE)
  set(${err} "${e}" PARENT_SCOPE)
  set(${code} "${r}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

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
set(model "${WORK}/par-default.model")
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
# The workbench on the exported model: the game's own figures.
set(bench --returns --distribution --convergence --exact)
run_par(own_bench err code ${bench})
run_par(read_bench err read_code --model "${model}" ${bench})
if(NOT code EQUAL 0 OR NOT read_code EQUAL 0 OR NOT own_bench STREQUAL read_bench)
  message(FATAL_ERROR "the workbench on the exported model: exit ${code} ${read_code}\n${err}")
endif()
file(READ "${model}" text)
string(REPLACE "\n23 plum\n" "\n23 seven\n" changed "${text}")
file(WRITE "${model}" "${changed}")
run_par(other err code --model "${model}" --no-sweep --exact --format text)
if(NOT code EQUAL 0 OR other STREQUAL own OR changed STREQUAL text)
  message(FATAL_ERROR "one stop changed gave the same sheet: exit ${code}\n${err}")
endif()
run_par(other_bench err code --model "${model}" --returns --exact)
string(REGEX MATCH "\n   total +[0-9/]+ " own_total "${own_bench}")
string(REGEX MATCH "\n   total +[0-9/]+ " other_total "${other_bench}")
if(NOT code EQUAL 0 OR NOT other_total OR other_total STREQUAL own_total)
  message(FATAL_ERROR "one stop changed gave the same returns: exit ${code} '${other_total}'\n${err}")
endif()
# Without Bonus forms the meter never moves: the bonus game adds nothing, and every figure that
# solves the meter's chain or simulates still works, in two streams where it simulates.
string(REGEX REPLACE " bonus\n" "\n" no_bonus "${text}")
file(WRITE "${model}" "${no_bonus}")
run_par(out err code --model "${model}" --returns --convergence --convergence-check 2 --sessions 20 --spins 2000000
        --bankroll 20 --bet 5 --threads 2 --exact)
if(NOT code EQUAL 0 OR no_bonus STREQUAL text OR NOT out MATCHES "\n   bonus game +0 +0 +0 +0 +0\n"
   OR NOT out MATCHES "Check: independent simulated runs" OR NOT out MATCHES "Method: simulation of 20 sessions"
   OR NOT out MATCHES "in 2 independent streams")
  message(FATAL_ERROR "the workbench without Bonus forms: exit ${code}\n${out}${err}")
endif()
run_par(out err code --model "${model}" --rng-tests --seed 7 --format csv)
if(NOT code EQUAL 0 OR NOT out MATCHES "leaves these figures as they are")
  message(FATAL_ERROR "--rng-tests with --model: exit ${code}\n${err}")
endif()
string(REPLACE "\n23 plum\n" "\n23 cherry\n" broken "${text}")
file(WRITE "${model}" "${broken}")
run_par(out err code --model "${model}")
string(REGEX MATCHALL "\n" newlines "${err}")
list(LENGTH newlines newline_count)
if(NOT code EQUAL 2 OR NOT out STREQUAL "" OR NOT newline_count EQUAL 1 OR NOT err MATCHES "line 33: unknown symbol")
  message(FATAL_ERROR "a malformed model: exit ${code}, stdout '${out}', stderr '${err}'")
endif()

# Two streams: said so, with each stream's final seed.
run_par(out err code --simulate 20001 --bet 1 --seed 7 --threads 2)
if(NOT code EQUAL 0 OR NOT out MATCHES "^streams: 2\nspins: 20001\n" OR NOT out MATCHES "\nfinal seeds: [0-9]+ [0-9]+\n")
  message(FATAL_ERROR "--threads 2: exit ${code}\n${out}${err}")
endif()

# --help and --version print and succeed; the help names every mode's options.
run_par(out err code --help)
if(NOT code EQUAL 0 OR NOT out MATCHES "--replay" OR NOT out MATCHES "--sessions" OR NOT out MATCHES "--rng-tests"
   OR NOT err STREQUAL "")
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

# The generator's test battery: each test with a p-value and a verdict for each of the six sources,
# the spectral test in dimensions 2 to 8, and the same figures as JSON.
run_par(out err code --rng-tests --seed 7)
if(NOT code EQUAL 0 OR NOT err STREQUAL "" OR NOT out MATCHES "starts afresh from seed 7 ")
  message(FATAL_ERROR "--rng-tests: exit ${code}\n${out}${err}")
endif()
string(REPLACE ";" "," out "${out}")  # one list item per match
foreach(name "chi-square for uniformity" "serial pairs" "serial triples" "gap" "runs up and down" "poker"
             "coupon collector" "permutation" "birthday spacings")
  string(REGEX MATCHALL "\n   ${name}  [^\n]*  [0-9]+(\\.[0-9]+)?  (pass|FAIL)" hits "${out}")
  list(LENGTH hits count)
  if(NOT count EQUAL 6)
    message(FATAL_ERROR "--rng-tests printed '${name}' with a p-value ${count} times, not 6:\n${out}")
  endif()
endforeach()
string(REGEX MATCHALL "\n   [2-8]  +[0-9]+  +[0-9.]+  +[0-9.]+  +[0-9.]+  +[0-9.]+  +[0-9.]+  (pass|FAIL)" dims "${out}")
list(LENGTH dims count)
if(NOT count EQUAL 7)
  message(FATAL_ERROR "--rng-tests printed ${count} rows of the spectral test:\n${out}")
endif()
run_par(out err code --rng-tests --format json)
string(JSON p ERROR_VARIABLE json_error GET "${out}" tables 4 rows 0 4)
string(JSON nu ERROR_VARIABLE json_error2 GET "${out}" tables 6 rows 1 1)
if(NOT code EQUAL 0 OR json_error OR json_error2 OR NOT p MATCHES "^[01]\\.[0-9]+$" OR NOT nu STREQUAL "519934")
  message(FATAL_ERROR "--rng-tests as json: exit ${code} ${json_error} ${json_error2} '${p}' '${nu}'\n${out}${err}")
endif()

# The workbench: the sources' total row is the sheet's total return at 1 coin.
run_par(out err code --returns --exact)
if(NOT code EQUAL 0 OR NOT out MATCHES "\n   total +1496531924185375535768356772090385037331/930281188217235399841048765464940956000 ")
  message(FATAL_ERROR "--returns: exit ${code}\n${out}${err}")
endif()
run_par(out err code --no-sweep --exact)
if(NOT out MATCHES "1496531924185375535768356772090385037331/930281188217235399841048765464940956000")
  message(FATAL_ERROR "the sheet's total return at 1 coin changed:\n${out}")
endif()

# The win bands as JSON: five tables whose 'all' row has probability 1.
run_par(out err code --distribution --format json)
string(JSON bands ERROR_VARIABLE json_error LENGTH "${out}" tables)
string(JSON all_row ERROR_VARIABLE json_error GET "${out}" tables 4 rows 10 1)
if(NOT code EQUAL 0 OR json_error OR NOT bands EQUAL 5 OR NOT all_row MATCHES "^1\\.0+$")
  message(FATAL_ERROR "--distribution: exit ${code} ${json_error} ${bands} '${all_row}'\n${out}${err}")
endif()

# Sessions: a small case is solved exactly, a long one simulated, and the output says which.
run_par(out err code --sessions 100 --spins 50 --bankroll 50 --bet 5)
if(NOT code EQUAL 0 OR NOT out MATCHES "Method: exact" OR NOT out MATCHES "chance of ruin +0\\.[0-9]+")
  message(FATAL_ERROR "exact sessions: exit ${code}\n${out}${err}")
endif()
run_par(out err code --sessions 50 --spins 2000000 --bankroll 20 --bet 5 --seed 3 --format csv)
if(NOT code EQUAL 0 OR NOT out MATCHES "Method: simulation of 50 sessions")
  message(FATAL_ERROR "simulated sessions: exit ${code}\n${out}${err}")
endif()

# Plots: three SVG files in a directory made for them, each well-formed XML.
run_par(out err code --plot "${WORK}/plots" --bet 2 --sessions 10 --spins 100 --bankroll 40)
foreach(name convergence-funnel win-distribution sessions)
  set(svg "${WORK}/plots/${name}.svg")
  if(NOT code EQUAL 0 OR NOT EXISTS "${svg}")
    message(FATAL_ERROR "--plot: exit ${code}, no ${name}.svg\n${out}${err}")
  endif()
  file(READ "${svg}" text)
  if(NOT text MATCHES "<svg xmlns=\"http://www.w3.org/2000/svg\"")
    message(FATAL_ERROR "${name}.svg is not SVG")
  endif()
  if(PYTHON)
    execute_process(COMMAND ${PYTHON} -c "import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])" "${svg}"
                    RESULT_VARIABLE parsed ERROR_VARIABLE parse_error)
    if(NOT parsed EQUAL 0)
      message(FATAL_ERROR "${name}.svg does not parse as XML: ${parse_error}")
    endif()
  endif()
endforeach()
# The funnel names each of its five runs and shows break-even; the sessions plot marks the
# bankroll and its bins are 1, 2 or 5 x 10^k credits wide.
file(READ "${WORK}/plots/convergence-funnel.svg" funnel)
foreach(entry ">run 1<" ">run 5<" ">break-even (return 1)<" "to 10^9 spins")
  string(FIND "${funnel}" "${entry}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "convergence-funnel.svg has no '${entry}'")
  endif()
endforeach()
file(READ "${WORK}/plots/sessions.svg" sessions)
if(NOT sessions MATCHES ">start: 40 credits<" OR NOT sessions MATCHES "bins (1|2|5)0* credits? wide")
  message(FATAL_ERROR "sessions.svg marks no bankroll of 40 or has bins of no round width")
endif()
# A directory that cannot be made: exit status 1 and a message naming it.
file(WRITE "${WORK}/a-file" "")
run_par(out err code --plot "${WORK}/a-file/plots")
if(NOT code EQUAL 1 OR NOT err MATCHES "^plumfizz-par: cannot create .*a-file/plots")
  message(FATAL_ERROR "unwritable --plot: exit ${code}, stderr '${err}'")
endif()

# Bad arguments: exit status 2, one line on standard error, nothing else. Each case is one string
# of space-separated arguments (semicolons would split a case into separate cases).
set(bad_cases
  "--simulate"
  "--simulate 10 --bet 1"
  "--simulate -1 --bet 1 --seed 1"
  "--simulate ten --bet 1 --seed 1"
  "--simulate 10000000001 --bet 1 --seed 1"
  "--simulate 10 --bet 0 --seed 1"
  "--simulate 10 --bet 6 --seed 1"
  "--simulate 10 --bet 1 --seed x"
  "--simulate 0 --bet 1 --seed 1"
  "--format xml"
  "--seed 1"
  "--bet 1"
  "--rng-tests --bet 1"
  "--rng-tests --rng-tests"
  "--rng-tests --simulate 10 --bet 1 --seed 1"
  "--rng-tests --seed 4294967296"
  "--rng-tests --returns"
  "--convergence --rng-tests --seed 1"
  "--plot plots --rng-tests"
  "--returns --returns"
  "--returns --simulate 10 --bet 1 --seed 1"
  "--distribution --replay"
  "--convergence-check 0"
  "--plot"
  "--sessions 10 --spins 5"
  "--sessions 10 --spins 5 --bankroll 100"
  "--sessions 10 --spins 5 --bankroll 4 --bet 5"
  "--sessions 0 --spins 5 --bankroll 100 --bet 5"
  "--spins 5 --bankroll 100 --bet 5"
  "--simulate 10 --bet 1 --seed 1 --replay --threads 2"
  "--threads 2"
  "--returns --threads 2"
  "--rng-tests --threads 2"
  "--export-model x --exact"
  "--export-model x --returns"
  "--rng-tests --export-model x"
  "--model"
  "--returns --model a --model b"
  "--bogus")
foreach(case IN LISTS bad_cases)
  set(shown "${case}")
  separate_arguments(args UNIX_COMMAND "${case}")
  run_par(out err code ${args})
  string(REGEX MATCHALL "\n" newlines "${err}")
  list(LENGTH newlines newline_count)
  if(NOT code EQUAL 2 OR NOT out STREQUAL "" OR NOT newline_count EQUAL 1 OR NOT err MATCHES "^plumfizz-par: .*usage: ")
    message(FATAL_ERROR "'${shown}': exit ${code}, stdout '${out}', stderr '${err}'")
  endif()
endforeach()
