#include "dimensioning/EntradaDimensionamento.h"

#include "common/CheckedMath.h"
#include "common/Format.h"
#include "common/Rounding.h"
#include "dimensioning/FaixasValidade.h"

#include <tuple>

namespace vastrel {

namespace {

constexpr const char* kNotaSemEscoamentoGradiente =
    "A faixa entre terraços não produz escoamento com esta chuva (a intensidade não supera a taxa de "
    "infiltração estável, ou a abstração inicial retém todo o excesso): o canal não recebe vazão (Q = 0) e "
    "a altura teórica é 0.";
constexpr const char* kNotaSemEscoamentoNivel =
    "A faixa entre terraços não produz escoamento com esta chuva (LES = 0): a altura teórica é 0.";

} // namespace

std::string MostrarReal(const std::string& formato, double vazio, double valor)
{
    if (valor == vazio)
        return "";
    return FormatFloat(formato, valor);
}

double LerReal(const std::string& texto, double padrao)
{
    if (texto.empty())
        return padrao;
    return StrToFloat(texto);
}

std::pair<std::string, std::string> TextosSecaoTrapezoidal(const char* formato, double B, double Z)
{
    if (B == 0 && Z == 0)
        return {};
    return {FormatFloat(formato, B), FormatFloat(formato, Z)};
}

TCamposDimensionamento PreencherCampos(TProjeto& p)
{
    const TUnidades& u = p.Unidades;
    TCamposDimensionamento c;
    c.Sistema = p.TipoSistema.Tipo;

    // Design storm and its place.
    TPrecipitacaoExponencialNegativa& chuva = p.Chuva();
    PreencherCamposChuva(c, chuva, p.Nimbra);

    // Terrain, in display units.
    c.VIB = MostrarReal(kFormatoGeral, 0, u.MostrarVIB(p.Terreno.VIB));
    c.DecliTer = MostrarReal(kFormatoGeral, 0, u.MostrarDeclividade(p.Terreno.St));

    // Channel of the current system.
    TCanal& canal = p.CanalAtual();
    c.Canal = canal.TipoCanal.Tipo;
    if (canal.TipoCanal.Tipo == 0) {
        std::tie(c.BSt, c.ZSm) =
            TextosSecaoTrapezoidal(p.Gradiente() ? kFormatoGeral : kFormatoCurto, canal.B, canal.Z.Valor);
    } else {
        c.BSt = MostrarReal(kFormatoGeral, 0, u.MostrarDeclividade(p.Terreno.St));
        c.ZSm = MostrarReal(kFormatoGeral, 0, u.MostrarDeclividade(canal.Sm.Valor));
    }
    if (p.Gradiente()) {
        const TTerracosGradiente& g = p.TerracosGradiente;
        c.RugTer = MostrarReal(kFormatoGeral, 0, p.Terreno.nt.Valor);
        c.Sc = MostrarReal(kFormatoGeral, 0, u.MostrarDeclividade(g.Sc));
        c.RugCan = MostrarReal(kFormatoGeral, 0, g.nc.Valor);
        c.Comp = MostrarReal(kFormatoGeral, 0, g.Comprimento);
    }

    // Spacing of the current system.
    const TEspacamento& esp = p.EspacamentoAtual();
    c.Metodo = esp.Metodologia.IndMetodologia;
    c.EH = MostrarReal(kFormatoEspacamento, 0, esp.EH);
    c.EV = MostrarReal(kFormatoEspacamento, 0, esp.EV);
    return c;
}

void LerCampos(const TCamposDimensionamento& c, TProjeto& p)
{
    const TUnidades& u = p.Unidades;
    p.TipoSistema.Tipo = static_cast<std::uint8_t>(c.Sistema);

    TPrecipitacaoExponencialNegativa& chuva = p.Chuva();
    LerCamposChuva(c, chuva);
    p.Nimbra.Latitude = c.Latitude;
    p.Nimbra.Longitude = c.Longitude;

    p.Terreno.SetSt(u.GuardarDeclividade(LerReal(c.DecliTer, 0)));
    p.Terreno.SetVIB(u.GuardarVIB(LerReal(c.VIB, 0)));

    TCanal& canal = p.CanalAtual();
    canal.TipoCanal.Tipo = static_cast<std::uint8_t>(c.Canal);
    // Each shape keeps its own values: those of the other one stay stored
    // for a switch back.
    if (c.Canal == 1) {
        // Triangular: bounded by the land surface and the ridge face.
        canal.Sm.Valor = u.GuardarDeclividade(LerReal(c.ZSm, 0));
    } else {
        canal.SetB(LerReal(c.BSt, 0));
        canal.Z.Valor = LerReal(c.ZSm, 0);
    }

    if (p.Gradiente()) {
        TTerracosGradiente& g = p.TerracosGradiente;
        p.Terreno.nt.Valor = LerReal(c.RugTer, 0);
        g.nc.Valor = LerReal(c.RugCan, 0);
        g.SetComprimento(static_cast<std::int32_t>(RoundHalfEven(LerReal(c.Comp, 0))));
        g.SetSc(u.GuardarDeclividade(LerReal(c.Sc, 0)));
    }

    TEspacamento& esp = p.EspacamentoAtual();
    if (c.Metodo >= 0)
        esp.Metodologia.IndMetodologia = static_cast<std::uint8_t>(c.Metodo);
    if (!c.EH.empty()) {
        esp.SetEH(LerReal(c.EH, 0));
        esp.SetEV(esp.EH * p.Terreno.St);
    }
}

std::optional<TFalhaValidacao> ValidarCampos(const TCamposDimensionamento& c)
{
    const bool triangular = c.Canal == 1;
    struct Regra {
        TCampo campo;
        const std::string* texto;
        const char* mensagem;
        bool aplica;
    };
    const bool gradiente = c.Sistema == 1;
    const Regra regras[] = {
        {TCampo::Tr, &c.Tr, "Valor do periodo de retorno inconsistente.", true},
        {TCampo::K, &c.K, "Valor do parâmetro \"K\" inconsistente.", true},
        {TCampo::A, &c.A, "Valor do parâmetro \"a\" inconsistente.", true},
        {TCampo::B, &c.B, "Valor do parâmetro \"b\" inconsistente.", true},
        {TCampo::C, &c.C, "Valor do parâmetro \"c\" inconsistente.", true},
        {TCampo::ZSm, &c.ZSm,
         triangular ? "Valor da inclinação do murundum inconsistente."
                    : "Valor da inclinação da parede do canal inconsistente.",
         true},
        {TCampo::BSt, &c.BSt,
         triangular ? "Valor da declividade do terreno inconsistente."
                    : "Valor da base do canal inconsistente.",
         true},
        {TCampo::RugTer, &c.RugTer, "Valor da rugosidade do terreno inconsistente.", gradiente},
        {TCampo::Sc, &c.Sc, "Valor da declividade do canal inconsistente.", gradiente},
        {TCampo::Comp, &c.Comp, "Valor do comprimento do canal inconsistente.", gradiente},
        {TCampo::RugCan, &c.RugCan, "Valor da rugosidade do canal inconsistente.", gradiente},
        {TCampo::DecliTer, &c.DecliTer, "Valor da declividade do terreno inconsistente.", true},
        {TCampo::EV, &c.EV, "Valor do espaçamento vertical inconsistente.", true},
        {TCampo::EH, &c.EH, "Valor do espaçamento horizontal inconsistente.", true},
        {TCampo::VIB, &c.VIB, "Valor da taxa de infiltração estável inconsistente.", true},
    };
    for (const Regra& r : regras)
        if (r.aplica && r.texto->empty())
            return TFalhaValidacao{r.campo, r.mensagem};
    if (gradiente) {
        const auto comprimento = ParseFloat(c.Comp);
        if (comprimento && *comprimento > kComprimentoMaximoCanal)
            return TFalhaValidacao{TCampo::Comp, kMsgComprimentoMaximo};
    }
    return std::nullopt;
}

TResultadoDimensionamento Dimensionar(TProjeto& p)
{
    TResultadoDimensionamento r;
    r.Gradiente = p.Gradiente();
    TCanal& canal = p.CanalAtual();
    canal.Dimensionar(p.Terreno, p.Chuva());
    if (r.Gradiente)
        r.Q = p.TerracosGradiente.Q;
    else
        r.LES = p.Terreno.CalculaLES(p.Chuva());
    r.EV = p.EspacamentoAtual().EV;
    r.H = canal.H;
    r.CDu = canal.CDu;
    r.Hr = AlturaRecomendada(r.H, r.CDu);
    r.SemEscoamento = r.Gradiente ? r.Q == 0 : r.LES == 0;
    return r;
}

void AplicarCDu(TProjeto& p, double CDu)
{
    const bool valiam = p.ResultadosValidos();
    TCanal& canal = p.CanalAtual();
    canal.SetCDu(CDu);
    canal.SetHr(AlturaRecomendada(canal.H, canal.CDu));
    if (valiam)
        p.MarcarResultados();
}

TCalculoDimensionamento Calcular(const TCamposDimensionamento& campos, TProjeto& p)
{
    TCalculoDimensionamento r;
    try {
        LerCampos(campos, p);
    } catch (const std::exception& e) {
        r.ErroLeitura = e.what();
        p.LimparResultados();
        return r;
    }
    r.Falha = ValidarCampos(campos);
    if (r.Falha) {
        p.LimparResultados();
        return r;
    }
    r.Avisos = AvisosDimensionamento(p);
    try {
        TResultadoDimensionamento res = Dimensionar(p);
        p.CanalAtual().SetHr(res.Hr);
        if (res.SemEscoamento)
            r.Avisos.push_back(res.Gradiente ? kNotaSemEscoamentoGradiente : kNotaSemEscoamentoNivel);
        r.Resultado = res;
        p.MarcarResultados();
    } catch (const std::exception& e) {
        r.ErroMotor = e.what();
        p.LimparResultados();
    }
    return r;
}

TCalculoDimensionamento Calcular(TProjeto& p)
{
    try {
        return Calcular(PreencherCampos(p), p);
    } catch (const std::exception& e) {
        TCalculoDimensionamento r;
        r.ErroLeitura = e.what();
        return r;
    }
}

} // namespace vastrel
