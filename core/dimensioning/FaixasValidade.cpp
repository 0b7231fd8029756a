#include "dimensioning/FaixasValidade.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "project/Projeto.h"

namespace vastrel {

namespace {

using G = TGrandezaFaixa;
using X = TExibicaoFaixa;

// A number as the user sees it (slopes in the slope display unit), and the
// unit after it (with its leading space; empty for a pure number).
std::string Numero(const TFaixaValidade& f, double valor, const TUnidades& u)
{
    return FloatToStr(f.Exibicao == X::Declividade ? u.MostrarDeclividade(valor) : valor);
}

std::string Unidade(const TFaixaValidade& f, const TUnidades& u)
{
    const std::string unidade = f.Exibicao == X::Declividade ? u.UnidDeclividade : std::string(f.Unidade);
    return unidade.empty() ? unidade : " " + unidade;
}

void Acrescentar(std::vector<std::string>& avisos, G g, double valor, const TUnidades& u)
{
    if (auto a = AvisoFaixa(g, valor, u))
        avisos.push_back(std::move(*a));
}

} // namespace

const std::vector<TFaixaValidade>& FaixasValidade()
{
    static const std::vector<TFaixaValidade> tabela = {
        {G::Tr, "o período de retorno", 2, 100, "anos", X::Propria,
         "equações intensidade-duração-frequência brasileiras, ajustadas a períodos de retorno de até 100 anos; "
         "Pfafstetter, O. Chuvas intensas no Brasil. DNOS, 1957"},
        {G::St, "a declividade do terreno", 0.02, 0.50, "m/m", X::Declividade,
         "tabelas de tipos de terraço por declividade do terreno (Paraná, Emater/RS, Lombardi Neto); os métodos "
         "de Bentley e do Paraná recomendam no máximo 20 %"},
        {G::Sc, "a declividade do canal", 0.001, 0.01, "m/m", X::Declividade,
         "gradientes de canais de terraços com gradiente; Bertoni, J.; Lombardi Neto, F. Conservação do solo. "
         "Ícone, 1990"},
        {G::Sm, "a declividade da parede de montante (Sm)", 0.164, 0.721, "m/m", X::Declividade,
         "seções transversais típicas construídas pela CODASP; Manual técnico de mecanização agrícola: "
         "terraceamento. Campinas, CATI/CODASP"},
        {G::Z, "o talude do canal (Z)", 0, 2.5, "", X::Propria,
         "taludes recomendados para canais não revestidos, da rocha firme ao solo areno-argiloso (0 para paredes "
         "verticais); Daker, A. A água na agricultura, 3º volume. Rio de Janeiro, Freitas Bastos"},
        {G::nt, "a rugosidade do terreno (nt)", 0.010, 0.500, "", X::Propria,
         "coeficientes de rugosidade para o escoamento sobre o terreno; Engman, E. T. Roughness coefficients "
         "for routing surface runoff. Journal of Irrigation and Drainage Engineering, ASCE, 1986"},
        {G::nc, "a rugosidade do canal (nc)", 0.016, 0.040, "", X::Propria,
         "coeficientes de Manning de canais de terra; Chow, V. T. Open-channel hydraulics. New York, "
         "McGraw-Hill, 1959"},
    };
    return tabela;
}

const TFaixaValidade& Faixa(TGrandezaFaixa grandeza)
{
    for (const TFaixaValidade& f : FaixasValidade())
        if (f.Grandeza == grandeza)
            return f;
    throw Exception("Faixa de validade inexistente.");
}

std::optional<std::string> AvisoFaixa(TGrandezaFaixa grandeza, double valor, const TUnidades& u)
{
    const TFaixaValidade& f = Faixa(grandeza);
    if (valor >= f.Minimo && valor <= f.Maximo)
        return std::nullopt;
    std::string nome(f.Nome);
    nome[0] = static_cast<char>(nome[0] - 'a' + 'A');
    return nome + " (" + Numero(f, valor, u) + Unidade(f, u) + ") está fora da faixa de validade, de " +
           Numero(f, f.Minimo, u) + " a " + Numero(f, f.Maximo, u) + Unidade(f, u) + ". Fonte: " + std::string(f.Fonte) + ". O cálculo prossegue; confira o valor.";
}

namespace {

// The ranges of the current terrace system's channel (and, for graded
// terraces, of the terrain's roughness).
void AcrescentarCanal(std::vector<std::string>& avisos, TProjeto& p)
{
    const TUnidades& u = p.Unidades;
    const TCanal& canal = p.CanalAtual();
    if (canal.TipoCanal.Tipo == 0)
        Acrescentar(avisos, G::Z, canal.Z.Valor, u);
    else
        Acrescentar(avisos, G::Sm, canal.Sm.Valor, u);
    if (p.Gradiente()) {
        Acrescentar(avisos, G::Sc, p.TerracosGradiente.Sc, u);
        Acrescentar(avisos, G::nc, p.TerracosGradiente.nc.Valor, u);
        Acrescentar(avisos, G::nt, p.Terreno.nt.Valor, u);
    }
}

} // namespace

std::vector<std::string> AvisosDimensionamento(TProjeto& p)
{
    const TUnidades& u = p.Unidades;
    std::vector<std::string> avisos;
    Acrescentar(avisos, G::Tr, p.Chuva().Tr, u);
    AcrescentarCanal(avisos, p);
    Acrescentar(avisos, G::St, p.Terreno.St, u);
    return avisos;
}

std::vector<std::string> AvisosLocacao(TProjeto& p)
{
    std::vector<std::string> avisos;
    Acrescentar(avisos, G::Tr, p.Chuva().Tr, p.Unidades);
    AcrescentarCanal(avisos, p);
    return avisos;
}

std::string TextoAvisos(const std::vector<std::string>& avisos)
{
    std::string t;
    for (const std::string& a : avisos)
        t += (t.empty() ? "" : "\n") + a;
    return t;
}

} // namespace vastrel
