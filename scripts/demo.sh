#!/usr/bin/env bash
# Installs, builds, and runs the main job: the demo host database is made with the embedded
# engine, and every form's declaration for its first quarter of 2024 is written from it, and
# the print forms of that quarter too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

demo=build/demo
mkdir -p "$demo/declarations"
bash demo/make_demo_db.sh "$demo/zorvic-demo.fdb"

for module in pZorvicRozn pZorvicRoznBeer pZorvicTransport pZorvicBuy pZorvicDelivery pZorvicOborot; do
  # Form 08 has no print form: its output is always the file.
  kind=(--set rgReportKind=1)
  [[ $module == pZorvicTransport ]] && kind=()
  echo "== $module"
  file=$(build/bin/zorvic generate "$module" --db "$demo/zorvic-demo.fdb" --client 1 \
    --set seYear=2024 --set rgTypePeriod=0 "${kind[@]}" --set dePath="$demo/declarations" \
    --set edRukFam=Соколов --set edRukName=Андрей --set edRukOtc=Викторович \
    --set edBuhFam=Лебедева --set edBuhName=Ольга --set edBuhOtc=Петровна)
  echo "$file"
  xmllint --noout "$file" && echo "well-formed XML, $(wc -c <"$file") bytes"
done

# The print forms of the five forms that have one, as PDF files to check the declarations by.
mkdir -p "$demo/print"
for module in pZorvicRozn pZorvicRoznBeer pZorvicBuy pZorvicDelivery pZorvicOborot; do
  echo "== $module print form"
  build/bin/zorvic generate "$module" --db "$demo/zorvic-demo.fdb" --client 1 \
    --set seYear=2024 --set rgTypePeriod=0 --set rgReportKind=0 \
    --set edRukFam=Соколов --set edRukName=Андрей --set edRukOtc=Викторович \
    --set edBuhFam=Лебедева --set edBuhName=Ольга --set edBuhOtc=Петровна \
    --preview "$demo/print/$module.pdf"
done
