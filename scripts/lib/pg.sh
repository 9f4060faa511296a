# A private PostgreSQL cluster on a Unix socket.  Sourced, not run.
# The server never runs as root: as root we hand it to an unprivileged user.

PG_BIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)

pg_os_user() {
    if [ "$(id -u)" -ne 0 ]; then id -un; return; fi
    if ! id postgres >/dev/null 2>&1; then
        useradd --system --home-dir /var/lib/postgresql --shell /bin/bash postgres
    fi
    echo postgres
}

# Run a command as the cluster's owner.
as_pg() {
    local u; u=$(pg_os_user)
    if [ "$(id -un)" = "$u" ]; then "$@"; else runuser -u "$u" -- "$@"; fi
}

# The owner must be able to reach its folders, even under root's home.
pg_allow_traverse() {
    local d=$1
    [ "$(id -u)" -eq 0 ] || return 0
    while [ "$d" != / ]; do
        [ -x "$d" ] && chmod o+x "$d"
        d=$(dirname "$d")
    done
}

# pg_init DATA SOCKET: create the cluster if it does not exist yet.
pg_init() {
    local data=$1 sock=$2
    mkdir -p "$data" "$sock"
    pg_allow_traverse "$data"; pg_allow_traverse "$sock"
    chown "$(pg_os_user)" "$data" "$sock"
    chmod 700 "$data"
    [ -f "$data/PG_VERSION" ] && return 0
    as_pg "$PG_BIN/initdb" -D "$data" -U "$(pg_os_user)" --auth-local=peer \
        --auth-host=reject -E UTF8 --locale=C.UTF-8 >/dev/null
    # Its owner signs in by peer; everyone else with a SCRAM password.
    as_pg sh -c "cat > '$data/pg_hba.conf'" <<HBA
local all $(pg_os_user) peer
local all all scram-sha-256
HBA
    as_pg sh -c "cat >> '$data/postgresql.conf'" <<CONF
listen_addresses = ''
unix_socket_directories = '$sock'
password_encryption = 'scram-sha-256'
fsync = off
CONF
}

# pg_start DATA SOCKET PORT LOG
pg_start() {
    local data=$1 sock=$2 port=$3 log=$4
    if as_pg "$PG_BIN/pg_ctl" -D "$data" status >/dev/null 2>&1; then return 0; fi
    touch "$log"; chown "$(pg_os_user)" "$log"
    as_pg "$PG_BIN/pg_ctl" -D "$data" -l "$log" -w -t 60 \
        -o "-p $port -k $sock" start >/dev/null
}

pg_stop() {
    local data=$1
    as_pg "$PG_BIN/pg_ctl" -D "$data" -m fast -w stop >/dev/null 2>&1 || true
}

# pg_psql SOCKET PORT DB [psql args...]: as the cluster's owner.
pg_psql() {
    local sock=$1 port=$2 db=$3; shift 3
    as_pg psql -X -q -v ON_ERROR_STOP=1 -h "$sock" -p "$port" -d "$db" "$@"
}

# pg_create_db SOCKET PORT DB
pg_create_db() {
    local sock=$1 port=$2 db=$3
    if ! pg_psql "$sock" "$port" postgres -tAc "SELECT 1 FROM pg_database WHERE datname = '$db'" | grep -q 1; then
        pg_psql "$sock" "$port" postgres -c "CREATE DATABASE \"$db\""
    fi
}

# pg_apply_schema SOCKET PORT DB: every db/*.sql in order, then records it.
pg_apply_schema() {
    local sock=$1 port=$2 db=$3 f
    for f in "$ROOT"/db/[0-9]*.sql; do
        pg_psql "$sock" "$port" "$db" -f - < "$f"
        pg_psql "$sock" "$port" "$db" -c \
            "INSERT INTO reports.schema_version (script) VALUES ('$(basename "$f")')
             ON CONFLICT (script) DO UPDATE SET applied_at = now()"
    done
}

# pg_login_role SOCKET PORT DB NAME PASSWORD [GROUP]: create or reset a log-in.
pg_login_role() {
    local sock=$1 port=$2 db=$3 name=$4 pass=$5 group=${6:-}
    pg_psql "$sock" "$port" "$db" -v name="$name" -v pass="$pass" <<'SQL'
SELECT format('CREATE ROLE %I LOGIN', :'name')
 WHERE NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = :'name') \gexec
SELECT format('ALTER ROLE %I PASSWORD %L', :'name', :'pass') \gexec
SQL
    if [ -n "$group" ]; then
        pg_psql "$sock" "$port" "$db" -c "GRANT $group TO \"$name\""
    fi
}

# A throw-away cluster with the schema, the test fixture and the test roles;
# exports what the tests read (tests/support/TestDatabase.h).
start_test_cluster() {
    TEST_WORK=$(mktemp -d /tmp/pelmar-test.XXXXXX)
    chmod 755 "$TEST_WORK"
    local data=$TEST_WORK/data sock=$TEST_WORK/sock port=$((20000 + RANDOM % 20000)) db=pelmar_test
    say "starting the test cluster in $TEST_WORK"
    pg_init "$data" "$sock"
    pg_start "$data" "$sock" "$port" "$TEST_WORK/server.log"
    pg_create_db "$sock" "$port" "$db"
    pg_apply_schema "$sock" "$port" "$db"
    # A second pass proves the scripts re-run on a loaded database.
    pg_apply_schema "$sock" "$port" "$db"
    local f
    for f in "$ROOT"/tests/fixtures/[0-9]*.sql; do
        [ -e "$f" ] && pg_psql "$sock" "$port" "$db" -f - < "$f"
    done
    pg_login_role "$sock" "$port" "$db" tester "test's secret" pelmar_reports
    pg_login_role "$sock" "$port" "$db" outsider 'outsider pw'
    pg_login_role "$sock" "$port" "$db" testadmin 'admin pw'
    pg_psql "$sock" "$port" "$db" -c "ALTER ROLE testadmin SUPERUSER"

    export PELMAR_TEST_HOST=$sock PELMAR_TEST_PORT=$port PELMAR_TEST_DB=$db
    export PELMAR_TEST_USER=tester PELMAR_TEST_PASSWORD="test's secret"
    export PELMAR_TEST_OUTSIDER=outsider PELMAR_TEST_OUTSIDER_PASSWORD='outsider pw'
    export PELMAR_TEST_ADMIN=testadmin PELMAR_TEST_ADMIN_PASSWORD='admin pw'
}

stop_test_cluster() {
    [ -n "${TEST_WORK:-}" ] || return 0
    pg_stop "$TEST_WORK/data"
    rm -rf "$TEST_WORK"
}
