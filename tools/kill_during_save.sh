#!/usr/bin/env bash
# Kills zarvex-cli with SIGKILL at random moments while it saves a 100,000-item
# design over an earlier one, and checks after every kill that the saved file is
# either the complete earlier file or the complete new one.
#
#   tools/kill_during_save.sh [ZARVEX_CLI] [RUNS]
#
# Prints one line per outcome and exits 1 when any run left anything else.
set -euo pipefail

cli=${1:-build/app/zarvex-cli}
runs=${2:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A killed zarvex-cli cannot remove its scratch folder: keep those in here too.
export TMPDIR=$work

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
    sleep "$(printf '0.%06d' "$delay")" 2>/dev/null || sleep "$((delay / 1000000))"
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
[[ $bad -eq 0 ]]
