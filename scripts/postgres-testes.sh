#!/usr/bin/env bash
# Starts the local PostgreSQL cluster when it is down and makes sure the test login exists.
# Prints the environment the tests read (to be eval'ed).
set -euo pipefail
PGUSER_TESTES=lumo
PGPASS_TESTES=lumo_testes
VERSAO=$(ls /usr/lib/postgresql | sort -V | tail -n1)
if ! pg_lsclusters -h 2>/dev/null | grep -q .; then
    pg_createcluster "$VERSAO" main >/dev/null
fi
CLUSTER=$(pg_lsclusters -h | head -n1)
VER=$(echo "$CLUSTER" | awk '{print $1}'); NOME=$(echo "$CLUSTER" | awk '{print $2}')
PORTA=$(echo "$CLUSTER" | awk '{print $3}'); ESTADO=$(echo "$CLUSTER" | awk '{print $4}')
if [ "$ESTADO" != "online" ]; then
    pg_ctlcluster "$VER" "$NOME" start >&2
fi
for i in $(seq 1 30); do
    su postgres -c "psql -p $PORTA -tAc 'select 1'" >/dev/null 2>&1 && break
    sleep 1
done
su postgres -c "psql -p $PORTA -v ON_ERROR_STOP=1 -q" >&2 <<SQL
DO \$\$BEGIN
  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname='$PGUSER_TESTES') THEN
    CREATE ROLE $PGUSER_TESTES LOGIN SUPERUSER PASSWORD '$PGPASS_TESTES';
  END IF;
  -- the operating-system user, for the tests of operating-system authentication
  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname='$(id -un)') THEN
    CREATE ROLE "$(id -un)" LOGIN;
  END IF;
END\$\$;
SQL
echo "export LUMO_PG_HOST=127.0.0.1 LUMO_PG_PORT=$PORTA LUMO_PG_USER=$PGUSER_TESTES LUMO_PG_PASSWORD=$PGPASS_TESTES"
