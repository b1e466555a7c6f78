#include "session/Presenca.h"

#include "session/Acessos.h"
#include "db/Database.h"
#include "db/Servidor.h"
#include "company/GlobalContext.h"

Presenca::Presenca(GlobalContext& ctx, const QString& programa)
    : m_ctx(ctx), m_programa(programa.isEmpty() ? NomePrograma : programa) {}

QString Presenca::NomeMarca(const QString& empresa, const QString& programa, const QString& utilizador) {
    return MarcaPresenca{empresa, programa, utilizador}.nome();
}

std::unique_ptr<Servidor> Presenca::servidor() const {
    // Before the company is opened, the server it will be opened on.
    return Servidor::para(m_ctx.LigacaoEmpresa ? m_ctx.LigacaoEmpresa->params() : Servidor::lerTexto(m_ctx.Servidor));
}

MarcaPresenca Presenca::marca(const QString& utilizador) const {
    return MarcaPresenca{m_ctx.CodigoEmpresa, m_programa, utilizador};
}

bool Presenca::Utilizador_Entrada(const QString& utilizador) {
    return servidor()->marcarPresenca(m_ctx.LigacaoEmpresa.get(), marca(utilizador));
}

bool Presenca::Utilizador_EmUso(const QString& utilizador) {
    return servidor()->presente(m_ctx.LigacaoEmpresa.get(), marca(utilizador));
}

bool Presenca::Utilizador_EmUso_TodosModulos(const QString& utilizador) {
    return servidor()->presenteEmAlgumPrograma(m_ctx.LigacaoEmpresa.get(), marca(utilizador));
}

void Presenca::Utilizador_Saida(const QString& utilizador) {
    servidor()->retirarPresenca(m_ctx.LigacaoEmpresa.get(), marca(utilizador));
}
