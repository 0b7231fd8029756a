#include "gis/BDT.h"

#include "gis/Bytes.h"

#include <vector>

namespace vastrel {

void TBDT::Salvar(const std::filesystem::path& caminho)
{
    Versao = 1;
    std::vector<std::uint8_t> b(kTamanhoCabecalhoBDT + kTamanhoRegistroBDT * itens_.size());
    b[0] = Versao;
    gis::bytes::EscreveInt32(&b[1], Quantidade());
    std::uint8_t* p = &b[kTamanhoCabecalhoBDT];
    for (const TRegTerr& r : itens_) {
        gis::bytes::EscreveInt32(p, r.Numero);
        gis::bytes::EscreveDouble(p + 4, r.Cota);
        gis::bytes::EscreveDouble(p + 12, r.DeclividadeMedia);
        gis::bytes::EscreveDouble(p + 20, r.Comprimento);
        gis::bytes::EscreveDouble(p + 28, r.AreaInfluencia);
        gis::bytes::EscreveDouble(p + 36, r.EV);
        gis::bytes::EscreveDouble(p + 44, r.Altura);
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
        r.Cota = gis::bytes::LeDouble(p + 4);
        r.DeclividadeMedia = gis::bytes::LeDouble(p + 12);
        r.Comprimento = gis::bytes::LeDouble(p + 20);
        r.AreaInfluencia = gis::bytes::LeDouble(p + 28);
        r.EV = gis::bytes::LeDouble(p + 36);
        r.Altura = gis::bytes::LeDouble(p + 44);
        Adicionar(r);
        pos += kTamanhoRegistroBDT;
    }
    return true;
}

} // namespace vastrel
