#!/usr/bin/env bash
# Reliability campaign of velmora-cli on fleet files (slow; not part of CI). Reports figures:
#   kills    KILLS runs of store, expand, delete, append and upgrade killed (SIGKILL) at a random moment;
#            each fleet must then expand, pass SQLite's integrity check and hold the units of before or
#            after the command, never a mixture
#   pairs    PAIRS pairs of `delete` of two different units of one stored fleet, the second started a
#            few hundredths of a second after the first; an update is lost when both say they deleted
#            and a unit is still there; a writer refused because the other holds the fleet is counted
#            apart
#   inputs   every command run on bad files (empty, junk, truncated, bit-flipped, not a fleet, a
#            folder, unreadable, a FIFO...): exit status and first line of each, crashes and hangs
#            counted
#
#   scripts/fleet-campaign.sh [BUILD_DIR]
# with KILLS=100 PAIRS=40 UNITS=6 HANG_LIMIT=20 (seconds) SEED=$RANDOM by default; INPUTS=0 leaves the bad
# inputs out, KEEP=DIR keeps the folders of damaged fleets there.
# Everything runs in a private temporary home, removed at the end; the report goes to stdout.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
kills=${KILLS:-100}
pairs=${PAIRS:-40}
units=${UNITS:-6}
seed=${SEED:-$RANDOM}
RANDOM=$seed
cli_bin=$PWD/$build/bin/velmora-cli
phone_bin=$PWD/$build/bin/velmora-phone
for tool in "$cli_bin" "$phone_bin"; do
    [ -x "$tool" ] || { echo "fleet-campaign: $tool not built" >&2; exit 2; }
done
command -v sqlite3 >/dev/null || { echo "fleet-campaign: sqlite3 is needed" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/fleet-campaign.XXXXXX")
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
export TMPDIR=$work/tmp QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$TMPDIR" && mkdir -m 700 "$XDG_RUNTIME_DIR"
program=$work/program

cli() { "$cli_bin" --program-folder "$program" "$@"; }
phone() { "$phone_bin" --program-folder "$program" "$@"; }
now_ms() { date +%s%3N; }
imei_of() { printf '35000000000%03d0' "$1"; }

# --- Fleets to start from ---------------------------------------------------------------------------

# base.vlf (stored, UNITS units read from bench phones), plain.vlf, source.vlf (other units), old.vlf
# (a stored fleet without schema version, as the first program versions left them).
make_fleets() {
    cli --help >/dev/null || return 1
    local i models=(24 20 33 30)
    for ((i = 1; i <= units + 2; i++)); do
        phone create "c$i" --model "${models[i % 4]}" --imei "$(imei_of "$i")" --user "User $i" --connect \
            --force >/dev/null || return 1
        if ((i <= units)); then
            cli read-phone "$work/base.vlf" --yes >/dev/null || return 1
        else
            cli read-phone "$work/source.vlf" --yes >/dev/null || return 1
        fi
    done
    cp "$work/base.vlf" "$work/plain.vlf" && cli expand "$work/plain.vlf" >/dev/null || return 1
    cp "$work/plain.vlf" "$work/old.vlf" && sqlite3 "$work/old.vlf" 'DROP TABLE version_num_table' &&
        cli store "$work/old.vlf" >/dev/null
}

# The IMEIs of a fleet file, sorted, one line; "BROKEN: why" when it is not a whole fleet.
fleet_units() {
    local file=$1 look
    look=$(mktemp -d "$work/look.XXXXXX")
    [ -f "$file" ] || { echo "BROKEN: missing"; return; }
    cp "$file" "$look/f.vlf"
    [ -f "$file-journal" ] && cp "$file-journal" "$look/f.vlf-journal" 2>/dev/null
    if ! cli expand "$look/f.vlf" >/dev/null 2>&1; then
        echo "BROKEN: does not expand"
        return
    fi
    local check
    check=$(sqlite3 "$look/f.vlf" 'PRAGMA integrity_check' 2>&1 | head -1)
    [ "$check" = ok ] || { echo "BROKEN: integrity: $check"; return; }
    sqlite3 "$look/f.vlf" 'SELECT unit_imei_num FROM unit_details ORDER BY 1' 2>&1 | tr '\n' ' '
    rm -rf "$look"
}

# --- Kills at random moments ------------------------------------------------------------------------

ops=(store expand delete append upgrade)
declare -A duration tried intact finished broken_list leftovers

# Sets up trial folder $1 for operation $2; prints the command's arguments, one per line.
prepare() {
    local dir=$1 op=$2
    case $op in
    store) cp "$work/plain.vlf" "$dir/fleet.vlf"; printf '%s\n' store "$dir/fleet.vlf" ;;
    expand) cp "$work/base.vlf" "$dir/fleet.vlf"; printf '%s\n' expand "$dir/fleet.vlf" ;;
    delete) cp "$work/base.vlf" "$dir/fleet.vlf"; printf '%s\n' delete "$dir/fleet.vlf" "$(imei_of 2)" --yes ;;
    append)
        cp "$work/base.vlf" "$dir/fleet.vlf"; cp "$work/source.vlf" "$dir/source.vlf"
        printf '%s\n' append "$dir/fleet.vlf" "$dir/source.vlf" ;;
    upgrade) cp "$work/old.vlf" "$dir/fleet.vlf"; printf '%s\n' upgrade "$dir/fleet.vlf" --yes ;;
    esac
}

kill_campaign() {
    local op dir args start i
    local -A before after
    for op in "${ops[@]}"; do
        dir=$(mktemp -d "$work/cal.XXXXXX")
        mapfile -t args < <(prepare "$dir" "$op")
        before[$op]=$(fleet_units "$dir/fleet.vlf")
        start=$(now_ms)
        cli "${args[@]}" >/dev/null 2>&1 || echo "fleet-campaign: $op fails undisturbed" >&2
        duration[$op]=$(($(now_ms) - start))
        after[$op]=$(fleet_units "$dir/fleet.vlf")
        tried[$op]=0 intact[$op]=0 finished[$op]=0 broken_list[$op]="" leftovers[$op]=0
    done
    for ((i = 0; i < kills; i++)); do
        op=${ops[RANDOM % ${#ops[@]}]}
        dir=$(mktemp -d "$work/kill.XXXXXX")
        mapfile -t args < <(prepare "$dir" "$op")
        # A moment within the command's undisturbed run time (with some reserve for a slower run).
        local delay=$((RANDOM % (duration[$op] * 12 / 10 + 1)))
        cli "${args[@]}" >/dev/null 2>&1 &
        local pid=$!
        sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
        if kill -KILL "$pid" 2>/dev/null; then :; else finished[$op]=$((finished[$op] + 1)); fi
        wait "$pid" 2>/dev/null
        tried[$op]=$((tried[$op] + 1))
        local got
        got=$(fleet_units "$dir/fleet.vlf")
        if [ "$got" = "${before[$op]}" ] || [ "$got" = "${after[$op]}" ]; then
            intact[$op]=$((intact[$op] + 1))
        else
            broken_list[$op]+="    at ${delay} ms: $got"$'\n'
        fi
        # Files the killed run left beside the fleet (temporaries, backups).
        local extra
        extra=$(find "$dir" -mindepth 1 -maxdepth 1 ! -name fleet.vlf ! -name source.vlf | wc -l)
        leftovers[$op]=$((leftovers[$op] + extra))
        rm -rf "$dir"
    done
    echo "== Kills at random moments (SIGKILL) =="
    local total=0 whole=0 early=0
    for op in "${ops[@]}"; do
        printf '  %-8s run %5d ms undisturbed: %3d runs (%3d killed, %2d done first), %3d fleets intact, %3d files left beside them\n' \
            "$op" "${duration[$op]}" "${tried[$op]}" "$((tried[$op] - finished[$op]))" "${finished[$op]}" \
            "${intact[$op]}" "${leftovers[$op]}"
        [ -n "${broken_list[$op]}" ] && printf '%s' "${broken_list[$op]}"
        total=$((total + tried[$op])) whole=$((whole + intact[$op])) early=$((early + finished[$op]))
    done
    echo "  total: $total runs, $((total - early)) killed before they ended, $whole fleets intact," \
        "$((total - whole)) lost or damaged"
}

# --- Concurrent writers -----------------------------------------------------------------------------

# One writer of a pair: "lost" (said done, its unit still there), "refused" (said no, its unit still
# there), "done" (said done, its unit gone) or "false-failure" (said no, its unit gone anyway).
writer_outcome() {
    local status=$1 present=$2
    if ((status == 0)); then
        ((present)) && echo lost || echo done
    else
        ((present)) && echo refused || echo false-failure
    fi
}

pair_campaign() {
    local i a b lost_pairs=0 lost=0 refused=0 both=0 damaged=0 false_failures=0
    local -A reasons=()
    for ((i = 0; i < pairs; i++)); do
        local dir
        dir=$(mktemp -d "$work/pair.XXXXXX")
        cp "$work/base.vlf" "$dir/fleet.vlf"
        a=$(imei_of $((1 + RANDOM % units)))
        b=$a
        while [ "$b" = "$a" ]; do b=$(imei_of $((1 + RANDOM % units))); done
        local gap=$((RANDOM % 8))
        cli delete "$dir/fleet.vlf" "$a" --yes >"$dir/a.out" 2>&1 &
        local pa=$!
        sleep "0.0$gap"
        cli delete "$dir/fleet.vlf" "$b" --yes >"$dir/b.out" 2>&1 &
        local pb=$!
        wait "$pa"
        local sa=$?
        wait "$pb"
        local sb=$?
        local left
        left=$(fleet_units "$dir/fleet.vlf")
        if [[ $left == BROKEN* ]]; then
            damaged=$((damaged + 1))
            reasons["fleet left damaged ($left)"]=$((${reasons["fleet left damaged ($left)"]:-0} + 1))
            [ -n "${KEEP:-}" ] && mkdir -p "$KEEP" && cp -r "$dir" "$KEEP/pair-$i"
            rm -rf "$dir"
            continue
        fi
        local oa ob pair_lost=0 side
        oa=$(writer_outcome "$sa" "$([[ $left == *"$a"* ]] && echo 1 || echo 0)")
        ob=$(writer_outcome "$sb" "$([[ $left == *"$b"* ]] && echo 1 || echo 0)")
        for side in a b; do
            local outcome=$oa
            [ $side = b ] && outcome=$ob
            case $outcome in
            lost) lost=$((lost + 1)) pair_lost=1 ;;
            refused)
                refused=$((refused + 1))
                local why
                why=$(grep -v '^QStandardPaths' "$dir/$side.out" | head -1 | sed "s|$dir/||g")
                reasons["refused: $why"]=$((${reasons["refused: $why"]:-0} + 1))
                ;;
            false-failure) false_failures=$((false_failures + 1)) ;;
            esac
        done
        ((pair_lost)) && lost_pairs=$((lost_pairs + 1))
        [ "$oa" = done ] && [ "$ob" = done ] && both=$((both + 1))
        rm -rf "$dir"
    done
    echo "== Concurrent deletes of two units of one stored fleet (second started 0-70 ms later) =="
    echo "  $pairs pairs: $both with both deletions done, $lost_pairs with an update lost" \
        "($lost writers said done and their unit is still there), $refused writers refused (unit kept)," \
        "$false_failures writers said no yet their unit went, $damaged fleets left damaged"
    local reason
    for reason in "${!reasons[@]}"; do
        printf '    %3d x %s\n' "${reasons[$reason]}" "$reason"
    done
}

# --- Bad inputs -------------------------------------------------------------------------------------

make_bad_inputs() {
    local bad=$work/bad
    mkdir -p "$bad"
    : >"$bad/empty.vlf"
    head -c 8192 /dev/urandom >"$bad/junk.vlf"
    local size
    size=$(stat -c %s "$work/base.vlf")
    head -c $((size / 2)) "$work/base.vlf" >"$bad/truncated-stored.vlf"
    size=$(stat -c %s "$work/plain.vlf")
    head -c $((size / 2)) "$work/plain.vlf" >"$bad/truncated-plain.vlf"
    flip "$work/base.vlf" "$bad/flipped-stored.vlf"
    flip "$work/plain.vlf" "$bad/flipped-plain.vlf"
    head -c 40 "$work/base.vlf" >"$bad/header-only.vlf"
    sqlite3 "$bad/other-sqlite.vlf" 'CREATE TABLE notes(t TEXT); INSERT INTO notes VALUES (1)'
    cp "$work/plain.vlf" "$bad/no-units-table.vlf" && sqlite3 "$bad/no-units-table.vlf" 'DROP TABLE unit_details'
    mkdir "$bad/folder.vlf"
    cp "$work/base.vlf" "$bad/unreadable.vlf" && chmod 000 "$bad/unreadable.vlf"
    cp "$work/base.vlf" "$bad/read-only.vlf" && chmod 444 "$bad/read-only.vlf"
    ln -s "loop.vlf" "$bad/loop.vlf"
    ln -s "nowhere/none.vlf" "$bad/dangling.vlf"
    mkfifo "$bad/fifo.vlf"
    cp "$work/plain.vlf" "$bad/not-a-fleet-name.txt"
}

# Copies byte $offset (the middle) of $1 to $2 with its bits inverted.
flip() {
    cp "$1" "$2"
    local size offset byte
    size=$(stat -c %s "$1")
    offset=$((size / 2))
    byte=$(od -An -tu1 -j "$offset" -N1 "$1" | tr -d ' ')
    printf "$(printf '\\%03o' $((255 - byte)))" | dd of="$2" bs=1 seek="$offset" conv=notrunc status=none
}

input_campaign() {
    make_bad_inputs
    local -a commands=(info store expand "upgrade --yes" units "show $(imei_of 1)" "delete $(imei_of 1) --yes"
        talkgroups "append-into" "append-from")
    local limit=${HANG_LIMIT:-20} runs=0 crashes=0 hangs=0 successes=0 name command file status first
    echo "== Bad inputs (exit status: first line printed) =="
    for file in "$work"/bad/*; do
        name=$(basename "$file")
        echo "  $name"
        for command in "${commands[@]}"; do
            # Each run gets its own copy, so one command's change does not feed the next.
            local dir target
            dir=$(mktemp -d "$work/input.XXXXXX")
            if [ -L "$file" ] || [ -d "$file" ] || [ -p "$file" ]; then
                target=$file
            else
                target=$dir/$name
                cp -p "$file" "$target" 2>/dev/null || { chmod u+r "$file"; cp -p "$file" "$target"; chmod 000 "$file"; }
            fi
            local -a args
            case $command in
            append-into) cp "$work/source.vlf" "$dir/good.vlf"; args=(append "$target" "$dir/good.vlf") ;;
            append-from) cp "$work/base.vlf" "$dir/good.vlf"; args=(append "$dir/good.vlf" "$target") ;;
            *) read -ra args <<<"$command"; args=("${args[0]}" "$target" "${args[@]:1}") ;;
            esac
            # (In a subshell of its own, so the shell's note about a killed job stays out of the report.)
            (timeout -s KILL "$limit" "$cli_bin" --program-folder "$program" "${args[@]}" >"$dir/out" 2>&1 \
                </dev/null) 2>/dev/null
            status=$?
            first=$(grep -v '^QStandardPaths' "$dir/out" | head -1)
            runs=$((runs + 1))
            if ((status == 137)); then
                hangs=$((hangs + 1)); first="HANG (killed after $limit s)"
            elif ((status > 128)); then
                crashes=$((crashes + 1)); first="CRASH (signal $((status - 128))) $first"
            elif ((status == 0)); then
                successes=$((successes + 1))
            fi
            printf '    %-28s %3d: %s\n' "${command%% *}" "$status" "${first//$dir\//}"
            rm -rf "$dir"
        done
    done
    echo "  total: $runs runs, $crashes crashes, $hangs hangs, $successes exited 0"
    [ "$(id -u)" = 0 ] && echo "  (run as root: unreadable.vlf and read-only.vlf do not stop root's own access)"
}

make_fleets || { echo "fleet-campaign: cannot make the starting fleets" >&2; exit 1; }
echo "fleet-campaign: $units units per fleet, seed $seed, $(date -u +%FT%TZ)"
((kills > 0)) && kill_campaign
((pairs > 0)) && pair_campaign
((${INPUTS:-1})) && input_campaign
exit 0
