#include "gis/InfArqDoc.h"

#include "common/CheckedMath.h"
#include "common/Cp1252.h"
#include "common/Format.h"
#include "gis/Bytes.h"
#include "gis/ErrosGis.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <vector>

namespace vastrel::gis {

namespace fs = std::filesystem;

std::string NumeroCientifico(double valor)
{
    valor = cm::Finite(valor);
    if (valor == 0)
        valor = 0; // no "-0"
    char b[48];
    // d.ddddddddddddddE±xx[x]: 15 significant digits, correctly rounded
    const auto r = std::to_chars(b, b + sizeof b, std::fabs(valor), std::chars_format::scientific, 14);
    const std::string s(b, r.ptr);
    const auto e = s.find('e');
    const char sinal = s[e + 1];
    const std::string digitos = s.substr(e + 2);
    std::string t;
    t.reserve(23);
    t += valor < 0 ? '-' : ' ';
    t.append(s, 0, e);
    t += 'E';
    t += sinal;
    t.append(4 - std::min<std::size_t>(4, digitos.size()), '0');
    t += digitos;
    return t;
}

std::string NumeroFixo8(double valor)
{
    valor = cm::Finite(valor);
    char b[400];
    const auto r = std::to_chars(b, b + sizeof b, valor, std::chars_format::fixed, 8);
    std::string s(b, r.ptr);
    if (s == "-0.00000000")
        s = "0.00000000";
    return s;
}

namespace {

constexpr std::size_t kLarguraRotulo = 14;

// The documentation file read as lines of UTF-8 text (Windows-1252 on disk;
// a file saved as UTF-8 by an editor is taken as it is), line ends removed.
std::vector<std::string> LerLinhas(const std::string& nomeDoc)
{
    const std::vector<std::uint8_t> dados = bytes::LerArquivo(bytes::CaminhoDeUtf8(nomeDoc));
    std::string texto(dados.begin(), dados.end());
    if (!LooksLikeUtf8(texto))
        texto = Cp1252ToUtf8(texto);
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        std::size_t fim = texto.find('\n', inicio);
        if (fim == std::string::npos)
            fim = texto.size();
        std::string linha = texto.substr(inicio, fim - inicio);
        if (!linha.empty() && linha.back() == '\r')
            linha.pop_back();
        linhas.push_back(std::move(linha));
        inicio = fim + 1;
    }
    return linhas;
}

// Reads the values of a documentation file line by line; the first 14
// characters of every line are its label and are skipped unread.
class TLeitorDoc {
public:
    explicit TLeitorDoc(const std::string& nomeDoc)
        : nome_(bytes::NomeArquivo(bytes::CaminhoDeUtf8(nomeDoc))), linhas_(LerLinhas(nomeDoc))
    {
    }

    // The whole rest of the line; a line missing at the end of the file
    // reads as an empty text.
    std::string Texto()
    {
        const std::size_t i = proxima_++;
        if (i >= linhas_.size() || linhas_[i].size() <= kLarguraRotulo)
            return {};
        return linhas_[i].substr(kLarguraRotulo);
    }

    int Inteiro()
    {
        const std::string t = Numero();
        const auto v = ParseInt(t);
        if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
            throw Invalido(t);
        return static_cast<int>(*v);
    }

    double Real()
    {
        const std::string t = Numero();
        const auto v = ParseFloat(t);
        if (!v)
            throw Invalido(t);
        return *v;
    }

private:
    // The number of the next line: leading blanks skipped, whatever follows
    // it on the line ignored.
    std::string Numero()
    {
        if (proxima_ >= linhas_.size())
            throw EArquivoGis("Arquivo de documentação '" + nome_ + "' incompleto: falta a linha " +
                              std::to_string(proxima_ + 1) + ".");
        std::string t = Texto();
        const auto inicio = t.find_first_not_of(" \t");
        if (inicio == std::string::npos)
            return {};
        const auto fim = t.find_first_of(" \t", inicio);
        return t.substr(inicio, fim == std::string::npos ? std::string::npos : fim - inicio);
    }

    EArquivoGis Invalido(const std::string& valor) const
    {
        return EArquivoGis("Arquivo de documentação '" + nome_ + "': valor numérico inválido na linha " +
                           std::to_string(proxima_) + " (\"" + valor + "\").");
    }

    std::string nome_;
    std::vector<std::string> linhas_;
    std::size_t proxima_ = 0;
};

void GravarLinhas(const std::string& nomeDoc, const std::vector<std::pair<const char*, std::string>>& linhas)
{
    if (nomeDoc.empty())
        throw EArquivoGis("Nenhum nome de arquivo fornecido.");
    std::string texto;
    for (const auto& [rotulo, valor] : linhas)
        texto += std::string(rotulo) + valor + "\r\n";
    const std::string cp = Utf8ToCp1252(texto);
    bytes::GravarArquivo(bytes::CaminhoDeUtf8(nomeDoc), reinterpret_cast<const std::uint8_t*>(cp.data()),
                         cp.size());
}

std::string TrocarExtensao(const std::string& caminho, const char* extensao)
{
    const std::size_t corte = caminho.size() >= 4 ? caminho.size() - 4 : 0;
    return caminho.substr(0, corte) + extensao;
}

// Checks that the documentation file can be opened; the message of a
// failure is the one the window shows.
bool Verificar(const std::string& nomeDoc, std::string& mensagem)
{
    if (nomeDoc.empty()) {
        mensagem = "Nenhum nome de arquivo fornecido.";
        return false;
    }
    std::ifstream f(bytes::CaminhoDeUtf8(nomeDoc), std::ios::binary);
    std::error_code ec;
    if (!f.is_open() || fs::is_directory(bytes::CaminhoDeUtf8(nomeDoc), ec)) {
        mensagem = "Arquivo " + nomeDoc + " nao existe.";
        return false;
    }
    mensagem.clear();
    return true;
}

// The georeference block, read and written in the same order by both files.
void LerReferencia(TLeitorDoc& l, TDocIdrisi& d)
{
    d.SistemaRef = l.Texto();
    d.UnidadeRef = l.Texto();
    d.DistUnidade = l.Real();
    d.XMin = l.Real();
    d.XMax = l.Real();
    d.YMin = l.Real();
    d.YMax = l.Real();
    d.ErroPosicao = l.Texto();
    d.Resolucao = l.Texto();
}

using TLinhasDoc = std::vector<std::pair<const char*, std::string>>;

void AcrescentarReferencia(TLinhasDoc& linhas, const TDocIdrisi& d)
{
    linhas.insert(linhas.end(), {
                                    {"ref. system : ", d.SistemaRef},
                                    {"ref. units  : ", d.UnidadeRef},
                                    {"unit dist.  : ", NumeroCientifico(d.DistUnidade)},
                                    {"min. X      : ", NumeroFixo8(d.XMin)},
                                    {"max. X      : ", NumeroFixo8(d.XMax)},
                                    {"min. Y      : ", NumeroFixo8(d.YMin)},
                                    {"max. Y      : ", NumeroFixo8(d.YMax)},
                                    {"pos n error : ", d.ErroPosicao},
                                    {"resolution  : ", d.Resolucao},
                                });
}

} // namespace

// ----- TDocIdrisi -----

void TDocIdrisi::VerificarArquivo()
{
    if (!Verificar(NomeDoc, mensagem_))
        Ok = false;
}

bool TDocIdrisi::PrepararLeitura(const std::string& caminho)
{
    Ok = true;
    if (caminho.empty()) {
        Ok = false;
        mensagem_ = "Nenhum nome de arquivo fornecido.";
        return false;
    }
    DefinirNomes(caminho);
    VerificarArquivo();
    return Ok;
}

void TDocIdrisi::IniciarComuns(const std::string& caminho)
{
    DefinirNomes(caminho);
    Titulo = "Sem titulo.";
    TipoArquivo = "binary";
    SistemaRef = "plane";
    UnidadeRef = "m";
    DistUnidade = 1.0;
    XMin = 0;
    XMax = 1;
    YMin = 0;
    YMax = 1;
    ErroPosicao = "unknown";
    Resolucao = "unknown";
}

// ----- TInfArqDoc -----

void TInfArqDoc::DefinirNomes(const std::string& caminho)
{
    if (caminho.empty())
        return;
    NomeDoc = caminho;
    NomeImg = TrocarExtensao(caminho, ".IMG");
}

bool TInfArqDoc::LerDocumentacao(const std::string& caminho)
{
    if (!PrepararLeitura(caminho))
        return false;
    TLeitorDoc l(NomeDoc);
    Titulo = l.Texto();
    TipoDado = l.Texto();
    TipoArquivo = l.Texto();
    Colunas = l.Inteiro();
    Linhas = l.Inteiro();
    LerReferencia(l, *this);
    ValorMin = static_cast<float>(l.Real());
    ValorMax = static_cast<float>(l.Real());
    UnidadeValor = l.Texto();
    ErroValor = l.Texto();
    ValorFlag = l.Texto();
    DefFlag = l.Texto();
    CategoriasLegenda = l.Texto();
    return true;
}

void TInfArqDoc::IniciarDocumentacao(const std::string& caminho)
{
    IniciarComuns(caminho);
    TipoDado = "real";
    Colunas = 0;
    Linhas = 0;
    ValorMin = 0;
    ValorMax = 1;
    UnidadeValor = "unspecified";
    ErroValor = "unknown";
    ValorFlag = "none";
    DefFlag = "none";
    CategoriasLegenda = "0";
}

void TInfArqDoc::GravarDocumentacao() const
{
    TLinhasDoc linhas = {
        {"file title  : ", Titulo},
        {"data type   : ", TipoDado},
        {"file type   : ", TipoArquivo},
        {"columns     : ", std::to_string(Colunas)},
        {"rows        : ", std::to_string(Linhas)},
    };
    AcrescentarReferencia(linhas, *this);
    linhas.insert(linhas.end(), {
                                    {"min. value  : ", NumeroFixo8(ValorMin)},
                                    {"max. value  : ", NumeroFixo8(ValorMax)},
                                    {"value units : ", UnidadeValor},
                                    {"value error : ", ErroValor},
                                    {"flag value  : ", ValorFlag},
                                    {"flag def n  : ", DefFlag},
                                    {"legend cats : ", CategoriasLegenda},
                                });
    GravarLinhas(NomeDoc, linhas);
}

// ----- TInfArqDocVet -----

void TInfArqDocVet::DefinirNomes(const std::string& caminho)
{
    if (caminho.empty())
        return;
    NomeDoc = caminho;
    NomeVec = TrocarExtensao(caminho, ".VEC");
}

bool TInfArqDocVet::LerDocumentacao(const std::string& caminho)
{
    if (!PrepararLeitura(caminho))
        return false;
    TLeitorDoc l(NomeDoc);
    Titulo = l.Texto();
    TipoId = l.Texto();
    TipoArquivo = l.Texto();
    TipoObjeto = l.Texto();
    LerReferencia(l, *this);
    return true;
}

void TInfArqDocVet::IniciarDocumentacao(const std::string& caminho)
{
    IniciarComuns(caminho);
    TipoId = "real";
    TipoObjeto = "line";
}

void TInfArqDocVet::GravarDocumentacao() const
{
    TLinhasDoc linhas = {
        {"file title  : ", Titulo},
        {"id type     : ", TipoId},
        {"file type   : ", TipoArquivo},
        {"object type : ", TipoObjeto},
    };
    AcrescentarReferencia(linhas, *this);
    GravarLinhas(NomeDoc, linhas);
}

} // namespace vastrel::gis
