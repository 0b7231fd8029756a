#include "dimensioning/EntradaDimensionamento.h"

#include "common/CheckedMath.h"
#include "common/Format.h"
#include "common/Rounding.h"

namespace vastrel {

namespace {

constexpr const char* kFormatoGeral = "0.0######";   // at least one decimal, up to seven
constexpr const char* kFormatoNivelTrap = "0.0##";   // B and Z of a level trapezoidal channel
constexpr const char* kFormatoEspacamento = "0.0#";  // EH and EV

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
        const char* fmt = p.Gradiente() ? kFormatoGeral : kFormatoNivelTrap;
        c.BSt = MostrarReal(fmt, 0, canal.B);
        c.ZSm = MostrarReal(fmt, 0, canal.Z.Valor);
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
    if (c.Canal == 1) {
        // Triangular: bounded by the land surface and the ridge face.
        canal.Sm.Valor = u.GuardarDeclividade(LerReal(c.ZSm, 0));
        canal.SetB(0);
        canal.Z.Valor = 0;
    } else {
        canal.SetB(LerReal(c.BSt, 0));
        canal.Z.Valor = LerReal(c.ZSm, 0);
        canal.Sm.Valor = 0;
    }

    if (p.Gradiente()) {
        TTerracosGradiente& g = p.TerracosGradiente;
        p.Terreno.nt.Valor = LerReal(c.RugTer, 0);
        g.nc.Valor = LerReal(c.RugCan, 0);
        g.SetComprimento(static_cast<std::int32_t>(RoundHalfEven(LerReal(c.Comp, 0))));
        g.SetSc(u.GuardarDeclividade(LerReal(c.Sc, 0)));
    }

    TEspacamento& esp = p.EspacamentoAtual();
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
    return std::nullopt;
}

double AlturaRecomendada(double H, double CDu)
{
    return cm::Finite(cm::Sqrt(CDu) * (H * 100) + 10);
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
    return r;
}

} // namespace vastrel
