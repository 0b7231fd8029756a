#include "gis/ImportExport.h"

#include "common/CheckedMath.h"
#include "common/Cp1252.h"
#include "common/Format.h"
#include "common/Pastas.h"
#include "common/Rounding.h"
#include "gis/Bytes.h"
#include "gis/ErrosGis.h"
#include "gis/FileRaster.h"
#include "gis/InfArqDoc.h"
#include "gis/MemoryRaster.h"
#include "gis/Vetor.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <system_error>
#include <vector>

namespace vastrel::gis {

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kPassoProgresso = 65536; // values between two fixed points of a conversion
constexpr int kMaxLinhasVetor = std::numeric_limits<std::int16_t>::max();

std::string Maiusculas(const std::string& texto)
{
    const auto inicio = texto.find_first_not_of(" \t");
    if (inicio == std::string::npos)
        return {};
    const auto fim = texto.find_last_not_of(" \t");
    return FoldCase(texto.substr(inicio, fim - inicio + 1));
}

bool UmDe(const std::string& valor, std::initializer_list<const char*> aceitos)
{
    const std::string v = Maiusculas(valor);
    return std::any_of(aceitos.begin(), aceitos.end(), [&](const char* a) { return v == a; });
}

// The sibling of `arquivo` with another extension, found without regard to
// case when the exact name does not exist ("IMAGEM.DOC" beside "imagem.img").
fs::path Irmao(const fs::path& arquivo, const char* extensao)
{
    fs::path exato = arquivo;
    exato.replace_extension(extensao);
    std::error_code ec;
    if (fs::exists(exato, ec))
        return exato;
    const fs::path pasta = exato.has_parent_path() ? exato.parent_path() : fs::path(".");
    const fs::path achado = ResolverSemCaixa(pasta, bytes::Utf8DeCaminho(exato.filename()));
    return fs::exists(achado, ec) ? achado : exato;
}

float ParaFloat(double v)
{
    v = cm::Finite(v);
    if (std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
        throw EMathError("Valor fora do alcance de um número real de 32 bits: " + FloatToJson(v) + ".");
    return static_cast<float>(v);
}

std::string Minusculas(const std::string& unidade)
{
    std::string u = Maiusculas(unidade);
    std::transform(u.begin(), u.end(), u.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return u;
}

// The unit answered for a Surfer file: "m" or "km".
std::string UnidadeSurfer(IPerguntasConversao& perguntas)
{
    const std::string u = Minusculas(perguntas.UnidadeDistancia());
    if (u != "m" && u != "km")
        throw EEscolhaGis("Unidade de distância inválida: use metro (m) ou quilômetro (km).");
    return u;
}

// ---------------------------------------------------------------------------
// Numbers of the text exchange files: an optional sign, digits with a
// decimal point (or comma, where allowed), an optional exponent. A number
// ends where its text stops being a number, so that "1.0E+0000-2.0E+0000"
// is two numbers, as the Surfer writers of this system leave them.

bool Digito(char c) { return c >= '0' && c <= '9'; }

std::optional<double> NumeroEm(const char*& p, const char* fim, bool virgulaDecimal)
{
    const char* q = p;
    if (q < fim && (*q == '+' || *q == '-'))
        ++q;
    const char* inicioDigitos = q;
    while (q < fim && Digito(*q))
        ++q;
    bool temDigito = q > inicioDigitos;
    if (q < fim && (*q == '.' || (virgulaDecimal && *q == ','))) {
        const char* d = q + 1;
        while (d < fim && Digito(*d))
            ++d;
        if (temDigito || d > q + 1) {
            temDigito = true;
            q = d;
        }
    }
    if (!temDigito)
        return std::nullopt;
    if (q < fim && (*q == 'e' || *q == 'E')) {
        const char* e = q + 1;
        if (e < fim && (*e == '+' || *e == '-'))
            ++e;
        if (e < fim && Digito(*e)) {
            while (e < fim && Digito(*e))
                ++e;
            q = e;
        }
    }
    std::string texto(*p == '+' ? p + 1 : p, q);
    std::replace(texto.begin(), texto.end(), ',', '.');
    double v = 0;
    const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), v);
    if (r.ec != std::errc() || r.ptr != texto.data() + texto.size() || !std::isfinite(v))
        return std::nullopt;
    p = q;
    return v;
}

// ---------------------------------------------------------------------------
// Reading numbers from a text file of any size through a fixed buffer.

class TLeitorTexto {
public:
    explicit TLeitorTexto(const fs::path& caminho) : in_(caminho, std::ios::binary), buffer_(1 << 20)
    {
        if (!in_.is_open())
            throw EArquivoGis("Não foi possível abrir o arquivo '" + bytes::NomeArquivo(caminho) + "'.");
    }

    // Skips the rest of the current line and its line end (LF, CR LF or CR;
    // the LF of a CR LF is left as a blank before the next number).
    void PularLinha()
    {
        for (;;) {
            Garantir(1);
            if (pos_ == fim_)
                return;
            const char c = buffer_[pos_++];
            if (c == '\n' || c == '\r')
                return;
        }
    }

    // The next number, after blanks and line ends; nothing at the end of
    // the file or when the next text is not a number. Numbers may follow one
    // another without a blank when the next one begins with its sign.
    std::optional<double> Numero()
    {
        for (;;) {
            Garantir(kMaiorNumero);
            while (pos_ < fim_ && EhBranco(buffer_[pos_]))
                ++pos_;
            if (pos_ < fim_ || !Garantir(kMaiorNumero))
                break;
        }
        if (pos_ == fim_)
            return std::nullopt;
        const char* p = &buffer_[pos_];
        const char* fim = buffer_.data() + fim_;
        const auto v = NumeroEm(p, fim, true);
        // The number must end at a blank, a line end, the end of the file or
        // the sign of the next number.
        if (!v || (p < fim && !EhBranco(*p) && *p != '-' && *p != '+'))
            return std::nullopt;
        pos_ = static_cast<std::size_t>(p - buffer_.data());
        return v;
    }

private:
    static constexpr std::size_t kMaiorNumero = 512; // longest number text taken whole

    static bool EhBranco(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

    // Makes at least `n` characters available after the position when the
    // file has them; true when more characters were read.
    bool Garantir(std::size_t n)
    {
        if (fim_ - pos_ >= n || fimArquivo_)
            return false;
        std::memmove(buffer_.data(), buffer_.data() + pos_, fim_ - pos_);
        fim_ -= pos_;
        pos_ = 0;
        in_.read(buffer_.data() + fim_, static_cast<std::streamsize>(buffer_.size() - fim_));
        const auto lidos = static_cast<std::size_t>(in_.gcount());
        if (lidos == 0)
            fimArquivo_ = true;
        fim_ += lidos;
        return lidos > 0;
    }

    std::ifstream in_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0, fim_ = 0;
    bool fimArquivo_ = false;
};

// A Surfer number: point decimal, 23-character scientific form.
void EscreverNumero(std::string& destino, double v) { destino += NumeroCientifico(v); }

// A text output written through a temporary file beside it, renamed over
// the final name on Concluir.
class TSaidaTexto {
public:
    explicit TSaidaTexto(const fs::path& caminho)
        : caminho_(caminho), gravacao_(caminho), out_(gravacao_.Temporario(), std::ios::binary | std::ios::trunc)
    {
        if (!out_.is_open())
            throw EArquivoGis("Não foi possível criar o arquivo '" + bytes::NomeArquivo(caminho) + "'.");
    }
    void Escrever(const std::string& texto)
    {
        out_.write(texto.data(), static_cast<std::streamsize>(texto.size()));
        if (!out_)
            throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(caminho_) + "'.");
    }
    void Concluir()
    {
        out_.close();
        if (!out_)
            throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(caminho_) + "'.");
        gravacao_.Confirmar();
    }

private:
    fs::path caminho_;
    bytes::TGravacaoSegura gravacao_;
    std::ofstream out_;
};

void Controle(const TProgressoGis& progresso, std::int64_t feito, std::int64_t total, const char* etapa)
{
    PontoDeControle(progresso, total > 0 ? static_cast<double>(feito) / static_cast<double>(total) : 1.0, etapa);
}

// The four GDAL conversions: the output format follows its extension.
std::string ConverterGdal(TModoConversao modo, TTipoDadoGis tipo, const fs::path& entrada, const fs::path& saida,
                          const std::string& titulo, const TOpcoesGdal& opcoes, const TProgressoGis& progresso)
{
    const bool raster = tipo == TTipoDadoGis::Raster;
    if (modo == TModoConversao::Importacao) {
        if (raster)
            ImportarRasterGdal(entrada, saida, titulo, opcoes, progresso);
        else
            ImportarVetorGdal(entrada, saida, titulo, progresso);
        return kMsgImportacaoConcluida;
    }
    if (raster)
        ExportarRasterGdal(entrada, saida, progresso);
    else
        ExportarVetorGdal(entrada, saida, opcoes, progresso);
    return kMsgExportacaoConcluida;
}

} // namespace

std::string MensagemAtributoInvalido(const fs::path& arquivo)
{
    return "Atributo do arquivo '" + bytes::NomeArquivo(arquivo) + "' inválido.";
}

// ---------------------------------------------------------------------------
// IDRISI raster

void ImportarRasterIdrisi(const fs::path& img, const fs::path& ras, const std::string& titulo,
                          const TProgressoGis& progresso)
{
    TInfArqDoc doc;
    if (!doc.LerDocumentacao(bytes::Utf8DeCaminho(Irmao(img, ".doc"))))
        throw EArquivoGis(doc.Mensagem());
    if (!UmDe(doc.TipoDado, {"REAL", "INTEGER", "BYTE"}) || !UmDe(doc.TipoArquivo, {"BINARY"}) ||
        !UmDe(doc.UnidadeRef, {"M", "KM"}) || UmDe(doc.UnidadeValor, {"DEGREES"}) ||
        !UmDe(doc.SistemaRef, {"PLANE"}) || !(doc.DistUnidade > 0))
        throw EArquivoGis(MensagemAtributoInvalido(img));

    TFileRaster r;
    r.Versao = kVersaoRaster;
    r.TipoCelula = Maiusculas(doc.TipoDado)[0]; // "R", "I" or "B"
    r.Titulo = titulo;
    r.Colunas = doc.Colunas;
    r.Linhas = doc.Linhas;
    r.XMin = ParaFloat(doc.XMin * doc.DistUnidade);
    r.XMax = ParaFloat(doc.XMax * doc.DistUnidade);
    r.YMin = ParaFloat(doc.YMin * doc.DistUnidade);
    r.YMax = ParaFloat(doc.YMax * doc.DistUnidade);
    r.Unidade = doc.UnidadeRef;
    r.ValorMin = doc.ValorMin;
    r.ValorMax = doc.ValorMax;
    const auto inteiro = [](float v, std::int64_t menor, std::int64_t maior) {
        return std::clamp<std::int64_t>(RoundHalfEven(v), menor, maior);
    };
    if (r.TipoCelula == 'I') {
        r.ValorMinInteiro = static_cast<std::int16_t>(inteiro(doc.ValorMin, INT16_MIN, INT16_MAX));
        r.ValorMaxInteiro = static_cast<std::int16_t>(inteiro(doc.ValorMax, INT16_MIN, INT16_MAX));
    } else if (r.TipoCelula == 'B') {
        r.ValorMinByte = static_cast<std::uint8_t>(inteiro(doc.ValorMin, 0, 255));
        r.ValorMaxByte = static_cast<std::uint8_t>(inteiro(doc.ValorMax, 0, 255));
    }

    // The data file must hold exactly the cells its documentation announces.
    std::error_code ec;
    const auto tamanho = fs::file_size(img, ec);
    if (ec)
        throw EArquivoGis("Não foi possível ler o arquivo '" + bytes::NomeArquivo(img) + "'.");
    const std::uint64_t largura = LarguraCelula(r.TipoCelula);
    if (doc.Colunas <= 0 || doc.Linhas <= 0 || tamanho % largura != 0 ||
        tamanho / largura != static_cast<std::uint64_t>(r.NumCelulas()))
        throw EArquivoGis("O arquivo '" + bytes::NomeArquivo(img) + "' (" + std::to_string(tamanho) +
                          " bytes) não corresponde às " + std::to_string(doc.Colunas) + " colunas e " +
                          std::to_string(doc.Linhas) + " linhas de sua documentação.");
    std::ifstream dados(img, std::ios::binary);
    if (!dados.is_open())
        throw EArquivoGis("Não foi possível abrir o arquivo '" + bytes::NomeArquivo(img) + "'.");

    Controle(progresso, 0, 1, "Importando");
    bytes::TGravacaoSegura gravacao(ras);
    r.CriarRaster(gravacao.Temporario());
    if (r.TipoCelula == 'R')
        r.GravarBlocoReal(0, dados);
    else if (r.TipoCelula == 'I')
        r.GravarBlocoInteiro(0, dados);
    else
        r.GravarBlocoByte(0, dados);
    r.Fechar();
    gravacao.Confirmar();
    Controle(progresso, 1, 1, "Importando");
}

void ExportarRasterIdrisi(const fs::path& ras, const fs::path& img, const std::string& titulo,
                          const TProgressoGis& progresso)
{
    TFileRaster r;
    if (!r.AbrirRaster(ras))
        throw EEscolhaGis(kMsgEntradaInvalida, TCampoGis::Entrada);
    fs::path caminhoDoc = img;
    caminhoDoc.replace_extension(".doc");
    TInfArqDoc doc;
    doc.IniciarDocumentacao(bytes::Utf8DeCaminho(caminhoDoc));
    doc.Titulo = titulo;
    doc.Colunas = r.Colunas;
    doc.Linhas = r.Linhas;
    doc.DistUnidade = 1.0;
    doc.XMin = r.XMin;
    doc.XMax = r.XMax;
    doc.YMin = r.YMin;
    doc.YMax = r.YMax;
    doc.UnidadeRef = r.Unidade;
    switch (r.TipoCelula) {
    case 'R':
        doc.TipoDado = "real";
        doc.ValorMin = r.ValorMin;
        doc.ValorMax = r.ValorMax;
        break;
    case 'I':
        doc.TipoDado = "integer";
        doc.ValorMin = r.ValorMinInteiro;
        doc.ValorMax = r.ValorMaxInteiro;
        break;
    default:
        doc.TipoDado = "byte";
        doc.ValorMin = r.ValorMinByte;
        doc.ValorMax = r.ValorMaxByte;
        break;
    }

    Controle(progresso, 0, 1, "Exportando");
    bytes::TGravacaoSegura gravacao(img);
    {
        std::ofstream out(gravacao.Temporario(), std::ios::binary | std::ios::trunc);
        if (!out.is_open())
            throw EArquivoGis("Não foi possível criar o arquivo '" + bytes::NomeArquivo(img) + "'.");
        if (r.TipoCelula == 'R')
            r.CopiarCelulasReais(out);
        else if (r.TipoCelula == 'I')
            r.CopiarCelulasInteiras(out);
        else
            r.CopiarCelulasByte(out);
        out.close();
        if (!out)
            throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(img) + "'.");
    }
    doc.GravarDocumentacao();
    gravacao.Confirmar();
    Controle(progresso, 1, 1, "Exportando");
}

// ---------------------------------------------------------------------------
// Surfer grid

void ImportarRasterSurfer(const fs::path& grd, const fs::path& ras, const std::string& titulo,
                          IPerguntasConversao& perguntas, const TProgressoGis& progresso)
{
    const std::string unidade = UnidadeSurfer(perguntas);
    std::error_code ec;
    const auto tamanho = fs::file_size(grd, ec);
    if (ec)
        throw EArquivoGis("Não foi possível ler o arquivo '" + bytes::NomeArquivo(grd) + "'.");

    TLeitorTexto t(grd);
    const auto formato = [] { return EArquivoGis(kMsgFormatoInadequado); };
    const auto numero = [&] {
        const auto v = t.Numero();
        if (!v)
            throw formato();
        return *v;
    };
    const auto inteiro = [&] {
        const double v = numero();
        if (v != std::floor(v) || v < 1 || v > std::numeric_limits<std::int32_t>::max())
            throw formato();
        return static_cast<std::int32_t>(v);
    };

    t.PularLinha(); // "DSAA"
    const std::int32_t nx = inteiro();
    const std::int32_t ny = inteiro();
    const double xlo = numero(), xhi = numero(), ylo = numero(), yhi = numero(), zlo = numero(), zhi = numero();
    // Every value takes at least one character and a separator (or a sign):
    // a grid announcing more values than its file can hold is refused before
    // any memory is taken for it.
    const auto celulas = static_cast<std::uint64_t>(nx) * static_cast<std::uint64_t>(ny);
    if (celulas > tamanho)
        throw formato();

    TMemoryRaster r;
    r.Versao = kVersaoRaster;
    r.DefinirTipo('R');
    r.Titulo = titulo;
    r.Colunas = nx;
    r.Linhas = ny;
    r.XMin = ParaFloat(xlo);
    r.XMax = ParaFloat(xhi);
    r.YMin = ParaFloat(ylo);
    r.YMax = ParaFloat(yhi);
    r.Unidade = unidade;
    r.ValorMin = ParaFloat(zlo);
    r.ValorMax = ParaFloat(zhi);
    r.AlocarCelulas();

    // The grid runs from the southern row up; the raster from the northern
    // row down. Values above 10000 are the blanks of grid programs.
    bool substituidos = false;
    std::vector<float> linha(static_cast<std::size_t>(nx));
    std::int64_t feito = 0;
    for (std::int32_t g = 0; g < ny; ++g) {
        for (std::int32_t c = 0; c < nx; ++c) {
            double v = numero();
            if (v > kMaiorValorSurfer) {
                v = 0;
                substituidos = true;
            }
            linha[static_cast<std::size_t>(c)] = ParaFloat(v);
        }
        r.GravarLinhaReal(ny - 1 - g, linha.data());
        feito += nx;
        if (feito >= kPassoProgresso || g + 1 == ny) {
            Controle(progresso, g + 1, ny, "Importando");
            feito = 0;
        }
    }
    if (substituidos)
        r.ValorMin = 0;
    r.GravarRaster(ras);
    if (substituidos)
        perguntas.Informar(kMsgValoresAbsurdos);
}

void ExportarRasterSurfer(const fs::path& ras, const fs::path& grd, const TProgressoGis& progresso)
{
    TFileRaster r;
    if (!r.AbrirRaster(ras))
        throw EEscolhaGis(kMsgEntradaInvalida, TCampoGis::Entrada);
    if (r.TipoCelula != 'R')
        throw EEscolhaGis(kMsgNaoReal);

    TSaidaTexto out(grd);
    std::string s = "DSAA\r\n" + std::to_string(r.Colunas) + " " + std::to_string(r.Linhas) + "\r\n";
    EscreverNumero(s, r.XMin);
    EscreverNumero(s, r.XMax);
    s += "\r\n";
    EscreverNumero(s, r.YMin);
    EscreverNumero(s, r.YMax);
    s += "\r\n";
    EscreverNumero(s, r.ValorMin);
    EscreverNumero(s, r.ValorMax);
    s += "\r\n";
    out.Escrever(s);

    // Rows from the southern (the raster's last) to the northern, all on one
    // line with no line end after the last value.
    const auto n = static_cast<std::size_t>(r.Colunas);
    std::vector<float> linha(n);
    std::int64_t feito = 0;
    for (std::int32_t l = r.Linhas - 1; l >= 0; --l) {
        r.LerCelulasReais(static_cast<std::int64_t>(l) * r.Colunas, r.Colunas, linha.data());
        s.clear();
        for (float v : linha)
            EscreverNumero(s, v);
        out.Escrever(s);
        feito += r.Colunas;
        if (feito >= kPassoProgresso || l == 0) {
            Controle(progresso, r.Linhas - l, r.Linhas, "Exportando");
            feito = 0;
        }
    }
    out.Concluir();
}

// ---------------------------------------------------------------------------
// IDRISI vector

void ImportarVetorIdrisi(const fs::path& vec, const fs::path& vet, const std::string& titulo,
                         const TProgressoGis& progresso)
{
    TInfArqDocVet doc;
    if (!doc.LerDocumentacao(bytes::Utf8DeCaminho(Irmao(vec, ".dvc"))))
        throw EArquivoGis(doc.Mensagem());
    if (!UmDe(doc.TipoArquivo, {"BINARY"}) || !UmDe(doc.TipoId, {"REAL", "INTEGER"}) ||
        !UmDe(doc.TipoObjeto, {"LINE", "POLYGON"}) || !UmDe(doc.SistemaRef, {"PLANE"}) ||
        !UmDe(doc.UnidadeRef, {"M", "KM"}) || !(doc.DistUnidade > 0))
        throw EArquivoGis(MensagemAtributoInvalido(vec));

    TVetor v;
    v.Versao = kVersaoVetor;
    v.Titulo = titulo;
    v.Unidade = doc.UnidadeRef;
    v.XMin = ParaFloat(doc.XMin * doc.DistUnidade);
    v.XMax = ParaFloat(doc.XMax * doc.DistUnidade);
    v.YMin = ParaFloat(doc.YMin * doc.DistUnidade);
    v.YMax = ParaFloat(doc.YMax * doc.DistUnidade);
    v.IrParaInicio();

    const std::vector<std::uint8_t> dados = bytes::LerArquivo(vec);
    const std::string nome = bytes::NomeArquivo(vec);
    std::size_t pos = 0;
    int numLinha = 0;
    // Features: identifier, point count (both 32-bit floats), then the X Y
    // pairs; two zeros end the list (the end of the file does as well).
    while (pos + 8 <= dados.size()) {
        const float id = bytes::LeFloat(&dados[pos]);
        const float contagem = bytes::LeFloat(&dados[pos + 4]);
        if (id == 0 && contagem == 0)
            break;
        const std::size_t inicioFeicao = pos;
        pos += 8;
        if (!std::isfinite(contagem) || contagem < 0 ||
            static_cast<double>(contagem) > static_cast<double>(dados.size() - pos) / 8)
            throw EArquivoGis("Arquivo vetor do Idrisi '" + nome + "' inválido: a feição que começa no byte " +
                              std::to_string(inicioFeicao) + " anuncia mais pontos do que o arquivo contém.");
        const auto pontos = static_cast<std::size_t>(contagem); // truncated to a whole number
        if (pontos == 0)
            continue; // a feature without points draws nothing
        if (++numLinha > kMaxLinhasVetor)
            throw EArquivoGis("Arquivo vetor do Idrisi '" + nome + "' tem mais de " +
                              std::to_string(kMaxLinhasVetor) + " linhas, o máximo de um arquivo vetor.");
        for (std::size_t i = 0; i < pontos; ++i, pos += 8)
            v.GravarRegistro(static_cast<std::int16_t>(numLinha), bytes::LeFloat(&dados[pos]),
                             bytes::LeFloat(&dados[pos + 4]), id);
        Controle(progresso, static_cast<std::int64_t>(pos), static_cast<std::int64_t>(dados.size()), "Importando");
    }
    if (pos < dados.size() && pos + 8 > dados.size())
        throw EArquivoGis("Arquivo vetor do Idrisi '" + nome + "' inválido: o arquivo termina no meio de uma feição.");
    v.GravarVetor(vet);
}

void ExportarVetorIdrisi(const fs::path& vet, const fs::path& vec, const std::string& titulo,
                         const TProgressoGis& progresso)
{
    TVetor v;
    if (!v.CarregarVetor(vet))
        throw EEscolhaGis(kMsgEntradaInvalida, TCampoGis::Entrada);
    fs::path caminhoDoc = vec;
    caminhoDoc.replace_extension(".dvc");
    TInfArqDocVet doc;
    doc.IniciarDocumentacao(bytes::Utf8DeCaminho(caminhoDoc));
    doc.Titulo = titulo;
    doc.TipoObjeto = "line";
    doc.DistUnidade = 1.0;
    doc.XMin = v.XMin;
    doc.XMax = v.XMax;
    doc.YMin = v.YMin;
    doc.YMax = v.YMax;
    // The coordinates keep their unit: a vector in kilometres is documented
    // in kilometres.
    if (MetrosPorUnidade(v.Unidade) == 1000.0)
        doc.UnidadeRef = "km";

    // One feature per run of records with the same line number.
    std::vector<std::uint8_t> s;
    const auto float32 = [&s](float f) {
        std::uint8_t b[4];
        bytes::EscreveFloat(b, f);
        s.insert(s.end(), b, b + 4);
    };
    const std::int64_t n = v.NumRegistros();
    v.IrParaInicio();
    std::int64_t k = 0;
    while (k < n) {
        v.IrParaRegistro(k);
        const TRegistroVetor primeiro = v.LerProximo();
        std::int64_t conta = 1;
        while (k + conta < n && v.LerProximo().NumLinha == primeiro.NumLinha)
            ++conta;
        float32(primeiro.Z);
        float32(static_cast<float>(conta));
        v.IrParaRegistro(k);
        for (std::int64_t i = 0; i < conta; ++i) {
            const TRegistroVetor r = v.LerProximo();
            float32(r.X);
            float32(r.Y);
        }
        k += conta;
        Controle(progresso, k, n, "Exportando");
    }
    float32(0);
    float32(0);

    bytes::TGravacaoSegura gravacao(vec);
    {
        std::ofstream out(gravacao.Temporario(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(s.data()), static_cast<std::streamsize>(s.size()));
        out.close();
        if (!out)
            throw EArquivoGis("Não foi possível gravar o arquivo '" + bytes::NomeArquivo(vec) + "'.");
    }
    doc.GravarDocumentacao();
    gravacao.Confirmar();
}

// ---------------------------------------------------------------------------
// Surfer point list

namespace {

// The three first numbers of a line of a point list. Fields are separated
// by blanks, tabs or semicolons, or follow one another by their sign; a
// comma separates fields too, unless the line has no point and three
// blank-separated fields, in which case it is the decimal separator
// ("12,5 7,25 3").
std::optional<std::array<double, 3>> TresNumeros(const std::string& linha)
{
    std::size_t camposBrancos = 0;
    for (std::size_t i = 0; i < linha.size();) {
        const auto ini = linha.find_first_not_of(" \t;\r", i);
        if (ini == std::string::npos)
            break;
        ++camposBrancos;
        const auto fim = linha.find_first_of(" \t;\r", ini);
        i = fim == std::string::npos ? linha.size() : fim;
    }
    const bool virgulaDecimal = linha.find('.') == std::string::npos && camposBrancos >= 3;
    const std::string separadores = virgulaDecimal ? " \t;\r" : " \t;,\r";
    const char* p = linha.data();
    const char* fim = p + linha.size();
    std::array<double, 3> v{};
    for (double& x : v) {
        while (p < fim && separadores.find(*p) != std::string::npos)
            ++p;
        const auto n = NumeroEm(p, fim, virgulaDecimal);
        if (!n || (p < fim && separadores.find(*p) == std::string::npos && *p != '-' && *p != '+'))
            return std::nullopt;
        x = *n;
    }
    return v;
}

} // namespace

void ImportarVetorSurfer(const fs::path& txt, const fs::path& vet, const std::string& titulo,
                         IPerguntasConversao& perguntas, const TProgressoGis& progresso)
{
    const std::string unidade = UnidadeSurfer(perguntas);
    std::ifstream in(txt, std::ios::binary);
    if (!in.is_open())
        throw EArquivoGis("Não foi possível abrir o arquivo '" + bytes::NomeArquivo(txt) + "'.");
    TVetor v;
    v.Versao = kVersaoVetor;
    v.Titulo = titulo;
    v.Unidade = unidade;
    v.IrParaInicio();

    std::string linha;
    std::getline(in, linha); // header line
    std::int64_t numero = 1;
    int numLinha = 0;
    float zAnterior = 0;
    // A new line number starts at the first point and at every change of Z.
    while (std::getline(in, linha)) {
        ++numero;
        if (linha.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        const auto p = TresNumeros(linha);
        if (!p)
            throw EArquivoGis(std::string(kMsgFormatoInadequado) + " Linha " + std::to_string(numero) + " de '" +
                              bytes::NomeArquivo(txt) + "'.");
        const float z = ParaFloat((*p)[2]);
        if (numLinha == 0 || z != zAnterior) {
            if (++numLinha > kMaxLinhasVetor)
                throw EArquivoGis("O arquivo '" + bytes::NomeArquivo(txt) + "' tem mais de " +
                                  std::to_string(kMaxLinhasVetor) + " linhas, o máximo de um arquivo vetor.");
            zAnterior = z;
        }
        v.GravarRegistro(static_cast<std::int16_t>(numLinha), ParaFloat((*p)[0]), ParaFloat((*p)[1]), z);
        if (numero % kPassoProgresso == 0)
            Controle(progresso, 0, 1, "Importando");
    }
    if (in.bad())
        throw EArquivoGis("Não foi possível ler o arquivo '" + bytes::NomeArquivo(txt) + "'.");
    v.GravarVetor(vet);
}

void ExportarVetorSurfer(const fs::path& vet, const fs::path& txt, const TProgressoGis& progresso)
{
    TVetor v;
    if (!v.CarregarVetor(vet))
        throw EEscolhaGis(kMsgEntradaInvalida, TCampoGis::Entrada);
    TSaidaTexto out(txt);
    std::string s = "\"X\" \"Y\" \"Z\"\r\n";
    TRegistroVetor r;
    std::int64_t k = 0;
    const std::int64_t n = v.NumRegistros();
    while (v.LerRegistro(r)) {
        EscreverNumero(s, r.X);
        EscreverNumero(s, r.Y);
        EscreverNumero(s, r.Z);
        s += "\r\n";
        if (++k % kPassoProgresso == 0) {
            out.Escrever(s);
            s.clear();
            Controle(progresso, k, n, "Exportando");
        }
    }
    out.Escrever(s);
    out.Concluir();
}

// ---------------------------------------------------------------------------

std::string Converter(TModoConversao modo, TFormatoExterno formato, TTipoDadoGis tipo, const fs::path& entrada,
                      const fs::path& saida, const std::string& titulo, IPerguntasConversao& perguntas,
                      const TProgressoGis& progresso)
{
    // One conversion at a time: a second button press while pending window
    // events run is refused.
    static bool emExecucao = false;
    const TExecucaoUnica execucao(emExecucao);
    ConferirEntradaSaida(entrada, saida);
    const bool idrisi = formato == TFormatoExterno::Idrisi;
    const bool raster = tipo == TTipoDadoGis::Raster;
    if (formato == TFormatoExterno::Gdal)
        return ConverterGdal(modo, tipo, entrada, saida, titulo, perguntas.OpcoesGdal(), progresso);
    if (modo == TModoConversao::Importacao) {
        if (raster && idrisi)
            ImportarRasterIdrisi(entrada, saida, titulo, progresso);
        else if (raster)
            ImportarRasterSurfer(entrada, saida, titulo, perguntas, progresso);
        else if (idrisi)
            ImportarVetorIdrisi(entrada, saida, titulo, progresso);
        else
            ImportarVetorSurfer(entrada, saida, titulo, perguntas, progresso);
        return kMsgImportacaoConcluida;
    }
    if (raster && idrisi)
        ExportarRasterIdrisi(entrada, saida, titulo, progresso);
    else if (raster)
        ExportarRasterSurfer(entrada, saida, progresso);
    else if (idrisi)
        ExportarVetorIdrisi(entrada, saida, titulo, progresso);
    else
        ExportarVetorSurfer(entrada, saida, progresso);
    return kMsgExportacaoConcluida;
}

std::optional<std::string> TituloPadraoConversao(TModoConversao modo, TFormatoExterno formato, TTipoDadoGis tipo,
                                                 const fs::path& entrada)
{
    const std::string nome = bytes::NomeArquivo(entrada);
    if (modo == TModoConversao::Importacao)
        return "Arquivo gerado da importação do arquivo " + nome;
    // Surfer grids and the GIS formats carry no title of the system's.
    if ((tipo == TTipoDadoGis::Raster && formato == TFormatoExterno::Surfer) || formato == TFormatoExterno::Gdal)
        return std::nullopt;
    return "Arquivo gerado da exportação do arquivo " + nome;
}

void VerificarGradeSurfer(const fs::path& grd)
{
    std::ifstream in(grd, std::ios::binary);
    char inicio[4] = {};
    if (!in.is_open() || !in.read(inicio, 4))
        throw EArquivoGis(kMsgNaoAscii);
    // Binary grids begin with "DSBB" (Surfer 6) or "DSRB" (Surfer 7).
    if (std::memcmp(inicio, "DSBB", 4) == 0 || std::memcmp(inicio, "DSRB", 4) == 0)
        throw EArquivoGis(kMsgNaoAscii);
}

} // namespace vastrel::gis
