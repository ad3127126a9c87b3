# What several of the tools do, sourced by them (not a command):
#   . "$(dirname "$0")/lib/common.sh"
# Each command defines usage() as a here-document of its own text.

# The repository's top folder.
QUELLOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$QUELLOR_ROOT/tools/lib/processes.sh"

# Prints the command's usage to stderr and ends it with 2 (a wrong call).
usage_error() {
  usage >&2
  exit 2
}

# Installs what is missing, configures BUILD_DIR for the desktop (warnings are
# errors) and builds everything in it.
build_tree() {  # BUILD_DIR
  "$QUELLOR_ROOT/tools/install-deps"
  cmake -S "$QUELLOR_ROOT" -B "$1" -DCMAKE_TOOLCHAIN_FILE="$QUELLOR_ROOT/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DQUELLOR_WERROR=ON >/dev/null
  cmake --build "$1" -j"$(nproc)"
}

# Starts an Xvfb of the phone's screen sizes on a display number it finds
# free itself (two started at once never race for one) and waits until it
# says that number, which it does once it listens; sets XVFB_DISPLAY (":N")
# and XVFB_PID.
start_xvfb() {  # LOG
  local said number=""
  said=$(mktemp -u)
  mkfifo "$said"
  Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$said" >"$1" 2>&1 &
  XVFB_PID=$!
  # Nothing comes, and the pipe closes, if it cannot start.
  read -r -t 30 number <"$said" || true
  rm -f "$said"
  XVFB_DISPLAY=":$number"
  [ -n "$number" ] || { echo "Xvfb did not start: $(tail -2 "$1")" >&2; return 1; }
}

# Makes this command the owner of the phones it brings up, each made from
# the build tree's template. First it ends the phones there that commands
# since ended have left up. A command run for another (a test of tools/test)
# is refused once that one has ended, and its phone counts as left behind
# then too.
own_phones() {  # BUILD
  if [ -n "${PHONE_OWNER:-}" ] && ! proc_alive "$PHONE_OWNER"; then
    echo "$(basename "$0"): the command it runs for (pid ${PHONE_OWNER%%:*}) has ended" >&2
    exit 1
  fi
  export PHONE_OUTER=${PHONE_OWNER:-}
  PHONE_OWNER=$(proc_id $$)
  export PHONE_OWNER PHONE_TEMPLATE=${PHONE_TEMPLATE:-$1/phones/.template}
  "$QUELLOR_ROOT/tools/phone" sweep "$1/phones"
}

# The same, and PHONE_DIR a new phone of its own, BUILD/phones/KIND-PID,
# unless the caller named one.
own_phone() {  # KIND BUILD
  own_phones "$2"
  if [ -z "${PHONE_DIR:-}" ]; then
    export PHONE_DIR="$2/phones/$1-$$" PHONE_DISPOSABLE_NEW=1
  fi
}

# Installs the build tree's package into the phone that is up, as a user
# does with the phone's installer (phone/wceload): the programs, their
# shortcuts, and the lock agent started by the setup DLL. The installer's
# output goes to a file: the agent it starts inherits it, and a pipe would
# stay open for as long as the agent runs.
install_package() {  # BUILD
  local cab=$1/Quellor.cab log=$PHONE_DIR/install.log
  [ -s "$cab" ] || { echo "$(basename "$0"): no package $cab; build the cab target" >&2; return 1; }
  "$QUELLOR_ROOT/tools/phone" run "$1/bin/wceload.exe" "Z:${cab//\//\\}" >"$log" 2>&1 ||
    { echo "$(basename "$0"): installing $cab failed: $(cat "$log")" >&2; return 1; }
}

# A test's phone: BUILD/phones/test-SCREEN unless the test names one, owned
# by the command that runs the tests (the caller's PHONE_OWNER, or CTest).
test_phone() {  # BUILD
  export PHONE_DIR=${PHONE_DIR:-$1/phones/test-${PHONE_SIZE:-240x320}@${PHONE_DPI:-96}}
  export PHONE_DISPOSABLE_NEW=1
  PHONE_OWNER=${PHONE_OWNER:-$(proc_id "$PPID")}
  export PHONE_OWNER
}

# Runs a command in a session of its own and waits for it, so that a
# signal's trap runs at once instead of after the command; end_child, in the
# EXIT trap, ends it and whatever it started that is still in its session. A
# guard beside it, told by the kernel when this command ends (its parent-death
# signal), ends that session too when this command is killed outright.
run_child() {  # COMMAND...
  setsid "$@" &
  local pid=$! status=0 guard
  CHILD_ID=$(proc_id "$pid") || CHILD_ID=""
  setpriv --pdeathsig TERM bash -c 'trap "kill \$s; kill -TERM -- -$0; exit" TERM
    trap "kill \$s; exit" USR1; sleep infinity & s=$!; wait' "$pid" 2>/dev/null &
  guard=$!
  wait "$pid" || status=$?
  kill -USR1 "$guard" 2>/dev/null || true
  wait "$guard" 2>/dev/null || true
  CHILD_ID=""
  return $status
}
end_child() {
  if [ -n "${CHILD_ID:-}" ]; then end_procs "-$CHILD_ID"; fi
}

# Ends the command on HUP, INT and TERM with the usual codes, running its EXIT
# trap: a closed terminal, Ctrl-C and kill leave nothing it started.
exit_on_signals() {
  trap 'exit 129' HUP
  trap 'exit 130' INT
  trap 'exit 143' TERM
}
