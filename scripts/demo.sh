#!/usr/bin/env bash
# One command to a working client with demo data on this machine: packages,
# build, a private PostgreSQL cluster, the database with demo data and the demo
# user (demo/demo), db.conf beside the program, then the program itself.
# Safe to re-run: what exists is reused.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh kalveo skmadmin skm_runtime_files

ADMIN="$PWD/build/skmadmin"
if [ "$(id -u)" -eq 0 ]; then
  DEFAULT_DIR=/var/lib/skm/cluster
else
  DEFAULT_DIR="$HOME/.local/share/skm/cluster"
fi
CLUSTER_DIR="${SKM_CLUSTER_DIR:-$DEFAULT_DIR}"
PORT="${SKM_PORT:-5544}"

"$ADMIN" cluster init --dir "$CLUSTER_DIR"
if ! "$ADMIN" cluster status --dir "$CLUSTER_DIR" >/dev/null 2>&1; then
  "$ADMIN" cluster start --dir "$CLUSTER_DIR" --port "$PORT"
fi
RUNNING="$("$ADMIN" cluster status --dir "$CLUSTER_DIR")"
PORT="${RUNNING##* port }"

# The password of the client role sa, made once and kept beside the cluster.
SA_FILE="$CLUSTER_DIR/sa.password"
if [ ! -s "$SA_FILE" ]; then
  (umask 077; head -c 18 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' > "$SA_FILE")
fi
SA_PASSWORD="$(cat "$SA_FILE")"

"$ADMIN" db install --dir "$CLUSTER_DIR" --sa-password "$SA_PASSWORD" --demo
"$ADMIN" conf write --out build/db.conf --server "127.0.0.1,$PORT" --password "$SA_PASSWORD"

echo "Log in with user demo, password demo."
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/kalveo
fi
echo "There is no display (DISPLAY is not set). Run the program under a virtual one:"
echo "    xvfb-run -a $PWD/build/kalveo"
