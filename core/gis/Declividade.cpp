#include "gis/Declividade.h"

#include "gis/Bytes.h"
#include "gis/FileRaster.h"
#include "gis/Gdal.h"
#include "gis/LinhasRaster.h"
#include "gis/PercursoLinhas.h"

#include <algorithm>
#include <cmath>
#include <system_error>

namespace vastrel::gis {

namespace fs = std::filesystem;

// Eight running extremes side by side, so that the compiler can keep them
// in vector registers; min and max of finite values do not depend on the
// order in which they are taken.
float TFFunc::MaxValor(const float* linha, std::int64_t n)
{
    float m[8];
    std::fill(m, m + 8, linha[0]);
    std::int64_t i = 0;
    for (; i + 8 <= n; i += 8)
        for (int k = 0; k < 8; ++k)
            m[k] = linha[i + k] > m[k] ? linha[i + k] : m[k];
    for (; i < n; ++i)
        m[0] = linha[i] > m[0] ? linha[i] : m[0];
    return *std::max_element(m, m + 8);
}

float TFFunc::MinValor(const float* linha, std::int64_t n)
{
    float m[8];
    std::fill(m, m + 8, linha[0]);
    std::int64_t i = 0;
    for (; i + 8 <= n; i += 8)
        for (int k = 0; k < 8; ++k)
            m[k] = linha[i + k] < m[k] ? linha[i + k] : m[k];
    for (; i < n; ++i)
        m[0] = linha[i] < m[0] ? linha[i] : m[0];
    return *std::min_element(m, m + 8);
}

float TFFunc::DeclivLateral(float z1, float z2, float d) { return std::fabs(z1 - z2) / d; }
float TFFunc::DeclivDiagonal(float z1, float z2, float d) { return std::fabs(z1 - z2) / d; }

float DeclividadeCelula(const TJanela3x3& j, const TEspacamentoGrade& g)
{
    using detalhe::ComDados;
    using detalhe::MaiorNaoNegativo;
    using detalhe::SoSe;
    // Elevation drop to one neighbour (m); a neighbour without data adds none.
    const auto queda = [c = j.c](float z) { return SoSe(ComDados(z), std::fabs(z - c)); };
    // Division by a positive distance is monotonic, so the steepest of two
    // drops over the same distance is the larger drop over that distance.
    const float lateral = MaiorNaoNegativo(queda(j.w), queda(j.e)) / g.dx;
    const float vertical = MaiorNaoNegativo(queda(j.n), queda(j.s)) / g.dy;
    const float diagonal =
        MaiorNaoNegativo(MaiorNaoNegativo(queda(j.nw), queda(j.ne)), MaiorNaoNegativo(queda(j.sw), queda(j.se))) / g.dd;
    // A cell without data has no slope.
    return SoSe(ComDados(j.c), MaiorNaoNegativo(MaiorNaoNegativo(lateral, vertical), diagonal));
}

namespace {

constexpr const char* kEtapaDeclividade = "Calculando a declividade";

// Slope in percent: 100 × the steepest drop per metre.
struct KernelDeclividade {
    TEspacamentoGrade g;
    float operator()(const TJanela3x3& j) const { return 100.0f * DeclividadeCelula(j, g); }
};

} // namespace

TEspacamentoGrade EspacamentoGrade(const TCabecalhoRaster& cab, double metrosPorUnidade)
{
    if (cab.Colunas <= 0 || cab.Linhas <= 0)
        throw EEscolhaGis("A imagem não tem células.");
    const auto fator = static_cast<float>(metrosPorUnidade);
    float largura = cab.XMax - cab.XMin;   // extent, m
    float altura = cab.YMax - cab.YMin;
    if (fator != 1.0f) {
        largura *= fator;
        altura *= fator;
    }
    TEspacamentoGrade g;
    g.dx = largura / static_cast<float>(cab.Colunas);
    g.dy = altura / static_cast<float>(cab.Linhas);
    g.dd = std::sqrt(g.dx * g.dx + g.dy * g.dy);
    if (!(g.dx > 0) || !(g.dy > 0) || !std::isfinite(g.dx) || !std::isfinite(g.dy) || !std::isfinite(g.dd))
        throw EEscolhaGis("As coordenadas da imagem são inválidas: XMax deve ser maior que XMin e YMax maior "
                          "que YMin.");
    return g;
}

TMemoryRaster MapaDeclividade(const TMemoryRaster& elevacao, const TEspacamentoGrade& g, const std::string& titulo,
                              const TProgressoGis& progresso)
{
    return detalhe::PercorrerImagem(elevacao, titulo, KernelDeclividade{g}, progresso, 0.0, 1.0, kEtapaDeclividade);
}

namespace {

// The elevation file is read row by row and the slope image written row by
// row: only a few rows are in memory, whatever the size of the image.
void CalcularComUnidade(const fs::path& entrada, const fs::path& saida, const std::string& titulo,
                        const TProgressoGis& progresso, bool exigeUnidade)
{
    detalhe::TFonteArquivo elevacao(entrada);
    if (!elevacao.Aberto())
        throw EEscolhaGis(kMsgEntradaInvalida, TCampoGis::Entrada);
    double metros = MetrosPorUnidade(elevacao.Cabecalho().Unidade);
    if (metros == 0) {
        if (exigeUnidade)
            throw EEscolhaGis(kMsgUnidadeInvalida);
        metros = 1.0;
    }
    const TEspacamentoGrade g = EspacamentoGrade(elevacao.Cabecalho(), metros);
    detalhe::TDestinoArquivo declividade(saida, detalhe::CabecalhoDeSaida(elevacao.Cabecalho(), titulo));
    const detalhe::TExtremos e =
        detalhe::PercorrerLinhas(elevacao, declividade, KernelDeclividade{g}, progresso, 0.0, 1.0, kEtapaDeclividade);
    elevacao.Fechar(); // before the output replaces a file of the same name
    declividade.Concluir(e.Min, e.Max);
}

} // namespace

void DecTipoSingle::CalcularDeclividade(const fs::path& entrada, const fs::path& saida, const std::string& titulo,
                                        const TProgressoGis& progresso)
{
    const TExecucaoUnica execucao(executando_);
    CalcularComUnidade(entrada, saida, titulo, progresso, true);
}

void DecTipoInteger::CalcularDeclividade(const fs::path& entrada, const fs::path& saida, const std::string& titulo,
                                         const TProgressoGis& progresso)
{
    const TExecucaoUnica execucao(executando_);
    CalcularComUnidade(entrada, saida, titulo, progresso, false);
}

void CalcularMapaDeclividade(const fs::path& entrada, const fs::path& saida, const std::string& titulo,
                             const TProgressoGis& progresso)
{
    // One slope map at a time: a second "&Processar" pressed while pending
    // window events run is refused.
    static bool emExecucao = false;
    const TExecucaoUnica execucao(emExecucao);
    ConferirEntradaSaida(entrada, saida);
    const char tipo = TipoCelulaDoArquivo(entrada);
    if (tipo == 'R') {
        DecTipoSingle().CalcularDeclividade(entrada, saida, titulo, progresso);
    } else if (tipo == 'I') {
        DecTipoInteger().CalcularDeclividade(entrada, saida, titulo, progresso);
    } else {
        throw EEscolhaGis(kMsgTipoByte);
    }
    CopiarSistemaCoordenadas(entrada, saida);
}

std::string TituloPadraoDeclividade(const fs::path& entrada)
{
    return "Imagem declividade gerada do arquivo imagem de elevação " + bytes::NomeArquivo(entrada);
}

} // namespace vastrel::gis
