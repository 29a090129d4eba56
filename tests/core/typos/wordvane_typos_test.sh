#!/usr/bin/env bash
# Runs wordvane-typos as a user would: arguments, standard input, a word
# list, bad options, and a thousand keywords in one go.
set -uo pipefail
tool=$1
fail=0
check() { if ! eval "$2"; then echo "FAILED: $1"; fail=1; fi; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$tool" --max 3 camera "canon lens" >"$tmp/args"
check "three lines a keyword" '[[ $(grep -c "^camera	" "$tmp/args") == 3 && $(grep -c "^canon lens	" "$tmp/args") == 3 ]]'
check "four tab-separated fields, ranks from 1" \
  '[[ $(awk -F"\t" "NF!=4 || \$2!=(NR-1)%3+1" "$tmp/args" | wc -l) == 0 ]]'
check "kind names" 'cut -f4 "$tmp/args" | grep -qx "missing letter"'

printf 'camera\r\nlens\n' | "$tool" --max 2 >"$tmp/stdin"
check "keywords from standard input" '[[ $(cut -f1 "$tmp/stdin" | uniq | paste -sd,) == camera,lens ]]'

top=$("$tool" --max 1 camera | cut -f3)
printf 'x\n%s\n' "${top^^}" >"$tmp/words"
check "--dict leaves real words out, case aside" \
  '! "$tool" --dict "$tmp/words" camera | cut -f3 | grep -qx "$top"'

for bad in "--max" "--max x" "--max 3x" "--frobnicate" "--dict"; do
  # shellcheck disable=SC2086
  "$tool" camera $bad >/dev/null 2>"$tmp/err"
  code=$?
  check "'$bad' exits 2 with usage" '[[ $code == 2 ]] && grep -q "^usage:" "$tmp/err"'
done

for i in $(seq 1000); do echo "keyword$((i % 7))camera"; done >"$tmp/many"
start=$(date +%s%N)
"$tool" <"$tmp/many" >"$tmp/many.out"
ms=$(( ($(date +%s%N) - start) / 1000000 ))
check "a thousand keywords, all listed" '[[ $(cut -f1 "$tmp/many.out" | uniq | wc -l) == 1000 ]]'
echo "1000 keywords: ${ms} ms"

[[ $fail == 0 ]] && echo "wordvane-typos: all checks passed"
exit $fail
