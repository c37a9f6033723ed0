# shellcheck shell=bash
# The Windows station's tests under Wine, end to end: the packaged program
# against the Linux build's simulated radio on COM7, its window offscreen, and
# the package's DLLs. Sourced by scripts/windows after common.sh and
# radio-sim.sh; needs ZR_SIM and ZR_LINUX_STATION (the Linux build's
# simulator and station), ZR_WINDOWS_ZIP and ZR_WINDOWS_INSTALLER.
#
#   run_windows_tests OUTDIR   runs them all; OUTDIR receives the screenshots

ZR_WINE_RUN=$ZR_ROOT/scripts/lib/wine-run
ZR_WINE_FAILURES=0
ZR_WINE_PORT=7
export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/zr93kw-setfactory/wine}

windows_station() { "$ZR_WINE_RUN" "$ZR_WINDOWS_DIR/zr93kw-setfactory.exe" "$@"; }

zr_wineserver() { "$(dirname "$(command -v wine64 || echo /usr/lib/wine/wine64)")/wineserver" "$@"; }

# Ends the Wine server of the project's prefix and the programs it runs.
stop_wine() {
  zr_wineserver -k >/dev/null 2>&1 || true
  zr_wineserver -w >/dev/null 2>&1 || true
}

# A Wine server started here keeps its own output (an object dump when it
# is ended) away from the tests' report.
start_wine() { zr_wineserver -p 10 >/dev/null 2>&1; }

# Wine takes the Windows locale from LC_ALL but converts the command line with
# the Unix locale's character set: the locales the tests run in must exist.
ensure_test_locales() {
  local name
  for name in en_US zh_CN; do
    locale -a | grep -qix "$name.utf-\?8" || as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
  done
}

wine_test_failed() {
  echo "FAIL: $*" >&2
  ZR_WINE_FAILURES=$((ZR_WINE_FAILURES + 1))
}

# start_com7_radio WORK [SIMULATOR OPTIONS...]: a radio on COM7 for both
# builds, its block in WORK/radio.bin (kept when there is one): the
# simulator's pseudo-terminal, named COM7 in the port folder for Linux and in
# Wine's Ports key for Windows. Wine makes its COM devices from that key when
# its server starts.
start_com7_radio() {
  local work=$1
  shift
  rm -rf "$work/ports"
  mkdir -p "$work"
  start_radio_sim "$work" "$ZR_WINE_PORT" "$@" || return 1
  stop_wine
  start_wine
  "$ZR_WINE_RUN" reg add 'HKLM\Software\Wine\Ports' /v "COM$ZR_WINE_PORT" /t REG_SZ \
    /d "$work/ports/COM$ZR_WINE_PORT" /f >/dev/null 2>&1
  stop_wine
  start_wine
}

# json_fields FILE: the JSON document's fields, one "name=value" a line, sorted.
json_fields() {
  python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); [print(f"{k}={json.dumps(d[k], ensure_ascii=False)}") for k in sorted(d)]' "$1"
}

# `read --save` keeps the same block as the Linux build's.
test_ports_list_com7_and_read_json_matches_the_linux_build() {
  local work=$1/read
  start_com7_radio "$work" --serial 2026120600000042 --tri-band || { wine_test_failed "simulator"; return; }
  if ! windows_station ports | grep -qx "COM$ZR_WINE_PORT.*"; then
    wine_test_failed "'ports' does not list COM$ZR_WINE_PORT: $(windows_station ports 2>&1 | tr '\n' ' ')"
  fi
  local status=0
  "$ZR_LINUX_STATION" read --port "$ZR_WINE_PORT" --json --save "$work/linux.bin" >"$work/linux.json" \
    2>"$work/linux.err" || true
  windows_station read --port "$ZR_WINE_PORT" --json --save "$(winepath_of "$work/windows.bin")" \
    >"$work/windows.json" 2>"$work/windows.err" || status=$?
  stop_radio_sim
  if [ "$status" -ne 0 ]; then
    wine_test_failed "read exited $status: $(cat "$work/windows.err")"
  elif ! diff <(json_fields "$work/linux.json") <(json_fields "$work/windows.json") >"$work/diff"; then
    wine_test_failed "read --json differs from the Linux build's: $(cat "$work/diff")"
  elif ! cmp -s "$work/linux.bin" "$work/windows.bin"; then
    wine_test_failed "read --save kept another block than the Linux build's"
  fi
}

# The same write by both builds, each on its own copy of one radio: the
# blocks come out the same, and differ from the radio's only in the seller's
# 16 bytes (0xA0-0xAF), written in code page 936 from a Chinese Windows.
test_a_write_changes_only_what_it_names_byte_for_byte() {
  local work=$1/write build status=0
  start_com7_radio "$work-radio" --serial 2026120600000042 || { wine_test_failed "simulator"; return; }
  "$ZR_LINUX_STATION" write --port "$ZR_WINE_PORT" --set DealerCode=D-0042 --set "Seller=Zhang San" \
    --set ProducedDate=2026/12/6 --no-backup >/dev/null 2>"$work-radio/seed.err"
  stop_radio_sim
  for build in linux windows; do
    mkdir -p "$work-$build"
    cp "$work-radio/radio.bin" "$work-$build/radio.bin"
    cp "$work-radio/radio.bin" "$work-$build/before.bin"
    start_com7_radio "$work-$build" --serial 2026120600000042 || { wine_test_failed "simulator"; return; }
    if [ "$build" = linux ]; then
      LC_ALL=zh_CN.UTF-8 "$ZR_LINUX_STATION" write --port "$ZR_WINE_PORT" --set Seller=张三 --no-backup \
        >/dev/null 2>"$work-$build/err" || status=$?
    else
      LC_ALL=zh_CN.UTF-8 windows_station write --port "$ZR_WINE_PORT" --set Seller=张三 --no-backup \
        >/dev/null 2>"$work-$build/err" || status=$?
    fi
    stop_radio_sim
    if [ "$status" -ne 0 ]; then
      wine_test_failed "$build write exited $status: $(cat "$work-$build/err")"
      return
    fi
  done
  if ! cmp -s "$work-linux/radio.bin" "$work-windows/radio.bin"; then
    wine_test_failed "the blocks the two builds wrote differ: $(cmp -l "$work-linux/radio.bin" "$work-windows/radio.bin" | head -5 | tr '\n' ' ')"
  fi
  local changed
  changed=$(cmp -l "$work-windows/before.bin" "$work-windows/radio.bin" | awk '{ printf "%x ", $1 - 1 }' || true)
  if [ -z "$changed" ] || [ -n "$(echo "$changed" | tr ' ' '\n' | grep -v '^a[0-9a-f]$' | grep -v '^$')" ]; then
    wine_test_failed "the write changed bytes other than the seller's (0xA0-0xAF): $changed"
  fi
  # 张三 in code page 936.
  if [ "$(od -An -tx1 -j $((0xA0)) -N4 "$work-windows/radio.bin" | tr -d ' ')" != d5c5c8fd ]; then
    wine_test_failed "the seller is not 张三 in code page 936"
  fi
}

test_a_silent_radio_fails_with_status_3_after_the_time_outs() {
  local work=$1/silent started status=0 elapsed
  start_com7_radio "$work" --no-answer program || { wine_test_failed "simulator"; return; }
  started=$(date +%s%N)
  windows_station read --port "$ZR_WINE_PORT" >/dev/null 2>"$work/err" || status=$?
  elapsed=$((($(date +%s%N) - started) / 1000000))
  stop_radio_sim
  # "PROGRAM" and two resends, each waiting 300 ms per reply byte (3) and 300 ms.
  if [ "$status" -ne 3 ] || [ "$elapsed" -lt 3600 ]; then
    wine_test_failed "a silent radio: status $status after $elapsed ms (3 after at least 3600 ms wanted): $(cat "$work/err")"
  fi
}

# Wine turns SIGINT into the console's Ctrl+C: the read stops at its next
# frame boundary, the radio is told "END" (45 4E 44) and the status is 130.
test_ctrl_c_stops_a_read_at_a_frame_with_end_and_status_130() {
  local work=$1/interrupt pid status=0
  start_com7_radio "$work" --delay-ms 250 --trace || { wine_test_failed "simulator"; return; }
  "$ZR_WINE_RUN" "$ZR_WINDOWS_DIR/zr93kw-setfactory.exe" read --port "$ZR_WINE_PORT" >/dev/null 2>"$work/err" &
  pid=$!
  sleep 2.5  # a few lines into the read
  kill -INT "$pid"
  wait "$pid" || status=$?
  stop_radio_sim
  if [ "$status" -ne 130 ] || ! tail -n 3 "$work/sim.err" | grep -q '> 45 4E 44$'; then
    wine_test_failed "Ctrl+C: status $status, $(tr -d '\r' <"$work/err"), the radio's last frames: $(tail -n 3 "$work/sim.err")"
  fi
}

# Offscreen under Wine: Wine hands on QT_* variables only as WINEQT_*, and the
# offscreen platform reads fonts from a folder of its own. The settings file
# beside the program selects COM7, and the window reads the radio there.
test_the_window_shows_a_read_radio_in_english_and_in_chinese() {
  local work=$1/window out=$2 fonts lang
  fonts=$WINEPREFIX/drive_c/zr93kw-fonts
  mkdir -p "$fonts"
  cp -f /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf \
    /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$fonts/"
  start_com7_radio "$work" --serial 2026120600000042 --tri-band || { wine_test_failed "simulator"; return; }
  "$ZR_LINUX_STATION" write --port "$ZR_WINE_PORT" --set BandIndex=14 --band-change ok --set FactoryMode=1 \
    --set ProducedDate=2026/12/6 --set DealerCode=D-0042 --set "Seller=Zhang San" --no-backup \
    >/dev/null 2>"$work/seed.err"
  printf '[language]\r\ncomPort=%s\r\n' "$ZR_WINE_PORT" >"$ZR_WINDOWS_DIR/mysetup.ini"
  for lang in en_US zh_CN; do
    rm -f "$out/window-$lang.png"
    if ! LC_ALL=$lang.UTF-8 WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR='C:\zr93kw-fonts' \
      windows_station --screenshot "$(winepath_of "$out/window-$lang.png")" 2>"$work/$lang.err" ||
      [ ! -s "$out/window-$lang.png" ]; then
      wine_test_failed "no $lang screenshot: $(cat "$work/$lang.err")"
    elif [ "$(tr -d '\r' <"$work/$lang.err")" != "Read Complete!" ]; then
      wine_test_failed "$lang: the window did not read the radio alone: $(cat "$work/$lang.err")"
    fi
  done
  stop_radio_sim
  if cmp -s "$out/window-en_US.png" "$out/window-zh_CN.png"; then
    wine_test_failed "the English and the Chinese windows look the same"
  fi
}

winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

# The installer, silent, puts the station into Program Files with its
# Start-menu entry; the installed station runs; the uninstaller takes both.
test_the_installer_installs_a_working_station_with_a_start_menu_entry() {
  local folder=$WINEPREFIX/drive_c/Program\ Files/zr93kw-setfactory
  local entry=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/ZR93KW\ SetFactory.lnk
  local version
  "$ZR_WINE_RUN" "$ZR_WINDOWS_INSTALLER" /S >/dev/null 2>&1 || true
  version=$("$ZR_WINE_RUN" "$folder/zr93kw-setfactory.exe" --version 2>&1 || true)
  if [ ! -f "$folder/platforms/qwindows.dll" ] || [ ! -f "$entry" ] || [[ $version != "zr93kw-setfactory "* ]]; then
    wine_test_failed "installed: program folder $([ -d "$folder" ] && echo present || echo missing)," \
      "Start-menu entry $([ -f "$entry" ] && echo present || echo missing), --version: $version"
  fi
  "$ZR_WINE_RUN" "$folder/uninstall.exe" /S >/dev/null 2>&1 || true
  # The uninstaller goes on from a copy of itself after the first one ends.
  local _
  for _ in $(seq 60); do
    [ -e "$entry" ] || [ -e "$folder/zr93kw-setfactory.exe" ] || break
    sleep 0.5
  done
  if [ -e "$entry" ] || [ -e "$folder/zr93kw-setfactory.exe" ]; then
    wine_test_failed "the uninstaller left the station behind"
  fi
}

# Every DLL that a program or plugin of the package imports is in the
# package's folder, or is Windows' own (Wine has it in system32).
test_the_package_holds_every_dll_it_imports() {
  local system32=$WINEPREFIX/drive_c/windows/system32 file dll missing=()
  while IFS= read -r -d '' file; do
    while read -r dll; do
      [ -f "$ZR_WINDOWS_DIR/$dll" ] && continue
      [ -f "$system32/${dll,,}" ] && continue
      [[ ${dll,,} == api-ms-win-* ]] && continue
      missing+=("$(basename "$file") needs $dll")
    done < <(x86_64-w64-mingw32-objdump -p "$file" | awk '/DLL Name:/ { print $3 }')
  done < <(find "$ZR_WINDOWS_DIR" \( -name '*.exe' -o -name '*.dll' \) -print0)
  if [ ${#missing[@]} -gt 0 ]; then
    wine_test_failed "DLLs missing from the package: ${missing[*]}"
  fi
}

run_windows_tests() {
  local out=$1 work name
  work=$(mktemp -d)
  mkdir -p "$out"
  # The Linux build's backups and log stay in the run's folder.
  export XDG_STATE_HOME=$work/state
  ensure_test_locales
  # The tests take the zip as an operator would, unpacked.
  unzip -q "$ZR_WINDOWS_ZIP" -d "$work/unpacked"
  ZR_WINDOWS_DIR=$(echo "$work"/unpacked/*)
  for name in test_ports_list_com7_and_read_json_matches_the_linux_build \
      test_a_write_changes_only_what_it_names_byte_for_byte \
      test_a_silent_radio_fails_with_status_3_after_the_time_outs \
      test_ctrl_c_stops_a_read_at_a_frame_with_end_and_status_130 \
      test_the_window_shows_a_read_radio_in_english_and_in_chinese \
      test_the_installer_installs_a_working_station_with_a_start_menu_entry \
      test_the_package_holds_every_dll_it_imports; do
    local before=$ZR_WINE_FAILURES
    "$name" "$work" "$out"
    if [ "$ZR_WINE_FAILURES" -eq "$before" ]; then echo "PASS: ${name#test_}"; fi
  done
  stop_wine
  rm -rf "$work"
  [ "$ZR_WINE_FAILURES" -eq 0 ]
}
