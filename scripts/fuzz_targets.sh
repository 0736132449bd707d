# Sourced by the fuzz scripts: the fuzz targets, how to build them, and the
# options each one runs with. Every target tests/fuzz/<name>_fuzz.cpp has its
# seed corpus in tests/fuzz/corpus/<name>/: a few typical inputs made with
# our own encoders (level_json's are `kxl export` of the sample set), and
# regression-* files, inputs that once found a fault.
FUZZ_TARGETS=(level_set level_image ge5 png resources_ini settings command_line active_border level_json)

# Runs for one pass of scripts/test_fuzz.sh, chosen so the whole pass stays
# well under two minutes on two cores (the GE5 decoders and the JSON reader
# are the slow ones).
fuzz_runs() {
  case $1 in
    ge5) echo 1500 ;;
    png) echo 15000 ;;
    level_json) echo 4000 ;;
    *) echo 40000 ;;
  esac
}

# Longest input per target: a little past the longest thing the reader
# takes, so too-long inputs are tried as well.
fuzz_options() {
  case $1 in
    level_set) echo -max_len=4096 ;;
    level_image) echo -max_len=2048 ;;
    ge5) echo -max_len=30500 ;;
    png) echo -max_len=8192 ;;
    resources_ini) echo -max_len=4096 ;;
    settings) echo -max_len=2048 ;;
    command_line) echo -max_len=600 ;;
    active_border) echo -max_len=300 ;;
    level_json) echo -max_len=65536 ;;
  esac
}

# Configures build/fuzz with clang and builds the targets, or the targets
# given (build_fuzz_targets kxtests: the unit tests under the sanitizers).
build_fuzz_targets() {
  local jobs=${KRAXED_JOBS:-2}
  # -O1 and line tables only: a quarter less compiling than -O2 -g, and the
  # sanitizers' reports still name file and line.
  local flags="-O1 -gline-tables-only -DNDEBUG"
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -DKRAXED_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$flags" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=$flags" >/dev/null
  if [ $# -eq 0 ]; then set -- "${FUZZ_TARGETS[@]/%/_fuzz}"; fi
  cmake --build build/fuzz -j "$jobs" --target "$@" >/dev/null
}
