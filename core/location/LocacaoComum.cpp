#include "location/LocacaoComum.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "gis/Bytes.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace vastrel::locacao {

namespace {

std::string Maiusculas(std::string s)
{
    for (char& ch : s)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

} // namespace

std::string Nome(const std::filesystem::path& p) { return gis::bytes::NomeArquivo(p); }


void CarregarImagens(const TArquivosLocacao& e, TImagens& im)
{
    if (e.VetSaida.empty())
        throw Exception("Nenhum arquivo de saída foi informado para a locação.");
    if (!im.Elev.Carregar(e.ImgElev))
        throw Exception("A imagem de elevação \"" + Nome(e.ImgElev) +
                        "\" não é do tipo real. Converta-a em uma imagem real antes da locação.");
    if (!im.Decl.Carregar(e.ImgDecli))
        throw Exception("A imagem de declividade \"" + Nome(e.ImgDecli) +
                        "\" não é do tipo real. Gere-a com o mapa de declividade.");
    if (im.Decl.Linhas() != im.Elev.Linhas() || im.Decl.Colunas() != im.Elev.Colunas())
        throw Exception("A imagem de declividade \"" + Nome(e.ImgDecli) +
                        "\" não tem o mesmo número de linhas e colunas da imagem de elevação \"" + Nome(e.ImgElev) +
                        "\".");
    im.FatorUnidade = Maiusculas(im.Elev.GetUnidade()) == "KM" ? 1000.0 : 1.0;
    im.AreaCelula = (im.FatorUnidade * im.Elev.ResX) * (im.FatorUnidade * im.Elev.ResY);
    if (!(im.AreaCelula > 0) || !std::isfinite(im.AreaCelula))
        throw Exception("As coordenadas da imagem de elevação \"" + Nome(e.ImgElev) +
                        "\" não dão às células um tamanho válido.");
    const auto& cel = im.Elev.Celulas();
    if (std::none_of(cel.begin(), cel.end(), [](float v) { return v != 0; }))
        throw Exception("A imagem de elevação \"" + Nome(e.ImgElev) + "\" não tem células com dados.");
}

TPonto PontoNoMapa(const TPonto& p, const TMatrix& e)
{
    const double topo = static_cast<double>(e.YMin) + static_cast<double>(e.ResY) * e.Linhas();
    return TPonto{static_cast<float>(e.XMin + static_cast<double>(e.ResX) * (p.X - 0.5)),
                  static_cast<float>(topo - static_cast<double>(e.ResY) * (p.Y - 0.5)), p.Z};
}

TLinha ParaMapa(const TLinha& L, const TMatrix& e)
{
    TLinha m;
    m.Numero = L.Numero;
    for (const TPonto& p : L)
        m.Adicionar(PontoNoMapa(p, e));
    return m;
}

std::string Numero(double v, const char* mascara) { return FormatFloat(mascara, v); }

std::string AvisoResolucao(double eh, double lado)
{
    if (!(eh < 3 * lado))
        return {};
    return "A faixa entre terraços (EH = " + Numero(eh) + " m) fica mais estreita que três células do MDE (célula de " +
           Numero(lado) + " m): as linhas se aproximam demais para a grade. Reamostre o MDE para células menores " +
           "(até " + Numero(eh / 3) + " m) ou aumente o espaçamento.";
}

double Mediana(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Warnings about the rasters themselves: a cell size no DEM has (a raster
// in degrees read as metres), and a slope raster that does not match the
// elevation raster (another area, or slopes in m/m rather than %), judged
// by the median over the cells of the steepest drop to a neighbour, which
// the slope map computes.
std::vector<std::string> AvisosDasImagens(const TImagens& im)
{
    std::vector<std::string> avisos;
    const double lado = im.LadoCelula();
    if (lado < 0.1 || lado > 500)
        avisos.push_back("O tamanho de célula de " + FormatFloat("0.0###", lado) +
                         " m está fora do comum para um MDE (de 0,1 a 500 m): confira a unidade das coordenadas da "
                         "imagem de elevação (graus lidos como metros?).");
    const TMatrixSingle& e = im.Elev;
    const double dx = im.FatorUnidade * e.ResX, dy = im.FatorUnidade * e.ResY;
    std::vector<double> daElevacao, daImagem;
    const std::int64_t total = static_cast<std::int64_t>(e.Linhas()) * e.Colunas();
    const std::int64_t passo = std::max<std::int64_t>(1, total / 200000);
    for (std::int64_t k = 0; k < total; k += passo) {
        const int l = static_cast<int>(k / e.Colunas()) + 1, c = static_cast<int>(k % e.Colunas()) + 1;
        const double z = e.GetValor(l, c);
        const double s = im.Decl.GetValor(l, c);
        if (z == 0 || s == 0)
            continue;
        double maior = 0;
        for (int dl = -1; dl <= 1; ++dl)
            for (int dc = -1; dc <= 1; ++dc) {
                const double w = e.GetValor(l + dl, c + dc);
                if ((dl != 0 || dc != 0) && w != 0)
                    maior = std::max(maior, std::fabs(z - w) / std::hypot(dc * dx, dl * dy));
            }
        daElevacao.push_back(100 * maior);
        daImagem.push_back(s);
    }
    const double me = Mediana(daElevacao), mi = Mediana(daImagem);
    if (me > 0 && mi > 0 && (mi > 5 * me || me > 5 * mi))
        avisos.push_back("A declividade da imagem de declividade (mediana de " + Numero(mi) +
                         " %) não corresponde à da imagem de elevação (mediana de " + Numero(me) +
                         " %): confira se as duas imagens são da mesma área e se a declividade está em % "
                         "(gere-a com o mapa de declividade).");
    return avisos;
}



double DeclividadeMediaBacia(const TImagens& im)
{
    const auto& elev = im.Elev.Celulas();
    const auto& decl = im.Decl.Celulas();
    double soma = 0;
    std::int64_t n = 0;
    for (std::size_t i = 0; i < elev.size(); ++i)
        if (elev[i] != 0) {
            soma += decl[i];
            ++n;
        }
    return n > 0 ? soma / static_cast<double>(n) : 0.0;
}

TPrevisaoLocacao Previsao(const TImagens& im, TMetodoEspacamento& metodo)
{
    TPrevisaoLocacao p;
    p.DeclividadeMedia = DeclividadeMediaBacia(im);
    const TEspacamentoFaixa e = metodo(std::max(p.DeclividadeMedia, kDeclividadeMinimaFaixa));
    p.EV = e.EV;
    p.EH = e.EH;
    p.LadoCelula = im.LadoCelula();
    p.AvisoResolucao = AvisoResolucao(p.EH, p.LadoCelula);
    p.Avisos = AvisosDasImagens(im);
    if (!p.AvisoResolucao.empty())
        p.Avisos.push_back(p.AvisoResolucao);
    return p;
}

void Espacamentos(TQualidadeLocacao& q, std::vector<double> larguras)
{
    if (larguras.empty())
        return;
    q.EspacamentoMin = *std::min_element(larguras.begin(), larguras.end());
    q.EspacamentoMax = *std::max_element(larguras.begin(), larguras.end());
    q.EspacamentoMediano = Mediana(std::move(larguras));
}

void AvisosComuns(TResultadoLocacao& r, const TImagens& im, std::int32_t estreitas, std::int32_t faixasPlanas)
{
    r.Avisos = AvisosDasImagens(im);
    if (const std::string a = AvisoResolucao(r.EH, r.Qualidade.LadoCelula); !a.empty())
        r.Avisos.push_back(a);
    if (estreitas > 0)
        r.Avisos.push_back(std::to_string(estreitas) + " terraço(s) drenam faixas com largura média menor que três " +
                           "células do MDE: confira-os no mapa.");
    if (faixasPlanas > 0)
        r.Avisos.push_back(std::to_string(faixasPlanas) + " faixa(s) com declividade média abaixo de " +
                           Numero(kDeclividadeMinimaFaixa, "0.0") + " %: o espaçamento foi calculado para " +
                           Numero(kDeclividadeMinimaFaixa, "0.0") + " %.");
}

} // namespace vastrel::locacao
