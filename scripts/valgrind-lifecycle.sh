#!/usr/bin/env bash
# Runs the plug-in's life cycle under valgrind memcheck: fails on any memory
# error and on any definite or indirect leak.
#   scripts/valgrind-lifecycle.sh [lifecycle-program [plugin]]
# Defaults to the RelWithDebInfo build in build/default.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-$root/build/default/tests/stress/skyrind_lifecycle}"
plugin="${2:-$(dirname "$program")/../../skyrind.p}"
if [[ ! -x "$program" ]]; then
  echo "no life cycle program at $program (build target skyrind_lifecycle)" >&2
  exit 2
fi
exec "${VALGRIND:-valgrind}" --tool=memcheck --error-exitcode=1 --leak-check=full \
  --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
  --track-origins=yes --quiet "$program" "$plugin"
