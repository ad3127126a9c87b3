# Processes named by "PID:START" (START: when it began, in clock ticks since
# boot), so that an id the system has since given to another process is never
# taken for the one recorded. Sourced by tools/phone and tools/lib/common.sh.

# PID -> its start time; fails for a process that is gone, or has ended and
# waits for its parent to collect it (a zombie).
proc_start() {  # PID
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  # The name in parentheses may hold spaces; the state is the first field
  # after it, the start time the 20th.
  read -r -a stat <<<"${stat##*) }"
  [ "${stat[0]}" != Z ] || return 1
  echo "${stat[19]}"
}

# PID -> "PID:START".
proc_id() {  # PID
  local start
  start=$(proc_start "$1") && echo "$1:$start"
}

# Whether the process named by "PID:START" still runs.
proc_alive() {  # PID:START
  [ -n "$1" ] && [ "$(proc_start "${1%%:*}" 2>/dev/null)" = "${1#*:}" ]
}

# Its command line, shortened, for messages.
proc_command() {  # PID
  tr '\0' ' ' <"/proc/$1/cmdline" 2>/dev/null | cut -c1-70
}

# This process (a subshell's own, not its script's) and every one it
# descends from: never ended by a sweep.
proc_lineage() {
  local pid=$BASHPID stat
  while [ "$pid" -gt 1 ] 2>/dev/null; do
    echo "$pid"
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || break
    read -r -a stat <<<"${stat##*) }"
    pid=${stat[1]}
  done
}

# "PID:START" of every process that was started with the environment variable
# NAME=VALUE (Wine hands its prefix on to every process it starts), this
# process and its ancestors left out.
procs_with_env() {  # NAME=VALUE
  local lineage path pid id
  lineage=" $(proc_lineage | tr '\n' ' ') "
  for path in $(grep -lzxF -- "$1" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${path#/proc/}
    pid=${pid%/environ}
    [[ $lineage == *" $pid "* ]] && continue
    id=$(proc_id "$pid") && echo "$id"
  done
}

# Prints those of the processes named by "[-]PID:START" that still run after
# up to TENTHS tenths of a second.
still_running() {  # TENTHS [-]PID:START...
  local tenths=$1 id alive _
  shift
  for _ in $(seq 1 "$tenths"); do
    alive=()
    for id in "$@"; do proc_alive "${id#-}" && alive+=("$id"); done
    [ ${#alive[@]} -eq 0 ] && return 0
    set -- "${alive[@]}"
    sleep 0.1
  done
  printf '%s\n' "$@"
}

# Ends the processes named by "PID:START" (and the process group each leads,
# for "-PID:START"): TERM, and KILL for those still there after 3 s.
end_procs() {  # [-]PID:START...
  local id one left=()
  for id in "$@"; do
    one=${id#-}
    proc_alive "$one" || continue
    # Either may have ended meanwhile.
    if [ "$one" != "$id" ]; then kill -TERM -- "-${one%%:*}" 2>/dev/null || true; fi
    kill -TERM "${one%%:*}" 2>/dev/null || true
    left+=("$id")
  done
  [ ${#left[@]} -gt 0 ] || return 0
  mapfile -t left < <(still_running 30 "${left[@]}")
  for id in "${left[@]}"; do
    one=${id#-}
    if [ "$one" != "$id" ]; then kill -KILL -- "-${one%%:*}" 2>/dev/null || true; fi
    kill -KILL "${one%%:*}" 2>/dev/null || true
  done
  still_running 10 "${left[@]}" >/dev/null
}
