#!/usr/bin/env bash
# Makes the Debian package build/wlumoprod_<versão>_<arquitectura>.deb: installs what is missing,
# configures build/ as scripts/compilar.sh does (scripts/configurar.sh), builds the two programs (not the tests) and runs
# cpack (cmake/Pacote.cmake); then checks what the package holds and what it depends on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/instalar-dependencias.sh
bash scripts/configurar.sh
cmake --build build --target WLumoProd wlumoprod-cli
(cd build && cpack -G DEB)

VERSAO=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/CPackConfig.cmake)
PACOTE="build/wlumoprod_${VERSAO}_$(dpkg --print-architecture).deb"
falha() { echo "pacote: $*" >&2; exit 1; }
[ -f "$PACOTE" ] || falha "cpack não deixou $PACOTE"

CONTEUDO=$(dpkg-deb -c "$PACOTE" | awk '{print $NF}')
for f in ./usr/bin/WLumoProd ./usr/bin/wlumoprod-cli ./usr/share/applications/wlumoprod.desktop \
         ./usr/share/icons/hicolor/scalable/apps/wlumoprod.svg \
         ./usr/share/icons/hicolor/48x48/apps/wlumoprod.png \
         ./usr/share/icons/hicolor/256x256/apps/wlumoprod.png \
         ./usr/share/man/man1/wlumoprod-cli.1.gz; do
    grep -qxF "$f" <<<"$CONTEUDO" || falha "falta $f no pacote"
done
FORA=$(grep -v -e '^\./usr/bin/' -e '^\./usr/share/' -e '^\./usr/$' <<<"$CONTEUDO" || true)
[ -z "$FORA" ] || falha "ficheiros fora de /usr/bin e /usr/share: $FORA"

# Without dpkg-shlibdeps cpack quietly leaves the linked libraries out of Depends.
DEPENDE=$(dpkg-deb -f "$PACOTE" Depends)
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6sql6-psql \
         libqt6printsupport6 libqt6charts6 libzint libxlsxwriter libzip libsodium libcurl4 \
         fonts-liberation; do
    grep -qE "(^|, )${p}[^ ,]*( \(|,|$)" <<<"$DEPENDE" || falha "Depends sem $p: $DEPENDE"
done
grep -q postgresql <<<"$DEPENDE" && falha "o PostgreSQL só pode estar em Suggests"

# Installing writes nothing but the package's own files: no maintainer scripts.
CONTROLO=$(mktemp -d)
trap 'rm -rf "$CONTROLO"' EXIT
dpkg-deb -e "$PACOTE" "$CONTROLO"
EXTRA=$(ls "$CONTROLO" | grep -vx -e control -e md5sums || true)
[ -z "$EXTRA" ] || falha "scripts de instalação no pacote: $EXTRA"

echo
dpkg-deb -f "$PACOTE" Package Version Architecture Depends Suggests Installed-Size
echo
echo "Pacote: $PACOTE"
echo "Instalar: apt-get install ./$PACOTE"
