#!/usr/bin/env bash
# The layering check on small planted trees: each leak must fail it, UI folders may use Qt.
set -euo pipefail
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

expect() { # expect PASS|FAIL FILE LINE
  rm -rf "$tree/src"
  mkdir -p "$tree/src/$(dirname "$2")"
  printf '%s\n' "$3" > "$tree/src/$2"
  if "$check" "$tree" > /dev/null; then got=PASS; else got=FAIL; fi
  if [ "$got" != "$1" ]; then
    echo "check-layering gave $got, expected $1, for src/$2: $3"
    exit 1
  fi
}

expect FAIL tags/planted.cpp '#include <QString>'
expect FAIL mesh/edit/planted.h '#include <QtWidgets/QWidget>'
expect FAIL sound/planted.cpp '#include <GL/gl.h>'
expect FAIL definitions/planted.cpp '#include "app/tag_edit_form.h"'
expect FAIL textures/planted.cpp '#include "framework/xg_form.h"'
expect FAIL mesh/planted.cpp '#include "definitions/ui/proj_form.h"'
expect FAIL cli/planted.cpp '#include <QCoreApplication>'
expect PASS definitions/ui/planted.cpp '#include <QWidget>'
expect PASS textures/ui/planted.h '#include "app/tag_edit_form.h"'
expect PASS app/planted.cpp '#include <QApplication>'
expect PASS framework/planted.cpp '#include <GL/glu.h>'
expect PASS tags/planted.cpp '#include "tags/tag_database.h"'
echo "check-layering: every planted leak was found"
