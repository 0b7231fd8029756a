#include "gis/Filtro.h"

#include "gis/Bytes.h"
#include "gis/Declividade.h"
#include "gis/FileRaster.h"
#include "gis/Gdal.h"
#include "gis/LinhasRaster.h"
#include "gis/PercursoLinhas.h"

#include <fstream>
#include <random>
#include <system_error>

namespace vastrel::gis {

namespace fs = std::filesystem;

float MediaFiltro(const TJanela3x3& j)
{
    using detalhe::ComDados;
    // Cells without data are 0: they add nothing to the sum, and only the
    // cells with data count in the divisor. A centre without data stays
    // without data (its divisor is kept at 1 or more so that the quotient,
    // computed for every cell, is always defined).
    const float soma = j.nw + j.n + j.ne + j.w + j.c + j.e + j.sw + j.s + j.se;
    const std::int32_t n = ComDados(j.nw) + ComDados(j.n) + ComDados(j.ne) + ComDados(j.w) + ComDados(j.c) +
                           ComDados(j.e) + ComDados(j.sw) + ComDados(j.s) + ComDados(j.se);
    return detalhe::SoSe(ComDados(j.c), soma / static_cast<float>(n + 1 - ComDados(j.c)));
}

namespace {

struct KernelFiltro {
    float operator()(const TJanela3x3& j) const { return MediaFiltro(j); }
};

} // namespace

TMemoryRaster PassadaFiltro(const TMemoryRaster& entrada, const std::string& titulo, const TProgressoGis& progresso,
                            double inicio, double fracao, const std::string& etapa)
{
    return detalhe::PercorrerImagem(entrada, titulo, KernelFiltro{}, progresso, inicio, fracao, etapa);
}

namespace {

// A temporary raster in the system's temporary folder under a name of its
// own, removed when the object goes, whatever ended the run.
class TArquivoTemporario {
public:
    TArquivoTemporario()
    {
        std::random_device rd;
        std::mt19937_64 gerador((static_cast<std::uint64_t>(rd()) << 32) ^ rd());
        const fs::path pasta = fs::temp_directory_path();
        std::error_code ec;
        do {
            caminho_ = pasta / ("vastrel-filtro-" + std::to_string(gerador() % 10000000000ULL) + ".ras");
        } while (fs::exists(caminho_, ec));
        std::ofstream reserva(caminho_, std::ios::binary); // the name is taken from now on
    }
    ~TArquivoTemporario()
    {
        std::error_code ec;
        fs::remove(caminho_, ec);
    }
    TArquivoTemporario(const TArquivoTemporario&) = delete;
    TArquivoTemporario& operator=(const TArquivoTemporario&) = delete;
    const fs::path& Caminho() const { return caminho_; }

private:
    fs::path caminho_;
};

// Each pass reads its input file row by row and writes its result row by
// row: the first pass reads the input file itself, the others the previous
// result, kept in one of two temporary files of the system's temporary
// folder. The last pass writes the output, which replaces its file only when
// complete, so the output may be the input file itself.
void FiltrarArquivo(const fs::path& entrada, const fs::path& saida, const std::string& titulo, int passadas,
                    const TProgressoGis& progresso)
{
    if (passadas < 1 || passadas > kMaxPassadasFiltro)
        throw EEscolhaGis("O número de filtragens deve estar entre 1 e " + std::to_string(kMaxPassadasFiltro) + ".");
    std::error_code ec;
    if (entrada.empty() || !fs::is_regular_file(entrada, ec))
        throw EEscolhaGis(kMsgEntradaInvalida, TCampoGis::Entrada);
    if (saida.empty())
        throw EEscolhaGis(kMsgSaidaInvalida, TCampoGis::Saida);

    const TArquivoTemporario temporarios[2];
    for (int p = 1; p <= passadas; ++p) {
        const std::string etapa = "Processando filtro número " + std::to_string(p);
        const double inicio = static_cast<double>(p - 1) / passadas;
        PontoDeControle(progresso, inicio, etapa);
        const fs::path& origem = p == 1 ? entrada : temporarios[p % 2].Caminho();
        const fs::path& destino = p == passadas ? saida : temporarios[(p + 1) % 2].Caminho();
        detalhe::TFonteArquivo fonte(origem);
        if (!fonte.Aberto())
            throw EEscolhaGis(kMsgEntradaInvalida, TCampoGis::Entrada);
        detalhe::TDestinoArquivo resultado(destino, detalhe::CabecalhoDeSaida(fonte.Cabecalho(), titulo));
        const detalhe::TExtremos e =
            detalhe::PercorrerLinhas(fonte, resultado, KernelFiltro{}, progresso, inicio, 1.0 / passadas, etapa);
        fonte.Fechar(); // before the output replaces a file of the same name
        resultado.Concluir(e.Min, e.Max);
    }
}

} // namespace

void FiltroTipoSingle::Filtrar(const fs::path& entrada, const fs::path& saida, const std::string& titulo,
                               int passadas, const TProgressoGis& progresso)
{
    const TExecucaoUnica execucao(executando_);
    FiltrarArquivo(entrada, saida, titulo, passadas, progresso);
}

void FiltroTipoInteger::Filtrar(const fs::path& entrada, const fs::path& saida, const std::string& titulo,
                                int passadas, const TProgressoGis& progresso)
{
    const TExecucaoUnica execucao(executando_);
    FiltrarArquivo(entrada, saida, titulo, passadas, progresso);
}

void FiltrarImagem(const fs::path& entrada, const fs::path& saida, const std::string& titulo, int passadas,
                   const TProgressoGis& progresso)
{
    // One filtering at a time: a second "&Processar" pressed while pending
    // window events run is refused.
    static bool emExecucao = false;
    const TExecucaoUnica execucao(emExecucao);
    ConferirEntradaSaida(entrada, saida);
    const char tipo = TipoCelulaDoArquivo(entrada);
    if (tipo == 'R')
        FiltroTipoSingle().Filtrar(entrada, saida, titulo, passadas, progresso);
    else if (tipo == 'I')
        FiltroTipoInteger().Filtrar(entrada, saida, titulo, passadas, progresso);
    else
        throw EEscolhaGis(kMsgTipoByte);
    CopiarSistemaCoordenadas(entrada, saida);
}

std::string TituloPadraoFiltro(const fs::path& entrada)
{
    return "Imagem filtrada do arquivo de imagem " + bytes::NomeArquivo(entrada);
}

} // namespace vastrel::gis
