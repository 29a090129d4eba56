#!/usr/bin/env bash
# Runs wordvane-typos as a user would: arguments, standard input, a word
# list, bad options, text in either encoding, CSV, a line of megabytes, and
# a thousand keywords in one go.
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

for bad in "--max" "--max x" "--max 3x" "--max 100001" "--max 18446744073709551615" "--frobnicate" "--dict"; do
  # shellcheck disable=SC2086
  "$tool" camera $bad >/dev/null 2>"$tmp/err"
  code=$?
  check "'$bad' exits 2 with usage" '[[ $code == 2 ]] && grep -q "^usage:" "$tmp/err"'
done

"$tool" </ >/dev/null 2>"$tmp/err"
code=$?
check "a directory as standard input fails" '[[ $code == 1 ]] && grep -q directory "$tmp/err"'

{ "$tool" --max 5 café; printf 'caf\xe9\n' | "$tool" --max 5; } >"$tmp/utf8"
check "UTF-8 or Windows-1252 in, valid UTF-8 out" \
  '[[ $(cut -f1 "$tmp/utf8" | sort -u) == café ]] && iconv -f UTF-8 -t UTF-8 "$tmp/utf8" >/dev/null'

"$tool" --csv --max 1 -- '-canon "a,b"' >"$tmp/csv"
header=$'\xef\xbb\xbfKeyword,Rank,Misspelt Keyword,Kind\r' record=$'"\'-canon ""a,b""",1,"\'-'
check "CSV: mark, header, quotes, formula defence" \
  '[[ $(sed -n 1p "$tmp/csv") == "$header" && $(sed -n 2p "$tmp/csv") == "$record"* ]]'

# A line of 20 MB: cut, noted, and read in little memory (it once took
# gigabytes: every output line held the whole line).
{ yes "camera lens" | head -c 20000000 | tr '\n' ' '; printf '\ncamera\n'; } >"$tmp/long"
if [[ -x /usr/bin/time ]]; then
  /usr/bin/time -f %M -o "$tmp/rss" "$tool" <"$tmp/long" >"$tmp/long.out" 2>"$tmp/err"
  check "a huge line in under 50 MB" '(( $(tail -1 "$tmp/rss") < 50000 ))'
else
  "$tool" <"$tmp/long" >"$tmp/long.out" 2>"$tmp/err"
fi
check "a huge line is cut to the engine's length, with a note" \
  '[[ $(cut -f1 "$tmp/long.out" | uniq | awk "{ print length }" | paste -sd,) == 1024,6 ]] &&
   grep -q "line 1: keyword cut" "$tmp/err"'

for i in $(seq 1000); do echo "keyword$((i % 7))camera"; done >"$tmp/many"
start=$(date +%s%N)
"$tool" <"$tmp/many" >"$tmp/many.out"
ms=$(( ($(date +%s%N) - start) / 1000000 ))
check "a thousand keywords, all listed" '[[ $(cut -f1 "$tmp/many.out" | uniq | wc -l) == 1000 ]]'
echo "1000 keywords: ${ms} ms"

[[ $fail == 0 ]] && echo "wordvane-typos: all checks passed"
exit $fail
