#include "printing/EtiquetasImpressao.h"

#include "controls/FormatoNumero.h"
#include "db/Database.h"
#include "db/esquema/Esquema.h"
#include "lookups/Imagens.h"
#include "printing/CodigosBarras.h"
#include "printing/ExportadorPdf.h"
#include "printing/cPrinter.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <map>

namespace {

const QString TabelaProdutos = QStringLiteral("Produtos");
// The symbology of the row's dynamic code when the definition's own is one-dimensional: the text it
// carries (lot, dates, quantities) seldom fits a 1D code.
constexpr int TipoCodigoDinamico1D = 9; // QR Code

enum class TipoCampo {
    Texto,
    Foto,
    CodigoBarras,
    CodigoDinamico,
    CodigoDinamicoTexto,
    Lote,
    PrecoLote,
    PrecoLoteComIva,
    PrecoPeso,
    DescricaoImposto,
    Atributo,
    ColunaProduto
};

// The row's reference attributes and the tables that describe their codes.
struct Atributo {
    const char* campo;
    const char* tabela;
    QString LinhaEtiqueta::*membro;
};
const Atributo Atributos[] = {{"estacao", "TabEstacao", &LinhaEtiqueta::estacao},
                              {"sexo", "TabSexo", &LinhaEtiqueta::sexo},
                              {"referencia", "Referencias", &LinhaEtiqueta::referencia},
                              {"modelo", "Modelos", &LinhaEtiqueta::modelo},
                              {"cor", "Cores", &LinhaEtiqueta::cor},
                              {"comprimento", "Comprimentos", &LinhaEtiqueta::comprimento},
                              {"tamanho", "Tamanhos", &LinhaEtiqueta::tamanho}};

struct CampoResolvido {
    CampoEtiqueta c;
    TipoCampo tipo = TipoCampo::Texto;
    QString coluna;       // ColunaProduto: the declared Produtos column; PrecoPeso: its PrecoVendaN
    int atributo = -1;    // Atributo: index into Atributos
    bool preco = false;   // ColunaProduto: a sale price (PrecoVenda1..7)
    TipoColuna tipoColuna = TipoColuna::Texto;
};

// Field names compare without regard to case or accents ("Código" = "codigo").
QString chaveNome(const QString& nome) {
    const QString d = nome.simplified().toLower().normalized(QString::NormalizationForm_D);
    QString r;
    r.reserve(d.size());
    for (const QChar ch : d)
        if (ch.category() != QChar::Mark_NonSpacing)
            r += ch;
    return r;
}

// The name as the schema declares it when Produtos has that column; "" otherwise.
QString colunaProdutos(const QString& nome) {
    const TabelaDef* t = tabelaEmpresa(TabelaProdutos);
    const ColunaDef* c = t ? t->coluna(nome) : nullptr;
    return c ? c->nome : QString();
}

CampoResolvido classificar(const CampoEtiqueta& c) {
    CampoResolvido r;
    r.c = c;
    if (!c.temCampo)
        return r;
    const QString k = chaveNome(c.campo);
    static const QRegularExpression precoPeso(QStringLiteral("^precovenda([1-7])convertpeso$"));
    static const QRegularExpression precoVenda(QStringLiteral("^precovenda[1-7]$"));
    if (k == QStringLiteral("foto"))
        r.tipo = TipoCampo::Foto;
    else if (k == QStringLiteral("codigo de barras"))
        r.tipo = TipoCampo::CodigoBarras;
    else if (k == QStringLiteral("codigo de barras - dinamico"))
        r.tipo = TipoCampo::CodigoDinamico;
    else if (k == QStringLiteral("codigo de barras - dinamico (apenas codigo)"))
        r.tipo = TipoCampo::CodigoDinamicoTexto;
    else if (k == QStringLiteral("lote"))
        r.tipo = TipoCampo::Lote;
    else if (k == QStringLiteral("precolote"))
        r.tipo = TipoCampo::PrecoLote;
    else if (k == QStringLiteral("precolotecomiva"))
        r.tipo = TipoCampo::PrecoLoteComIva;
    else if (k == QStringLiteral("descricaoimposto"))
        r.tipo = TipoCampo::DescricaoImposto;
    else if (const auto m = precoPeso.match(k); m.hasMatch()) {
        r.tipo = TipoCampo::PrecoPeso;
        r.coluna = colunaProdutos(QStringLiteral("PrecoVenda") + m.captured(1));
    } else {
        for (int i = 0; i < int(std::size(Atributos)); ++i)
            if (k == QLatin1String(Atributos[i].campo)) {
                r.tipo = TipoCampo::Atributo;
                r.atributo = i;
                return r;
            }
        // Only a declared column is ever read: any other name prints as it was written.
        const TabelaDef* t = tabelaEmpresa(TabelaProdutos);
        if (const ColunaDef* col = t ? t->coluna(c.campo.trimmed()) : nullptr) {
            r.tipo = TipoCampo::ColunaProduto;
            r.coluna = col->nome;
            r.tipoColuna = col->tipo;
            r.preco = precoVenda.match(col->nome.toLower()).hasMatch();
        }
    }
    return r;
}

// What one entry prints on the labels of one row.
struct Conteudo {
    enum class Tipo { Nada, Texto, Imagem, Codigo } tipo = Tipo::Nada;
    QString texto;
    int imagem = -1;
    QSize tamanhoImagem;
    const SimboloCodigo* simbolo = nullptr;
};

struct CodigoFeito {
    std::optional<SimboloCodigo> simbolo;
    QString erro;
};

struct DadosProduto {
    bool existe = false;
    QHash<QString, QVariant> valores; // by column name in small letters
    QString codigoFiliado;            // the first of ProdutosCodigosBarras
    QVariant valor(const QString& coluna) const { return valores.value(coluna.toLower()); }
};

struct Iva {
    QString descricao;
    Currency taxa;
};

struct Foto {
    int indice = -1;
    QSize tamanho;
};

// The run's reads, each made once: a product, a VAT code, an attribute's description, a picture, a
// symbol.
class Resolvedor {
public:
    Resolvedor(cPrinter& p, Database& db, const std::vector<CampoResolvido>& campos) : m_p(p), m_db(db) {
        QSet<QString> vistas;
        auto juntar = [&](const QString& c) {
            if (!c.isEmpty() && !vistas.contains(c.toLower())) {
                vistas.insert(c.toLower());
                m_colunas << c;
            }
        };
        juntar(colunaProdutos(QStringLiteral("Codigo")));
        juntar(colunaProdutos(QStringLiteral("ivatabvenda")));
        for (const CampoResolvido& c : campos) {
            if (c.tipo == TipoCampo::ColunaProduto)
                juntar(c.coluna);
            else if (c.tipo == TipoCampo::PrecoPeso) {
                juntar(c.coluna);
                juntar(colunaProdutos(QStringLiteral("Peso")));
            } else if (c.tipo == TipoCampo::CodigoBarras) {
                juntar(colunaProdutos(QStringLiteral("CodigoBarras")));
                m_codigosFiliados = true;
            }
        }
    }

    // The products of a run read in a few statements instead of one per product; a code not
    // found is remembered as missing.
    Resultado<> preCarregar(const QStringList& codigos) {
        constexpr int Bloco = 200;
        QStringList falta;
        for (const QString& c : codigos)
            if (!c.isEmpty() && m_produtos.find(c) == m_produtos.end() && !falta.contains(c))
                falta << c;
        for (qsizetype i = 0; i < falta.size(); i += Bloco) {
            const QStringList bloco = falta.mid(i, Bloco);
            QVariantList valores;
            for (const QString& c : bloco)
                valores << c;
            QStringList marcas(bloco.size(), QStringLiteral("?"));
            const bool ok = m_db.percorrer(selectProduto() + QStringLiteral(" WHERE Codigo IN (") +
                                               marcas.join(u',') + u')',
                                           valores, [&](const QSqlQuery& q) {
                                               const DadosProduto dp =
                                                   lido(q.record().count(), [&](int k) { return q.value(k); });
                                               // Kept under the code as the list gave it, as the
                                               // database matched it (case, trailing blanks).
                                               const QString lidoCodigo =
                                                   dp.valor(QStringLiteral("Codigo")).toString().trimmed();
                                               for (const QString& c : bloco)
                                                   if (c.trimmed().compare(lidoCodigo, Qt::CaseInsensitive) == 0)
                                                       m_produtos.try_emplace(c, dp);
                                           });
            if (!ok)
                return Falha(m_db.lastError());
            for (const QString& c : bloco)
                m_produtos.try_emplace(c, DadosProduto{});
        }
        return {};
    }

    Resultado<const DadosProduto*> produto(const QString& codigo) {
        if (auto it = m_produtos.find(codigo); it != m_produtos.end())
            return &it->second;
        const auto linha = m_db.lerPrimeiraLinha(selectProduto() + QStringLiteral(" WHERE Codigo=?"), {codigo});
        if (!linha)
            return linha.falha();
        DadosProduto dp;
        if (*linha)
            dp = lido(int((**linha).size()), [&](int k) { return (**linha).value(k); });
        return &m_produtos.emplace(codigo, std::move(dp)).first->second;
    }

    // The columns the fields need; the first code filed for the product comes in the same read.
    QString selectProduto() const {
        const QString filiado =
            m_codigosFiliados ? QStringLiteral(", (SELECT CodigoBarras FROM ProdutosCodigosBarras WHERE "
                                               "ProdutoBase=Produtos.Codigo ORDER BY NumRegisto") +
                                    m_db.dialect().limite(1) + u')'
                              : QString();
        return QStringLiteral("SELECT ") + m_colunas.join(QStringLiteral(", ")) + filiado + QStringLiteral(" FROM Produtos");
    }
    template <typename F> DadosProduto lido(int n, F valor) const {
        DadosProduto dp;
        dp.existe = true;
        for (int i = 0; i < m_colunas.size() && i < n; ++i)
            dp.valores.insert(m_colunas[i].toLower(), valor(i));
        if (m_codigosFiliados && n > m_colunas.size())
            dp.codigoFiliado = valor(int(m_colunas.size())).toString().trimmed();
        return dp;
    }

    Resultado<Iva> iva(const DadosProduto& dp) {
        const QString codigo = dp.valor(QStringLiteral("ivatabvenda")).toString().trimmed();
        if (codigo.isEmpty())
            return Iva{};
        if (auto it = m_ivas.find(codigo); it != m_ivas.end())
            return it.value();
        const auto linha =
            m_db.lerPrimeiraLinha(QStringLiteral("SELECT Descricao, Taxa FROM tabiva WHERE codigo=?"), {codigo});
        if (!linha)
            return linha.falha();
        Iva i;
        if (*linha) {
            i.descricao = (**linha).value(0).toString().trimmed();
            i.taxa = Currency::fromVariant((**linha).value(1));
        }
        m_ivas.insert(codigo, i);
        return i;
    }

    // The code's description; the code itself when the table does not know it.
    Resultado<QString> atributo(int indice, const QString& codigo) {
        if (codigo.trimmed().isEmpty())
            return QString();
        const QString chave = QString::number(indice) + u'|' + codigo.trimmed();
        if (auto it = m_atributos.find(chave); it != m_atributos.end())
            return it.value();
        const auto linha = m_db.lerPrimeiraLinha(QStringLiteral("SELECT Descricao FROM %1 WHERE codigo=?")
                                                     .arg(QLatin1String(Atributos[indice].tabela)),
                                                 {codigo.trimmed()});
        if (!linha)
            return linha.falha();
        const QString r = *linha ? (**linha).value(0).toString().trimmed() : codigo.trimmed();
        m_atributos.insert(chave, r);
        return r;
    }

    // The product's bar code: its own column when the schema has one and it is filled, else the
    // first code filed for it in ProdutosCodigosBarras.
    static QString codigoBarras(const DadosProduto& dp) {
        const QString proprio = dp.valor(QStringLiteral("CodigoBarras")).toString().trimmed();
        return proprio.isEmpty() ? dp.codigoFiliado : proprio;
    }

    // The product's first confirmed picture, added to the printer; indice -1 when it has none.
    Resultado<Foto> foto(const QString& produto, QString* erro) {
        if (auto it = m_fotos.find(produto); it != m_fotos.end())
            return it.value();
        Foto f;
        // A product's own pictures are filed under its code, with an empty key or its code as key.
        for (const QString& chave : {QString(), produto}) {
            const auto lista = ListarImagens(m_db, TabelaProdutos, produto, chave, QString());
            if (!lista)
                return lista.falha();
            const auto confirmada = std::find_if(lista->begin(), lista->end(),
                                                 [](const ImagemRegistada& i) { return i.confirmada; });
            if (confirmada == lista->end())
                continue;
            const auto bytes = LerImagem(m_db, confirmada->numRegisto);
            if (!bytes)
                return bytes.falha();
            const QImage img = QImage::fromData(*bytes);
            f.indice = m_p.PNewImg(img);
            f.tamanho = img.size();
            if (f.indice < 0 && erro)
                *erro = QStringLiteral("A imagem %1 não pôde ser lida.").arg(confirmada->nome);
            break;
        }
        m_fotos.insert(produto, f);
        return f;
    }

    const CodigoFeito& simbolo(int layout, int tipo, const QString& texto) {
        const QString chave = QString::number(layout) + u'|' + QString::number(tipo) + u'|' + texto;
        auto it = m_simbolos.find(chave);
        if (it == m_simbolos.end()) {
            CodigoFeito f;
            if (auto s = GeraCodigoBarras(layout, tipo, texto))
                f.simbolo = std::move(*s);
            else
                f.erro = s.mensagem();
            it = m_simbolos.emplace(chave, std::move(f)).first;
        }
        return it->second;
    }

private:
    cPrinter& m_p;
    Database& m_db;
    QStringList m_colunas;
    bool m_codigosFiliados = false; // a field prints the product's bar code
    std::map<QString, DadosProduto> m_produtos; // nodes stay put: pointers to them are handed out
    QHash<QString, Iva> m_ivas;
    QHash<QString, QString> m_atributos;
    QHash<QString, Foto> m_fotos;
    std::map<QString, CodigoFeito> m_simbolos;
};

QString textoColuna(const CampoResolvido& c, const QVariant& v) {
    if (v.isNull())
        return {};
    switch (c.tipoColuna) {
    case TipoColuna::Money:
    case TipoColuna::Numerico: {
        const Currency n = Currency::fromVariant(v);
        return formatarNumeroPT(n, n.casasDecimais());
    }
    case TipoColuna::SmallInt:
    case TipoColuna::Inteiro:
        return QString::number(v.toLongLong());
    case TipoColuna::DataHora: {
        const QDateTime t = v.toDateTime();
        return t.isValid() ? t.toString(QStringLiteral("dd-MM-yyyy")) : v.toString().left(10);
    }
    case TipoColuna::Binario:
        return {};
    default:
        return v.toString().trimmed();
    }
}

class Impressao {
public:
    Impressao(cPrinter& p, Database& db, const DefinicaoEtiqueta& d, const OpcoesEtiquetas& o,
              std::vector<CampoResolvido> campos)
        : m_p(p), m_d(d), m_o(o), m_campos(std::move(campos)), m_res(p, db, m_campos) {}

    std::vector<AvisoEtiqueta> avisos;

    Resultado<> preCarregar(const std::vector<LinhaEtiqueta>& linhas) {
        QStringList codigos;
        for (const LinhaEtiqueta& l : linhas)
            if (l.marcada && l.quantidade > 0)
                codigos << l.produto.trimmed();
        return m_res.preCarregar(codigos);
    }

    // What each entry prints on the labels of the row.
    Resultado<std::vector<Conteudo>> conteudos(const LinhaEtiqueta& l) {
        std::vector<Conteudo> r;
        r.reserve(m_campos.size());
        const QString codigoProduto = l.produto.trimmed();
        const auto dp = m_res.produto(codigoProduto);
        if (!dp)
            return dp.falha();
        const DadosProduto& produto = **dp;
        const auto iva = m_res.iva(produto);
        if (!iva)
            return iva.falha();
        const Currency taxa = iva->taxa;
        for (const CampoResolvido& c : m_campos) {
            Conteudo ct;
            auto texto = [&](const QString& valor) {
                ct.tipo = Conteudo::Tipo::Texto;
                ct.texto = c.c.prefixo + valor + c.c.sufixo;
            };
            auto codigo = [&](int layout, int tipo, const QString& t, const QString& semTexto) {
                if (t.trimmed().isEmpty()) {
                    aviso(codigoProduto, c.c.campo, semTexto);
                    return;
                }
                const CodigoFeito& f = m_res.simbolo(layout, tipo, t.trimmed());
                if (!f.simbolo) {
                    aviso(codigoProduto, c.c.campo, f.erro);
                    return;
                }
                ct.tipo = Conteudo::Tipo::Codigo;
                ct.simbolo = &*f.simbolo;
            };
            switch (c.tipo) {
            case TipoCampo::Texto:
                // Fixed text, or a name that is no field: printed as it was written.
                ct.tipo = Conteudo::Tipo::Texto;
                ct.texto = c.c.temCampo ? c.c.texto : c.c.prefixo;
                break;
            case TipoCampo::Foto: {
                QString erro;
                const auto f = m_res.foto(codigoProduto, &erro);
                if (!f)
                    return f.falha();
                if (!erro.isEmpty())
                    aviso(codigoProduto, c.c.campo, erro);
                if (f->indice >= 0) {
                    ct.tipo = Conteudo::Tipo::Imagem;
                    ct.imagem = f->indice;
                    ct.tamanhoImagem = f->tamanho;
                }
                break;
            }
            case TipoCampo::CodigoBarras:
                codigo(m_d.layoutCodigoBarras, m_d.tipoCodigoBarras, Resolvedor::codigoBarras(produto),
                       QStringLiteral("O produto não tem código de barras."));
                break;
            case TipoCampo::CodigoDinamico: {
                const bool dd = m_d.layoutCodigoBarras == LayoutCodigo2D;
                codigo(LayoutCodigo2D, dd ? m_d.tipoCodigoBarras : TipoCodigoDinamico1D, l.codigoDinamico,
                       QStringLiteral("A linha não tem código dinâmico."));
                break;
            }
            case TipoCampo::CodigoDinamicoTexto:
                texto(l.codigoDinamico);
                break;
            case TipoCampo::Lote:
                texto(l.lote);
                break;
            case TipoCampo::PrecoLote:
                texto(PrecoEtiqueta(m_d, l.precoLote, taxa, false, false, m_o.cambio));
                break;
            case TipoCampo::PrecoLoteComIva:
                texto(PrecoEtiqueta(m_d, l.precoLote, taxa, true, true, m_o.cambio));
                break;
            case TipoCampo::PrecoPeso: {
                const Currency peso = Currency::fromVariant(produto.valor(QStringLiteral("Peso")));
                if (c.coluna.isEmpty() || peso <= Currency()) {
                    texto(QString());
                    break;
                }
                try {
                    const Currency preco = Currency::fromVariant(produto.valor(c.coluna))
                                               .divide(peso, Currency::Arredondamento::MetadeAfastaDeZero);
                    texto(PrecoEtiqueta(m_d, preco, taxa, m_o.iva, false, m_o.cambio));
                } catch (const EstouroMontante&) {
                    texto(QString()); // a weight so small the price leaves the amount range
                }
                break;
            }
            case TipoCampo::DescricaoImposto:
                texto(iva->descricao);
                break;
            case TipoCampo::Atributo: {
                const auto t = m_res.atributo(c.atributo, l.*Atributos[c.atributo].membro);
                if (!t)
                    return t.falha();
                texto(*t);
                break;
            }
            case TipoCampo::ColunaProduto: {
                const QVariant v = produto.valor(c.coluna);
                if (c.preco)
                    texto(produto.existe ? PrecoEtiqueta(m_d, Currency::fromVariant(v), taxa, m_o.iva, false, m_o.cambio)
                                         : QString());
                else if (!produto.existe && c.coluna.compare(QStringLiteral("Descricao"), Qt::CaseInsensitive) == 0)
                    texto(l.descricao); // a product not (or no longer) on file keeps the list's description
                else
                    texto(textoColuna(c, v));
                break;
            }
            }
            r.push_back(std::move(ct));
        }
        return r;
    }

    void desenhar(const std::vector<Conteudo>& cs, const QPointF& canto) {
        const double largura = m_d.larguraEtiq, altura = m_d.alturaEtiq;
        if (m_o.caixa) {
            m_p.PColor(Qt::black);
            m_p.PFill(QColor());
            m_p.pBox(canto.x(), canto.y(), canto.x() + largura, canto.y() + altura);
        }
        for (size_t k = 0; k < cs.size(); ++k) {
            const Conteudo& ct = cs[k];
            if (ct.tipo == Conteudo::Tipo::Nada)
                continue;
            const CampoEtiqueta& c = m_campos[k].c;
            const QPointF em = m_d.etiquetaComXY
                                   ? canto + QPointF(c.x, c.y)
                                   : canto + QPointF(m_d.margemXI, m_d.margemYI + double(k) * m_d.salto);
            // What is left of the label right of and below the entry.
            const double resto = canto.x() + largura - em.x(), restoY = canto.y() + altura - em.y();
            switch (ct.tipo) {
            case Conteudo::Tipo::Texto:
                if (!ct.texto.isEmpty()) {
                    m_p.PColor(Qt::black);
                    m_p.PFont(c.fonte, c.tamanho, c.negrito, c.italico, false);
                    m_p.L(ct.texto, em.y(), em.x());
                }
                break;
            case Conteudo::Tipo::Imagem:
                desenharImagem(ct, em, resto, restoY);
                break;
            case Conteudo::Tipo::Codigo: {
                const double alt = m_d.altCodBar > 0 ? m_d.altCodBar : restoY;
                if (ct.simbolo->linear)
                    DesenhaCodigoBarras(m_p, *ct.simbolo, em.x(), em.y(), m_d.compCodBar > 0 ? m_d.compCodBar : resto,
                                        alt);
                else
                    DesenhaCodigoBarras(m_p, *ct.simbolo, em.x(), em.y(), alt, alt);
                break;
            }
            case Conteudo::Tipo::Nada:
                break;
            }
        }
    }

private:
    void aviso(const QString& produto, const QString& campo, const QString& erro) {
        // Once per product and field, however many labels the rows ask for.
        const QString chave = produto + u'\x1f' + campo;
        if (m_avisados.contains(chave))
            return;
        m_avisados.insert(chave);
        avisos.push_back({produto, campo, erro});
    }

    // The picture as large as the box allows, in its own proportions.
    void desenharImagem(const Conteudo& ct, const QPointF& em, double largura, double altura) {
        if (largura <= 0 || altura <= 0 || ct.tamanhoImagem.isEmpty())
            return;
        const double escala =
            std::min(largura / ct.tamanhoImagem.width(), altura / ct.tamanhoImagem.height());
        m_p.PDrawImg(ct.imagem, em.x(), em.y(), ct.tamanhoImagem.width() * escala,
                     ct.tamanhoImagem.height() * escala);
    }

    cPrinter& m_p;
    const DefinicaoEtiqueta& m_d;
    const OpcoesEtiquetas& m_o;
    std::vector<CampoResolvido> m_campos;
    Resolvedor m_res;
    QSet<QString> m_avisados;
};

} // namespace

Resultado<ResultadoEtiquetas> ImprimirEtiquetas(cPrinter& p, Database& db, const DefinicaoEtiqueta& d,
                                                const std::vector<LinhaEtiqueta>& linhas, const OpcoesEtiquetas& o,
                                                const QString& destino) {
    if (auto r = ValidaGrelhaEtiqueta(d); !r)
        return r.falha();
    if (o.coluna > d.numEtiqHoriz)
        return Falha(QStringLiteral("A coluna da primeira etiqueta (%1) excede as %2 colunas da folha.")
                         .arg(o.coluna)
                         .arg(d.numEtiqHoriz));
    if (o.linha > d.numEtiqVert)
        return Falha(QStringLiteral("A linha da primeira etiqueta (%1) excede as %2 linhas da folha.")
                         .arg(o.linha)
                         .arg(d.numEtiqVert));
    const auto campos = LerCamposEtiqueta(d.campos);
    if (!campos)
        return campos.falha();
    qint64 total = 0;
    for (const LinhaEtiqueta& l : linhas)
        if (l.marcada && l.quantidade > 0)
            total += l.quantidade;
    if (total == 0)
        return Falha(QStringLiteral("Não há etiquetas para imprimir!"));

    std::vector<CampoResolvido> resolvidos;
    for (const CampoEtiqueta& c : *campos)
        resolvidos.push_back(classificar(c));

    // Positions are from the paper's corner: no margins, the definition's paper.
    const QSizeF papel = TamanhoPapelEtiqueta(d);
    p.SetMargens(0, 0, 0, 0, 0, 0);
    const QString titulo = d.descricao.trimmed().isEmpty() ? QStringLiteral("Etiquetas")
                                                           : QStringLiteral("Etiquetas - ") + d.descricao.trimmed();
    if (!p.init(titulo, destino, cPrinter::PapelDefinido, cPrinter::Orientacao::Retrato, papel.height(), papel.width()))
        return Falha(QStringLiteral("Não foi possível preparar a impressão das etiquetas."));
    p.SetPageSize(papel.height(), papel.width());

    Impressao impressao(p, db, d, o, std::move(resolvidos));
    if (auto lidos = impressao.preCarregar(linhas); !lidos) {
        p.Abort();
        return lidos.falha();
    }
    ResultadoEtiquetas r;
    const Falha interrompida(QStringLiteral("Impressão das etiquetas interrompida."));
    if (!p.Wait(p.PaginaActual())) {
        p.Abort();
        return interrompida;
    }
    for (const LinhaEtiqueta& l : linhas) {
        if (!l.marcada || l.quantidade <= 0)
            continue;
        const auto conteudos = impressao.conteudos(l);
        if (!conteudos) {
            p.Abort();
            return conteudos.falha();
        }
        for (int q = 0; q < l.quantidade; ++q) {
            const PosicaoEtiqueta pos = PosicaoDaEtiqueta(d, o.coluna, o.linha, r.etiquetas);
            while (p.NumeroPaginas() <= pos.pagina) {
                p.PNP();
                if (!p.Wait(p.PaginaActual())) {
                    p.Abort();
                    return interrompida;
                }
            }
            impressao.desenhar(*conteudos, pos.canto);
            ++r.etiquetas;
        }
    }
    if (!p.Show())
        return Falha(QStringLiteral("Não foi possível preparar a impressão das etiquetas."));
    r.paginas = p.NumeroPaginas();
    r.avisos = std::move(impressao.avisos);
    return r;
}

Resultado<ResultadoEtiquetas> EtiquetasParaPdf(Database& db, const DefinicaoEtiqueta& d,
                                               const std::vector<LinhaEtiqueta>& linhas, const OpcoesEtiquetas& o,
                                               const QString& ficheiro) {
    cPrinter p;
    auto r = ImprimirEtiquetas(p, db, d, linhas, o, QStringLiteral("S"));
    if (!r)
        return r;
    if (!p.documento())
        return Falha(QStringLiteral("Não foi possível preparar a impressão das etiquetas."));
    if (auto e = EscreverPdf(*p.documento(), ficheiro); !e)
        return e.falha();
    return r;
}
