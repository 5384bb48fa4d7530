#!/bin/bash
# cli.sh <case> <program> <work folder>: runs the game (or, for the
# runner_* cases, the headless runner) as a person would and checks its exit
# status and what it prints.
set -u
case_name=$1
exe=$2
work=$3
source "$(dirname "$0")/../support/game_env.sh"
game_env "$work"

fail() {
  echo "cli $case_name: $*" >&2
  echo "--- stdout:" >&2
  cat "$work/out" >&2
  echo "--- stderr:" >&2
  cat "$work/err" >&2
  exit 1
}

# run <expected status> <command...>
run() {
  local expected=$1
  shift
  timeout 30 "$@" >"$work/out" 2>"$work/err"
  local status=$?
  [ "$status" -eq "$expected" ] || fail "$* ended with $status, not $expected"
}

case "$case_name" in
  unknown_option)
    run 2 "$exe" --windowd
    head -n 1 "$work/err" | grep -qx "vantris: unknown option '--windowd'" || fail "no line naming the option"
    grep -q '^usage: vantris' "$work/err" || fail "no usage on stderr"
    [ ! -s "$work/out" ] || fail "something on stdout"
    # An option that holds a line break or a terminal's escape is named on
    # its one line, those bytes shown as \xNN.
    run 2 "$exe" $'--a\nb\x1b[2J\xff'
    [ "$(head -n 1 "$work/err")" = 'vantris: unknown option '"'"'--a\x0ab\x1b[2J\xff'"'" ] ||
      fail "the odd option was not named on one line"
    ;;
  contradictory)
    # Two backends, or a window for the one without: refused as an unknown
    # option is, whatever the order, --help or not.
    for args in "--sdl --headless" "--headless --sdl" "--headless --windowed" \
                "--windowed --headless --help"; do
      run 2 "$exe" $args
      head -n 1 "$work/err" | grep -qE "^vantris: --headless and --(sdl|windowed) cannot go together$" ||
        fail "no line naming the pair ($args)"
      grep -q '^usage: vantris' "$work/err" || fail "no usage on stderr ($args)"
      [ ! -s "$work/out" ] || fail "something on stdout ($args)"
    done
    ;;
  runner_refusals)
    # What the runner cannot mean: status 2, a line naming it, then the usage,
    # and nothing on stdout.  Each case is "arguments|the line".
    cases=(
      "|no --frames given"
      "--frames 99999999999999999999|--frames takes a frame count from 1 to 1000000, not '99999999999999999999'"
      "--frames 4294967297|--frames takes a frame count from 1 to 1000000, not '4294967297'"
      "--frames 0|--frames takes a frame count from 1 to 1000000, not '0'"
      "--frames 5x|--frames takes a frame count from 1 to 1000000, not '5x'"
      "--frames +5|--frames takes a frame count from 1 to 1000000, not '+5'"
      "--frames|--frames needs a value"
      "--frames 10 --frames 20|--frames is given twice"
      "--frames 10 --fps 10 --exact-fps 64|--fps or --exact-fps is given twice"
      "--frames 100 --shot 500|--shot 500 is past the last frame, 99"
      "--frames 100 --shot -1|--shot takes a frame from 0 to 999999, not '-1'"
      "--frames 100 --defeat 100|--defeat 100 is past the last frame, 99"
      "--frames 100 --enter 3@100|--enter's frame 100 is past the last frame, 99"
      "--frames 100 --enter 13@0|--enter takes SCENE@FRAME, a scene from 1 to 12 and a frame from 0 to 999999, not '13@0'"
      "--frames 100 --enter 3@|--enter takes SCENE@FRAME, a scene from 1 to 12 and a frame from 0 to 999999, not '3@'"
      "--frames 100 --enter 3|--enter takes SCENE@FRAME, a scene from 1 to 12 and a frame from 0 to 999999, not '3'"
      "--frames 100 --fps 1001|--fps takes a rate from 1 to 1000, not '1001'"
      "--frames 100 --seed 4294967296|--seed takes a seed from 0 to 4294967295, not '4294967296'"
      "--frames 100 --seed -1|--seed takes a seed from 0 to 4294967295, not '-1'"
      "--frames 100 --out shots|--out names where screenshots go, but no --shot asks for one"
      "--frames 100 --calls a --calls b|--calls is given twice"
      "--frames 100 --replay a --replay b|--replay is given twice"
      "--frames 100 --script|--script needs a value"
      "--frames 100 --frame 5|unknown option '--frame'"
      "--frames 100 5|unknown option '5'"
    )
    for entry in "${cases[@]}"; do
      args=${entry%%|*}
      line="vantris_runner: ${entry#*|}"
      run 2 "$exe" $args
      [ "$(head -n 1 "$work/err")" = "$line" ] || fail "'$args' not refused with: $line"
      grep -q '^usage: vantris_runner' "$work/err" || fail "no usage on stderr ($args)"
      [ ! -s "$work/out" ] || fail "something on stdout ($args)"
    done
    # An empty name is refused too (it cannot be written in the list above).
    run 2 "$exe" --frames 5 --script ""
    head -n 1 "$work/err" | grep -qx "vantris_runner: --script takes a file, not ''" ||
      fail "an empty script name was not refused"
    run 0 "$exe" --help
    grep -q '^usage: vantris_runner' "$work/out" || fail "no usage on stdout"
    grep -q -- '--enter SCENE@F' "$work/out" || fail "the usage does not list --enter"
    [ ! -s "$work/err" ] || fail "something on stderr"
    # A recording with no run line, and none given: the same.
    : >"$work/empty.txt"
    run 2 "$exe" --replay "$work/empty.txt"
    head -n 1 "$work/err" |
      grep -qx "vantris_runner: no --frames given, here or in $work/empty.txt's run line" ||
      fail "an empty recording was not refused"
    # A file or folder the run cannot use: status 1 and one line naming it,
    # its line and what is wrong, before anything plays.  Each case is
    # "file contents|arguments|the line"; FILE in the arguments is a file of
    # those contents, @ the work folder.
    keys='expected "frame key down|up", "frame mouse X Y" or "frame click left|right down|up [double]", each [every N until F]'
    calls='expected "FROM TO NAME [SLOT]"'
    mkdir -p "$work/folder" "$work/noassets"
    file_cases=(
      "9223372036854775807 A down|--frames 2 --script FILE|FILE: line 1: '9223372036854775807' is not a frame from 0 to 999999; $keys"
      "99999999999999999999 A down|--frames 2 --script FILE|FILE: line 1: '99999999999999999999' is not a frame from 0 to 999999; $keys"
      "9223372036854775000 A down every 1000 until 9223372036854775807|--frames 2 --script FILE|FILE: line 1: '9223372036854775000' is not a frame from 0 to 999999; $keys"
      "0 A down every 1000 until 9223372036854775807|--frames 2 --script FILE|FILE: line 1: '9223372036854775807' is not a frame from 0 to 999999; $keys"
      "0 A down every 0 until 9|--frames 2 --script FILE|FILE: line 1: '0' is not a period from 1 to 999999; $keys"
      "# octal would be 8|--frames 9 --script @/octal.keys|@/octal.keys: line 2: frame 10 is past the last frame, 8"
      "11 A down|--frames 11 --script @/octal.keys --script FILE|FILE: line 1: frame 11 is past the last frame, 10"
      "0 A down\n\n5 A up|--frames 5 --script FILE|FILE: line 3: frame 5 is past the last frame, 4"
      "1 0x59 down|--frames 2 --script FILE|FILE: line 1: '0x59' names no key; $keys"
      "1 A sideways|--frames 2 --script FILE|FILE: line 1: 'sideways' is not down or up; $keys"
      "1 A down every 5|--frames 2 --script FILE|FILE: line 1: \"until\" is missing; $keys"
      "1 mouse 800 0|--frames 2 --script FILE|FILE: line 1: '800' is not the pointer's x from 0 to 799; $keys"
      "1 2 Szak10Hit 1 2|--frames 2 --calls FILE|FILE: line 1: '2' is one word too many; $calls"
      "1 2 Szak10Hit 3|--frames 2 --calls FILE|FILE: line 1: Szak10Hit takes a slot from 0 to 2, not 3"
      "5 6 Szak10Move|--frames 5 --calls FILE|FILE: line 1: frame 5 is past the last frame, 4"
      "run --frames 5\nevery 0x4|--replay FILE|FILE: line 2: '0x4' is not a period from 1 to 999999"
      "run --frames 5\n0 2 1f 99999999999999999999:12|--replay FILE|FILE: line 2: '99999999999999999999:12' is not INDEX:HASHES, an index from 0 to 99999 and two hex digits a part"
      "|--frames 2 --script @/folder|cannot read @/folder: it is a folder"
      "|--frames 2 --calls @/folder|cannot read @/folder: it is a folder"
      "|--replay @/folder|cannot read @/folder: it is a folder"
      "|--frames 2 --script @/none.keys|cannot read @/none.keys: No such file or directory"
      "|--frames 2 --script /dev/zero|cannot read /dev/zero: it is a device"
      "|--frames 2 --assets @/noassets|--assets @/noassets: not the game's folder: it holds none of its 155 pictures and sounds, such as IMAGE/ZBAK1B.BMP"
      "|--frames 2 --assets @/octal.keys|--assets @/octal.keys: not a folder"
    )
    printf '# octal would be 8\n010 Return down\n' >"$work/octal.keys"
    for entry in "${file_cases[@]}"; do
      IFS='|' read -r contents args line <<<"$entry"
      printf "$contents\n" >"$work/case.txt"
      args=${args//FILE/$work/case.txt}
      line="vantris_runner: ${line//FILE/$work/case.txt}"
      run 1 "$exe" ${args//@/$work}
      [ "$(cat "$work/err")" = "${line//@/$work}" ] || fail "'$args' not refused with: ${line//@/$work}"
      [ ! -s "$work/out" ] || fail "something on stdout ($args)"
    done
    # Numbers with a leading 0 are decimal (09 too: Return at frame 10 leaves
    # the title for the mode screen, scene 11); what a script asks for is
    # kept within its run: ten lines repeated on every frame of a million
    # cost a two-frame run nothing.
    echo "09 Return up" >"$work/nine.keys"
    run 0 "$exe" --frames 11 --script "$work/octal.keys" --script "$work/nine.keys"
    grep -qx 'ran 11 frames, scene 11' "$work/out" || fail "the scripts with leading zeros did not run"
    for _ in 1 2 3 4 5 6 7 8 9 10; do echo "0 A down every 1 until 999999"; done >"$work/ten.keys"
    run 0 "$exe" --frames 2 --script "$work/ten.keys"
    grep -qx 'ran 2 frames, scene 1' "$work/out" || fail "the repeated script did not run"
    # A missing assets folder fails before anything plays; so does a shot
    # that the run never reaches, its game having ended first (Escape at 60).
    run 1 "$exe" --frames 5 --assets "$work/none"
    [ "$(cat "$work/err")" = "vantris_runner: --assets $work/none: no such folder" ] ||
      fail "a missing assets folder was not said in one line"
    run 1 "$exe" --frames 300 --script "$(dirname "$0")/../runner/title_to_mode.keys" \
      --shot 50 --shot 250 --out "$work/shots"
    [ "$(cat "$work/err")" = "vantris_runner: no screenshot of frame 250: the run ended after 60 frames" ] ||
      fail "the unreached shot was not said in one line"
    [ -s "$work/shots/frame_000050.bmp" ] || fail "the reached shot was not written"
    ;;
  runner_not_regular_files)
    # Whatever is not a regular file is refused before it is read, with one
    # line naming it and what it is, and nothing waits for a FIFO's writer
    # (each run is stopped after 30 s): in place of a picture, a sound or a
    # piece of music the game goes on as for a missing file; in place of a
    # script, a call list or a recording the runner ends with 1.
    assets=$4/
    mkdir -p "$work/assets" "$work/folder"
    cp -rs "$assets/IMAGE" "$assets/SOUND" "$assets/MIDI" "$work/assets/" || fail "cannot link the assets"
    (cd "$work/assets" && rm IMAGE/BBACK1S.BMP IMAGE/ZBAK1B.BMP SOUND/SHOT.WAV SOUND/BOM.WAV MIDI/BGM1.MID &&
      mkfifo IMAGE/BBACK1S.BMP SOUND/SHOT.WAV MIDI/BGM1.MID && mkdir IMAGE/ZBAK1B.BMP &&
      ln -s /dev/null SOUND/BOM.WAV) || fail "cannot put the odd files in place"
    run 0 "$exe" --frames 150 --script "$(dirname "$0")/../runner/to_stage1.keys" --assets "$work/assets"
    a=$work/assets
    printf '%s\n' \
      "[エラー発生] elDraw::LoadObject : BMPファイルを読み込めません ($a/IMAGE/ZBAK1B.BMP: it is a folder)" \
      "[エラー発生] elSound::LoadObject : WAVEリソースが見つかりません ($a/SOUND/SHOT.WAV: it is a FIFO)" \
      "[エラー発生] elSound::LoadObject : WAVEリソースが見つかりません ($a/SOUND/BOM.WAV: it is a device)" \
      "[エラー発生] elDraw::LoadObject : BMPファイルを読み込めません ($a/IMAGE/BBACK1S.BMP: it is a FIFO)" \
      "vantris: the music is silent: $a/MIDI/BGM1.MID: it is a FIFO" >"$work/expected"
    diff "$work/expected" "$work/err" >&2 || fail "the odd asset files were not said so"
    grep -qx 'ran 150 frames, scene 2' "$work/out" || fail "the run did not reach stage 1"
    mkfifo "$work/fifo"
    for entry in "--frames 2 --script|$work/fifo|a FIFO" "--frames 2 --calls|$work/fifo|a FIFO" \
                 "--replay|$work/fifo|a FIFO" "--frames 2 --script|$work/folder|a folder" \
                 "--frames 2 --calls|/dev/null|a device" "--replay|/dev/null|a device"; do
      IFS='|' read -r option file what <<<"$entry"
      for record in 0 1; do
        run 1 env VANTRIS_RECORD=$record "$exe" $option "$file"
        [ "$(cat "$work/err")" = "vantris_runner: cannot read $file: it is $what" ] ||
          fail "$option $file was not refused as $what"
      done
    done
    [ -p "$work/fifo" ] || fail "the FIFO was replaced"
    ;;
  runner_writes_only_over_recordings)
    # VANTRIS_RECORD=1 --replay FILE writes FILE anew only over an empty file
    # or a recording (every line one that a recording holds); anything else
    # is refused with one line and left as it was.
    printf '# to the mode screen\n10 Return down\n12 Return up\n' >"$work/script.keys"
    printf 'hello world\n' >"$work/text.txt"
    printf 'run --frames 5\nevery 4\nparts Score\nseen x\n0 1 1f 0:12\ntrailing words\n' >"$work/tail.txt"
    printf 'run --frames 5 --script "x\n' >"$work/open.txt"
    for entry in "script.keys|line 2: 'Return' is not a scene from -2147483648 to 2147483647" \
                 "text.txt|line 1: 'hello' begins no recording line" \
                 "tail.txt|line 6: 'trailing' begins no recording line" \
                 "open.txt|line 1: '\"x' has no closing quote"; do
      IFS='|' read -r name why <<<"$entry"
      cp "$work/$name" "$work/kept"
      run 1 env VANTRIS_RECORD=1 "$exe" --replay "$work/$name" --frames 5
      [ "$(cat "$work/err")" = "vantris_runner: $work/$name is no recording, so it is not written anew: $why" ] ||
        fail "$name was not refused with: $why"
      cmp -s "$work/$name" "$work/kept" || fail "$name was changed"
    done
    # An empty file is written, and a recording written anew.
    : >"$work/new.txt"
    run 0 env VANTRIS_RECORD=1 "$exe" --replay "$work/new.txt" --frames 20 --seed 3
    [ "$(head -n 2 "$work/new.txt")" = $'run --frames 20 --seed 3\nevery 4' ] || fail "the empty file was not written"
    cp "$work/new.txt" "$work/kept"
    run 0 env VANTRIS_RECORD=1 "$exe" --replay "$work/new.txt"
    cmp -s "$work/new.txt" "$work/kept" || fail "the recording written again changed"
    run 0 "$exe" --replay "$work/new.txt"
    ;;
  runner_names_as_the_game_finds_them)
    # Names with blanks, quotes, a backslash, other scripts, control bytes
    # and a line break: a recording of a script there replays, its run line
    # quoting the path; the game's folder is found whatever the case of its
    # names, and its music plays from such a folder as from any other (the
    # recorded run replays, nothing said); and every line names such a path
    # on one line, its control bytes shown as \xNN.
    assets=$4/
    odd=$work/$'sp ace "q" \\ \xe6\x9b\xb2 \x01\nend'
    shown="$work/sp ace \"q\" \\ "$'\xe6\x9b\xb2'' \x01\x0aend'
    mkdir -p "$odd" "$work/rec"
    cp "$(dirname "$0")/../runner/to_stage1.keys" "$odd/to stage1.keys"
    : >"$work/rec/run.txt"
    run 0 env VANTRIS_RECORD=1 "$exe" --replay "$work/rec/run.txt" --frames 100 --script "$odd/to stage1.keys"
    [ "$(head -n 1 "$work/rec/run.txt")" = 'run --frames 100 --script "'"$work"'/sp ace \"q\" \\ '$'\xe6\x9b\xb2'' \x01\x0aend/to stage1.keys"' ] ||
      fail "the run line does not quote the script's path: $(head -n 1 "$work/rec/run.txt")"
    (cd / && timeout 30 "$exe" --replay "$work/rec/run.txt") >"$work/out" 2>"$work/err" ||
      fail "the recording of a script on an odd path did not replay"
    grep -qx 'ran 100 frames, scene 2' "$work/out" || fail "the recording played another run"
    recording="$(dirname "$0")/../data/recordings/calls_szak10.txt"
    mkdir -p "$work/lower/image" "$work/lower/sound" "$work/lower/midi" "$odd/game"
    for sub in IMAGE SOUND MIDI; do
      lower=$(tr A-Z a-z <<<"$sub")
      for file in "$assets/$sub"/*; do
        ln -s "$file" "$work/lower/$lower/$(basename "$file" | tr A-Z a-z)" || fail "cannot link $file"
      done
      ln -s "$assets/$sub" "$odd/game/$sub" || fail "cannot link $sub"
    done
    for folder in "$work/lower" "$odd/game"; do
      run 0 "$exe" --replay "$recording" --assets "$folder"
      [ ! -s "$work/err" ] || fail "the recorded run did not play from $folder"
    done
    run 1 "$exe" --frames 2 --script "$odd/none.keys"
    [ "$(cat "$work/err")" = "vantris_runner: cannot read $shown/none.keys: No such file or directory" ] ||
      fail "the missing script was not named on one line"
    mkdir -p "$odd/broken"
    cp -rs "$assets/IMAGE" "$assets/SOUND" "$assets/MIDI" "$odd/broken/" || fail "cannot link the assets"
    rm "$odd/broken/IMAGE/ZBAK1B.BMP" "$odd/broken/MIDI/BGM1.MID"
    echo "no music" >"$odd/broken/MIDI/BGM1.MID"
    run 0 "$exe" --frames 150 --script "$(dirname "$0")/../runner/to_stage1.keys" --assets "$odd/broken"
    printf '%s\n' \
      "[エラー発生] elDraw::LoadObject : BMPファイルを読み込めません ($shown/broken/IMAGE/ZBAK1B.BMP: No such file or directory)" \
      "vantris: the music is silent: $shown/broken/MIDI/BGM1.MID: not a standard MIDI file" >"$work/expected"
    diff "$work/expected" "$work/err" >&2 || fail "the missing picture and the damaged music were not named on a line each"
    run 2 "$exe" --frames 5 --seed $'1\n2'
    [ "$(head -n 1 "$work/err")" = "vantris_runner: --seed takes a seed from 0 to 4294967295, not '1\x0a2'" ] ||
      fail "the odd option value was not named on one line"
    ;;
  help)
    run 0 "$exe" --help
    grep -q '^usage: vantris' "$work/out" || fail "no usage on stdout"
    grep -q -- '--windowed' "$work/out" || fail "the usage does not list --windowed"
    [ ! -s "$work/err" ] || fail "something on stderr"
    ;;
  no_display)
    # SDL's drivers that show nothing are refused, whether SDL falls back on
    # one or is told to use it, with one line and status 1.
    for driver in offscreen dummy ""; do
      for display in "" ":4242"; do
        run 1 env -u WAYLAND_DISPLAY DISPLAY="$display" SDL_VIDEODRIVER="$driver" "$exe" --sdl
        [ "$(wc -l <"$work/err")" -eq 1 ] || fail "not one line (driver '$driver', DISPLAY '$display')"
        grep -q '^vantris: cannot open a display: ' "$work/err" || fail "no display line"
      done
    done
    # The display libraries' own words never reach stderr: with no runtime
    # folder Wayland complains, which goes into the one line when it is about
    # the display asked for.
    run 1 env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u SDL_VIDEODRIVER "$exe" --sdl
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "not one line (no runtime folder)"
    grep -qx 'vantris: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set (SDL .*)' \
      "$work/err" || fail "no display line (no runtime folder)"
    run 1 env -u DISPLAY -u XDG_RUNTIME_DIR -u SDL_VIDEODRIVER WAYLAND_DISPLAY=vantris-none "$exe" --sdl
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "not one line (Wayland, no runtime folder)"
    grep -q '^vantris: cannot open a display: no display answers at WAYLAND_DISPLAY=vantris-none: XDG_RUNTIME_DIR is invalid or not set' \
      "$work/err" || fail "Wayland's reason is not in the line"
    # The headless backend needs none: it starts and runs until stopped.
    run 124 env -u DISPLAY -u WAYLAND_DISPLAY timeout 3 "$exe" --headless
    ;;
  closed_stderr | stderr_no_reader)
    # The game started with its stderr closed, or on a pipe whose reader has
    # gone, says the error box's line of a damaged picture and goes on until
    # stopped: the line goes nowhere, never into a file of the game's (the
    # lock would take descriptor 2 if nothing held it), and the failed
    # write does not end the game.
    game_copy "$exe" "$work/game" ZBAK1B || fail "cannot copy the game"
    if [ "$case_name" = closed_stderr ]; then
      timeout 5 "$work/game/vantris" --headless >"$work/out" 2>&-
      status=$?
    else
      # The reader ends before the game starts.
      (sleep 0.5; exec timeout 5 "$work/game/vantris" --headless 2>&1 >"$work/out") | true
      status=${PIPESTATUS[0]}
    fi
    : >"$work/err"
    [ "$status" -eq 124 ] || fail "the game ended with $status before it was stopped"
    # (The lock holds the game's process id, one line.)
    for lock in "$XDG_RUNTIME_DIR"/*.lock; do
      [ "$(wc -l <"$lock")" -eq 1 ] && [[ "$(cat "$lock")" =~ ^[1-9][0-9]*$ ]] ||
        fail "something was written into the lock $lock: $(cat "$lock")"
    done
    [ ! -s "$work/out" ] || fail "something on stdout"
    ;;
  no_audio)
    # Run inside an X server (xvfb-run): the game shows its title while no
    # sound server answers and ALSA finds no card.  One line says so, and
    # nothing else reaches stderr before Escape (here SIGTERM at the title,
    # which the game takes as the window's close) ends the game with 0.
    unset SDL_AUDIODRIVER
    export PULSE_SERVER="unix:$work/no-pulse" PIPEWIRE_REMOTE="$work/no-pipewire"
    export ALSA_CARD=vantris_no_card
    "$exe" --sdl --windowed >"$work/out" 2>"$work/err" &
    pid=$!
    GAME_PIDS=$pid
    for _ in $(seq 1 300); do
      grep -q 'no audio device' "$work/err" && break
      kill -0 "$pid" 2>/dev/null || fail "the game ended at start-up"
      sleep 0.1
    done
    # The title's first frames, and the music's try at the device.
    wait_for_title root "$work/title.png"
    kill -TERM "$pid"
    wait "$pid"
    status=$?
    GAME_PIDS=""
    [ "$status" -eq 0 ] || fail "the game ended with $status"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "not one line"
    grep -qx 'vantris: no audio device: .*; the game goes on without sound' "$work/err" ||
      fail "no audio line"
    ;;
  *)
    fail "unknown case"
    ;;
esac
echo "cli $case_name: ok"
