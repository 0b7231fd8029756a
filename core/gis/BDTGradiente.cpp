#include "gis/BDTGradiente.h"

#include "gis/Bytes.h"

#include <fstream>

namespace vastrel {

using gis::bytes::EscreveDouble;
using gis::bytes::EscreveInt32;
using gis::bytes::LeDouble;
using gis::bytes::LeInt32;

void TTabelaGradiente::Salvar(const std::filesystem::path& caminho) const
{
    std::vector<std::uint8_t> b(kTamanhoCabecalhoBDTGradiente + kTamanhoRegistroTerracoGradiente * Terracos.size() +
                                kTamanhoRegistroSaida * Saidas.size());
    b[0] = kVersaoBDTGradiente;
    EscreveInt32(&b[1], static_cast<std::int32_t>(Terracos.size()));
    EscreveInt32(&b[5], static_cast<std::int32_t>(Saidas.size()));
    std::uint8_t* p = &b[kTamanhoCabecalhoBDTGradiente];
    for (const TRegTerrGradiente& r : Terracos) {
        EscreveInt32(p, r.Numero);
        const double v[] = {r.CotaMontante, r.CotaSaida, r.Gradiente, r.Comprimento, r.AreaInfluencia,
                            r.DeclividadeMedia, r.EV, r.EH, r.Q, r.H, r.Hr};
        for (std::size_t k = 0; k < std::size(v); ++k)
            EscreveDouble(p + 4 + 8 * k, v[k]);
        EscreveInt32(p + 92, r.Saida);
        p[96] = static_cast<std::uint8_t>(r.Situacao);
        p += kTamanhoRegistroTerracoGradiente;
    }
    for (const TRegSaida& s : Saidas) {
        EscreveInt32(p, s.Numero);
        EscreveDouble(p + 4, s.X);
        EscreveDouble(p + 12, s.Y);
        EscreveDouble(p + 20, s.Cota);
        p[28] = s.Borda ? 1 : 0;
        EscreveDouble(p + 29, s.Q);
        EscreveDouble(p + 37, s.QCanal);
        p += kTamanhoRegistroSaida;
    }
    gis::bytes::GravarArquivo(caminho, b.data(), b.size());
}

bool TTabelaGradiente::Carregar(const std::filesystem::path& caminho)
{
    Terracos.clear();
    Saidas.clear();
    const std::vector<std::uint8_t> b = gis::bytes::LerArquivo(caminho);
    if (b.size() < kTamanhoCabecalhoBDTGradiente || b[0] != kVersaoBDTGradiente)
        return false;
    const std::int32_t n = LeInt32(&b[1]), m = LeInt32(&b[5]);
    if (n < 0 || m < 0 ||
        b.size() != kTamanhoCabecalhoBDTGradiente + kTamanhoRegistroTerracoGradiente * static_cast<std::size_t>(n) +
                        kTamanhoRegistroSaida * static_cast<std::size_t>(m))
        return false;
    const std::uint8_t* p = &b[kTamanhoCabecalhoBDTGradiente];
    for (std::int32_t i = 0; i < n; ++i) {
        TRegTerrGradiente r;
        r.Numero = LeInt32(p);
        double* v[] = {&r.CotaMontante, &r.CotaSaida, &r.Gradiente, &r.Comprimento, &r.AreaInfluencia,
                       &r.DeclividadeMedia, &r.EV, &r.EH, &r.Q, &r.H, &r.Hr};
        for (std::size_t k = 0; k < std::size(v); ++k)
            *v[k] = LeDouble(p + 4 + 8 * k);
        r.Saida = LeInt32(p + 92);
        if (p[96] > static_cast<std::uint8_t>(TSituacaoCanal::MaisLargo)) {
            Terracos.clear();
            return false;
        }
        r.Situacao = static_cast<TSituacaoCanal>(p[96]);
        Terracos.push_back(r);
        p += kTamanhoRegistroTerracoGradiente;
    }
    for (std::int32_t i = 0; i < m; ++i) {
        TRegSaida s;
        s.Numero = LeInt32(p);
        s.X = LeDouble(p + 4);
        s.Y = LeDouble(p + 12);
        s.Cota = LeDouble(p + 20);
        s.Borda = p[28] != 0;
        s.Q = LeDouble(p + 29);
        s.QCanal = LeDouble(p + 37);
        Saidas.push_back(s);
        p += kTamanhoRegistroSaida;
    }
    return true;
}

std::uint8_t TTabelaGradiente::VersaoDoArquivo(const std::filesystem::path& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    char c = 0;
    if (!f.get(c))
        return 0;
    return static_cast<std::uint8_t>(c);
}

} // namespace vastrel
