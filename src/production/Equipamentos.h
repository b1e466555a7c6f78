#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

struct GlobalContext;
class Database;

// A piece of equipment taken in to be dismantled (Prod_Equipamentos): four dated steps and the
// destruction certificate. Dates are "yyyy-mm-dd", blank while the step is not done.
struct Equipamento {
    qint64 numRegisto = 0;
    QString codigo, descricao;
    QString dataAquisicao, dataAbate, dataDespoluimento, dataDesmantelamento, dataCertDest;
    Currency valorAquisicao, valorDesmantelamento;
    QString observacao;
    // Per step (0 abate, 1 despoluimento, 2 desmantelamento): days after the previous step, the
    // user to warn, and the due date computed on every save (blank: no warning).
    std::array<int, 3> avisoDias{};
    std::array<QString, 3> avisoUtilizador;
    std::array<QString, 3> aviso;
    // The users who may see it; empty: everybody.
    QStringList utilizadores;
    QString utilizador, dataSys; // who saved it last, and when
};

// The three warned steps, in order, as the warnings name them.
inline const std::array<QString, 3> PassosEquipamento = {QStringLiteral("Abate"), QStringLiteral("Despoluimento"),
                                                         QStringLiteral("Desmantelamento")};

// The due dates from the dates and warning days: a step's due date is the previous step's date plus
// its days, while the step's own date is blank, the previous date is given and the days are above 0.
void CalculaAvisosEquipamento(Equipamento& e);

// The list's filter: code and description starting with the texts typed; state "T" all, "SDAR"
// without deregistration date, "SDDP" without depollution, "SDDM" without dismantling (default),
// "SDCD" without destruction certificate. Only equipment the user may see.
struct FiltroEquipamentos {
    QString codigo, descricao;
    QString estado = QStringLiteral("SDDM");
};
Resultado<std::vector<Equipamento>> ListarEquipamentos(Database& db, const FiltroEquipamentos& f,
                                                       const QString& utilizador);
Resultado<std::optional<Equipamento>> LerEquipamento(Database& db, const QString& codigo);
Resultado<std::optional<Equipamento>> LerEquipamentoPorRegisto(Database& db, qint64 numRegisto);

// A new record prefilled with the warning days, warning users and allowed users of the last
// equipment the user saved.
Resultado<Equipamento> NovoEquipamento(Database& db, const QString& utilizador);

// Saves the record with its due dates, the user and the time; logged "TB" "N"/"A". A new record
// needs a code and a description and refuses a code that exists or that instant runs still name
// ("Código já existente!"); a change keeps the code.
Resultado<Equipamento> GravarEquipamento(GlobalContext& ctx, Equipamento e, bool novo);

// Whether instant runs name the equipment (asked before deleting it).
Resultado<bool> EquipamentoComProducoes(Database& db, const QString& codigo);
// Deletes the equipment (its runs keep the code); logged "TB" "E".
Resultado<> EliminarEquipamento(GlobalContext& ctx, const QString& codigo);

// One pending step of an equipment for the user on a day ("Sem registo de " + step).
struct AvisoEquipamento {
    qint64 numRegisto = 0;
    QString codigo, descricao;
    QString dataControlo; // the due date
    QString aviso;
};
Resultado<std::vector<AvisoEquipamento>> AvisosEquipamentos(Database& db, const QString& utilizador, const QDate& dia);
// How many equipment rows hold a warning due for the user on the day (the menu's check).
Resultado<int> ContaAvisosEquipamentos(Database& db, const QString& utilizador, const QDate& dia);

// The finished products obtained from an equipment by instant runs.
struct ProdutoDesmantelamento {
    QString data, produto, descricao, lote;
};
Resultado<std::vector<ProdutoDesmantelamento>> ProdutosDesmantelamento(Database& db, const QString& codigo);

// The equipment report: costs (acquisition and raw materials of its runs) against revenues
// (dismantling and finished products), each line valued quantity × price exactly.
struct LinhaRelatorioEquipamento {
    QString data, tipo, numero, produto, descricao;
    Currency quantidade, preco, valor;
};
struct RelatorioEquipamento {
    Equipamento equipamento;
    std::vector<LinhaRelatorioEquipamento> custos, proveitos;
    Currency totalCustos, totalProveitos;
    Currency saldo() const { return totalProveitos - totalCustos; }
};
Resultado<RelatorioEquipamento> LerRelatorioEquipamento(Database& db, const QString& codigo);
