#include "gis/Visualizacao.h"

#include "common/Format.h"
#include "common/Locale.h"
#include "common/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace vastrel::gis {

namespace {

// Picture coordinates are kept within ±2^24 pixels: far outside any picture,
// yet safe to round and to hand to the painter.
constexpr double kLimiteCoordenada = 16777216.0;
constexpr int kLadoMaximoVetor = 8192;

std::int32_t ArredondarPixel(double x)
{
    if (std::isnan(x))
        return 0;
    return static_cast<std::int32_t>(RoundHalfEven(std::clamp(x, -kLimiteCoordenada, kLimiteCoordenada)));
}

// The fraction of the way from lo to hi, or ½ when there is no way.
double Fracao(double v, double lo, double hi)
{
    const double extensao = hi - lo;
    return extensao != 0 ? (v - lo) / extensao : 0.5;
}

using TMapeamento = std::function<TPontoImagem(float x, float y)>;

// From the first record: consecutive records of one line number make a line.
std::vector<TLinhaImagem> LerLinhas(TVetor& vetor, const TMapeamento& mapear)
{
    std::vector<TLinhaImagem> linhas;
    vetor.IrParaInicio();
    TRegistroVetor r;
    while (vetor.LerRegistro(r)) {
        if (linhas.empty() || linhas.back().Numero != r.NumLinha)
            linhas.push_back({r.NumLinha, {}});
        linhas.back().Pontos.push_back(mapear(r.X, r.Y));
    }
    return linhas;
}

int LadoVetor(std::int64_t lado)
{
    return static_cast<int>(std::clamp<std::int64_t>(lado, kLadoMinimoVetor, kLadoMaximoVetor));
}

} // namespace

// --- Colours ----------------------------------------------------------------

int IndiceCor(double v, double lo, double hi)
{
    if (v == 0 || !std::isfinite(v))
        return kSemCor;
    if (hi == lo)
        return 0;
    const double x = (v - lo) / (hi - lo) * 255;
    if (!std::isfinite(x))
        return kSemCor;
    // Beyond 2^53 every double is a whole number, and fmod is exact.
    const double inteiro = std::fabs(x) < 9.0e15 ? static_cast<double>(RoundHalfEven(x)) : x;
    double resto = std::fmod(inteiro, 256.0);
    if (resto < 0)
        resto += 256.0;
    return static_cast<int>(resto);
}

std::uint32_t CorArgb(const TPaleta& paleta, int indice)
{
    if (indice < 0 || indice >= kCoresPaleta)
        return kBranco;
    const TCor& c = paleta[static_cast<std::size_t>(indice)];
    return 0xFF000000u | std::uint32_t{c.R} << 16 | std::uint32_t{c.G} << 8 | c.B;
}

void ConstruirImagem(const TMemoryRaster& raster, const TPaleta& paleta, std::uint32_t* destino,
                     std::ptrdiff_t pixelsPorLinha)
{
    const char tipo = raster.TipoCelula;
    if (LarguraCelula(tipo) == 0)
        throw EArquivoGis(std::string("Tipo de dado desconhecido no arquivo raster: ") + tipo + ".");
    const int colunas = std::max(raster.Colunas, 0);
    std::vector<float> linha(static_cast<std::size_t>(colunas));

    // Integer and byte cells take their colour from a table of every value
    // the type can hold; real cells are mapped one by one.
    std::vector<std::uint32_t> tabela;
    if (tipo == 'I' || tipo == 'B') {
        const int menor = tipo == 'I' ? -32768 : 0;
        const int maior = tipo == 'I' ? 32767 : 255;
        const double lo = tipo == 'I' ? raster.ValorMinInteiro : raster.ValorMinByte;
        const double hi = tipo == 'I' ? raster.ValorMaxInteiro : raster.ValorMaxByte;
        tabela.resize(static_cast<std::size_t>(maior - menor + 1));
        for (int v = menor; v <= maior; ++v)
            tabela[static_cast<std::size_t>(v - menor)] = CorArgb(paleta, IndiceCor(v, lo, hi));
        for (std::int32_t l = 0; l < raster.Linhas; ++l) {
            raster.LerLinhaComoReal(l, linha.data());
            std::uint32_t* saida = destino + l * pixelsPorLinha;
            for (int c = 0; c < colunas; ++c)
                saida[c] = tabela[static_cast<std::size_t>(static_cast<int>(linha[static_cast<std::size_t>(c)]) - menor)];
        }
        return;
    }
    const double lo = raster.ValorMin, hi = raster.ValorMax;
    for (std::int32_t l = 0; l < raster.Linhas; ++l) {
        raster.LerLinhaComoReal(l, linha.data());
        std::uint32_t* saida = destino + l * pixelsPorLinha;
        for (int c = 0; c < colunas; ++c)
            saida[c] = CorArgb(paleta, IndiceCor(linha[static_cast<std::size_t>(c)], lo, hi));
    }
}

// --- Zoom and sizes -----------------------------------------------------------

namespace {

// The steps of the zoom, in order.
constexpr int PassoZoom(int i) { return i < 4 ? 25 * (i + 1) : 100 + 50 * (i - 3); }
constexpr int kNumPassosZoom = 4 + (kZoomMaximo - 100) / 50;
static_assert(PassoZoom(0) == kZoomMinimo && PassoZoom(kNumPassosZoom - 1) == kZoomMaximo);

bool Cabe(TTamanho imagem, TTamanho espaco, int zoom)
{
    return TamanhoExibido(imagem.Largura, zoom) <= espaco.Largura &&
           TamanhoExibido(imagem.Altura, zoom) <= espaco.Altura;
}

} // namespace

int ZoomMais(int zoom)
{
    for (int i = 0; i < kNumPassosZoom; ++i)
        if (PassoZoom(i) > zoom)
            return PassoZoom(i);
    return kZoomMaximo;
}

int ZoomMenos(int zoom)
{
    for (int i = kNumPassosZoom - 1; i >= 0; --i)
        if (PassoZoom(i) < zoom)
            return PassoZoom(i);
    return kZoomMinimo;
}

int TamanhoExibido(int tamanho, int zoom)
{
    return static_cast<int>(RoundHalfEven(static_cast<double>(tamanho) * zoom / 100.0));
}

int ZoomInicial(TTamanho imagem, TTamanho espaco, int pedido)
{
    const int teto = pedido > 0 ? std::clamp(pedido, kZoomMinimo, kZoomMaximo) : 100;
    if (imagem.Largura <= 0 || imagem.Altura <= 0 || espaco.Largura <= 0 || espaco.Altura <= 0)
        return teto;
    // The largest whole percent that fits: the exact quotient, then down
    // while the rounding of the displayed size still leaves the room.
    const double porLargura = 100.0 * espaco.Largura / imagem.Largura;
    const double porAltura = 100.0 * espaco.Altura / imagem.Altura;
    int maior = static_cast<int>(std::min({std::floor(std::min(porLargura, porAltura)) + 1.0,
                                           static_cast<double>(kZoomMaximo)}));
    while (maior > kZoomMinimo && !Cabe(imagem, espaco, maior))
        --maior;
    maior = std::max(maior, kZoomMinimo);
    if (pedido > 0)
        return std::min(maior, teto);
    if (maior >= 200)
        return maior / 100 * 100;
    return std::min(maior, 100);
}

TTamanho TamanhoJanela(TTamanho exibido, TTamanho livre, TTamanho moldura, TTamanho barras, TTamanho minimo)
{
    const int largura = std::max(exibido.Largura + moldura.Largura, minimo.Largura);
    const int altura = std::max(exibido.Altura + moldura.Altura, minimo.Altura);
    // A scroll bar along one axis takes room across the other, which may then
    // need its own.
    bool vertical = altura > livre.Altura;
    bool horizontal = largura + (vertical ? barras.Largura : 0) > livre.Largura;
    vertical = vertical || altura + (horizontal ? barras.Altura : 0) > livre.Altura;
    TTamanho t{largura + (vertical ? barras.Largura : 0), altura + (horizontal ? barras.Altura : 0)};
    t.Largura = std::max(std::min(t.Largura, livre.Largura), moldura.Largura + 1);
    t.Altura = std::max(std::min(t.Altura, livre.Altura), moldura.Altura + 1);
    return t;
}

TPosicao CantoJanela(int outras, TTamanho area)
{
    constexpr int kPasso = 24;
    const int cabem = std::max(1, std::min(area.Largura, area.Altura) / 2 / kPasso);
    const int n = std::max(outras, 0) % cabem;
    return {n * kPasso, n * kPasso};
}

int Deslocamento(int vista, int exibido)
{
    return std::max(0, (vista - exibido) / 2);
}

int RolagemAposZoom(int ponto, int rolagem, int antes, int depois, int deslocamento)
{
    if (antes <= 0 || depois <= 0)
        return std::max(rolagem, 0);
    const double lugar = (static_cast<double>(ponto) - deslocamento + rolagem) * depois / antes - ponto;
    return static_cast<int>(std::clamp(std::round(lugar), 0.0, 2147483647.0));
}

// --- Pointer and value probe -------------------------------------------------

TCelula CelulaSobPonteiro(int x, int y, int rolagemX, int rolagemY, int zoom)
{
    if (zoom <= 0)
        zoom = 100;
    auto celula = [zoom](int p, int rolagem) {
        const std::int64_t n = (static_cast<std::int64_t>(p) + rolagem) * 100;
        return static_cast<int>(n >= 0 ? n / zoom : -((-n + zoom - 1) / zoom));
    };
    return {celula(x, rolagemX), celula(y, rolagemY)};
}

std::optional<TCoordenadas> CoordenadasRaster(const TCabecalhoRaster& raster, TCelula c)
{
    if (raster.Colunas <= 0 || raster.Linhas <= 0 || c.Coluna < 0 || c.Linha < 0 ||
        c.Coluna > raster.Colunas || c.Linha > raster.Linhas)
        return std::nullopt;
    const double xmin = raster.XMin, xmax = raster.XMax, ymin = raster.YMin, ymax = raster.YMax;
    return TCoordenadas{(xmax - xmin) / raster.Colunas * c.Coluna + xmin,
                        ymax - (ymax - ymin) / raster.Linhas * c.Linha};
}

std::optional<TCoordenadas> CoordenadasVetor(const TVetor& vetor, TCelula c, TTamanho exibido)
{
    if (exibido.Largura <= 0 || exibido.Altura <= 0 || c.Coluna < 0 || c.Linha < 0 ||
        c.Coluna > exibido.Largura || c.Linha > exibido.Altura)
        return std::nullopt;
    const double xmin = vetor.XMin, xmax = vetor.XMax, ymin = vetor.YMin, ymax = vetor.YMax;
    return TCoordenadas{xmin + (xmax - xmin) / exibido.Largura * c.Coluna,
                        ymax - (ymax - ymin) / exibido.Altura * c.Linha};
}

std::string ValorCelula(const TMemoryRaster& raster, TCelula c)
{
    if (c.Coluna < 0 || c.Linha < 0 || c.Coluna >= raster.Colunas || c.Linha >= raster.Linhas)
        return {};
    const std::int64_t k = static_cast<std::int64_t>(c.Linha) * raster.Colunas + c.Coluna;
    switch (raster.TipoCelula) {
    case 'R':
        return FormatoGeral(raster.LerCelulaReal(k), 7);
    case 'I':
        return std::to_string(raster.LerCelulaInteira(k));
    case 'B':
        return std::to_string(raster.LerCelulaByte(k));
    default:
        return {};
    }
}

std::string FormatoGeral(double valor, int digitos)
{
    if (std::isnan(valor))
        return "NAN";
    if (std::isinf(valor))
        return valor < 0 ? "-INF" : "INF";
    return FormatGeneral(valor, digitos);
}

// --- Vector lines -------------------------------------------------------------

TPontoImagem PontoSobreRaster(double x, double y, const TCabecalhoRaster& raster)
{
    return TPontoImagem{ArredondarPixel(Fracao(static_cast<float>(x), raster.XMin, raster.XMax) * raster.Colunas),
                        ArredondarPixel(raster.Linhas - Fracao(static_cast<float>(y), raster.YMin, raster.YMax) *
                                                            raster.Linhas)};
}

std::vector<TLinhaImagem> LinhasSobreRaster(TVetor& vetor, const TCabecalhoRaster& raster)
{
    const double xmin = raster.XMin, xmax = raster.XMax, ymin = raster.YMin, ymax = raster.YMax;
    const double colunas = raster.Colunas, linhas = raster.Linhas;
    return LerLinhas(vetor, [&](float x, float y) {
        return TPontoImagem{ArredondarPixel(Fracao(x, xmin, xmax) * colunas),
                            ArredondarPixel(linhas - Fracao(y, ymin, ymax) * linhas)};
    });
}

TTamanho TamanhoImagemVetor(const TVetor& vetor, int cw, int ch, int px, int py, int b)
{
    const double f = MetrosPorUnidade(vetor.Unidade) == 1000 ? 1000.0 : 1.0;
    const double dx = static_cast<double>(vetor.XMax) - vetor.XMin;
    const double dy = static_cast<double>(vetor.YMax) - vetor.YMin;
    const double ex = std::fabs(dx) < kLimiteCoordenada ? static_cast<double>(RoundHalfEven(dx)) : dx;
    const double ey = std::fabs(dy) < kLimiteCoordenada ? static_cast<double>(RoundHalfEven(dy)) : dy;
    auto inteiro = [](double v) {
        return std::isfinite(v) ? RoundHalfEven(std::clamp(v, -kLimiteCoordenada, kLimiteCoordenada)) : 0;
    };
    std::int64_t largura = 0, altura = 0;
    if (cw > ex * f && ch > ey * f) {
        largura = inteiro(dx * f) - px;
        altura = inteiro(dy * f) - py - b;
    } else if (cw < ex * f && ch > ey * f) {
        largura = cw - px;
        altura = inteiro(static_cast<double>(largura) * dy / dx);
    } else {
        altura = ch - py - b - 15;
        largura = dy != 0 ? inteiro(static_cast<double>(altura) * dx / dy) : cw - px;
    }
    return {LadoVetor(largura), LadoVetor(altura)};
}

std::vector<TLinhaImagem> LinhasDoVetor(TVetor& vetor, TTamanho imagem)
{
    const double xmin = vetor.XMin, xmax = vetor.XMax, ymin = vetor.YMin, ymax = vetor.YMax;
    const double largura = imagem.Largura, altura = imagem.Altura;
    return LerLinhas(vetor, [&](float x, float y) {
        return TPontoImagem{ArredondarPixel(largura * Fracao(x, xmin, xmax)),
                            static_cast<std::int32_t>(imagem.Altura - ArredondarPixel(altura * Fracao(y, ymin, ymax)))};
    });
}

std::size_t PontoDoRotulo(std::size_t n)
{
    return n >= 2 ? n / 2 - 1 : 0;
}

int PenaSobreposicao(int zoom)
{
    return zoom < 200 ? 1 : 2;
}

// --- Labels of the overlay ------------------------------------------------------

TRetangulo RetanguloRotulo(TPontoImagem ancora, int zoom, TTamanho texto)
{
    const double x = static_cast<double>(ancora.X) * zoom / 100.0;
    const double y = static_cast<double>(ancora.Y) * zoom / 100.0;
    return {static_cast<int>(std::floor(x - texto.Largura / 2.0 + 0.5)),
            static_cast<int>(std::floor(y - texto.Altura / 2.0 + 0.5)), texto.Largura, texto.Altura};
}

std::vector<bool> RotulosSemSobreposicao(const std::vector<TRetangulo>& rotulos)
{
    auto vazio = [](const TRetangulo& r) { return r.Largura <= 0 || r.Altura <= 0; };
    auto cruzam = [](const TRetangulo& a, const TRetangulo& b) {
        return static_cast<std::int64_t>(a.X) < static_cast<std::int64_t>(b.X) + b.Largura &&
               static_cast<std::int64_t>(b.X) < static_cast<std::int64_t>(a.X) + a.Largura &&
               static_cast<std::int64_t>(a.Y) < static_cast<std::int64_t>(b.Y) + b.Altura &&
               static_cast<std::int64_t>(b.Y) < static_cast<std::int64_t>(a.Y) + a.Altura;
    };
    std::vector<bool> desenhar(rotulos.size(), false);
    std::vector<std::size_t> desenhados;
    for (std::size_t i = 0; i < rotulos.size(); ++i) {
        const TRetangulo& r = rotulos[i];
        if (vazio(r)) {
            desenhar[i] = true;
            continue;
        }
        desenhar[i] = std::none_of(desenhados.begin(), desenhados.end(),
                                   [&](std::size_t j) { return cruzam(r, rotulos[j]); });
        if (desenhar[i])
            desenhados.push_back(i);
    }
    return desenhar;
}

// --- Colour legend --------------------------------------------------------------

TDadosLegenda DadosLegenda(const TCabecalhoRaster& raster)
{
    TDadosLegenda d;
    switch (raster.TipoCelula) {
    case 'I':
        d.Minimo = raster.ValorMinInteiro;
        d.Maximo = raster.ValorMaxInteiro;
        d.Inteiro = true;
        break;
    case 'B':
        d.Minimo = raster.ValorMinByte;
        d.Maximo = raster.ValorMaxByte;
        d.Inteiro = true;
        break;
    default:
        d.Minimo = raster.ValorMin;
        d.Maximo = raster.ValorMax;
    }
    d.Unidade = UnidadeDoTitulo(raster.Titulo);
    return d;
}

std::string UnidadeDoTitulo(std::string_view titulo)
{
    // ASCII classes by hand: the C library's would follow the locale. Bytes
    // of UTF-8 sequences count as letters.
    auto maiuscula = [](char c) { return c >= 'A' && c <= 'Z'; };
    auto letra = [&](char c) { return maiuscula(c) || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80; };
    auto algarismo = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t abre = titulo.find('('); abre != std::string_view::npos; abre = titulo.find('(', abre + 1)) {
        const std::size_t fecha = titulo.find(')', abre + 1);
        if (fecha == std::string_view::npos)
            break;
        std::string_view dentro = titulo.substr(abre + 1, fecha - abre - 1);
        while (!dentro.empty() && dentro.front() == ' ')
            dentro.remove_prefix(1);
        while (!dentro.empty() && dentro.back() == ' ')
            dentro.remove_suffix(1);
        if (dentro.empty() || dentro.find_first_of(" \t(") != std::string_view::npos)
            continue;
        // Characters, not bytes: the title is UTF-8.
        const auto caracteres = std::count_if(dentro.begin(), dentro.end(),
                                              [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
        const bool soAlgarismos = std::all_of(dentro.begin(), dentro.end(), [&](char c) {
            return algarismo(c) || c == '.' || c == ',' || c == '-' || c == '/';
        });
        const bool nome = caracteres >= 4 && maiuscula(dentro.front()) && std::all_of(dentro.begin(), dentro.end(), letra);
        if (caracteres <= 10 && !soAlgarismos && !nome)
            return std::string(dentro);
    }
    return {};
}

TMarcas MarcasRedondas(double lo, double hi, int maximo, bool inteiro)
{
    TMarcas m;
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return m;
    if (hi < lo)
        std::swap(lo, hi);
    if (hi == lo || !std::isfinite(hi - lo)) {
        if (hi == lo)
            m.Valores.push_back(lo);
        return m;
    }
    maximo = std::max(maximo, 2);
    // From a step of the order of the range over the count up the series
    // 1, 2, 5, 10, 20, ...; the ticks are whole multiples of mantissa × 10^e,
    // written as a quotient for negative e so that 0.3 stays 3 / 10.
    int e = static_cast<int>(std::floor(std::log10((hi - lo) / maximo)));
    if (inteiro)
        e = std::max(e, 0);
    constexpr double kFolga = 1e-9;
    for (int tentativa = 0; tentativa < 64; ++tentativa, ++e) {
        for (const int mantissa : {1, 2, 5}) {
            const double potencia = std::pow(10.0, std::abs(e));
            const double passo = e >= 0 ? mantissa * potencia : mantissa / potencia;
            const double primeiro = std::ceil(lo / passo - kFolga);
            const double ultimo = std::floor(hi / passo + kFolga);
            // A range too narrow for a double to step through gets no ticks.
            if (!(passo > 0) || !std::isfinite(primeiro) || !std::isfinite(ultimo))
                return m;
            if (ultimo - primeiro + 1 > maximo)
                continue;
            m.Passo = passo;
            for (double k = primeiro; k <= ultimo; ++k) {
                const double multiplo = static_cast<double>(static_cast<std::int64_t>(k)) * mantissa;
                m.Valores.push_back(e >= 0 ? multiplo * potencia : multiplo / potencia);
            }
            return m;
        }
    }
    return m;
}

std::string TextoMarca(double valor, double passo)
{
    if (!std::isfinite(valor))
        return FormatoGeral(valor, 6);
    if (std::fabs(valor) >= 1e9)
        return FormatGeneral(valor, 6);
    int decimais = 0;
    if (passo > 0 && passo < 1)
        decimais = std::min(static_cast<int>(std::ceil(-std::log10(passo) - 1e-9)), 12);
    std::string mascara = "0";
    if (decimais > 0)
        mascara += "." + std::string(static_cast<std::size_t>(decimais), '0');
    return FormatFloat(mascara, valor);
}

double FracaoNaBarra(double valor, double lo, double hi)
{
    return Fracao(valor, lo, hi);
}

int CorDaLinhaDaBarra(int linha, int altura)
{
    if (altura <= 1)
        return 255;
    const double fracao = 1.0 - (linha + 0.5) / altura;
    return std::clamp(static_cast<int>(RoundHalfEven(fracao * 255)), 0, 255);
}

// --- Saving, printing, properties ----------------------------------------------

std::string ExtensaoArquivo(std::string_view nome)
{
    const std::size_t ponto = nome.find_last_of('.');
    if (ponto == std::string_view::npos)
        return {};
    const std::size_t pasta = nome.find_last_of("/\\:");
    if (pasta != std::string_view::npos && pasta > ponto)
        return {};
    return std::string(nome.substr(ponto));
}

int ZoomFigura(TTamanho imagem, int zoom)
{
    int z = std::clamp(zoom, 100, kZoomMaximo);
    const int lado = std::max(imagem.Largura, imagem.Altura);
    if (lado > 0 && TamanhoExibido(lado, z) > kLadoMaximoFigura)
        z = std::max(100, static_cast<int>(static_cast<std::int64_t>(kLadoMaximoFigura) * 100 / lado));
    return z;
}

bool GravarComoJpeg(std::string_view nome)
{
    return ExtensaoArquivo(nome) == ".jpg";
}

TTamanho TamanhoImpressao(TTamanho imagem, TTamanho pagina)
{
    const int largura = std::max(pagina.Largura - 50, 1);
    const int altura = std::max(pagina.Altura - 50, 1);
    if (imagem.Largura <= 0 || imagem.Altura <= 0)
        return {0, 0};
    const double proporcao = static_cast<double>(imagem.Largura) / imagem.Altura;
    double l = 0, a = 0;
    if (imagem.Largura < imagem.Altura) {
        a = altura;
        l = a * proporcao;
    } else {
        l = largura;
        a = l / proporcao;
    }
    // The other side must stay on the page too.
    if (l > largura) {
        a *= largura / l;
        l = largura;
    }
    if (a > altura) {
        l *= altura / a;
        a = altura;
    }
    return {static_cast<int>(RoundHalfEven(l)), static_cast<int>(RoundHalfEven(a))};
}

std::string NomeTipoCelula(char tipoCelula)
{
    switch (tipoCelula) {
    case 'R':
        return "Real";
    case 'I':
        return "Inteiro";
    case 'B':
        return "Byte";
    default:
        return std::string(1, tipoCelula);
    }
}

TCoordenadas TamanhoPixel(const TCabecalhoRaster& raster)
{
    const double f = MetrosPorUnidade(raster.Unidade) == 1000 ? 1000.0 : 1.0;
    TCoordenadas t;
    if (raster.Colunas > 0)
        t.X = (static_cast<double>(raster.XMax) - raster.XMin) / raster.Colunas * f;
    if (raster.Linhas > 0)
        t.Y = (static_cast<double>(raster.YMax) - raster.YMin) / raster.Linhas * f;
    return t;
}

} // namespace vastrel::gis
