#include "dimensioning/EntradaLocacao.h"

#include "common/Format.h"
#include "common/Pastas.h"
#include "common/Rounding.h"
#include "dimensioning/EntradaDimensionamento.h"
#include "gis/Bytes.h"
#include "project/Projeto.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <vector>

namespace vastrel {

TCamposLocacao CamposLocacao(TProjeto& p)
{
    const TUnidades& u = p.Unidades;
    const TTerracosNivel& s = p.TerracosNivel;
    const TCanal& canal = p.CanalAtual();
    TCamposLocacao c;

    // Spacing method; the arbitrated ones show their own value.
    c.Metodo = p.EspacamentoAtual().Metodologia.IndMetodologia;
    if (c.Metodo == kMetodoEVArbitrado)
        c.EditEsp = FormatFloat(kFormatoCurto, p.EspacamentoAtual().EV);
    else if (c.Metodo == kMetodoAlturaArbitrada)
        c.EditEsp = FormatFloat(kFormatoCurto, p.Locacao.AlturaArbitrada);

    // Design storm and its place.
    const TPrecipitacaoExponencialNegativa& chuva = p.Chuva();
    PreencherCamposChuva(c, chuva, p.Nimbra);

    // Terrace type, channel and soil.
    c.Criterio = std::min<int>(s.SelecaoTipoTerraco.MetTipoTerraco, kCriterioArbitrado);
    c.TipoArbitrado = s.SelecaoTipoTerraco.TipoArbitrado;
    c.VIB = MostrarReal(kFormatoGeral, 0, u.MostrarVIB(p.Terreno.VIB));
    c.ZSm = MostrarReal(kFormatoGeral, 0, u.MostrarDeclividade(canal.Sm.Valor));
    c.CoefUni = MostrarReal(kFormatoGeral, 0, canal.CDu);
    if (p.Gradiente()) {
        const TTerracosGradiente& g = p.TerracosGradiente;
        c.Gradiente = true;
        c.Canal = g.TipoCanal.Tipo == 0 ? 0 : 1;
        c.Base = MostrarReal(kFormatoGeral, 0, g.B);
        c.Talude = MostrarReal(kFormatoGeral, -1, g.Z.Valor);
        c.Sc = MostrarReal(kFormatoGeral, 0, u.MostrarDeclividade(g.Sc));
        c.RugCan = MostrarReal(kFormatoGeral, 0, g.nc.Valor);
        c.Comp = MostrarReal(kFormatoGeral, 0, g.Comprimento);
        c.RugTer = MostrarReal(kFormatoGeral, 0, p.Terreno.nt.Valor);
    }
    return c;
}

void GravarCampos(const TCamposLocacao& c, TProjeto& p)
{
    const TUnidades& u = p.Unidades;
    TTerracosNivel& s = p.TerracosNivel;
    TEspacamento& esp = p.EspacamentoAtual();

    // 1. The method, and the value typed for an arbitrated one.
    esp.Metodologia.IndMetodologia = static_cast<std::uint8_t>(std::clamp(c.Metodo, 0, kMetodoUltimo));
    if (c.Metodo == kMetodoEVArbitrado)
        esp.SetEV(StrToFloat(c.EditEsp));
    else if (c.Metodo == kMetodoAlturaArbitrada)
        p.Locacao.AlturaArbitrada = std::max(0.0, StrToFloat(c.EditEsp));

    // 2. The storm.
    TPrecipitacaoExponencialNegativa& chuva = p.Chuva();
    LerCamposChuva(c, chuva);

    // 3. Its place.
    p.Nimbra.Latitude = TextoCoordenada(c.Latitude);
    p.Nimbra.Longitude = TextoCoordenada(c.Longitude);

    // 4. The source of the recommended type.
    TSelecaoTipoTerraco& tipo = s.SelecaoTipoTerraco;
    tipo.MetTipoTerraco = static_cast<std::uint8_t>(std::clamp(c.Criterio, 0, kCriterioArbitrado));
    if (tipo.MetTipoTerraco == kCriterioArbitrado)
        tipo.SetTipoArbitrado(c.TipoArbitrado);

    // 5. The channel (triangular for level terraces) and the soil.
    TCanal& canal = p.CanalAtual();
    canal.SetCDu(LerReal(c.CoefUni, 0));
    if (p.Gradiente()) {
        TTerracosGradiente& g = p.TerracosGradiente;
        g.TipoCanal.Tipo = static_cast<std::uint8_t>(c.Canal == 0 ? 0 : 1);
        if (c.Canal == 0) {
            g.SetB(LerReal(c.Base, 0));
            g.Z.Valor = LerReal(c.Talude, 0);
        } else {
            g.Sm.Valor = u.GuardarDeclividade(LerReal(c.ZSm, 0));
        }
        g.SetSc(u.GuardarDeclividade(LerReal(c.Sc, 0)));
        g.nc.Valor = LerReal(c.RugCan, 0);
        g.SetComprimento(static_cast<std::int32_t>(RoundHalfEven(LerReal(c.Comp, 0))));
        p.Terreno.nt.Valor = LerReal(c.RugTer, 0);
    } else {
        canal.TipoCanal.Tipo = 1;
        canal.Sm.Valor = u.GuardarDeclividade(LerReal(c.ZSm, 0));
    }
    p.Terreno.SetVIB(u.GuardarVIB(LerReal(c.VIB, 0)));
}

std::optional<TFalhaLocacao> ValidarCampos(const TCamposLocacao& c)
{
    // A field must hold a number in its range: an empty one is refused as
    // always; a zero return period or K gives no storm, a ridge face of
    // slope 0 gives every terrace the bare 0.10 m.
    enum TFaixa { Positivo, NaoNegativo };
    struct TRegra {
        TCampoLocacao Campo;
        const std::string* Texto;
        TFaixa Faixa;
        const char* Mensagem;
    };
    const TRegra regras[] = {
        {TCampoLocacao::Tr, &c.Tr, Positivo, "Valor do periodo de retorno inconsistente."},
        {TCampoLocacao::K, &c.K, Positivo, "Valor do parâmetro \"K\" inconsistente."},
        {TCampoLocacao::A, &c.A, NaoNegativo, "Valor do parâmetro \"a\" inconsistente."},
        {TCampoLocacao::B, &c.B, NaoNegativo, "Valor do parâmetro \"b\" inconsistente."},
        {TCampoLocacao::C, &c.C, Positivo, "Valor do parâmetro \"c\" inconsistente."},
        {TCampoLocacao::ZSm, &c.ZSm, Positivo, "Valor da inclinação do murundum inconsistente."},
        {TCampoLocacao::VIB, &c.VIB, NaoNegativo, "Valor da taxa de infiltração estável inconsistente."},
        {TCampoLocacao::EditEsp, &c.EditEsp, Positivo,
         c.Metodo == kMetodoAlturaArbitrada ? "Valor da altura do terraço inconsistente."
                                            : "Valor do espaçamento vertical inconsistente."},
    };
    const TRegra gradiente[] = {
        {TCampoLocacao::Base, &c.Base, NaoNegativo, "Valor da base do canal inconsistente."},
        {TCampoLocacao::Talude, &c.Talude, NaoNegativo, "Valor da inclinação da parede do canal inconsistente."},
        {TCampoLocacao::Sc, &c.Sc, Positivo, "Valor da declividade do canal inconsistente."},
        {TCampoLocacao::RugCan, &c.RugCan, Positivo, "Valor da rugosidade do canal inconsistente."},
        {TCampoLocacao::Comp, &c.Comp, Positivo, "Valor do comprimento do canal inconsistente."},
        {TCampoLocacao::RugTer, &c.RugTer, Positivo, "Valor da rugosidade do terreno inconsistente."},
    };
    const bool arbitrado = c.Metodo == kMetodoEVArbitrado || c.Metodo == kMetodoAlturaArbitrada;
    const bool trapezoidal = c.Gradiente && c.Canal == 0;
    std::vector<TRegra> todas(std::begin(regras), std::end(regras));
    if (c.Gradiente)
        todas.insert(todas.end(), std::begin(gradiente), std::end(gradiente));
    for (const TRegra& r : todas) {
        if (r.Campo == TCampoLocacao::EditEsp && !arbitrado)
            continue;
        if ((r.Campo == TCampoLocacao::Base || r.Campo == TCampoLocacao::Talude) && !trapezoidal)
            continue;
        if (r.Campo == TCampoLocacao::ZSm && trapezoidal)
            continue;
        const std::optional<double> v = ParseFloat(*r.Texto);
        if (!v || !std::isfinite(*v) || (r.Faixa == Positivo ? !(*v > 0) : !(*v >= 0)))
            return TFalhaLocacao{r.Campo, r.Mensagem};
    }
    if (c.Gradiente) {
        if (c.Metodo == kMetodoAlturaArbitrada)
            return TFalhaLocacao{TCampoLocacao::EditEsp,
                                 "O método \"Altura do terraço arbitrada\" vale só para terraços em nível."};
        if (const auto comp = ParseFloat(c.Comp); comp && *comp > kComprimentoMaximoCanal)
            return TFalhaLocacao{TCampoLocacao::Comp, kMsgComprimentoMaximo};
    }
    return std::nullopt;
}

std::optional<std::string> ErroDadosLocacao(TProjeto& projeto)
{
    if (const auto falha = ValidarCampos(CamposLocacao(projeto)))
        return falha->Mensagem;
    return std::nullopt;
}

std::string TextoCoordenada(const std::string& texto)
{
    const bool temDigito =
        std::any_of(texto.begin(), texto.end(), [](unsigned char ch) { return std::isdigit(ch) != 0; });
    return temDigito ? texto : std::string();
}

std::filesystem::path CaminhoDoProjeto(const std::filesystem::path& projeto, std::string caminho)
{
    if (caminho.empty())
        return {};
#ifndef _WIN32
    if (!(caminho.size() > 1 && caminho[1] == ':'))
        for (char& ch : caminho)
            if (ch == '\\')
                ch = '/';
#endif
    const std::filesystem::path p = gis::bytes::CaminhoDeUtf8(caminho);
    if (p.is_absolute())
        return p;
    const std::filesystem::path pasta = projeto.has_parent_path() ? projeto.parent_path() : std::filesystem::path(".");
    return ResolverSemCaixa(pasta, caminho);
}

} // namespace vastrel
