# Shared by the end-to-end scripts (sourced, not run): the program and tool from the arguments,
# a temporary folder, cleanup that kills a program outliving the test, and the bounded waits
# for the window and for the keyboard to be idle.
#
#   source window_driver.sh N240QX N240QX_CTL ARTIFACT_DIR

program=$1
ctl=$2
artifacts=$3
title="BRAXLEN ZELKA KEYBOARD N240QX"
work=$(mktemp -d)
# The command-line tool refuses a data folder that does not exist for commands that only read.
mkdir -p "$work/data"
pid=""

cleanup() {
  if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [[ -f "$work/program.log" ]] && sed 's/^/  program: /' "$work/program.log" >&2
  exit 1
}

click() {
  xdotool mousemove --window "$wid" "$1" "$2" click 1
}

# Starts the window on the simulated keyboard kept in $work/state.bin, with any further options
# given, and sets $wid.
start_window() {
  "$program" --simulate="$work/state.bin" --data-dir "$work/data" "$@" >"$work/program.log" 2>&1 &
  pid=$!
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name "^$title" | head -n 1)
  [[ -n "$wid" ]] || fail "the window did not appear within 30 s"
}

# The id of the dialog titled exactly $1 once it shows (at most 15 s), or empty.
find_dialog() {
  wait_for_window "$1" 15
}

# While the keyboard is busy the title says so and clicks are ignored; wait for the plain
# title after the start-up read, and again after Apply.
wait_until_idle() {
  for _ in $(seq 1 120); do
    [[ "$(xdotool getwindowname "$wid" 2>/dev/null)" == "$title" ]] && return 0
    sleep 0.25
  done
  fail "the keyboard was still busy after 30 s"
}

# Waits up to $2 seconds for a visible window named exactly $1 and prints its id.
wait_for_window() {
  timeout "$2" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# The close button, then the program's end with status 0 within 10 s.
close_window() {
  click 986 12
  for _ in $(seq 1 40); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.25
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "the program did not end within 10 s of the close button"
  fi
  wait "$pid"
  local status=$?
  pid=""
  [[ $status -eq 0 ]] || fail "the program ended with status $status"
}

# Apply, then close: the program writes what it sent and must end on its own.
apply_and_close() {
  click 897 573  # Apply
  sleep 0.3
  wait_until_idle
  close_window
}

# Waits up to 10 s for no visible window to be named NAME (a regular expression).
wait_window_gone() {
  for _ in $(seq 1 40); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.25
  done
  return 1
}
