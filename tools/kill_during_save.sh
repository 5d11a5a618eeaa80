#!/usr/bin/env bash
# Kills zarvex-cli with SIGKILL at random moments while it saves a 100,000-item
# design over an earlier one, and checks after every kill that the saved file is
# either the complete earlier file or the complete new one. Then does the same for
# saves in place (a file with a second name, RUNS / 5 of them): a file cut short
# must have its complete new text beside it. Then saves into a folder that takes no
# new file (RUNS / 5): a file cut short must have its complete new text kept in the
# state folder. Then publishes of such a design over an
# earlier publish (RUNS / 5 of them): every
# file is old or new, the page is never newer than the project file, and the
# next publish leaves no temporary file and no scratch folder behind.
#
#   tools/kill_during_save.sh [ZARVEX_CLI] [RUNS]
#
# Prints one line per outcome and exits 1 when any run left anything else.
set -euo pipefail

cli=${1:-build/app/zarvex-cli}
runs=${2:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A killed zarvex-cli cannot remove its scratch folder: keep those in here too, and
# the copies that saves in place keep in the state folder.
export TMPDIR=$work
export XDG_STATE_HOME=$work/state

# Two designs of 100,000 items that differ in every line. Links are long enough
# that the reader's memory limit for a file of this size is not reached.
python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
for name, word in (("old", "Earlier"), ("new", "Later")):
    with open(f"{work}/{name}.gms", "w", newline="") as f:
        f.write("<Product_Name>\r\nGeneral Menu Structure Description Format\r\n</Product_Name>\r\n"
                "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n<Structure_Description>\r\n")
        for i in range(100000):
            level = 0 if i % 10 == 0 else 1
            link = f"https://www.example.org/{word.lower()}/section-{i // 10}/" + "page-" * 24 + f"{i}.html"
            f.write(f"{level}#$@{word} {i}#$@#$@{link}#$@Tip {i}#$@\r\n")
        f.write("</Structure_Description>\r\n")
PY
"$cli" import-gms "$work/old.gms" "$work/old.zarvex"
"$cli" import-gms "$work/new.gms" "$work/new.zarvex"
old_sum=$(sha256sum <"$work/old.zarvex")
# A moment in the last third of a save and a little beyond, where a save in place
# writes (reading and checking the input comes first), in microseconds.
late_delay() {
    local d=$((RANDOM * 32768 + RANDOM))
    echo $((span_us * 2 / 3 + d % (span_us / 3 + span_us / 10)))
}
# Files under a folder that may not exist.
count_files() { { find "$1" -type f 2>/dev/null || true; } | wc -l; }
new_sum=$(sha256sum <"$work/new.zarvex")

# How long one save takes, to spread the kills over it.
start=$(date +%s%N)
"$cli" import-gms "$work/new.gms" "$work/timed.zarvex"
span_us=$((($(date +%s%N) - start) / 1000))
echo "one save takes $((span_us / 1000)) ms; $runs runs"

old=0 new=0 bad=0 temporaries=0
for ((run = 0; run < runs; run++)); do
    mkdir -p "$work/run"
    cp "$work/old.zarvex" "$work/run/menu.zarvex"
    "$cli" import-gms "$work/new.gms" "$work/run/menu.zarvex" &
    pid=$!
    delay=$((RANDOM * 32768 + RANDOM))
    delay=$((delay % (span_us + span_us / 5)))
    sleep "$(printf '%d.%06d' "$((delay / 1000000))" "$((delay % 1000000))")"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    sum=$(sha256sum <"$work/run/menu.zarvex")
    if [[ $sum == "$old_sum" ]]; then
        old=$((old + 1))
    elif [[ $sum == "$new_sum" ]]; then
        new=$((new + 1))
    else
        bad=$((bad + 1))
        echo "run $run: the file is neither the old nor the new one (killed after ${delay} us)"
    fi
    # A killed save cannot remove its temporary file; it never stands in for the file.
    temporaries=$((temporaries + $(find "$work/run" -name '.menu.zarvex.~*' | wc -l)))
    rm -rf "$work/run"
    if (((run + 1) % 25 == 0)); then
        echo "after $((run + 1)) runs: old $old, new $new, anything else $bad"
    fi
done
echo "old file complete: $old"
echo "new file complete: $new"
echo "anything else:     $bad"
echo "temporary files left by killed saves: $temporaries"
# The next save of the same file removes what killed saves left.
mkdir -p "$work/run"
cp "$work/old.zarvex" "$work/run/menu.zarvex"
for ((k = 0; k < 5; k++)); do
    "$cli" import-gms "$work/new.gms" "$work/run/menu.zarvex" &
    pid=$!
    sleep 0.$((RANDOM % 9 + 1))
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
done
left_before=$(find "$work/run" -name '.menu.zarvex.~*' | wc -l)
"$cli" import-gms "$work/new.gms" "$work/run/menu.zarvex"
left_after=$(find "$work/run" -name '.menu.zarvex.~*' | wc -l)
echo "temporary files of killed saves: $left_before, after the next save: $left_after"
rm -rf "$work/run"

# Saves in place (the file has a second name, so it is rewritten where it is): a kill
# part-way may cut the file short, but then its complete new text lies beside it.
# Kills land late in the save, where it writes.
inplace_runs=$((runs / 5))
mkdir -p "$work/run"
cp "$work/old.zarvex" "$work/run/menu.zarvex"
ln "$work/run/menu.zarvex" "$work/run/second-name.zarvex"
start=$(date +%s%N)
"$cli" import-gms "$work/new.gms" "$work/run/menu.zarvex"
span_us=$((($(date +%s%N) - start) / 1000))
rm -rf "$work/run"
echo "one save in place takes $((span_us / 1000)) ms; $inplace_runs runs"
in_old=0 in_new=0 in_recoverable=0 in_lost=0 in_kept=0
for ((run = 0; run < inplace_runs; run++)); do
    mkdir -p "$work/run"
    cp "$work/old.zarvex" "$work/run/menu.zarvex"
    ln "$work/run/menu.zarvex" "$work/run/second-name.zarvex"
    "$cli" import-gms "$work/new.gms" "$work/run/menu.zarvex" &
    pid=$!
    delay=$(late_delay)
    sleep "$(printf '%d.%06d' "$((delay / 1000000))" "$((delay % 1000000))")"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    sum=$(sha256sum <"$work/run/menu.zarvex")
    if [[ $sum == "$old_sum" ]]; then
        in_old=$((in_old + 1))
    elif [[ $sum == "$new_sum" ]]; then
        in_new=$((in_new + 1))
    else
        complete=0
        for copy in "$work"/run/.menu.zarvex.~*; do
            [[ -f $copy && $(sha256sum <"$copy") == "$new_sum" ]] && complete=1
        done
        if ((complete)); then
            in_recoverable=$((in_recoverable + 1))
        else
            in_lost=$((in_lost + 1))
            echo "in-place run $run: cut short without the complete text beside it"
        fi
    fi
    in_kept=$((in_kept + $(count_files "$XDG_STATE_HOME")))
    rm -rf "$work/run" "$XDG_STATE_HOME"
done
echo "in place: old $in_old, new $in_new, cut short with the complete text beside it" \
    "$in_recoverable, cut short without it $in_lost; earlier texts kept in the state folder $in_kept"

# Saves in place because the folder takes no new file: the copies go to the state
# folder, and a file cut short must have its complete new text there. As root the
# saving tool runs as nobody, for whom the folder's permissions hold.
nf_runs=$((runs / 5))
find "$XDG_STATE_HOME" -type f -delete 2>/dev/null || true
mkdir -p "$XDG_STATE_HOME" "$work/nf-tmp"
as_user=()
if ((EUID == 0)); then
    chmod 755 "$work"
    chown 65534:65534 "$XDG_STATE_HOME" "$work/nf-tmp"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
closed_folder() {
    mkdir -p "$work/run"
    cp "$work/old.zarvex" "$work/run/menu.zarvex"
    ((EUID == 0)) && chown 65534:65534 "$work/run/menu.zarvex"
    chmod 555 "$work/run"
}
closed_save() {
    TMPDIR=$work/nf-tmp "${as_user[@]}" "$cli" import-gms "$work/new.gms" "$work/run/menu.zarvex"
}
closed_folder
start=$(date +%s%N)
closed_save
span_us=$((($(date +%s%N) - start) / 1000))
[[ $(sha256sum <"$work/run/menu.zarvex") == "$new_sum" ]] || echo "the closed folder's save failed"
chmod 755 "$work/run" && rm -rf "$work/run"
echo "one save into a folder that takes no new file takes $((span_us / 1000)) ms; $nf_runs runs"
nf_old=0 nf_new=0 nf_recoverable=0 nf_lost=0 nf_kept=0
for ((run = 0; run <= nf_runs; run++)); do
    closed_folder
    TMPDIR=$work/nf-tmp "${as_user[@]}" "$cli" import-gms "$work/new.gms" "$work/run/menu.zarvex" &
    pid=$!
    delay=$(late_delay)
    # The last kill comes near the end, for the next save to clear up after.
    ((run == nf_runs)) && delay=$((span_us * 19 / 20))
    sleep "$(printf '%d.%06d' "$((delay / 1000000))" "$((delay % 1000000))")"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    ((run == nf_runs)) && break
    sum=$(sha256sum <"$work/run/menu.zarvex")
    if [[ $sum == "$old_sum" ]]; then
        nf_old=$((nf_old + 1))
    elif [[ $sum == "$new_sum" ]]; then
        nf_new=$((nf_new + 1))
    else
        complete=0
        for copy in "$XDG_STATE_HOME"/zarvex/kept/*.new; do
            [[ -f $copy && $(sha256sum <"$copy") == "$new_sum" ]] && complete=1
        done
        if ((complete)); then
            nf_recoverable=$((nf_recoverable + 1))
        else
            nf_lost=$((nf_lost + 1))
            echo "closed-folder run $run: cut short without the complete text kept"
        fi
    fi
    nf_kept=$((nf_kept + $(count_files "$XDG_STATE_HOME")))
    find "$XDG_STATE_HOME" -type f -delete
    chmod 755 "$work/run" && rm -rf "$work/run"
done
# The next save of the same file removes what the killed save kept for it.
nf_kept_before=$(count_files "$XDG_STATE_HOME")
closed_save
nf_kept_after=$(count_files "$XDG_STATE_HOME")
chmod 755 "$work/run" && rm -rf "$work/run"
echo "no new file: old $nf_old, new $nf_new, cut short with the complete text kept" \
    "$nf_recoverable, cut short without it $nf_lost"
echo "no new file: copies kept by killed saves $nf_kept; of a save killed near its end" \
    "$nf_kept_before, after the next save $nf_kept_after"

# Publishes: the earlier publish and the files a complete new one gives.
publish_runs=$((runs / 5))
files="menu.zarvex menu.html menu_PublishReport.txt MyMenu1.css MyMenu1cfg.js"
"$cli" publish "$work/old.zarvex" --to "$work/pub-old" --name menu.zarvex 2>/dev/null
"$cli" publish "$work/new.zarvex" --to "$work/pub-new" --name menu.zarvex 2>/dev/null
declare -A old_sums new_sums
for f in $files; do
    old_sums[$f]=$(sha256sum <"$work/pub-old/$f")
    new_sums[$f]=$(sha256sum <"$work/pub-new/$f")
done
start=$(date +%s%N)
cp -r "$work/pub-old" "$work/run"
"$cli" publish "$work/new.zarvex" --to "$work/run" --name menu.zarvex --force 2>/dev/null
span_us=$((($(date +%s%N) - start) / 1000))
rm -rf "$work/run"
echo "one publish takes $((span_us / 1000)) ms; $publish_runs runs"

mixed=0 page_first=0 pub_temporaries=0 scratch=0
for ((run = 0; run < publish_runs; run++)); do
    cp -r "$work/pub-old" "$work/run"
    "$cli" publish "$work/new.zarvex" --to "$work/run" --name menu.zarvex --force 2>/dev/null &
    pid=$!
    delay=$((RANDOM * 32768 + RANDOM))
    delay=$((delay % (span_us + span_us / 5)))
    sleep "$(printf '%d.%06d' "$((delay / 1000000))" "$((delay % 1000000))")"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    declare -A state=()
    for f in $files; do
        sum=$(sha256sum <"$work/run/$f")
        if [[ $sum == "${old_sums[$f]}" ]]; then
            state[$f]=old
        elif [[ $sum == "${new_sums[$f]}" ]]; then
            state[$f]=new
        else
            state[$f]=other
            mixed=$((mixed + 1))
            echo "publish run $run: $f is neither old nor new (killed after ${delay} us)"
        fi
    done
    if [[ ${state[menu.html]} == new && ${state[menu.zarvex]} == old ]]; then
        page_first=$((page_first + 1))
        echo "publish run $run: the new page stands beside the old project file"
    fi
    pub_temporaries=$((pub_temporaries + $(find "$work/run" -name '.*.~*' | wc -l)))
    # The next publish cleans up after the killed one.
    "$cli" publish "$work/new.zarvex" --to "$work/run" --name menu.zarvex --force 2>/dev/null
    left=$(find "$work/run" -name '.*.~*' | wc -l)
    if ((left > 0)); then
        echo "publish run $run: $left temporary files survive the next publish"
        mixed=$((mixed + left))
    fi
    scratch=$(find "$work" -maxdepth 1 -name 'zarvex-cli-*' | wc -l)
    rm -rf "$work/run"
done
echo "publishes: files neither old nor new, or left after the next publish: $mixed"
echo "publishes: new page beside the old project file: $page_first"
echo "temporary files left by killed publishes: $pub_temporaries"
echo "scratch folders left after the next run: $scratch"
[[ $bad -eq 0 && $left_after -eq 0 && $in_lost -eq 0 && $nf_lost -eq 0 && $nf_kept_after -eq 0 &&
    $mixed -eq 0 && $page_first -eq 0 && $scratch -eq 0 ]]
