#!/usr/bin/env bash
# The command-line tool against what goes wrong outside it, one real
# lt4402-cli run over TCP per case, against the radio emulator lt4402-emu:
# first the bad files (what is handed over instead of the file the tool
# wants), then the fault matrix (the emulator failing in the middle of each
# operation). Prints the two tables of docs/reliability.md. Needs build/
# (scripts/run or scripts/test builds it); takes about ten minutes.
#
#   bench/cli_robustness.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
cli=$build/lt4402-cli
emu=$build/lt4402-emu
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen
cd "$work"

# Starts the emulator with the sample codeplug (and the given options), its
# memory kept in radio.bin; sets $emulator and $device.
start_emulator() {
  "$emu" --port 0 --sample --memory radio.bin "$@" >emu.out 2>&1 &
  emulator=$!
  for _ in $(seq 100); do
    grep -q 'listening on' emu.out 2>/dev/null && break
    sleep 0.05
  done
  device=tcp:$(grep -o '127\.0\.0\.1:[0-9]*' emu.out)
}
stop_emulator() {
  kill -CONT "$emulator" 2>/dev/null || true
  kill "$emulator" 2>/dev/null || true
  wait "$emulator" 2>/dev/null || true
}

# The files: good ones, and every kind of bad one.
start_emulator
"$cli" --device "$device" read good.kvf >/dev/null 2>&1
"$cli" --device "$device" calibration read good.kvfa >/dev/null 2>&1
"$cli" export-csv good.kvf good.csv >/dev/null 2>&1
stop_emulator
mkfifo fifo
mkdir folder
head -c 10485760 /dev/zero | tr '\0' 'Z' >ten-megabytes
head -c 639 /dev/zero >639-bytes.kvfa
head -c 637 /dev/zero >637-bytes.kvfa
head -c 20093 /dev/zero >20093-bytes.kvf
: >empty.kvf
head -c 2097152 /dev/zero | tr '\0' '\n' >two-megabytes.csv
{ head -1 good.csv; printf '1,"unclosed,145.000000,,,,,,,,FM,,,High,\r\n'; tail -n +3 good.csv; } >unclosed-quote.csv
{ head -1 good.csv; printf '1,"a""b"x,145.000000,,,,,,,,FM,,,High,\r\n'; } >text-after-quote.csv
{ head -1 good.csv; printf '1,AB\0CD,145.000000,,,,,,,,FM,,,High,\r\n'; } >nul-in-name.csv
{ head -1 good.csv; printf '1,A,1'; head -c 900000 /dev/zero | tr '\0' '9'; printf ',,,,,,,,FM,,,High,\r\n'; } >long-cell.csv
{ head -1 good.csv; for _ in $(seq 300); do printf '0,A,145.000000,,,,,,,,FM,,,High,\r\n'; done; } >300-bad-lines.csv
{ head -1 good.csv; printf '1,A,145.000000,,,DTCS,,,'; head -c 5000 /dev/zero | tr '\0' '7'; printf ',NN,FM,,,High,\r\n'; } >long-dcs-code.csv
cp good.kvf "$(printf 'in\377.kvf')"

# what is handed over | the arguments after --device
cases=(
  "a FIFO with no writer|calibration write fifo"
  "/dev/zero|calibration write /dev/zero"
  "/dev/urandom|calibration write /dev/urandom"
  "a 10 MB file|calibration write ten-megabytes"
  "639 bytes|calibration write 639-bytes.kvfa"
  "637 bytes|calibration write 637-bytes.kvfa"
  "a folder|calibration write folder"
  "a FIFO with no writer|import-csv fifo out.kvf"
  "/dev/zero|import-csv /dev/zero out.kvf"
  "a 2 MB file|import-csv two-megabytes.csv out.kvf"
  "an unclosed quote on line 2|import-csv unclosed-quote.csv out.kvf"
  "text after a closing quote|import-csv text-after-quote.csv out.kvf"
  "a NUL byte in a name|import-csv nul-in-name.csv out.kvf"
  "a 900 000-character cell|import-csv long-cell.csv out.kvf"
  "300 bad lines|import-csv 300-bad-lines.csv out.kvf"
  "a 5 000-digit DtcsCode|import-csv long-dcs-code.csv out.kvf"
  "a FIFO with no writer|write fifo"
  "/dev/zero|write /dev/zero"
  "20 093 bytes|write 20093-bytes.kvf"
  "an empty file|write empty.kvf"
  "a folder|dump folder"
  "a missing file|verify missing.kvf"
  "a folder as the output|read folder"
  "an output in a missing folder|export-csv good.kvf missing/out.csv"
  "an input name with the byte 0xFF|dump in\\xFF.kvf"
  "an output name with the byte 0xFF|export-csv good.kvf out\\xFF.csv"
)

echo "| verb | handed | exit status | seconds | radio | reason (last line of standard error, cut at 110 characters) |"
echo "|---|---|---|---|---|---|"
for entry in "${cases[@]}"; do
  what=${entry%%|*}
  read -r -a args <<<"${entry#*|}"
  for i in "${!args[@]}"; do args[i]=$(printf '%b' "${args[i]}"); done
  rm -f out.kvf
  start_emulator
  before=$(md5sum <radio.bin)
  begin=$(date +%s.%N)
  status=0
  timeout 60 "$cli" --device "$device" "${args[@]}" >cli.out 2>cli.err || status=$?
  seconds=$(awk "BEGIN { print $(date +%s.%N) - $begin }")
  stop_emulator
  radio=unchanged
  if [ "$(md5sum <radio.bin)" != "$before" ]; then radio=changed; fi
  reason=$(tail -1 cli.err | cut -c1-110 | sed 's/|/\\|/g')
  verb=${args[0]}
  if [ "$verb" = calibration ]; then verb="calibration ${args[1]}"; fi
  if [ "$status" = 0 ]; then reason="(done)"; fi
  printf '| %s | %s | %s | %.2f | %s | `%s` |\n' "$verb" "$what" "$status" "$seconds" "$radio" "$reason"
done

echo
# operation: the arguments after --device; the file a run may leave.
declare -A arguments=(
  [read]="read out.kvf"
  [write]="write good.kvf"
  [verify]="verify good.kvf"
  [calibration-read]="calibration read out.kvfa"
  [calibration-write]="calibration write good.kvfa"
  [customer-id-write]="customer-id write 7"
  [status]="status"
)
operations=(read write verify calibration-read calibration-write customer-id-write status)
# Where a fault strikes: the block (silence, disconnect) or the reply
# (wrong tag; oversized, which only a block read reply can be) in the middle
# of each operation. A write first reads the radio for its backup (261
# blocks), then writes; every run but the status readout starts with the
# link reply and two password block reads. The status readout is no block:
# the faults counted in blocks never strike it.
declare -A block=([read]=60 [write]=330 [verify]=60 [calibration-read]=12 [calibration-write]=12 [customer-id-write]=2 [status]=0)
declare -A reply=([read]=60 [write]=330 [verify]=60 [calibration-read]=12 [calibration-write]=12 [customer-id-write]=3 [status]=1)
# Kill and freeze strike a moment after the run's first progress line; the
# replies come late enough that even a short run is still under way then.
declare -A latency=([read]=4 [write]=4 [verify]=4 [calibration-read]=40 [calibration-write]=40 [customer-id-write]=300 [status]=300)
declare -A readReply=([read]=60 [write]=100 [verify]=60 [calibration-read]=12 [calibration-write]=3 [customer-id-write]=3)

# fault name: emulator options, or an action on the running emulator.
faults=(silence disconnect wrong-tag oversized drop-every-5th kill freeze)

echo "| fault | operation | exit status | seconds | output file afterwards | backups afterwards |"
echo "|---|---|---|---|---|---|"
for fault in "${faults[@]}"; do
  for operation in "${operations[@]}"; do
    if [ "$operation" = status ] && { [ "$fault" = disconnect ] || [ "$fault" = oversized ]; }; then
      printf '| %s | %s | does not strike | | | |\n' "$fault" "$operation"
      continue
    fi
    rm -rf data out.kvf out.kvfa radio.bin
    case $fault in
      silence) start_emulator --silence-after "${block[$operation]}" ;;
      disconnect) start_emulator --disconnect-after "${block[$operation]}" ;;
      wrong-tag) start_emulator --wrong-tag "${reply[$operation]}" ;;
      oversized) start_emulator --oversized "${readReply[$operation]}" ;;
      drop-every-5th) start_emulator --drop 5 ;;
      kill | freeze) start_emulator --latency "${latency[$operation]}" ;;
    esac
    : >cli.err
    begin=$(date +%s.%N)
    # shellcheck disable=SC2086
    "$cli" --device "$device" ${arguments[$operation]} >cli.out 2>cli.err &
    run=$!
    if [ "$fault" = kill ] || [ "$fault" = freeze ]; then
      # Strike once the run is under way: after its first progress line, or
      # at once for runs too short to have one.
      for _ in $(seq 200); do
        grep -q '%' cli.err 2>/dev/null && break
        kill -0 "$run" 2>/dev/null || break
        sleep 0.01
      done
      sleep 0.1
      if [ "$fault" = kill ]; then kill -KILL "$emulator"; else kill -STOP "$emulator"; fi
    fi
    status=0
    wait "$run" || status=$?
    seconds=$(awk "BEGIN { print $(date +%s.%N) - $begin }")
    stop_emulator
    output=none
    for file in out.kvf out.kvfa; do
      if [ -e "$file" ]; then output="$file $(stat -c %s "$file") bytes"; fi
    done
    if compgen -G '*.lt4402-*' >/dev/null; then output="$output, and a file half saved"; fi
    backups=0
    if [ -d data ]; then backups=$(find data -name '*.kvf' | wc -l); fi
    printf '| %s | %s | %s | %.1f | %s | %s |\n' "$fault" "$operation" "$status" "$seconds" "$output" "$backups"
  done
done
