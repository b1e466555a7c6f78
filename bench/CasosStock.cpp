// The stock ledger cases: posting, lot balance, and an entry at the end of a long history.
#include "bench/Bancada.h"
#include "bench/CasosBancada.h"

#include <QTextStream>

namespace {
int correr(const OpcoesBancada& op, void (Bancada::*caso)()) {
    Bancada b(op.motor, op.maximo);
    if (!b.preparada()) {
        QTextStream(stderr) << b.erro() << "\n";
        return 1;
    }
    (b.*caso)();
    return 0;
}

const RegistoCasoBancada r1(QStringLiteral("lancamento"),
                            [](const OpcoesBancada& op) { return correr(op, &Bancada::lancamentoContraInsercao); });
const RegistoCasoBancada r2(QStringLiteral("saldo-lote"),
                            [](const OpcoesBancada& op) { return correr(op, &Bancada::saldoDeLote); });
const RegistoCasoBancada r3(QStringLiteral("entrada"),
                            [](const OpcoesBancada& op) { return correr(op, &Bancada::entradaNoFimDoHistorico); });
} // namespace
