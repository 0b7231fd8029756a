// The storms the program gives over Brazil, from the database and grid the
// build lays in the shared data folder, checked against the published
// station equations themselves.

#include "rainfall/BDPrecipitacao.h"

#include "common/Pastas.h"
#include "rainfall/Coordenadas.h"
#include "rainfall/EquacaoIdf.h"
#include "rainfall/Fontes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace vastrel;

namespace {

class ChuvaBrasilTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        bd_ = new TBDPrecipitacao(PastaArquivosComuns());
        bd_->CarregarEstacoes();
        bd_->CarregarGrade();
    }
    static void TearDownTestSuite()
    {
        delete bd_;
        bd_ = nullptr;
    }
    static TBDPrecipitacao* bd_;
};

TBDPrecipitacao* ChuvaBrasilTest::bd_ = nullptr;

const TRegEstacao* Procurar(const TBDPrecipitacao& bd, int estado, const std::string& nome)
{
    for (const TRegEstacao& e : bd.Estacoes[static_cast<std::size_t>(estado)])
        if (e.Nome == nome)
            return &e;
    return nullptr;
}

TEST_F(ChuvaBrasilTest, InterpolatedStormsStayWithinTheStationsThatCarryTheWeight)
{
    // Every fifth municipal seat of the eight interpolation states (about
    // 520 seats), at 10, 60 and 120 minutes for 10 years.
    int casos = 0, fora = 0;
    double piorErro = 0;
    for (int estado : kEstadosInterpolacao) {
        TBDPrecipitacao locais(PastaArquivosComuns());
        locais.CarregarLocalidades(estado);
        for (std::size_t i = 0; i < locais.Localidades.size(); i += 5) {
            const TRegLocalidade& l = locais.Localidades[i];
            const TChuvaLocal r = bd_->InterpolarChuva(l.Latitude, l.Longitude);
            if (r.Origem != TOrigemChuva::Interpolacao)
                continue;
            ASSERT_FALSE(r.Estacoes.empty()) << l.Nome;
            piorErro = std::max(piorErro, r.ErroAjuste);
            for (double t : {10.0, 60.0, 120.0}) {
                double min = INFINITY, max = 0;
                for (const TEstacaoUsada& u : r.Estacoes) {
                    const double v = IntensidadeIdf(bd_->EstacaoUsada(u), 10, t);
                    min = std::min(min, v);
                    max = std::max(max, v);
                }
                const double v = IntensidadeIdf(r.Registro, 10, t);
                // The stations off the list weigh under 0.5 % each; the
                // fitted curve strays from the mean by its reported error.
                const double folga = r.ErroAjuste + r.PesoOutras;
                ++casos;
                if (v < min * (1 - folga) || v > max * (1 + folga)) {
                    ++fora;
                    ADD_FAILURE() << l.Nome << " (" << kEstados[static_cast<std::size_t>(estado)].UF << ") t = " << t
                                  << ": " << v << " fora de " << min << "–" << max;
                }
            }
        }
    }
    EXPECT_GT(casos, 1000);
    EXPECT_EQ(fora, 0);
    EXPECT_LT(piorErro, 0.15);
}

TEST_F(ChuvaBrasilTest, SantoAntonioDoGramaGetsAStormLikeItsNeighbours)
{
    // Formerly 111 mm/h where the five nearest stations give 56–74 mm/h.
    const TChuvaLocal r = bd_->InterpolarChuva(GrausParaCoordenadaArredondada(20.3185),
                                                GrausParaCoordenadaArredondada(42.6047));
    const double v = IntensidadeIdf(r.Registro, 10, 60);
    EXPECT_GE(v, 56 * (1 - r.ErroAjuste));
    EXPECT_LE(v, 74 * (1 + r.ErroAjuste));
}

TEST_F(ChuvaBrasilTest, APointOnAStationReturnsThatStation)
{
    for (int estado : {12, 24, 20, 16}) {
        const auto& lista = bd_->Estacoes[static_cast<std::size_t>(estado)];
        for (std::size_t i = 0; i < lista.size(); i += 7) {
            // Two equations published for one gauge share its place: the
            // first of them in the list answers for it.
            const TRegEstacao& e = *std::find_if(lista.begin(), lista.end(), [&](const TRegEstacao& x) {
                return x.Latitude == lista[i].Latitude && x.Longitude == lista[i].Longitude;
            });
            const TChuvaLocal r = bd_->ChuvaNoPonto(e.Latitude, e.Longitude, estado);
            EXPECT_EQ(r.Origem, TOrigemChuva::Estacao) << e.Nome;
            EXPECT_EQ(r.Registro.K, e.K) << e.Nome;
            EXPECT_EQ(r.Registro.C, e.C) << e.Nome;
        }
    }
}

TEST_F(ChuvaBrasilTest, TheTwoImplausibleEquationsCarryTheirWarning)
{
    const TRegEstacao* bocaina = Procurar(*bd_, 23, "Bocaina do Sul");
    const TRegEstacao* serra = Procurar(*bd_, 16, "Serra Talhada");
    ASSERT_TRUE(bocaina && serra);
    EXPECT_NE(AvisoEquacao(*bocaina), "");
    EXPECT_NE(AvisoEquacao(*serra), "");
    // Only those two in the whole database.
    int comAviso = 0;
    for (const auto& lista : bd_->Estacoes)
        for (const TRegEstacao& e : lista)
            comAviso += AvisoEquacao(e).empty() ? 0 : 1;
    EXPECT_EQ(comAviso, 2);
    // At Bocaina do Sul itself the station is given with the warning.
    const TChuvaLocal r = bd_->ChuvaNoPonto(bocaina->Latitude, bocaina->Longitude, 23);
    EXPECT_NE(r.Aviso, "");
}

TEST_F(ChuvaBrasilTest, EveryStateCapitalGetsAPlausibleStormWithANamedSource)
{
    TBDPrecipitacao locais(PastaArquivosComuns());
    int capitais = 0;
    for (int estado = 0; estado < kNumEstados; ++estado) {
        locais.CarregarLocalidades(estado);
        // The capitals, by the source table's flag, are not in the binary
        // file: name them here.
        static const char* const kCapitais[kNumEstados] = {
            "Rio Branco", "Maceió", "Macapá", "Manaus", "Salvador", "Fortaleza", "Brasília", "Vitória", "Goiânia",
            "São Luís", "Cuiabá", "Campo Grande", "Belo Horizonte", "Belém", "João Pessoa", "Curitiba", "Recife",
            "Teresina", "Rio de Janeiro", "Natal", "Porto Alegre", "Porto Velho", "Boa Vista", "Florianópolis",
            "São Paulo", "Aracaju", "Palmas"};
        const auto l = std::find_if(locais.Localidades.begin(), locais.Localidades.end(),
                                    [&](const TRegLocalidade& x) { return x.Nome == kCapitais[estado]; });
        ASSERT_NE(l, locais.Localidades.end()) << kCapitais[estado];
        const TChuvaLocal r = bd_->ChuvaNoPonto(l->Latitude, l->Longitude, estado);
        const double v = IntensidadeIdf(r.Registro, 10, 60);
        EXPECT_GE(v, 20) << l->Nome;
        EXPECT_LE(v, 200) << l->Nome;
        EXPECT_EQ(r.Aviso, "") << l->Nome;
        EXPECT_TRUE(r.Registro.Fonte == kFonteInterpolacao || CitacaoDaFonte(r.Registro.Fonte))
            << l->Nome << ": " << r.Registro.Fonte;
        EXPECT_FALSE(bd_->FonteCompleta(r).empty());
        // Stations of the point's own state only, outside the interpolation.
        if (std::find(kEstadosInterpolacao.begin(), kEstadosInterpolacao.end(), estado) == kEstadosInterpolacao.end()) {
            for (const TEstacaoUsada& u : r.Estacoes) {
                EXPECT_EQ(u.Estado, estado) << l->Nome;
            }
        }
        ++capitais;
    }
    EXPECT_EQ(capitais, kNumEstados);
}

TEST_F(ChuvaBrasilTest, ThePointsStateIsTheNearestSeats)
{
    EXPECT_EQ(bd_->EstadoDoPonto(30.0318, 51.2065), 20);   // Porto Alegre
    EXPECT_EQ(bd_->EstadoDoPonto(20.3155, 40.3128), 7);    // Vitória
    EXPECT_EQ(bd_->EstadoDoPonto(15.7939, 47.8828), 6);    // Brasília
}

TEST_F(ChuvaBrasilTest, SourcesAreTraceableAndDuplicateNamesToldApart)
{
    for (const auto& lista : bd_->Estacoes)
        for (const TRegEstacao& e : lista)
            EXPECT_FALSE(e.Origem.empty()) << e.Nome;
    const auto& pr = bd_->Estacoes[15];
    const std::vector<std::string> nomes = NomesDistintos(pr);
    int curitibas = 0;
    for (std::size_t i = 0; i < pr.size(); ++i)
        if (pr[i].Nome == "Curitiba") {
            ++curitibas;
            EXPECT_NE(nomes[i], "Curitiba");
        }
    EXPECT_GE(curitibas, 2);
    std::vector<std::string> ordenados = nomes;
    std::sort(ordenados.begin(), ordenados.end());
    EXPECT_EQ(std::adjacent_find(ordenados.begin(), ordenados.end()), ordenados.end());
    const TRegEstacao* ta = Procurar(*bd_, 16, "Serra Talhada");
    ASSERT_TRUE(ta);
    EXPECT_EQ(TextoOrigem(ta->Fonte, ta->Origem),
              "Compilação GRIDF-BR (Gomes Jr. et al. 2025); ANA 738030; 11 anos de registro");
}

} // namespace
