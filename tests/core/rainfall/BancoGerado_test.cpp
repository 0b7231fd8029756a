// The database files the build generates into the shared data folder beside
// the program (here, beside the test program), read back byte by byte.

#include "rainfall/BDPrecipitacao.h"

#include "common/Cp1252.h"
#include "common/Pastas.h"
#include "rainfall/Colacao.h"
#include "rainfall/Fontes.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>

using namespace vastrel;

namespace {

// Records per state, in table order, as the source tables give them.
constexpr std::array<unsigned, kNumEstados> kEstacoesPorEstado = {
    0, 2, 0, 3, 23, 5, 0, 17, 3, 3, 15, 3, 187, 6, 2, 36, 16, 5, 64, 1, 24, 2, 1, 10, 119, 0, 8};
constexpr std::array<unsigned, kNumEstados> kLocalidadesPorEstado = {
    22, 102, 16, 62, 417, 184, 1, 78, 246, 217, 142, 79, 853, 144, 223, 399, 185, 224, 92, 167, 497, 52, 15, 295, 645, 75, 139};

struct Registro {
    std::string nome;
    std::map<std::string, double> numeros;
    std::map<std::string, std::string> textos;
};

// Walks a database file field by field without the reader, checking every
// field against the layout, and returns the records of each state.
class Percurso {
public:
    explicit Percurso(const std::filesystem::path& arquivo) : b_(test::ReadBytes(arquivo))
    {
        EXPECT_FALSE(b_.empty()) << arquivo << " não existe: é gerado pela compilação (alvo vastrel_bd_precipitacao)";
    }

    // `campos`: (name, offset, kind) with kind 'n' name, 'f' source label,
    // 'c' coordinate, 'd' double.
    std::array<std::vector<Registro>, kNumEstados> Ler(std::size_t tamRegistro,
                                                      const std::vector<std::tuple<const char*, std::size_t, char>>& campos)
    {
        std::array<std::vector<Registro>, kNumEstados> estados;
        std::size_t pos = 1; // after the header byte
        for (auto& lista : estados) {
            if (pos + 2 > b_.size()) {
                ADD_FAILURE() << "arquivo curto";
                return estados;
            }
            const unsigned n = Byte(pos) | Byte(pos + 1) << 8;
            pos += 2;
            for (unsigned i = 0; i < n && pos + tamRegistro <= b_.size(); ++i, pos += tamRegistro)
                lista.push_back(Campos(pos, campos));
            EXPECT_EQ(lista.size(), n);
        }
        EXPECT_EQ(pos, b_.size()) << "bytes além do último bloco";
        return estados;
    }

private:
    unsigned Byte(std::size_t p) const { return static_cast<unsigned char>(b_[p]); }

    std::string Texto(std::size_t p, std::size_t tamanho) const
    {
        const std::size_t n = Byte(p);
        EXPECT_LE(n, tamanho) << "campo em " << p;
        return b_.substr(p + 1, std::min(n, tamanho));
    }

    Registro Campos(std::size_t base, const std::vector<std::tuple<const char*, std::size_t, char>>& campos) const
    {
        Registro r;
        for (const auto& [nome, pos, tipo] : campos) {
            const std::size_t p = base + pos;
            if (tipo == 'd') {
                std::uint64_t bits = 0;
                for (std::size_t i = 0; i < 8; ++i)
                    bits |= static_cast<std::uint64_t>(Byte(p + i)) << (8 * i);
                const double v = std::bit_cast<double>(bits);
                EXPECT_TRUE(std::isfinite(v) && v >= 0) << nome << " em " << p;
                r.numeros[nome] = v;
            } else if (tipo == 'c') {
                // Two digits (or a minus sign and a digit), 0xB0, two digits, ', two digits, ".
                const std::string t = Texto(p, 9);
                const bool forma = t.size() == 9 && (std::isdigit(static_cast<unsigned char>(t[0])) || t[0] == '-') &&
                                   std::isdigit(static_cast<unsigned char>(t[1])) && t[2] == '\xB0' &&
                                   std::isdigit(static_cast<unsigned char>(t[3])) &&
                                   std::isdigit(static_cast<unsigned char>(t[4])) && t[5] == '\'' &&
                                   std::isdigit(static_cast<unsigned char>(t[6])) &&
                                   std::isdigit(static_cast<unsigned char>(t[7])) && t[8] == '"';
                EXPECT_TRUE(forma) << nome << " \"" << t << "\" em " << p;
                r.textos[nome] = Cp1252ToUtf8(t);
            } else {
                const std::string t = Cp1252ToUtf8(Texto(p, tipo == 'n' ? kTamNome : kTamFonte));
                EXPECT_FALSE(t.empty()) << nome << " em " << p;
                if (tipo == 'n')
                    r.nome = t;
                else
                    r.textos[nome] = t;
            }
        }
        return r;
    }

    std::string b_;
};

void ConferirOrdem(const std::array<std::vector<Registro>, kNumEstados>& estados)
{
    for (std::size_t e = 0; e < estados.size(); ++e)
        for (std::size_t i = 1; i < estados[e].size(); ++i)
            EXPECT_FALSE(NomeAntes(estados[e][i].nome, estados[e][i - 1].nome))
                << kEstados[e].UF << ": " << estados[e][i - 1].nome << " / " << estados[e][i].nome;
}

const Registro* Procurar(const std::vector<Registro>& lista, const std::string& nome)
{
    for (const Registro& r : lista)
        if (r.nome == nome)
            return &r;
    return nullptr;
}

TEST(BancoGeradoTest, StationFile)
{
    Percurso arquivo(PastaArquivosComuns() / kArquivoEstacoes);
    const auto estados = arquivo.Ler(kTamRegEstacao, {{"Nome", 0, 'n'},
                                                      {"K", 69, 'd'},
                                                      {"A", 77, 'd'},
                                                      {"B", 85, 'd'},
                                                      {"C", 93, 'd'},
                                                      {"Fonte", 101, 'f'},
                                                      {"Latitude", 132, 'c'},
                                                      {"Longitude", 142, 'c'}});
    for (std::size_t e = 0; e < estados.size(); ++e)
        EXPECT_EQ(estados[e].size(), kEstacoesPorEstado[e]) << kEstados[e].UF;
    ConferirOrdem(estados);

    // Every label carried by a station has its citation, and every citation
    // is of a label that occurs.
    std::set<std::string> rotulos;
    for (const auto& lista : estados)
        for (const Registro& r : lista)
            rotulos.insert(r.textos.at("Fonte"));
    for (const std::string& rotulo : rotulos)
        EXPECT_NE(CitacaoDaFonte(rotulo), nullptr) << rotulo;
    for (const TCitacaoFonte& c : CitacoesFontes()) {
        // Every label but the grid's, which no station carries.
        EXPECT_EQ(rotulos.count(c.Rotulo), c.Rotulo == kFonteGrade ? 0u : 1u) << c.Rotulo;
        EXPECT_LE(Utf8ToCp1252(c.Rotulo).size(), kTamFonte) << c.Rotulo;
        EXPECT_FALSE(c.Autores.empty() || c.Titulo.empty() || c.Publicacao.empty()) << c.Rotulo;
    }

    // A DAEE-SP equation as published, its seconds of longitude (00.59)
    // rounded; a station north of the Equator.
    const Registro* paretai = Procurar(estados[24], "Paretaí");
    ASSERT_NE(paretai, nullptr);
    EXPECT_EQ(paretai->numeros.at("K"), 2315.7116);
    EXPECT_EQ(paretai->numeros.at("A"), 0.1751);
    EXPECT_EQ(paretai->numeros.at("B"), 26.0);
    EXPECT_EQ(paretai->numeros.at("C"), 0.9736);
    EXPECT_EQ(paretai->textos.at("Fonte"), "DAEE-SP, estudo de 2013");
    EXPECT_EQ(paretai->textos.at("Latitude"), "23°18'53\"");
    EXPECT_EQ(paretai->textos.at("Longitude"), "46°07'01\"");
    ASSERT_EQ(estados[22].size(), 1u);
    EXPECT_EQ(estados[22][0].nome, "Caracaraí");
    EXPECT_EQ(estados[22][0].textos.at("Latitude"), "-1°49'17\"");
    EXPECT_EQ(estados[22][0].textos.at("Fonte"), "GRIDF-BR 2025 - ANA");

    // The reader agrees, and interpolating at a station's own coordinates
    // gives that station.
    TBDPrecipitacao bd;
    bd.CarregarEstacoes();
    for (std::size_t e = 0; e < estados.size(); ++e)
        ASSERT_EQ(bd.Estacoes[e].size(), kEstacoesPorEstado[e]);
    for (int e : kEstadosInterpolacao) {
        const TRegEstacao& primeira = bd.Estacoes[static_cast<std::size_t>(e)].front();
        const TRegEstacao r = bd.Interpolar(primeira.Latitude, primeira.Longitude);
        EXPECT_EQ(r.Nome, primeira.Nome);
        EXPECT_EQ(r.K, primeira.K);
        EXPECT_EQ(r.Fonte, primeira.Fonte);
    }
}

TEST(BancoGeradoTest, LocalityFile)
{
    Percurso arquivo(PastaArquivosComuns() / kArquivoLocalidades);
    const auto estados =
        arquivo.Ler(kTamRegLocalidade, {{"Nome", 0, 'n'}, {"Latitude", 69, 'c'}, {"Longitude", 79, 'c'}});
    for (std::size_t e = 0; e < estados.size(); ++e)
        EXPECT_EQ(estados[e].size(), kLocalidadesPorEstado[e]) << kEstados[e].UF;
    ConferirOrdem(estados);

    ASSERT_EQ(estados[6].size(), 1u);
    EXPECT_EQ(estados[6][0].nome, "Brasília");
    EXPECT_EQ(estados[6][0].textos.at("Latitude"), "15°46'46\"");
    EXPECT_EQ(estados[6][0].textos.at("Longitude"), "47°55'47\"");
    const Registro* oiapoque = Procurar(estados[2], "Oiapoque");
    ASSERT_NE(oiapoque, nullptr);
    EXPECT_EQ(oiapoque->textos.at("Latitude"), "-3°50'27\"");

    TBDPrecipitacao bd;
    bd.CarregarLocalidades(12);
    ASSERT_EQ(bd.Localidades.size(), 853u);
    EXPECT_EQ(bd.Localidades.front().Nome, estados[12].front().nome);
    EXPECT_EQ(bd.Localidades.back().Nome, estados[12].back().nome);
}

} // namespace
