#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/, then runs each for MINUTES from
# a seed corpus in build-fuzz/corpus/<target> and prints a summary per target:
# runs, final coverage, and the crashes found with their artifacts.
#
#   scripts/fuzz.sh MINUTES [TARGET...]    # default: every fuzz_* target
#
# Seeds: fuzz_xlsx_workbook gets tests/data/*.xlsx and the hostile workbooks of
# the reader's tests; fuzz_xls_workbook tests/data/*.xls (and the legacy samples
# of the reader's tests when build/ has their writer); fuzz_links fuzz/seeds/links
# and a few results pages written here; fuzz_number_format a few values and
# format codes; fuzz_ticket_file ticket files of every form and number lists;
# fuzz_history_csv CSV histories of several games, separators and quotings.
# Not part of CI. Exits non-zero when a target found a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh MINUTES [TARGET...]" >&2
  exit 2
fi
minutes="$1"
shift
build=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -DNUMERON_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for exe in "$build"/fuzz/fuzz_*; do
    [ -f "$exe" ] && [ -x "$exe" ] && targets+=("$(basename "$exe")")
  done
fi

# A results page with workbook links, as the link parser reads them.
write_page() {
  printf '%s' "$2" >"$1"
}

seed_links() {
  local dir="$1"
  cp -n fuzz/seeds/links/* "$dir"/ 2>/dev/null || true
  write_page "$dir/page-absolute.html" '<html><body><a href="/files/results(19.06.2024 10:00:00).xlsx">Скачать</a>
<a href="/files/results(22.06.2024 10:00:00).xlsx">newer</a></body></html>'
  write_page "$dir/page-relative.html" "<a href='files/Тиражи(26.06.2024 10:00:00).xlsx'>x</a><a href=\"../old.xls\">y</a>"
  write_page "$dir/page-broken.html" '<a href="/files/results(31.02.2024 25:61:00).xlsx"><a href=<a href="'
  write_page "$dir/page-entities.html" '<A HREF="/f/r%2819.06.2024%2010%3A00%3A00%29.xlsx?x=1&amp;y=2">a</A>'
}

# Eight bytes of a double, then a format code.
seed_number_formats() {
  local dir="$1" i=0 value code
  for value in '\x00\x00\x00\x00\x00\x00\xf0\x3f' '\x9c\x75\x00\x88\x3c\xe4\xe3\x7f' \
    '\x01\x00\x00\x00\x00\x00\x00\x00' '\x00\x00\x00\x00\x00\x00\xf0\x7f'; do
    for code in '0.00%' '#,##0.00' '0.00E+00' '# ?/?' 'dd.mm.yyyy hh:mm' '[h]:mm:ss' \
      '[$₽-419]#,##0,," млн"' 'General'; do
      i=$((i + 1))
      { printf "$value"; printf '%s' "$code"; } >"$dir/seed-$i"
    done
  done
}

# Ticket files in every form (plain, CSV with and without its header, quoted
# fields, a label over two lines, a JSON list), and number lists.
seed_ticket_files() {
  local dir name
  dir="$(mktemp -d)"
  printf '\xef\xbb\xbfticket,b1,b2,b3,b4,b5,b6\r\n1,6,5,4,3,2,1\r\n2,7,8,9,10,11,49\r\n' >"$dir/csv"
  printf '1 2 3 4 5 6\n\n 7;8;9, 10 ,11\t12\n' >"$dir/plain"
  printf 'ticket;b1;b2;b3;b4;b5;b6\nA;1;2;3;4;5;5\n' >"$dir/repeat"
  printf '"ticket","b1","b2","b3","b4","b5","b6"\r\n"A, ""B""\r\nC","1","2","3","4","5","6"\r\n' >"$dir/quoted"
  printf '1,1,2,3,4,5,6\r\n2,7,8,9,10,11,12\r\n' >"$dir/headerless"
  printf '[\n  {"ticket": 1, "b1": 1, "b2": 2, "b3": 3, "b4": 4, "b5": 5, "b6": 6},\n  {"b6": "9", "b1": 7, "b2": 8, "b3": 10, "b4": 11, "b5": 12, "x": null}\n]\n' >"$dir/json"
  printf '3,7,11-15 20-25' >"$dir/numbers"
  printf '3 из 6' >"$dir/guarantee"
  # The first byte chooses the game: 0 6/49 (the seeds above), 1 5/36, 2 7/49, 3 5/45+1/20.
  for name in "$dir"/*; do
    { printf '\0'; cat "$name"; } >"$name.tmp" && mv "$name.tmp" "$name"
  done
  printf '\1ticket,b1,b2,b3,b4,b5\n1,36,1,2,3,4\n' >"$dir/five"
  printf '\2[{"b1": 1, "b2": 2, "b3": 3, "b4": 4, "b5": 5, "b6": 6, "b7": 49}]' >"$dir/seven"
  printf '\3ticket;b1;b2;b3;b4;b5;x1\n"A; 1";45;1;2;3;4;"20"\n5 4 3 2 1 + 7\n' >"$dir/two-drum"
  cp "$dir"/* "$1"/ && rm -r "$dir"
}

# CSV histories: found columns, named ones, newest first, quotes, bad rows.
seed_history_csv() {
  local dir="$1"
  printf '\xef\xbb\xbfdate,b1,b2,b3,b4,b5,b6\r\n2024-01-05,1,2,3,4,5,6\r\n2024-01-05,7,8,9,10,11,49\r\n' >"$dir/found"
  printf 'Тираж;Дата;Шар 1;Шар 2;Шар 3;Шар 4;Шар 5;prize5\n3;03.01.2024;1;2;3;4;36;"1000,50"\n2;2.1.2024;5;6;7;8;9;\n' >"$dir/semicolons"
  printf 'tir\tdate\tb1\tb2\tb3\tb4\tb5\tx1\tprize5+1\tnote\n7\t2024-02-01\t1\t2\t3\t4\t45\t20\t99\t"a\nb"\n' >"$dir/two-drums"
  printf 'date,a,b,c,d,e\n2024-03-02,1,2,3,4,5\n2024-03-01,1,2,3,4,99\n2024-02-28,1,2,3,4,5\n' >"$dir/newest-first"
  printf '"date","1","2","3","4","5"\n"2024-01-01","1","1","2","3","4"\n"2024-01-02,"1,2,3,4,5\n' >"$dir/bad"
}

seed_corpus() {
  local target="$1" dir="$2"
  case "$target" in
    fuzz_xlsx_workbook)
      cp -n tests/data/*.xlsx "$dir"/ 2>/dev/null || true
      "$build"/numeron_write_hostile_workbooks "$dir" >/dev/null
      ;;
    fuzz_xls_workbook)
      cp -n tests/data/*.xls "$dir"/ 2>/dev/null || true
      # The legacy workbooks of the reader's tests, when a test build has the writer.
      local writer
      writer="$(find build -maxdepth 3 -type f -name write_xls_samples -perm -u+x 2>/dev/null | head -1)"
      [ -n "$writer" ] && "$writer" "$dir" || true
      ;;
    fuzz_links) seed_links "$dir" ;;
    fuzz_number_format) seed_number_formats "$dir" ;;
    fuzz_ticket_file) seed_ticket_files "$dir" ;;
    fuzz_history_csv) seed_history_csv "$dir" ;;
  esac
}

status=0
summary=()
for target in "${targets[@]}"; do
  exe="$build/fuzz/$target"
  if [ ! -f "$exe" ] || [ ! -x "$exe" ]; then
    summary+=("$target: no such target in $build/fuzz")
    status=1
    continue
  fi
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  log="$build/logs/$target.log"
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  seed_corpus "$target" "$corpus"
  echo "=== $target: $minutes min from $(find "$corpus" -type f | wc -l) inputs (log: $log)"
  result=0
  "$exe" "$corpus" -max_total_time=$((minutes * 60)) -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1 || result=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  coverage="$(grep -E '^#[0-9]+' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)"
  crashes="$(grep -oE 'Test unit written to [^ ]+' "$log" | sed 's/Test unit written to //' || true)"
  line="$target: ${runs:-?} runs, ${coverage:-no coverage line}"
  if [ -n "$crashes" ] || [ "$result" -ne 0 ]; then
    status=1
    line+=", FAILED (exit $result): ${crashes:-see the log}"
  else
    line+=", no crash"
  fi
  summary+=("$line")
done

echo "=== Summary"
printf '%s\n' "${summary[@]}"
exit "$status"
