#include "location/Lista.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <system_error>

namespace vastrel {

namespace fs = std::filesystem;

void TLinha::Inverter()
{
    std::reverse(itens_.begin(), itens_.end());
}

double TLinha::Comprimento() const
{
    double soma = 0;
    for (std::size_t i = 1; i < itens_.size(); ++i) {
        const double dx = static_cast<double>(itens_[i - 1].X) - itens_[i].X;
        const double dy = static_cast<double>(itens_[i - 1].Y) - itens_[i].Y;
        soma += std::sqrt(dx * dx + dy * dy);
    }
    return soma;
}

double TLinha::AreaOrientada() const
{
    double soma = 0;
    const std::size_t n = itens_.size();
    for (std::size_t i = 0; i < n; ++i) {
        const TPonto& a = itens_[i];
        const TPonto& b = itens_[(i + 1) % n];
        soma += static_cast<double>(a.X) * b.Y - static_cast<double>(b.X) * a.Y;
    }
    return soma;
}

bool TLinha::Contem(double x, double y) const
{
    bool dentro = false;
    const std::size_t n = itens_.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = itens_[i].X, yi = itens_[i].Y, xj = itens_[j].X, yj = itens_[j].Y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            dentro = !dentro;
    }
    return dentro;
}

// ---------------------------------------------------------------------------
// TVET

namespace {

bool UnidadeValida(const std::string& unidade)
{
    std::string u = unidade;
    for (char& ch : u)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return u == "M" || u == "KM";
}

std::int16_t NumeroRegistro(std::int32_t numero)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(numero) & 0xFFFFu));
}

} // namespace

TVET::TVET()
{
    // The header area exists from the start, so that records can be
    // appended at once; its content is written by GravarVetor.
    arquivo_.IrParaInicio();
}

void TVET::SetVersao(std::uint8_t b)
{
    if (b != 1)
        throw EVersaoVET();
    Versao = b;
}

void TVET::SetUnidade(const std::string& unidade)
{
    if (!UnidadeValida(unidade))
        throw EUnidDist();
    Unidade = unidade;
}

bool TVET::LerPonto(std::int16_t& numLinha, TPonto& ponto)
{
    gis::TRegistroVetor r;
    if (!arquivo_.LerRegistro(r))
        return false;
    numLinha = r.NumLinha;
    ponto = {r.X, r.Y, r.Z};
    return true;
}

std::optional<TLinha> TVET::ObterLinha(std::int32_t numero)
{
    const std::int16_t procurado = NumeroRegistro(numero);
    arquivo_.IrParaInicio();
    gis::TRegistroVetor r;
    while (arquivo_.LerRegistro(r)) {
        if (r.NumLinha != procurado)
            continue;
        TLinha linha;
        linha.Adicionar({r.X, r.Y, r.Z});
        while (arquivo_.LerRegistro(r)) {
            if (r.NumLinha != procurado) {
                arquivo_.IrParaRegistro(arquivo_.RegistroAtual() - 1);
                break;
            }
            linha.Adicionar({r.X, r.Y, r.Z});
        }
        return linha;
    }
    return std::nullopt;
}

void TVET::AdicionarLinha(const TLinha& linha)
{
    arquivo_.IrParaRegistro(arquivo_.NumRegistros());
    const std::int16_t numero = NumeroRegistro(linha.Numero);
    for (const TPonto& p : linha)
        arquivo_.GravarRegistro(numero, p.X, p.Y, p.Z);
}

void TVET::RecalcularLimites()
{
    XMin = XMax = YMin = YMax = 0;
    arquivo_.IrParaInicio();
    gis::TRegistroVetor r;
    if (!arquivo_.LerRegistro(r))
        return;
    XMin = XMax = r.X;
    YMin = YMax = r.Y;
    while (arquivo_.LerRegistro(r)) {
        XMax = std::max(XMax, r.X);
        XMin = std::min(XMin, r.X);
        YMax = std::max(YMax, r.Y);
        YMin = std::min(YMin, r.Y);
    }
}

double TVET::ComprimentoLinha(std::int32_t numero)
{
    const std::optional<TLinha> linha = ObterLinha(numero);
    return linha ? linha->Comprimento() : 0.0;
}

bool TVET::CarregarVetor(const fs::path& caminho)
{
    try {
        gis::TVetor lido;
        if (!lido.CarregarVetor(caminho))
            return false;
        if (lido.Versao != 1 || !UnidadeValida(lido.Unidade))
            return false;
        Versao = lido.Versao;
        Titulo = lido.Titulo;
        Unidade = lido.Unidade;
        XMin = lido.XMin;
        XMax = lido.XMax;
        YMin = lido.YMin;
        YMax = lido.YMax;
        arquivo_ = std::move(lido);
        arquivo_.IrParaInicio();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TVET::GravarVetor(const fs::path& caminho)
{
    if (caminho.empty())
        return false;
    try {
        RecalcularLimites();
        arquivo_.Versao = Versao;
        arquivo_.Titulo = Titulo;
        arquivo_.Unidade = Unidade;
        // The file object widens the bounds from its maxima and from a
        // minimum of its own; seeded with the bounds of the records it
        // writes them unchanged whenever there are records.
        arquivo_.XMin = XMin;
        arquivo_.XMax = XMax;
        arquivo_.YMin = YMin;
        arquivo_.YMax = YMax;
        arquivo_.GravarVetor(caminho);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace vastrel
