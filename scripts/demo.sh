#!/usr/bin/env bash
# Installs, builds, and runs the main job: the demo host database is made with the embedded
# engine, and every form's declaration for its first quarter of 2024 is written from it by the
# organization that files the form, and the print forms of that quarter too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

demo=build/demo
mkdir -p "$demo/declarations"
bash demo/make_demo_db.sh "$demo/zorvic-demo.fdb"

# The demo host keeps two organizations: the retailer «Продукты 24» (client 30) files the retail
# forms, the wholesaler «ТД «Черноземье»» (client 1) the wholesale and transport ones.
retailer=(--client 30 --set edRukFam=Морозова --set edRukName=Елена --set edRukOtc=Игоревна
  --set edBuhFam=Захаров --set edBuhName=Илья --set edBuhOtc=Сергеевич)
wholesaler=(--client 1 --set edRukFam=Соколов --set edRukName=Андрей --set edRukOtc=Викторович
  --set edBuhFam=Лебедева --set edBuhName=Ольга --set edBuhOtc=Петровна)

for module in pZorvicRozn pZorvicRoznBeer pZorvicTransport pZorvicBuy pZorvicDelivery pZorvicOborot; do
  organization=("${wholesaler[@]}")
  [[ $module == pZorvicRozn* ]] && organization=("${retailer[@]}")
  # Form 08 has no print form: its output is always the file.
  kind=(--set rgReportKind=1)
  [[ $module == pZorvicTransport ]] && kind=()
  echo "== $module"
  file=$(build/bin/zorvic generate "$module" --db "$demo/zorvic-demo.fdb" "${organization[@]}" \
    --set seYear=2024 --set rgTypePeriod=0 "${kind[@]}" --set dePath="$demo/declarations")
  echo "$file"
  xmllint --noout "$file" && echo "well-formed XML, $(wc -c <"$file") bytes"
done

# The print forms of the five forms that have one, as PDF files to check the declarations by.
mkdir -p "$demo/print"
for module in pZorvicRozn pZorvicRoznBeer pZorvicBuy pZorvicDelivery pZorvicOborot; do
  organization=("${wholesaler[@]}")
  [[ $module == pZorvicRozn* ]] && organization=("${retailer[@]}")
  echo "== $module print form"
  build/bin/zorvic generate "$module" --db "$demo/zorvic-demo.fdb" "${organization[@]}" \
    --set seYear=2024 --set rgTypePeriod=0 --set rgReportKind=0 \
    --preview "$demo/print/$module.pdf"
done
