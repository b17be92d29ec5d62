#!/usr/bin/env bash
# Sets up and runs every test on a fresh Debian machine (as root or as a user):
# packages, build, then one private PostgreSQL cluster shared by all test programs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh

ADMIN="$PWD/build/skmadmin"
# Under /tmp so the system user postgres can reach it when we are root.
CLUSTER_DIR="$(mktemp -d /tmp/skm-test-cluster.XXXXXX)"

cleanup() {
  "$ADMIN" cluster stop --dir "$CLUSTER_DIR" >/dev/null 2>&1 || true
  rm -rf "$CLUSTER_DIR"
}
trap cleanup EXIT

"$ADMIN" cluster init --dir "$CLUSTER_DIR" --no-fsync

# First free port from 55432 on; another program may hold one of them.
PORT=""
for candidate in $(seq 55432 55499); do
  if "$ADMIN" cluster start --dir "$CLUSTER_DIR" --port "$candidate" >/dev/null 2>&1; then
    PORT="$candidate"
    break
  fi
done
if [ -z "$PORT" ]; then
  echo "test.sh: could not start the test cluster; its log:" >&2
  tail -n 20 "$CLUSTER_DIR/server.log" >&2 || true
  exit 1
fi
echo "Test cluster in $CLUSTER_DIR on port $PORT"

export SKM_TEST_PGHOST=127.0.0.1
export SKM_TEST_PGPORT="$PORT"
export SKM_TEST_PGSUPERUSER=postgres
SKM_TEST_PGPASSWORD="$(cat "$CLUSTER_DIR/superuser.password")"
export SKM_TEST_PGPASSWORD
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

set +e
ctest --test-dir build --output-on-failure -j2
rc=$?
set -e
exit "$rc"
