#!/usr/bin/env bash
# Fails when a source file includes a header of a higher layer.
# Layers, from the bottom: common (and controls) < db < company < session
# < stock, production, lookups < printing < cli, shell < app.
# The windows (ui/) of stock, production and lookups stand beside printing: they print.
# Outside ui/ folders (and the program's entry points) no file includes a window.
# Usage: verificar-camadas.sh [src-folder]
set -euo pipefail
RAIZ="${1:-$(dirname "$0")/../src}"

nivel() {
    case "$1" in
        common|controls) echo 0 ;;
        db) echo 1 ;;
        company) echo 2 ;;
        session) echo 3 ;;
        stock|production|lookups) echo 4 ;;
        printing) echo 5 ;;
        cli|shell) echo 6 ;;
        app) echo 7 ;;
        *) echo -1 ;;
    esac
}

erros=0
while IFS= read -r ficheiro; do
    rel="${ficheiro#"$RAIZ"/}"
    proprio="${rel%%/*}"
    np=$(nivel "$proprio")
    case "$rel" in
        stock/ui/*|production/ui/*|lookups/ui/*) np=$(nivel printing) ;;
    esac
    if [ "$np" -lt 0 ]; then
        echo "$rel: pasta sem camada conhecida ($proprio)"
        erros=$((erros + 1))
        continue
    fi
    while IFS= read -r linha; do
        alvo="${linha#*\"}"
        alvo="${alvo%%\"*}"
        [[ "$alvo" == */* ]] || continue
        # Business logic never includes a window.
        if [[ "$alvo" == */ui/* && "$rel" != */ui/* && "$rel" != app/* ]]; then
            echo "$rel: inclui $alvo, uma janela, fora de uma pasta ui/"
            erros=$((erros + 1))
        fi
        pasta="${alvo%%/*}"
        na=$(nivel "$pasta")
        if [ "$na" -lt 0 ]; then
            echo "$rel: inclui $alvo, de uma pasta sem camada conhecida"
            erros=$((erros + 1))
        elif [ "$na" -gt "$np" ]; then
            echo "$rel: inclui $alvo, de uma camada acima ($pasta > $proprio)"
            erros=$((erros + 1))
        fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$ficheiro" || true)
done < <(find "$RAIZ" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ "$erros" -gt 0 ]; then
    echo "$erros inclusões fora das camadas"
    exit 1
fi
echo "camadas: tudo em ordem"
