#include "gis/BDT.h"

#include "gis/Bytes.h"

#include <bit>
#include <vector>

namespace vastrel {

namespace {

void EscreveDouble(std::uint8_t* p, double v)
{
    const auto u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

double LeDouble(const std::uint8_t* p)
{
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i)
        u |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return std::bit_cast<double>(u);
}

} // namespace

void TBDT::Salvar(const std::filesystem::path& caminho)
{
    Versao = 1;
    std::vector<std::uint8_t> b(kTamanhoCabecalhoBDT + kTamanhoRegistroBDT * itens_.size());
    b[0] = Versao;
    gis::bytes::EscreveInt32(&b[1], Quantidade());
    std::uint8_t* p = &b[kTamanhoCabecalhoBDT];
    for (const TRegTerr& r : itens_) {
        gis::bytes::EscreveInt32(p, r.Numero);
        EscreveDouble(p + 4, r.Cota);
        EscreveDouble(p + 12, r.DeclividadeMedia);
        EscreveDouble(p + 20, r.Comprimento);
        EscreveDouble(p + 28, r.AreaInfluencia);
        EscreveDouble(p + 36, r.EV);
        EscreveDouble(p + 44, r.Altura);
        p += kTamanhoRegistroBDT;
    }
    gis::bytes::GravarArquivo(caminho, b.data(), b.size());
}

bool TBDT::Carregar(const std::filesystem::path& caminho)
{
    const std::vector<std::uint8_t> b = gis::bytes::LerArquivo(caminho);
    if (b.empty())
        return false;
    if (b[0] != 1)
        return false;
    Versao = b[0];
    if (b.size() < kTamanhoCabecalhoBDT)
        return false;
    const std::int32_t n = gis::bytes::LeInt32(&b[1]);
    if (n < 0)
        return false;
    std::size_t pos = kTamanhoCabecalhoBDT;
    for (std::int32_t i = 0; i < n; ++i) {
        if (b.size() - pos < kTamanhoRegistroBDT)
            return false;
        const std::uint8_t* p = &b[pos];
        TRegTerr r;
        r.Numero = gis::bytes::LeInt32(p);
        r.Cota = LeDouble(p + 4);
        r.DeclividadeMedia = LeDouble(p + 12);
        r.Comprimento = LeDouble(p + 20);
        r.AreaInfluencia = LeDouble(p + 28);
        r.EV = LeDouble(p + 36);
        r.Altura = LeDouble(p + 44);
        Adicionar(r);
        pos += kTamanhoRegistroBDT;
    }
    return true;
}

} // namespace vastrel
