#!/bin/bash
# Collects the program's texts from the code into the translation sources
# (translations/*.ts), keeping the translations already made. New texts come
# in unfinished; translate them with Qt Linguist or in the file itself.
#
#   scripts/update-translations.sh            update translations/vendrel_en.ts
#   scripts/update-translations.sh OUT.ts     write the collected texts to OUT.ts instead
#                                             (merged with it when it exists)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/translations/vendrel_en.ts}
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
# Tr (the core) and Ui (the window) are spelled like QCoreApplication::translate.
"$lupdate" -silent -locations none -no-obsolete -no-ui-lines \
  -tr-function-alias translate+=Tr,translate+=Ui,QT_TRANSLATE_NOOP+=TrNoop \
  -source-language pl_PL -target-language en_US \
  "$root/src" -ts "$out"
