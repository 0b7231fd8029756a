#include "gis/Vetor.h"

#include "gis/Bytes.h"

#include <algorithm>
#include <system_error>

namespace vastrel::gis {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPosTitulo = 1;
constexpr std::size_t kPosUnidade = 256;
constexpr std::size_t kPosLimites = 511;

} // namespace

bool TVetor::CarregarVetor(const fs::path& caminho)
{
    std::error_code ec;
    if (caminho.empty() || !fs::is_regular_file(caminho, ec))
        return false;
    std::vector<std::uint8_t> dados = bytes::LerArquivo(caminho);
    const std::string nome = bytes::NomeArquivo(caminho);
    if (dados.size() < kTamanhoCabecalhoVetor)
        throw EArquivoGis("Arquivo vetor '" + nome + "' inválido: cabeçalho incompleto.");
    if (dados[0] != kVersaoVetor)
        throw EArquivoGis("Arquivo vetor '" + nome + "' inválido: versão " + std::to_string(dados[0]) +
                          " desconhecida.");
    if ((dados.size() - kTamanhoCabecalhoVetor) % kTamanhoRegistroVetor != 0)
        throw EArquivoGis("Arquivo vetor '" + nome + "' inválido: o último registro está incompleto.");
    Versao = dados[0];
    Titulo = bytes::LeTexto(&dados[kPosTitulo]);
    Unidade = bytes::LeTexto(&dados[kPosUnidade]);
    XMin = bytes::LeFloat(&dados[kPosLimites]);
    XMax = bytes::LeFloat(&dados[kPosLimites + 4]);
    YMin = bytes::LeFloat(&dados[kPosLimites + 8]);
    YMax = bytes::LeFloat(&dados[kPosLimites + 12]);
    buffer_ = std::move(dados);
    posicao_ = kTamanhoCabecalhoVetor;
    return true;
}

void TVetor::GarantirCabecalho()
{
    if (buffer_.size() < kTamanhoCabecalhoVetor)
        buffer_.resize(kTamanhoCabecalhoVetor, 0);
}

void TVetor::GravarVetor(const fs::path& caminho)
{
    if (caminho.empty())
        return;
    CalcularLimites();
    GarantirCabecalho();
    buffer_[0] = Versao;
    bytes::EscreveTexto(&buffer_[kPosTitulo], Titulo);
    bytes::EscreveTexto(&buffer_[kPosUnidade], Unidade);
    bytes::EscreveFloat(&buffer_[kPosLimites], XMin);
    bytes::EscreveFloat(&buffer_[kPosLimites + 4], XMax);
    bytes::EscreveFloat(&buffer_[kPosLimites + 8], YMin);
    bytes::EscreveFloat(&buffer_[kPosLimites + 12], YMax);
    bytes::GravarArquivo(caminho, buffer_.data(), buffer_.size());
}

void TVetor::CalcularLimites()
{
    XMin = kLimiteInicialVetor;
    YMin = kLimiteInicialVetor;
    const std::int64_t n = NumRegistros();
    for (std::int64_t k = 0; k < n; ++k) {
        const std::uint8_t* r = &buffer_[kTamanhoCabecalhoVetor + static_cast<std::size_t>(k) * kTamanhoRegistroVetor];
        const float x = bytes::LeFloat(r + 2);
        const float y = bytes::LeFloat(r + 6);
        if (x > XMax)
            XMax = x;
        if (x < XMin)
            XMin = x;
        if (y > YMax)
            YMax = y;
        if (y < YMin)
            YMin = y;
    }
}

void TVetor::IrParaInicio()
{
    GarantirCabecalho();
    posicao_ = kTamanhoCabecalhoVetor;
}

std::int64_t TVetor::NumRegistros() const
{
    if (buffer_.size() < kTamanhoCabecalhoVetor)
        return 0;
    return static_cast<std::int64_t>((buffer_.size() - kTamanhoCabecalhoVetor) / kTamanhoRegistroVetor);
}

std::int64_t TVetor::RegistroAtual() const
{
    if (posicao_ < kTamanhoCabecalhoVetor)
        return 0;
    return static_cast<std::int64_t>((posicao_ - kTamanhoCabecalhoVetor) / kTamanhoRegistroVetor);
}

void TVetor::IrParaRegistro(std::int64_t k)
{
    GarantirCabecalho();
    // Positions lie on record boundaries between the first record and the
    // end of the buffer.
    k = std::clamp<std::int64_t>(k, 0, NumRegistros());
    posicao_ = kTamanhoCabecalhoVetor + static_cast<std::size_t>(k) * kTamanhoRegistroVetor;
}

bool TVetor::FimDosRegistros() const { return posicao_ >= buffer_.size(); }

bool TVetor::LerRegistro(TRegistroVetor& registro)
{
    if (posicao_ < kTamanhoCabecalhoVetor || posicao_ + kTamanhoRegistroVetor > buffer_.size())
        return false;
    registro = LerProximo();
    return true;
}

TRegistroVetor TVetor::LerProximo()
{
    TRegistroVetor r;
    if (posicao_ < kTamanhoCabecalhoVetor || posicao_ + kTamanhoRegistroVetor > buffer_.size())
        return r;
    const std::uint8_t* p = &buffer_[posicao_];
    r.NumLinha = bytes::LeInt16(p);
    r.X = bytes::LeFloat(p + 2);
    r.Y = bytes::LeFloat(p + 6);
    r.Z = bytes::LeFloat(p + 10);
    posicao_ += kTamanhoRegistroVetor;
    return r;
}

void TVetor::GravarRegistro(const TRegistroVetor& registro)
{
    GarantirCabecalho();
    if (posicao_ < kTamanhoCabecalhoVetor)
        posicao_ = kTamanhoCabecalhoVetor;
    if (buffer_.size() < posicao_ + kTamanhoRegistroVetor)
        buffer_.resize(posicao_ + kTamanhoRegistroVetor, 0);
    std::uint8_t* p = &buffer_[posicao_];
    bytes::EscreveInt16(p, registro.NumLinha);
    bytes::EscreveFloat(p + 2, registro.X);
    bytes::EscreveFloat(p + 6, registro.Y);
    bytes::EscreveFloat(p + 10, registro.Z);
    posicao_ += kTamanhoRegistroVetor;
}

void TVetor::GravarRegistro(std::int16_t numLinha, float x, float y, float z)
{
    GravarRegistro(TRegistroVetor{numLinha, x, y, z});
}

} // namespace vastrel::gis
