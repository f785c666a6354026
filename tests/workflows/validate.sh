#!/usr/bin/env bash
# Checks the GitHub workflow files against the workflow schema with
# action-validator (installed here by scripts/install-deps.sh), and that the
# validator refuses a job with a misspelt key, so a pass means something.
#   validate.sh VALIDATOR WORKFLOW...
set -uo pipefail
validator="$1"
shift
[ -x "$validator" ] || { echo "FAIL: no $validator (run scripts/install-deps.sh)"; exit 1; }
failures=0
for workflow in "$@"; do
  "$validator" "$workflow" || { echo "FAIL: $workflow"; failures=$((failures + 1)); }
done
broken="$(mktemp --suffix=.yml)"
trap 'rm -f "$broken"' EXIT
printf 'name: broken\non: push\njobs:\n  build:\n    runs-on: ubuntu-latest\n    stepz: []\n' >"$broken"
if "$validator" "$broken" >/dev/null 2>&1; then
  echo "FAIL: the validator took a job without steps"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] && echo "$# workflow files valid"
exit $((failures > 0))
