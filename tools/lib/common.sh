# What several of the tools do, sourced by them (not a command):
#   . "$(dirname "$0")/lib/common.sh"
# Each command defines usage() as a here-document of its own text.

# The repository's top folder.
QUELLOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

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

# Starts an Xvfb of the phone's screen sizes on the first free display number
# from FIRST and waits for its socket; sets XVFB_DISPLAY (":N") and XVFB_PID.
start_xvfb() {  # FIRST LOG
  local n=$1
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 640x480x24 -nolisten tcp >"$2" 2>&1 &
  XVFB_PID=$!
  XVFB_DISPLAY=":$n"
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}
