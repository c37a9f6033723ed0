# Starting and stopping the simulated radio for the demo and the screenshots.
# Sourced after common.sh; needs ZR_SIM (the simulator's executable).

ZR_SIM_PID=""

# start_radio_sim WORKDIR PORT [SIMULATOR OPTIONS...]: a radio on COM<PORT> in
# WORKDIR/ports, its block kept in WORKDIR/radio.bin; exports ZR93KW_PORT_DIR.
start_radio_sim() {
  local work=$1 port=$2
  shift 2
  mkdir -p "$work/ports"
  export ZR93KW_PORT_DIR="$work/ports"
  "$ZR_SIM" --port-dir "$ZR93KW_PORT_DIR" --port "$port" --image "$work/radio.bin" "$@" \
    >"$work/sim.out" 2>"$work/sim.err" &
  ZR_SIM_PID=$!
  local _
  for _ in $(seq 100); do
    grep -q '^ready' "$work/sim.out" 2>/dev/null && return 0
    kill -0 "$ZR_SIM_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "The radio simulator did not start:" >&2
  cat "$work/sim.err" >&2
  return 1
}

stop_radio_sim() {
  if [ -n "$ZR_SIM_PID" ]; then
    kill "$ZR_SIM_PID" 2>/dev/null || true
    wait "$ZR_SIM_PID" 2>/dev/null || true
    ZR_SIM_PID=""
  fi
}
