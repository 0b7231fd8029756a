#include "rainfall/BDPrecipitacao.h"

#include "common/CheckedMath.h"
#include "common/Cp1252.h"
#include "common/Pastas.h"
#include "rainfall/Colacao.h"
#include "rainfall/Coordenadas.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>

namespace vastrel {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kTamCoordenadaCampo = 9; // characters of a coordinate field

// Field offsets of the station record.
constexpr std::size_t kPosK = 69;
constexpr std::size_t kPosFonte = 101;
constexpr std::size_t kPosLatEstacao = 132;
constexpr std::size_t kPosLonEstacao = 142;
// Field offsets of the locality record.
constexpr std::size_t kPosLatLocalidade = 69;
constexpr std::size_t kPosLonLocalidade = 79;

constexpr std::uint8_t kCabecalho = 1; // header byte written; readers skip it

std::string NomeArquivo(const fs::path& p) { return p.string(); }

// Sequential reader of a database file that checks every length against
// what the file holds before reading or allocating anything.
class LeitorBD {
public:
    explicit LeitorBD(fs::path arquivo) : arquivo_(std::move(arquivo))
    {
        std::error_code ec;
        if (!fs::exists(arquivo_, ec))
            throw EArquivoNaoExiste(arquivo_);
        tamanho_ = fs::file_size(arquivo_, ec);
        if (ec || !fs::is_regular_file(arquivo_, ec))
            throw EInOutError("Não foi possível ler o arquivo " + NomeArquivo(arquivo_) + ".");
        in_.open(arquivo_, std::ios::binary);
        if (!in_)
            throw EInOutError("Não foi possível ler o arquivo " + NomeArquivo(arquivo_) + ".");
        if (tamanho_ == 0)
            throw Erro("o arquivo está vazio");
        Pular(1); // header byte
    }

    EBDPrecipitacao Erro(const std::string& detalhe) const
    {
        return EBDPrecipitacao("O arquivo " + NomeArquivo(arquivo_) + " está corrompido: " + detalhe + ".");
    }

    // Reads the count of a state's block and checks that its records fit in
    // the rest of the file.
    std::size_t Contagem(int estado, std::size_t tamRegistro)
    {
        const std::string nome = kEstados[static_cast<std::size_t>(estado)].Nome;
        if (tamanho_ - pos_ < 2)
            throw Erro("o arquivo termina antes do bloco do estado " + nome);
        const std::string b = Ler(2);
        const std::size_t n = static_cast<unsigned char>(b[0]) | static_cast<std::size_t>(static_cast<unsigned char>(b[1])) << 8;
        const std::size_t cabem = (tamanho_ - pos_) / tamRegistro;
        if (n > cabem)
            throw Erro("o bloco do estado " + nome + " anuncia " + std::to_string(n) +
                       (n == 1 ? " registro" : " registros") + ", mas o arquivo só tem bytes para " +
                       std::to_string(cabem));
        return n;
    }

    std::string Ler(std::size_t n)
    {
        std::string s(n, '\0');
        if (n > 0 && !in_.read(s.data(), static_cast<std::streamsize>(n)))
            throw EInOutError("Não foi possível ler o arquivo " + NomeArquivo(arquivo_) + ".");
        pos_ += n;
        return s;
    }

    void Pular(std::size_t n)
    {
        if (tamanho_ - pos_ < n)
            throw Erro("o arquivo termina antes do fim dos registros");
        pos_ += n;
        if (!in_.seekg(static_cast<std::streamoff>(pos_)))
            throw EInOutError("Não foi possível ler o arquivo " + NomeArquivo(arquivo_) + ".");
    }

private:
    fs::path arquivo_;
    std::ifstream in_;
    std::uintmax_t tamanho_ = 0;
    std::uintmax_t pos_ = 0;
};

// Decodes the fields of one record, reporting any fault with the record's
// place in the file.
class Registro {
public:
    Registro(const LeitorBD& leitor, const char* bytes, int estado, std::size_t indice)
        : leitor_(leitor), bytes_(bytes), estado_(estado), indice_(indice) {}

    std::string Texto(std::size_t pos, std::size_t tamanho, const char* campo) const
    {
        const auto n = static_cast<unsigned char>(bytes_[pos]);
        if (n > tamanho)
            throw Falha("o campo " + std::string(campo) + " declara " + std::to_string(n) +
                        " caracteres, mais que os " + std::to_string(tamanho) + " do campo");
        return Cp1252ToUtf8(std::string_view(bytes_ + pos + 1, n));
    }

    std::string Coordenada(std::size_t pos, const char* campo) const
    {
        std::string texto = Texto(pos, kTamCoordenadaCampo, campo);
        if (!CoordenadaValida(texto))
            throw Falha("o campo " + std::string(campo) + " (\"" + texto + "\") não é uma coordenada GG°MM'SS\"");
        return texto;
    }

    double Real(std::size_t pos, const char* campo) const
    {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < 8; ++i)
            bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[pos + i])) << (8 * i);
        const double v = std::bit_cast<double>(bits);
        if (!std::isfinite(v) || v < 0)
            throw Falha("o parâmetro " + std::string(campo) + " não é um número finito e não negativo");
        return v;
    }

private:
    EBDPrecipitacao Falha(const std::string& detalhe) const
    {
        return leitor_.Erro(detalhe + " no registro " + std::to_string(indice_ + 1) + " do estado " +
                            kEstados[static_cast<std::size_t>(estado_)].Nome);
    }

    const LeitorBD& leitor_;
    const char* bytes_;
    int estado_;
    std::size_t indice_;
};

TRegEstacao LerEstacao(const Registro& r)
{
    TRegEstacao e;
    e.Nome = r.Texto(0, kTamNome, "Nome");
    e.K = r.Real(kPosK, "K");
    e.A = r.Real(kPosK + 8, "a");
    e.B = r.Real(kPosK + 16, "b");
    e.C = r.Real(kPosK + 24, "c");
    e.Fonte = r.Texto(kPosFonte, kTamFonte, "Fonte");
    e.Latitude = r.Coordenada(kPosLatEstacao, "Latitude");
    e.Longitude = r.Coordenada(kPosLonEstacao, "Longitude");
    return e;
}

TRegLocalidade LerLocalidade(const Registro& r)
{
    TRegLocalidade l;
    l.Nome = r.Texto(0, kTamNome, "Nome");
    l.Latitude = r.Coordenada(kPosLatLocalidade, "Latitude");
    l.Longitude = r.Coordenada(kPosLonLocalidade, "Longitude");
    return l;
}

// ---- writing ----

// Builds the bytes of a file; every record is checked before it is laid down.
class EscritorBD {
public:
    EscritorBD() { bytes_.push_back(static_cast<char>(kCabecalho)); }

    void Contagem(std::size_t n, int estado)
    {
        if (n > std::numeric_limits<std::uint16_t>::max())
            throw Exception("O estado " + std::string(kEstados[static_cast<std::size_t>(estado)].Nome) +
                            " tem mais registros do que o arquivo comporta (" + std::to_string(n) + ").");
        bytes_.push_back(static_cast<char>(n & 0xFF));
        bytes_.push_back(static_cast<char>(n >> 8));
    }

    void Texto(std::string_view utf8, std::size_t tamanho)
    {
        const std::string cp = Utf8ToCp1252(AjustarAoCampo(utf8, tamanho));
        bytes_.push_back(static_cast<char>(cp.size()));
        bytes_ += cp;
        bytes_.append(tamanho - cp.size(), '\0');
    }

    void Coordenada(const std::string& texto, const std::string& registro)
    {
        if (!CoordenadaValida(texto))
            throw Exception("Coordenada inválida (\"" + texto + "\") em " + registro + ".");
        Texto(texto, kTamCoordenadaCampo);
    }

    void Real(double v, const std::string& registro)
    {
        if (!std::isfinite(v) || v < 0)
            throw Exception("Parâmetro que não é um número finito e não negativo em " + registro + ".");
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            bytes_.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    }

    void Salvar(const fs::path& arquivo) const
    {
        // Written beside the target and renamed over it once complete.
        const fs::path temporario = arquivo.string() + ".tmp";
        {
            std::ofstream out(temporario, std::ios::binary | std::ios::trunc);
            out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
            out.close();
            if (!out) {
                std::error_code ec;
                fs::remove(temporario, ec);
                throw EInOutError("Não foi possível gravar o arquivo " + NomeArquivo(arquivo) + ".");
            }
        }
        std::error_code ec;
        fs::rename(temporario, arquivo, ec);
        if (ec) {
            fs::remove(temporario, ec);
            throw EInOutError("Não foi possível gravar o arquivo " + NomeArquivo(arquivo) + ".");
        }
    }

private:
    std::string bytes_;
};

std::string DescricaoRegistro(const std::string& nome, int estado)
{
    return "\"" + nome + "\" (" + kEstados[static_cast<std::size_t>(estado)].UF + ")";
}

// Fits the names, then puts the records of a block in name order.
template <typename Reg>
void OrdenarBloco(std::vector<Reg>& registros)
{
    for (Reg& r : registros)
        r.Nome = AjustarAoCampo(r.Nome, kTamNome);
    std::stable_sort(registros.begin(), registros.end(),
                     [](const Reg& a, const Reg& b) { return NomeAntes(a.Nome, b.Nome); });
}

// The companion file of the station file: one line per record, in file
// order, "UF<TAB>name<TAB>source description". An absent file leaves the
// descriptions empty (a database built before it existed); one that does
// not match the records is a fault of the installation.
void LerOrigens(const fs::path& arquivo, std::array<std::vector<TRegEstacao>, kNumEstados>& estacoes)
{
    std::error_code ec;
    if (!fs::is_regular_file(arquivo, ec))
        return;
    std::ifstream in(arquivo, std::ios::binary);
    const auto falha = [&](std::size_t linha, const std::string& d) {
        return EBDPrecipitacao("O arquivo " + NomeArquivo(arquivo) + " não confere com o das estações (linha " +
                               std::to_string(linha) + "): " + d + ".");
    };
    std::string linha;
    std::size_t n = 0;
    for (int estado = 0; estado < kNumEstados; ++estado)
        for (TRegEstacao& e : estacoes[static_cast<std::size_t>(estado)]) {
            ++n;
            if (!std::getline(in, linha))
                throw falha(n, "o arquivo termina antes");
            if (!linha.empty() && linha.back() == '\r')
                linha.pop_back();
            const std::string texto = Cp1252ToUtf8(linha);
            const std::size_t t1 = texto.find('\t');
            const std::size_t t2 = t1 == std::string::npos ? t1 : texto.find('\t', t1 + 1);
            if (t2 == std::string::npos)
                throw falha(n, "a linha não tem três campos");
            if (texto.substr(0, t1) != kEstados[static_cast<std::size_t>(estado)].UF ||
                texto.substr(t1 + 1, t2 - t1 - 1) != e.Nome)
                throw falha(n, "esperava " + DescricaoRegistro(e.Nome, estado));
            e.Origem = texto.substr(t2 + 1);
        }
}

void GravarOrigens(const fs::path& arquivo, const std::array<std::vector<TRegEstacao>, kNumEstados>& estacoes)
{
    std::string texto;
    for (int estado = 0; estado < kNumEstados; ++estado)
        for (const TRegEstacao& e : estacoes[static_cast<std::size_t>(estado)])
            texto += Utf8ToCp1252(std::string(kEstados[static_cast<std::size_t>(estado)].UF) + "\t" + e.Nome + "\t" +
                                  e.Origem) + "\r\n";
    std::ofstream out(arquivo, std::ios::binary | std::ios::trunc);
    out.write(texto.data(), static_cast<std::streamsize>(texto.size()));
    out.close();
    if (!out)
        throw EInOutError("Não foi possível gravar o arquivo " + NomeArquivo(arquivo) + ".");
}

bool Separador(char c) { return c == ' ' || c == '-' || c == '(' || c == ',' || c == ';' || c == '/'; }

} // namespace

EArquivoNaoExiste::EArquivoNaoExiste(const fs::path& arquivo)
    : Exception("O arquivo " + NomeArquivo(arquivo) + " não existe.") {}

void VerificarBancoDeDados(const fs::path& pasta)
{
    std::error_code ec;
    if (!fs::is_directory(pasta, ec))
        throw Exception("Erro. Não foi possível localizar a pasta contendo o banco de dados.");
    if (!fs::is_regular_file(ResolverSemCaixa(pasta, kArquivoEstacoes), ec))
        throw Exception("Erro. Não foi possível localizar o banco de dados contendo os estados.");
    if (!fs::is_regular_file(ResolverSemCaixa(pasta, kArquivoLocalidades), ec))
        throw Exception("Erro. Não foi possível localizar o banco de dados contendo as localidades.");
}

TBDPrecipitacao::TBDPrecipitacao(fs::path pasta) : pasta_(std::move(pasta)) {}

TBDPrecipitacao::TBDPrecipitacao() : pasta_(PastaArquivosComuns()) {}

fs::path TBDPrecipitacao::ArquivoEstacoes() const { return ResolverSemCaixa(pasta_, kArquivoEstacoes); }

fs::path TBDPrecipitacao::ArquivoLocalidades() const { return ResolverSemCaixa(pasta_, kArquivoLocalidades); }

void TBDPrecipitacao::CarregarEstacoes()
{
    LeitorBD leitor(ArquivoEstacoes());
    std::array<std::vector<TRegEstacao>, kNumEstados> lidas;
    for (int estado = 0; estado < kNumEstados; ++estado) {
        const std::size_t n = leitor.Contagem(estado, kTamRegEstacao);
        const std::string bloco = leitor.Ler(n * kTamRegEstacao);
        auto& lista = lidas[static_cast<std::size_t>(estado)];
        lista.reserve(n);
        for (std::size_t i = 0; i < n; ++i)
            lista.push_back(LerEstacao(Registro(leitor, bloco.data() + i * kTamRegEstacao, estado, i)));
    }
    LerOrigens(ResolverSemCaixa(pasta_, kArquivoOrigens), lidas);
    Estacoes = std::move(lidas);
}

void TBDPrecipitacao::CarregarLocalidades(int indiceEstado)
{
    TEstado estado;
    estado.SetIndice(indiceEstado);
    Localidades.clear();
    LeitorBD leitor(ArquivoLocalidades());
    for (int anterior = 0; anterior < indiceEstado; ++anterior)
        leitor.Pular(leitor.Contagem(anterior, kTamRegLocalidade) * kTamRegLocalidade);
    const std::size_t n = leitor.Contagem(indiceEstado, kTamRegLocalidade);
    const std::string bloco = leitor.Ler(n * kTamRegLocalidade);
    std::vector<TRegLocalidade> lidas;
    lidas.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        lidas.push_back(LerLocalidade(Registro(leitor, bloco.data() + i * kTamRegLocalidade, indiceEstado, i)));
    Localidades = std::move(lidas);
}

std::string AjustarAoCampo(std::string_view utf8, std::size_t tamanho)
{
    const std::string cp = Utf8ToCp1252(utf8);
    if (cp.size() <= tamanho)
        return std::string(utf8);
    // Whole words only: cut at the last blank that leaves at most `tamanho`
    // characters, then drop the separators left at the end.
    std::size_t corte = cp.rfind(' ', tamanho);
    if (corte == std::string::npos || corte == 0)
        corte = tamanho;
    while (corte > 0 && Separador(cp[corte - 1]))
        --corte;
    if (corte == 0)
        corte = tamanho;
    return Cp1252ToUtf8(cp.substr(0, corte));
}

void GravarArquivoEstacoes(const fs::path& arquivo, std::array<std::vector<TRegEstacao>, kNumEstados> estacoes)
{
    EscritorBD escritor;
    for (int estado = 0; estado < kNumEstados; ++estado) {
        auto& bloco = estacoes[static_cast<std::size_t>(estado)];
        OrdenarBloco(bloco);
        escritor.Contagem(bloco.size(), estado);
        for (const TRegEstacao& e : bloco) {
            const std::string registro = DescricaoRegistro(e.Nome, estado);
            escritor.Texto(e.Nome, kTamNome);
            for (double v : {e.K, e.A, e.B, e.C})
                escritor.Real(v, registro);
            escritor.Texto(e.Fonte, kTamFonte);
            escritor.Coordenada(e.Latitude, registro);
            escritor.Coordenada(e.Longitude, registro);
        }
    }
    escritor.Salvar(arquivo);
    bool comOrigens = false;
    for (const auto& bloco : estacoes)
        for (const TRegEstacao& e : bloco)
            comOrigens = comOrigens || !e.Origem.empty();
    if (comOrigens)
        GravarOrigens(arquivo.parent_path() / kArquivoOrigens, estacoes);
}

void GravarArquivoLocalidades(const fs::path& arquivo,
                              std::array<std::vector<TRegLocalidade>, kNumEstados> localidades)
{
    EscritorBD escritor;
    for (int estado = 0; estado < kNumEstados; ++estado) {
        auto& bloco = localidades[static_cast<std::size_t>(estado)];
        OrdenarBloco(bloco);
        escritor.Contagem(bloco.size(), estado);
        for (const TRegLocalidade& l : bloco) {
            const std::string registro = DescricaoRegistro(l.Nome, estado);
            escritor.Texto(l.Nome, kTamNome);
            escritor.Coordenada(l.Latitude, registro);
            escritor.Coordenada(l.Longitude, registro);
        }
    }
    escritor.Salvar(arquivo);
}

} // namespace vastrel
