#!/usr/bin/env bash
# The engine benchmark: a private PostgreSQL, a Release build, then 5,000,
# 50,000 and 200,000 rows through the engine and through the ReportLab peer.
source "$(dirname "$0")/../../scripts/lib/common.sh"
source "$ROOT/scripts/lib/pg.sh"
build_project "$ROOT/build/bench" Release
WORK=$(mktemp -d /tmp/pelmar-bench.XXXXXX)
DATA=$WORK/data SOCK=$WORK/sock PORT=$((20000 + RANDOM % 20000)) DB=pelmar_bench
chmod 755 "$WORK"
cleanup() { pg_stop "$DATA"; rm -rf "$WORK"; }
trap cleanup EXIT
pg_init "$DATA" "$SOCK"
pg_start "$DATA" "$SOCK" "$PORT" "$WORK/server.log"
pg_create_db "$SOCK" "$PORT" "$DB"
pg_apply_schema "$SOCK" "$PORT" "$DB"
pg_login_role "$SOCK" "$PORT" "$DB" bencher "bench pw" pelmar_reports
pg_login_role "$SOCK" "$PORT" "$DB" benchadmin 'admin pw'
pg_psql "$SOCK" "$PORT" "$DB" -c "ALTER ROLE benchadmin SUPERUSER"
export PELMAR_TEST_HOST=$SOCK PELMAR_TEST_PORT=$PORT PELMAR_TEST_DB=$DB
export PELMAR_TEST_USER=bencher PELMAR_TEST_PASSWORD="bench pw"
export PELMAR_TEST_ADMIN=benchadmin PELMAR_TEST_ADMIN_PASSWORD='admin pw'
export QT_QPA_PLATFORM=offscreen
OUT=$WORK/out; mkdir -p "$OUT"
for rows in ${BENCH_ROWS:-5000 50000 200000}; do
    ours=$("$ROOT/build/bench/bench/engine/bench_engine" "$rows" "$OUT")
    echo "$ours"
    if /usr/bin/python3 -c 'import reportlab' 2>/dev/null; then
        peer=$(/usr/bin/python3 "$ROOT/bench/engine/peer_reportlab.py" "$OUT/rows.tsv" "$OUT/peer.pdf")
        echo "  $peer"
        # Our PDF path is layout plus writing; the peer's is its whole build.
        awk -v o="$ours" -v p="$peer" 'BEGIN {
            split(o, a, " "); for (i in a) { split(a[i], kv, "="); ov[kv[1]] = kv[2] }
            split(p, b, " "); for (i in b) { split(b[i], kv, "="); pv[kv[1]] = kv[2] }
            printf "  ours/peer (layout+pdf over build) = %.3f, %.1f times faster\n",
                (ov["layout"] + ov["pdf"]) / pv["pdf"], pv["pdf"] / (ov["layout"] + ov["pdf"]) }'
    else
        echo "  (python3-reportlab is not installed: no peer figures)"
    fi
done
