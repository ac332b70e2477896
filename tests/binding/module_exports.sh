#!/usr/bin/env bash
# The module's dynamic symbol table defines exactly the six entry points, nothing else.
set -euo pipefail
module=$1
expected=$'create_interface\nget_info\nget_name\nget_uuid\nhas_interface\nis_resident'
actual=$(nm -D --defined-only "$module" | awk '{print $3}' | sort)
if [[ "$actual" != "$expected" ]]; then
  echo "exports of $module differ from the six entry points:"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi
echo "exports of $module: the six entry points"
