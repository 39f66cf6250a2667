#!/usr/bin/env bash
# The folders of src/ include only what lies below them: no folder but ui/
# includes a ui/ header, no folder under app/ includes an app/ header, and
# no file outside ui/ includes a Qt header. Each offending line is printed.
# The check first proves on a planted tree that it finds each kind.
#   include_layers_test.sh SRC_DIR
set -uo pipefail
src=$1

# Prints "file:line: text" for each include that runs up or into Qt.
offences() {
  local dir=$1 folder
  for folder in "$dir"/*/; do
    folder=$(basename "$folder")
    [[ $folder == ui ]] && continue
    local above='ui'
    [[ $folder != app ]] && above='app|ui'
    grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($above)/" \
      --include='*.h' --include='*.cpp' "$dir/$folder"
    # Qt's own headers: <QString>, <QtCore/QString>, <qstring.h>.
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(Q[A-Za-z]|q[a-z0-9_]+\.h>)' \
      --include='*.h' --include='*.cpp' "$dir/$folder"
  done
}

planted=$(mktemp -d); trap 'rm -rf "$planted"' EXIT
mkdir -p "$planted"/{render,app,ui}
printf '#include "app/app_model.h"\n#include "render/layer.h"\n' > "$planted/render/up.cpp"
printf '#include <QtCore/QString>\n#include <queue>\n' > "$planted/render/qt.h"
printf ' #  include <qglobal.h>\n' > "$planted/render/old_qt.cpp"
printf '#include "ui/main_window.h"\n#include "app/clock.h"\n' > "$planted/app/shell.cpp"
printf '#include <QWidget>\n#include "app/app_model.h"\n' > "$planted/ui/window.cpp"
expected="app/shell.cpp:1 render/old_qt.cpp:1 render/qt.h:1 render/up.cpp:1"
found=$(offences "$planted" | sed "s|^$planted/||" | cut -d: -f1,2 | sort | tr '\n' ' ')
if [[ "$found" != "$expected " ]]; then
  echo "FAIL: on the planted tree the check found [$found], not [$expected ]"
  exit 1
fi

lines=$(offences "$src")
if [[ -n "$lines" ]]; then
  echo "FAIL: includes that run up past their layer or into Qt:"
  echo "$lines"
  exit 1
fi
echo "every folder of $src includes only what lies below it"
