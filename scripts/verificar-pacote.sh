#!/usr/bin/env bash
# Installs the Debian package in a clean Debian 12 root (debootstrap into a temporary folder, then
# chroot in a mount namespace of its own): no source tree, no compiler, only the package and what
# it declares. There, as an ordinary user, creates the demo company, lists the companies, prints a
# report, shows the manual page and checks the desktop entry and that the window program starts.
# Needs root and the network to the Debian archive; takes a few minutes, so it is no part of the
# tests. Usage: verificar-pacote.sh [PACOTE.deb]   (by default the one scripts/pacote.sh made)
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "verificar-pacote: tem de correr como root (debootstrap, chroot)." >&2; exit 1; }

PACOTE="${1:-}"
if [ -z "$PACOTE" ]; then
    PACOTE=$(ls -t build/wlumoprod_*_"$(dpkg --print-architecture)".deb 2>/dev/null | head -n1 || true)
fi
[ -n "$PACOTE" ] && [ -f "$PACOTE" ] || {
    echo "verificar-pacote: não há pacote; faça-o com: bash scripts/pacote.sh" >&2
    exit 1
}
if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
fi

ESPELHO="${ESPELHO:-http://deb.debian.org/debian}"
RAIZ=$(mktemp -d /tmp/wlumoprod-raiz.XXXXXX)
chmod 755 "$RAIZ"   # it becomes "/": mktemp's 0700 would shut out every user but root
# The chroot's mounts live in its own namespace and vanish with it, so nothing can be left mounted
# under the folder that is removed here.
trap 'rm -rf --one-file-system "$RAIZ"' EXIT

echo "== Debian 12 mínimo em $RAIZ"
debootstrap --variant=minbase bookworm "$RAIZ" "$ESPELHO" >"$RAIZ.log" 2>&1 || {
    tail -n 20 "$RAIZ.log" >&2
    echo "verificar-pacote: debootstrap falhou (registo em $RAIZ.log)" >&2
    exit 1
}
rm -f "$RAIZ.log"
cat >"$RAIZ/etc/apt/sources.list" <<FIM
deb $ESPELHO bookworm main
deb $ESPELHO bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
FIM
cp "$PACOTE" "$RAIZ/tmp/wlumoprod.deb"

cat >"$RAIZ/tmp/verificar.sh" <<'DENTRO'
set -euo pipefail
mount -t proc proc /proc
falha() { echo "verificar-pacote: $*" >&2; exit 1; }

echo "== Instalar o pacote (só as suas dependências declaradas) e man-db"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    /tmp/wlumoprod.deb man-db desktop-file-utils >/tmp/apt.log 2>&1 || { tail -n 30 /tmp/apt.log; exit 1; }
dpkg-query -W -f='${Package} ${Version} ${Status}\n' wlumoprod

for c in cc gcc g++ c++ clang cmake; do
    command -v "$c" >/dev/null && falha "há um compilador ou ferramenta de compilação: $c"
done
[ -e /work ] && falha "há uma árvore de fontes em /work"
ls /var/lib/dpkg/info/wlumoprod.* | grep -v -e '\.list$' -e '\.md5sums$' && falha "o pacote tem scripts de instalação"
echo "sem compilador, sem fontes, sem scripts de instalação"

echo "== Bibliotecas e controladores SQL"
for p in /usr/bin/WLumoProd /usr/bin/wlumoprod-cli \
         /usr/lib/x86_64-linux-gnu/qt6/plugins/sqldrivers/libqsqlite.so \
         /usr/lib/x86_64-linux-gnu/qt6/plugins/sqldrivers/libqsqlpsql.so; do
    [ -e "$p" ] || falha "falta $p"
    ldd "$p" | grep 'not found' && falha "$p: bibliotecas em falta"
done
echo "todas as bibliotecas encontradas"

useradd -m -s /bin/bash operador
como_operador() { runuser -u operador -- env -i HOME=/home/operador PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"; }

echo "== wlumoprod-cli demo"
SAIDA=$(como_operador wlumoprod-cli demo 2>/tmp/erros) || { cat /tmp/erros; falha "demo falhou: $SAIDA"; }
echo "$SAIDA"
grep -q '"criada":true' <<<"$SAIDA" || falha "demo não criou a empresa"
SAIDA=$(como_operador wlumoprod-cli demo 2>/dev/null)
grep -q '"criada":false' <<<"$SAIDA" || falha "um segundo demo devia encontrar a empresa: $SAIDA"

echo "== wlumoprod-cli empresas"
SAIDA=$(como_operador wlumoprod-cli empresas 2>/dev/null)
echo "$SAIDA"
grep -q '"codigo":"0001"' <<<"$SAIDA" || falha "a empresa 0001 não aparece na lista"

DADOS=/home/operador/.local/share/LumoGest/WLumoProd/empresas
[ "$(stat -c %a "$DADOS")" = 700 ] || falha "$DADOS não é só do dono"
ls -l "$DADOS"
for f in "$DADOS"/*.db; do
    [ "$(stat -c %a "$f")" = 600 ] || falha "$f não é só do dono"
done

echo "== Relatório em PDF (letra e impressão sem ecrã)"
como_operador wlumoprod-cli relatorio capacidade --pdf /home/operador/capacidade.pdf --empresa 0001 2>/dev/null
[ "$(head -c 5 /home/operador/capacidade.pdf)" = "%PDF-" ] || falha "o relatório não é um PDF"
ls -l /home/operador/capacidade.pdf

echo "== Recusa: estado 1 e {\"erro\": ...}"
set +e
SAIDA=$(como_operador wlumoprod-cli saldo --empresa 9999 --produto MP001 2>/dev/null); ESTADO=$?
set -e
echo "$SAIDA (estado $ESTADO)"
[ "$ESTADO" = 1 ] && grep -q '^{"erro":' <<<"$SAIDA" || falha "uma empresa que não existe devia dar estado 1 e erro"

echo "== Controlador PostgreSQL carregado"
como_operador env LUMO_PG_PASSWORD=x wlumoprod-cli empresas --pg 127.0.0.1:1 --login x >/dev/null 2>/tmp/erros || true
grep -i 'driver not loaded' /tmp/erros && falha "o controlador QPSQL não carrega"
echo "QPSQL carrega (sem servidor, a ligação é recusada, como devia)"

echo "== man wlumoprod-cli"
man -w wlumoprod-cli
PAGINA=$(MANPAGER=cat MANWIDTH=100 man wlumoprod-cli 2>&1)
sed -n 1,12p <<<"$PAGINA"
for s in NOME SINOPSE COMANDOS OPÇÕES 'ESTADO DE SAÍDA' AMBIENTE LUMO_DADOS '{"erro":' 'relatorio NOME'; do
    grep -qF "$s" <<<"$PAGINA" || falha "a página de manual não mostra: $s"
done
echo "a página mostra as secções, os comandos, os estados de saída e o ambiente"

echo "== Entrada do menu"
desktop-file-validate /usr/share/applications/wlumoprod.desktop
grep -E '^(Name|Comment|Exec|Icon|Categories)=' /usr/share/applications/wlumoprod.desktop
command -v WLumoProd
ls /usr/share/icons/hicolor/*/apps/wlumoprod.*

echo "== WLumoProd arranca (sem ecrã, 10 s)"
set +e
como_operador QT_QPA_PLATFORM=offscreen timeout 10 WLumoProd >/tmp/janela.log 2>&1; ESTADO=$?
set -e
[ "$ESTADO" = 124 ] || { cat /tmp/janela.log; falha "WLumoProd terminou sozinho (estado $ESTADO)"; }
echo "a correr ao fim de 10 s (fechado pelo timeout)"
DENTRO
unshare --mount --pid --fork chroot "$RAIZ" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 /bin/bash /tmp/verificar.sh </dev/null
echo "== Pacote verificado numa raiz Debian 12 limpa: $PACOTE"
