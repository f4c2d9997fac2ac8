# Runs the benchmarks natively, on Windows, where scripts/bench runs them under wine:
#   cmake -DBENCH_DIR=DIR -DPROGRAM=EXE -DOUT_DIR=DIR [-DREPETITIONS=15] [-DSTARTS=31] -P RunBenchmarks.cmake
# BENCH_DIR holds the benchmarks and floors built beside PROGRAM (bench/CMakeLists.txt). Writes OUT_DIR/results.md and
# OUT_DIR/load-scaling.dat; fails only if a benchmark could not measure or found the program misbehaving, never on a
# missed target. LAUNCHER, if set, runs each benchmark (say, wine with Windows paths); Windows needs none.
cmake_minimum_required(VERSION 3.21)
foreach(required BENCH_DIR PROGRAM OUT_DIR)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "RunBenchmarks.cmake needs -D${required}=...")
  endif()
endforeach()
if(NOT DEFINED REPETITIONS)
  set(REPETITIONS 15)
endif()
if(NOT DEFINED STARTS)
  set(STARTS 31)
endif()
file(MAKE_DIRECTORY ${OUT_DIR})
file(TO_NATIVE_PATH ${PROGRAM} program)
file(TO_NATIVE_PATH ${OUT_DIR}/load-scaling.dat data)
foreach(floor FloorWindow BareFloorWindow ControlsFloorWindow StockFontFloorWindow IconsFloorWindow
              SubclassFloorWindow FillFloorWindow FocusFloorWindow)
  file(TO_NATIVE_PATH ${BENCH_DIR}/${floor}.exe ${floor})
endforeach()

set(output "")
set(failed "")
# Runs one benchmark; its table rows and notes go to output.
function(run_benchmark name)
  message(STATUS "bench: ${name}")
  execute_process(COMMAND ${LAUNCHER} ${BENCH_DIR}/${name}.exe ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE printed)
  string(REPLACE "\r" "" printed "${printed}")
  set(output "${output}${printed}" PARENT_SCOPE)
  if(NOT status EQUAL 0)
    set(failed "${failed} ${name}" PARENT_SCOPE)
  endif()
endfunction()
run_benchmark(StartupBench ${program} ${FloorWindow} ${BareFloorWindow} ${ControlsFloorWindow} ${STARTS}
              ${StockFontFloorWindow} ${IconsFloorWindow} ${SubclassFloorWindow} ${FillFloorWindow} ${FocusFloorWindow})
run_benchmark(LoadBench ${data} ${REPETITIONS})
run_benchmark(ValueBench ${REPETITIONS})

# Size on disk of the program against the size floor, both as the linker wrote them: one build, one figure.
file(SIZE ${PROGRAM} program_size)
file(SIZE ${BENCH_DIR}/SizeFloor.exe floor_size)
math(EXPR ratio "(${program_size} * 100 + ${floor_size} / 2) / ${floor_size}")
math(EXPR whole "${ratio} / 100")
math(EXPR cents "${ratio} % 100")
string(LENGTH "${cents}" digits)
if(digits EQUAL 1)
  set(cents "0${cents}")
endif()
math(EXPR program_kib "${program_size} * 10 / 1024")
math(EXPR floor_kib "${floor_size} * 10 / 1024")
string(REGEX REPLACE "([0-9])$" ".\\1" program_kib "${program_kib}")
string(REGEX REPLACE "([0-9])$" ".\\1" floor_kib "${floor_kib}")
if(ratio LESS_EQUAL 115)
  set(met yes)
else()
  set(met no)
endif()
string(APPEND output "| Size of PluginSwitch.exe, as linked | ${program_kib} KiB | ${floor_kib} KiB | "
       "${whole}.${cents} (${whole}.${cents}-${whole}.${cents}) | <= 1.15 | ${met} |\n"
       "- Size: one build, so one figure (min = max = median); the program and the floor linked with the same flags.\n")

# The notes hold semicolons, which CMake's lists split at: they are set aside while the rows and notes are picked out.
string(REPLACE ";" "<semicolon>" output "${output}")
string(REGEX MATCHALL "\n\\| [^\n]*" rows "\n${output}")
string(REGEX MATCHALL "\n- [^\n]*" notes "\n${output}")
foreach(part rows notes)
  string(REPLACE ";" "" ${part} "${${part}}")
  string(REPLACE "<semicolon>" ";" ${part} "${${part}}")
endforeach()
cmake_host_system_information(RESULT system QUERY OS_NAME OS_RELEASE OS_VERSION)
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
string(TIMESTAMP now "%Y-%m-%d %H:%M UTC" UTC)
string(REPLACE ";" " " system "${system}")
set(how "run natively")
if(LAUNCHER)
  set(how "run by ${LAUNCHER}")
endif()
file(WRITE ${OUT_DIR}/results.md
     "# Benchmarks\n\n${now}, ${cores} cores, ${system}, ${how};\n"
     "each figure is the program against a floor built and measured in the same run.\n\n"
     "| What | Program (median) | Floor (median) | Ratio: median (min-max) | Target | Met |\n"
     "|---|---|---|---|---|---|${rows}\n${notes}\n")
file(READ ${OUT_DIR}/results.md results)
message("${results}")
if(failed)
  message(FATAL_ERROR "bench: could not measure, or found the program misbehaving:${failed}")
endif()
