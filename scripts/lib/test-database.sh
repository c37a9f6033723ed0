# shellcheck shell=bash
# A private database server for the package database's tests, sourced after
# common.sh. The plant's SQL Server cannot run here, so a PostgreSQL cluster
# stands in: a temporary folder, a free loopback port, the program's own login
# (sa/nuvafi), catalog and table, reached through the ODBC driver
# "PostgreSQL Unicode". The program's statements run there unchanged.
#
#   start_test_database   starts it and exports ZR_TEST_DB_SERVER ("127.0.0.1,PORT")
#                         and ZR_TEST_DB_DRIVER; returns non-zero when it cannot
#   stop_test_database    stops it and removes its folder; safe to call any time
#   test_database_sql SQL runs SQL in the catalog as the program's login

ZR_TEST_DATABASE_PACKAGES=(postgresql odbc-postgresql)

# ensure_odbc_drivers: unixODBC must know the drivers by name. The packages
# register them unless debconf was told not to; register what is missing.
ensure_odbc_drivers() {
  if ! odbcinst -q -d -n FreeTDS >/dev/null 2>&1; then
    as_root odbcinst -i -d -f /usr/share/tdsodbc/odbcinst.ini >/dev/null
  fi
  if ! odbcinst -q -d -n "PostgreSQL Unicode" >/dev/null 2>&1; then
    as_root odbcinst -i -d -f /usr/share/psqlodbc/odbcinst.ini.template >/dev/null
  fi
}

# PostgreSQL refuses to run as root: root runs the cluster as user postgres.
zr_as_db_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

# A loopback port nothing listens on, away from PostgreSQL's usual 5432.
zr_free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 30000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
}

# Every step checks its own result: callers test this function in an 'if',
# where 'set -e' does not act.
start_test_database() {
  ZR_TEST_DB_BIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  if [ ! -x "$ZR_TEST_DB_BIN/initdb" ]; then
    echo "test database: PostgreSQL is not installed" >&2
    return 1
  fi
  ZR_TEST_DB_DIR=$(mktemp -d /tmp/zr-test-db.XXXXXX) || return 1
  if [ "$(id -u)" -eq 0 ]; then chown postgres: "$ZR_TEST_DB_DIR" || return 1; fi
  local dir=$ZR_TEST_DB_DIR

  # Local socket logins are trusted (the set-up below); TCP logins, the way
  # the tests come in, need the password.
  if ! zr_as_db_owner "$ZR_TEST_DB_BIN/initdb" -D "$dir/data" -U postgres -E UTF8 --no-locale \
      --auth-local=trust --auth-host=scram-sha-256 --no-sync >"$dir/initdb.log" 2>&1; then
    echo "test database: initdb failed:" >&2
    cat "$dir/initdb.log" >&2
    return 1
  fi

  # The server keeps its clock in a zone far from the PC's, so the tests can
  # tell the server's time from the PC's. Durability is of no use here.
  local options="-c listen_addresses=127.0.0.1 -k $dir -c TimeZone=Etc/GMT-14"
  options+=" -c fsync=off -c full_page_writes=off -c synchronous_commit=off"
  local port
  for _ in 1 2 3 4 5; do
    port=$(zr_free_port)
    if zr_as_db_owner "$ZR_TEST_DB_BIN/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
        -o "$options -p $port" start >/dev/null 2>&1; then
      break
    fi
    port=
  done
  if [ -z "$port" ]; then
    echo "test database: the server did not start:" >&2
    cat "$dir/server.log" >&2
    return 1
  fi

  local psql=("$ZR_TEST_DB_BIN/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir" -p "$port")
  if ! zr_as_db_owner "${psql[@]}" -U postgres -d postgres >/dev/null <<'SQL'
CREATE ROLE sa LOGIN PASSWORD 'nuvafi';
CREATE DATABASE "TK_Simp_ASS" OWNER sa;
SQL
  then
    echo "test database: creating the login and catalog failed" >&2
    return 1
  fi
  # Unquoted names fold to lower case, in this script and in the program's
  # statements alike.
  if ! zr_as_db_owner "${psql[@]}" -U sa -d TK_Simp_ASS >/dev/null <<'SQL'
CREATE TABLE T_TI_ATCode (
  I_Code varchar(50) NOT NULL,
  O_Code varchar(50),
  O_Time timestamp
);
CREATE FUNCTION GetDate() RETURNS timestamp LANGUAGE sql AS 'SELECT LOCALTIMESTAMP';
SQL
  then
    echo "test database: creating the table failed" >&2
    return 1
  fi

  ZR_TEST_DB_PORT=$port
  export ZR_TEST_DB_SERVER="127.0.0.1,$port"
  export ZR_TEST_DB_DRIVER="PostgreSQL Unicode"
  echo "test database: PostgreSQL on 127.0.0.1:$port"
}

test_database_sql() {
  zr_as_db_owner "$ZR_TEST_DB_BIN/psql" -X -q -v ON_ERROR_STOP=1 -h "$ZR_TEST_DB_DIR" -p "$ZR_TEST_DB_PORT" \
    -U sa -d TK_Simp_ASS -c "$1"
}

stop_test_database() {
  [ -n "${ZR_TEST_DB_DIR:-}" ] || return 0
  if [ -f "$ZR_TEST_DB_DIR/data/postmaster.pid" ]; then
    zr_as_db_owner "$ZR_TEST_DB_BIN/pg_ctl" -D "$ZR_TEST_DB_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$ZR_TEST_DB_DIR"
  ZR_TEST_DB_DIR=
  unset ZR_TEST_DB_SERVER ZR_TEST_DB_DRIVER
}
