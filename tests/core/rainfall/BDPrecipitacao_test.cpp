#include "rainfall/BDPrecipitacao.h"

#include "common/Exceptions.h"
#include "rainfall/Coordenadas.h"
#include "rainfall/EquacaoIdf.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

using namespace vastrel;
using vastrel::test::ReadBytes;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;

namespace {

constexpr std::size_t BA = 4, MG = 12, RS = 20, SP = 24, TO = 26;

TRegEstacao Estacao(const std::string& nome, const std::string& lat, const std::string& lon, double K,
                    double a = 0.15, double b = 20, double c = 0.9, const std::string& fonte = "Fonte")
{
    return TRegEstacao{nome, K, a, b, c, fonte, lat, lon, ""};
}

double Real(const std::string& bytes, std::size_t pos)
{
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i)
        bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[pos + i])) << (8 * i);
    return std::bit_cast<double>(bits);
}

// The length byte and the characters of a string[m] field.
std::string Texto(const std::string& bytes, std::size_t pos)
{
    return bytes.substr(pos + 1, static_cast<unsigned char>(bytes[pos]));
}

unsigned Contagem(const std::string& bytes, std::size_t pos)
{
    return static_cast<unsigned char>(bytes[pos]) | static_cast<unsigned>(static_cast<unsigned char>(bytes[pos + 1])) << 8;
}

std::array<std::vector<TRegEstacao>, kNumEstados> EstacoesExemplo()
{
    std::array<std::vector<TRegEstacao>, kNumEstados> e;
    e[BA] = {Estacao("Vitória da Conquista", "14°51'00\"", "40°50'00\"", 1500.5, 0.125, 14.25, 0.75, "Autor 2001"),
             Estacao("Águas", "12°58'00\"", "38°31'00\"", 880, 0.2, 10, 0.7, "Autor 1999")};
    e[TO] = {Estacao("Palmas", "10°11'04\"", "48°20'01\"", 1200)};
    return e;
}

TEST(BDPrecipitacaoTest, StationFileLayoutFieldByField)
{
    TempDir dir;
    const auto arquivo = dir / kArquivoEstacoes;
    GravarArquivoEstacoes(arquivo, EstacoesExemplo());
    const std::string b = ReadBytes(arquivo);
    ASSERT_EQ(b.size(), 1 + 27 * 2 + 3 * kTamRegEstacao);

    // States 0..3 (Acre to Amazonas) are empty: a count of 0 each.
    for (std::size_t estado = 0; estado < BA; ++estado)
        EXPECT_EQ(Contagem(b, 1 + 2 * estado), 0u) << estado;
    ASSERT_EQ(Contagem(b, 9), 2u);

    // Bahia's records in name order: "Águas" before "Vitória da Conquista".
    const std::size_t r1 = 11;
    EXPECT_EQ(Texto(b, r1), "\xC1guas"); // Windows-1252
    EXPECT_EQ(Real(b, r1 + 69), 880);
    EXPECT_EQ(Real(b, r1 + 77), 0.2);
    EXPECT_EQ(Real(b, r1 + 85), 10);
    EXPECT_EQ(Real(b, r1 + 93), 0.7);
    EXPECT_EQ(Texto(b, r1 + 101), "Autor 1999");
    EXPECT_EQ(Texto(b, r1 + 132), "12\xB0" "58'00\"");
    EXPECT_EQ(Texto(b, r1 + 142), "38\xB0" "31'00\"");
    const std::size_t r2 = r1 + kTamRegEstacao;
    EXPECT_EQ(Texto(b, r2), "Vit\xF3ria da Conquista");
    EXPECT_EQ(Real(b, r2 + 69), 1500.5);
    EXPECT_EQ(Real(b, r2 + 85), 14.25);
    EXPECT_EQ(Texto(b, r2 + 101), "Autor 2001");

    // States 5..25 empty, then Tocantins with one record, ending the file.
    std::size_t pos = r2 + kTamRegEstacao;
    for (std::size_t estado = BA + 1; estado < TO; ++estado, pos += 2)
        EXPECT_EQ(Contagem(b, pos), 0u) << estado;
    EXPECT_EQ(Contagem(b, pos), 1u);
    EXPECT_EQ(Texto(b, pos + 2), "Palmas");
    EXPECT_EQ(Texto(b, pos + 2 + 142), "48\xB0" "20'01\"");
    EXPECT_EQ(pos + 2 + kTamRegEstacao, b.size());

    // The reader gives back the records in file order, texts in UTF-8.
    TBDPrecipitacao bd(dir.Path());
    bd.CarregarEstacoes();
    ASSERT_EQ(bd.Estacoes[BA].size(), 2u);
    EXPECT_EQ(bd.Estacoes[BA][0].Nome, "Águas");
    EXPECT_EQ(bd.Estacoes[BA][1].Nome, "Vitória da Conquista");
    EXPECT_EQ(bd.Estacoes[BA][1].Latitude, "14°51'00\"");
    EXPECT_EQ(bd.Estacoes[BA][1].C, 0.75);
    EXPECT_EQ(bd.Estacoes[TO][0].Fonte, "Fonte");
    EXPECT_TRUE(bd.Estacoes[0].empty());
}

TEST(BDPrecipitacaoTest, LocalityFileLayoutAndBlockSkipping)
{
    TempDir dir;
    std::array<std::vector<TRegLocalidade>, kNumEstados> loc;
    loc[0] = {{"Rio Branco", "09°58'29\"", "67°48'36\""}, {"Acrelândia", "09°49'33\"", "66°53'50\""}};
    loc[22] = {{"Boa Vista", "-2°49'26\"", "60°40'23\""}}; // north of the Equator
    GravarArquivoLocalidades(dir / kArquivoLocalidades, loc);
    const std::string b = ReadBytes(dir / kArquivoLocalidades);
    ASSERT_EQ(b.size(), 1 + 27 * 2 + 3 * kTamRegLocalidade);
    EXPECT_EQ(Contagem(b, 1), 2u);
    EXPECT_EQ(Texto(b, 3), "Acrel\xE2ndia");
    EXPECT_EQ(Texto(b, 3 + 69), "09\xB0" "49'33\"");
    EXPECT_EQ(Texto(b, 3 + 79), "66\xB0" "53'50\"");
    EXPECT_EQ(Texto(b, 3 + kTamRegLocalidade), "Rio Branco");

    TBDPrecipitacao bd(dir.Path());
    bd.CarregarLocalidades(22);
    ASSERT_EQ(bd.Localidades.size(), 1u);
    EXPECT_EQ(bd.Localidades[0].Nome, "Boa Vista");
    EXPECT_EQ(bd.Localidades[0].Latitude, "-2°49'26\"");
    bd.CarregarLocalidades(5);
    EXPECT_TRUE(bd.Localidades.empty());
    bd.CarregarLocalidades(0);
    EXPECT_EQ(bd.Localidades[1].Nome, "Rio Branco");
    EXPECT_THROW(bd.CarregarLocalidades(27), ENumeroEstado);
    EXPECT_THROW(bd.CarregarLocalidades(-1), ENumeroEstado);
}

TEST(BDPrecipitacaoTest, NamesLongerThanTheirFieldsAreCutBetweenWords)
{
    struct Caso {
        const char* nome;
        std::size_t tamanho;
        const char* esperado;
    };
    for (const Caso& c : {
             Caso{"São João del-Rei", 68, "São João del-Rei"},
             Caso{"Vila Terra Branca - Jusante (Bocaiúva)", 20, "Vila Terra Branca"},
             Caso{"Conceição do Mato Dentro", 12, "Conceição do"}, // accented letters are one byte each
             Caso{"Pindamonhangaba", 6, "Pindam"},                // one long word: cut at the field
         })
        EXPECT_EQ(AjustarAoCampo(c.nome, c.tamanho), c.esperado) << c.nome;

    // The writer fits names and labels to their fields.
    TempDir dir;
    auto estacoes = EstacoesExemplo();
    const std::string longo = "Estação Experimental de Agronomia e Zootecnia do Vale do Rio Jequitinhonha";
    estacoes[MG] = {Estacao(longo, "17°00'00\"", "42°00'00\"", 1000, 0.1, 10, 0.8,
                            "Compilação de equações de chuvas intensas, 2025")};
    GravarArquivoEstacoes(dir / kArquivoEstacoes, estacoes);
    TBDPrecipitacao bd(dir.Path());
    bd.CarregarEstacoes();
    EXPECT_EQ(bd.Estacoes[MG][0].Nome, "Estação Experimental de Agronomia e Zootecnia do Vale do Rio");
    EXPECT_EQ(bd.Estacoes[MG][0].Fonte, "Compilação de equações de");
}

TEST(BDPrecipitacaoTest, WriterRefusesWhatTheLayoutCannotHold)
{
    TempDir dir;
    const auto arquivo = dir / kArquivoEstacoes;
    WriteBytes(arquivo, "anterior");
    auto ruim = EstacoesExemplo();
    ruim[BA][0].Latitude = "12 58 00";
    EXPECT_THROW(GravarArquivoEstacoes(arquivo, ruim), Exception);
    ruim = EstacoesExemplo();
    ruim[BA][0].K = -1;
    EXPECT_THROW(GravarArquivoEstacoes(arquivo, ruim), Exception);
    ruim = EstacoesExemplo();
    ruim[BA][0].C = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(GravarArquivoEstacoes(arquivo, ruim), Exception);
    EXPECT_EQ(ReadBytes(arquivo), "anterior"); // nothing replaced
}

constexpr std::size_t kInteiro = std::string::npos;

// A valid station file with one byte range overwritten, or cut short.
struct Corrupcao {
    const char* descricao;
    std::size_t pos;        // where to write
    std::string bytes;      // what to write there
    std::size_t tamanho;    // size to cut the file to, kInteiro for none
    const char* mensagem;   // part of the message
};

TEST(BDPrecipitacaoTest, CorruptStationFilesRaiseClearErrorsAndChangeNothing)
{
    TempDir dir;
    const auto arquivo = dir / kArquivoEstacoes;
    GravarArquivoEstacoes(arquivo, EstacoesExemplo());
    const std::string valido = ReadBytes(arquivo);
    const std::size_t r1 = 11; // first record of Bahia
    std::string nan(8, '\0');
    const auto bitsNan = std::bit_cast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN());
    for (std::size_t i = 0; i < 8; ++i)
        nan[i] = static_cast<char>((bitsNan >> (8 * i)) & 0xFF);

    for (const Corrupcao& c : {
             Corrupcao{"vazio", 0, "", 0, "está vazio"},
             Corrupcao{"só o cabeçalho", 0, "", 1, "termina antes do bloco do estado Acre"},
             Corrupcao{"contagem maior", 9, std::string("\x09\x00", 2), kInteiro, "Bahia anuncia 9 registros"},
             Corrupcao{"contagem absurda", 1, "\xFF\xFF", kInteiro, "Acre anuncia 65535 registros"},
             Corrupcao{"registro truncado", 0, "", valido.size() - 10, "Tocantins anuncia 1 registro,"},
             Corrupcao{"blocos faltando", 0, "", r1 + 2 * kTamRegEstacao, "termina antes do bloco do estado Ceará"},
             Corrupcao{"nome longo", r1, "\x45", kInteiro, "campo Nome declara 69 caracteres"},
             Corrupcao{"fonte longa", r1 + 101, "\x1F", kInteiro, "campo Fonte declara 31 caracteres"},
             Corrupcao{"latitude longa", r1 + 132, "\xFF", kInteiro, "campo Latitude declara 255 caracteres"},
             Corrupcao{"latitude sem dígitos", r1 + 133, "1a", kInteiro,
                       "campo Latitude (\"1a°58'00\"\") não é uma coordenada"},
             Corrupcao{"longitude curta", r1 + 142, "\x08", kInteiro, "campo Longitude"},
             Corrupcao{"K não numérico", r1 + 69, nan, kInteiro, "parâmetro K não é um número finito"},
         }) {
        std::string bytes = valido;
        if (c.tamanho != kInteiro)
            bytes.resize(c.tamanho);
        bytes.replace(c.pos, c.bytes.size(), c.bytes);
        WriteBytes(arquivo, bytes);
        TBDPrecipitacao bd(dir.Path());
        bd.Estacoes[MG] = {Estacao("Anterior", "19°00'00\"", "44°00'00\"", 1)};
        try {
            bd.CarregarEstacoes();
            ADD_FAILURE() << c.descricao;
        } catch (const EBDPrecipitacao& e) {
            const std::string msg = e.what();
            EXPECT_NE(msg.find("O arquivo " + arquivo.string() + " está corrompido: "), std::string::npos) << msg;
            EXPECT_NE(msg.find(c.mensagem), std::string::npos) << c.descricao << ": " << msg;
        }
        ASSERT_EQ(bd.Estacoes[MG].size(), 1u) << c.descricao;
        EXPECT_EQ(bd.Estacoes[MG][0].Nome, "Anterior");
        EXPECT_TRUE(bd.Estacoes[BA].empty());
    }
}

TEST(BDPrecipitacaoTest, CorruptLocalityFiles)
{
    TempDir dir;
    const auto arquivo = dir / kArquivoLocalidades;
    std::array<std::vector<TRegLocalidade>, kNumEstados> loc;
    loc[0] = {{"Rio Branco", "09°58'29\"", "67°48'36\""}};
    loc[26] = {{"Palmas", "10°11'04\"", "48°20'01\""}};
    GravarArquivoLocalidades(arquivo, loc);
    const std::string valido = ReadBytes(arquivo);

    std::string bytes = valido;
    bytes[1] = '\x09'; // Acre claims 9 records: the skip would run past the end
    WriteBytes(arquivo, bytes);
    TBDPrecipitacao bd(dir.Path());
    EXPECT_THROW(bd.CarregarLocalidades(26), EBDPrecipitacao);
    EXPECT_TRUE(bd.Localidades.empty());

    bytes = valido;
    bytes.replace(3 + 69 + 1, 2, "xx");
    WriteBytes(arquivo, bytes);
    EXPECT_THROW(bd.CarregarLocalidades(0), EBDPrecipitacao);
    EXPECT_NO_THROW(bd.CarregarLocalidades(26)); // only the block read is decoded

    WriteBytes(arquivo, valido.substr(0, valido.size() - 1));
    EXPECT_THROW(bd.CarregarLocalidades(26), EBDPrecipitacao);
    EXPECT_TRUE(bd.Localidades.empty());
}

TEST(BDPrecipitacaoTest, MissingFilesAndFolder)
{
    TempDir dir;
    TBDPrecipitacao bd(dir.Path());
    try {
        bd.CarregarEstacoes();
        FAIL();
    } catch (const EArquivoNaoExiste& e) {
        EXPECT_EQ(std::string(e.what()), "O arquivo " + (dir / kArquivoEstacoes).string() + " não existe.");
    }
    EXPECT_THROW(bd.CarregarLocalidades(3), EArquivoNaoExiste);

    auto mensagem = [](const std::filesystem::path& pasta) {
        try {
            VerificarBancoDeDados(pasta);
        } catch (const Exception& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(mensagem(dir / "nao-existe"), "Erro. Não foi possível localizar a pasta contendo o banco de dados.");
    EXPECT_EQ(mensagem(dir.Path()), "Erro. Não foi possível localizar o banco de dados contendo os estados.");
    WriteBytes(dir / "ESTADOS_nimbra21.bin", "x"); // names match without regard to case
    EXPECT_EQ(mensagem(dir.Path()), "Erro. Não foi possível localizar o banco de dados contendo as localidades.");
    WriteBytes(dir / kArquivoLocalidades, "x");
    EXPECT_EQ(mensagem(dir.Path()), "");
}

TEST(InterpolarTest, AStationAtThePointGivesItsOwnRecord)
{
    TBDPrecipitacao bd(std::filesystem::path{});
    bd.Estacoes[RS] = {Estacao("Porto Alegre", "20°00'00\"", "45°00'00\"", 9999)}; // not an interpolation state
    bd.Estacoes[BA] = {Estacao("Barreiras", "12°09'00\"", "45°00'00\"", 800, 0.1, 10, 0.7, "Autor BA")};
    bd.Estacoes[MG] = {Estacao("Abaeté", "19°09'36\"", "45°27'00\"", 1000),
                       Estacao("Centro", "20°00'00\"", "45°00'00\"", 1234.5, 0.11, 12.5, 0.77, "Autor 1990")};
    const TRegEstacao r = bd.Interpolar("20°00'00\"", "45°00'00\"");
    EXPECT_EQ(r.Nome, "Centro");
    EXPECT_EQ(r.K, 1234.5);
    EXPECT_EQ(r.A, 0.11);
    EXPECT_EQ(r.Fonte, "Autor 1990");

    // Same point, other separators: distance zero, the station's record too.
    EXPECT_EQ(bd.Interpolar("20 00 00 ", "45 00 00 ").Nome, "Centro");
}

TEST(InterpolarTest, WeightsAreTheInverseFifthPowerOfTheDistanceAndTheStormStaysBetweenTheStations)
{
    TBDPrecipitacao bd(std::filesystem::path{});
    // Point (20°, 45°); stations 1° north-south and 2° east-west from it.
    bd.Estacoes[MG] = {Estacao("Um grau", "21°00'00\"", "45°00'00\"", 1000, 0.1, 10, 0.7)};
    bd.Estacoes[SP] = {Estacao("Dois graus", "20°00'00\"", "47°00'00\"", 2000, 0.2, 20, 0.9)};
    bd.Estacoes[RS] = {Estacao("Fora", "20°00'30\"", "45°00'00\"", 1e6)}; // not an interpolation state
    TChuvaLocal r = bd.InterpolarChuva("20°00'00\"", "45°00'00\"");
    EXPECT_EQ(r.Origem, TOrigemChuva::Interpolacao);
    ASSERT_EQ(r.Estacoes.size(), 2u);
    EXPECT_EQ(r.Estacoes[0].Estado, static_cast<int>(MG));
    EXPECT_NEAR(r.Estacoes[0].Peso / r.Estacoes[1].Peso, 32, 1e-9);
    EXPECT_NEAR(r.Estacoes[0].DistanciaKm, 111.2, 0.5);
    EXPECT_EQ(r.Registro.Nome, "");
    EXPECT_EQ(r.Registro.Fonte, "Interpolação");
    EXPECT_EQ(r.Registro.Latitude, "20°00'00\"");
    EXPECT_EQ(r.Registro.Longitude, "45°00'00\"");

    // The storm, not the parameters, is averaged: at every duration the
    // fitted curve follows the weighted mean of the two storms within the
    // fit's reported error and lies between them.
    const TRegEstacao& um = bd.Estacoes[MG][0];
    const TRegEstacao& dois = bd.Estacoes[SP][0];
    for (double tr : {2.0, 10.0, 100.0})
        for (double t : {5.0, 10.0, 60.0, 120.0, 1440.0}) {
            const double i1 = IntensidadeIdf(um, tr, t), i2 = IntensidadeIdf(dois, tr, t);
            const double media = (32 * i1 + i2) / 33;
            const double i = IntensidadeIdf(r.Registro, tr, t);
            EXPECT_NEAR(i / media, 1, r.ErroAjuste + 1e-9) << tr << " " << t;
            EXPECT_GE(i, std::min(i1, i2) * (1 - r.ErroAjuste)) << tr << " " << t;
            EXPECT_LE(i, std::max(i1, i2) * (1 + r.ErroAjuste)) << tr << " " << t;
        }
    EXPECT_LT(r.ErroAjuste, 0.05);

    // A far station with a large K and a nearer one with small b and c:
    // averaging K, a, b, c separately would give a storm above both.
    bd.Estacoes[SP] = {Estacao("K grande", "20°30'00\"", "45°00'00\"", 9000, 0.2, 60, 1.15)};
    bd.Estacoes[MG] = {Estacao("b e c pequenos", "19°36'00\"", "45°00'00\"", 700, 0.15, 5, 0.65)};
    r = bd.InterpolarChuva("20°00'00\"", "45°00'00\"");
    for (double t : {10.0, 60.0, 120.0}) {
        const double i1 = IntensidadeIdf(bd.Estacoes[SP][0], 10, t), i2 = IntensidadeIdf(bd.Estacoes[MG][0], 10, t);
        const double i = IntensidadeIdf(r.Registro, 10, t);
        EXPECT_GE(i, std::min(i1, i2) * (1 - r.ErroAjuste)) << t;
        EXPECT_LE(i, std::max(i1, i2) * (1 + r.ErroAjuste)) << t;
    }
}

TEST(InterpolarTest, ImplausibleEquationsAreLeftOut)
{
    TBDPrecipitacao bd(std::filesystem::path{});
    bd.Estacoes[MG] = {Estacao("Perto e absurda", "20°00'10\"", "45°00'00\"", 9763, 0.1743, 9.1, 0.7887),
                       Estacao("Longe", "21°00'00\"", "45°00'00\"", 1000, 0.1, 10, 0.7)};
    const TChuvaLocal r = bd.InterpolarChuva("20°00'00\"", "45°00'00\"");
    ASSERT_EQ(r.Estacoes.size(), 1u);
    EXPECT_EQ(bd.EstacaoUsada(r.Estacoes[0]).Nome, "Longe");
    EXPECT_NEAR(r.Registro.K, 1000, 1e-3);
    EXPECT_EQ(r.Aviso, "");
    // On the implausible station itself: its own equation, with its warning.
    const TChuvaLocal s = bd.InterpolarChuva("20°00'10\"", "45°00'00\"");
    EXPECT_EQ(s.Registro.Nome, "Perto e absurda");
    EXPECT_NE(s.Aviso, "");
}

TEST(ChuvaNoPontoTest, StationsWithin50KmOrTheGrid)
{
    TBDPrecipitacao bd(std::filesystem::path{});
    bd.Estacoes[MG] = {Estacao("Centro", "20°00'00\"", "45°00'00\"", 1000, 0.1, 10, 0.7)};
    bd.Estacoes[RS] = {Estacao("Porto", "30°00'00\"", "51°00'00\"", 1200, 0.15, 12, 0.75)};
    // A 1° grid over 19–31° S, 44–52° W, every cell K = 2000, a 0.2, b 20, c 0.9.
    bd.Grade.Colunas = 8;
    bd.Grade.Linhas = 12;
    bd.Grade.Lon0 = -52;
    bd.Grade.Lat0 = -19;
    bd.Grade.Celula = 1;
    for (int i = 0; i < 8 * 12; ++i)
        bd.Grade.Valores.insert(bd.Grade.Valores.end(), {2000.0f, 0.2f, 20.0f, 0.9f});

    // Interpolation state, a station 11 km away: the interpolation.
    TChuvaLocal r = bd.ChuvaNoPonto("20°06'00\"", "45°00'00\"", MG);
    EXPECT_EQ(r.Origem, TOrigemChuva::Interpolacao);
    EXPECT_NEAR(r.DistanciaKm, 11.1, 0.2);
    // 111 km away: the grid, named as such, with the distance.
    r = bd.ChuvaNoPonto("21°00'00\"", "45°00'00\"", MG);
    EXPECT_EQ(r.Origem, TOrigemChuva::Grade);
    EXPECT_EQ(r.Registro.Fonte, "GRIDF-BR, grade 0,1°");
    EXPECT_FLOAT_EQ(static_cast<float>(r.Registro.K), 2000.0f);
    EXPECT_NEAR(r.DistanciaKm, 111.2, 0.5);
    EXPECT_NE(r.Nota.find("50"), std::string::npos);
    EXPECT_EQ(r.Registro.Latitude, "21°00'00\"");
    // Another state: its own station within 50 km, as published...
    r = bd.ChuvaNoPonto("30°10'00\"", "51°00'00\"", RS);
    EXPECT_EQ(r.Origem, TOrigemChuva::Estacao);
    EXPECT_EQ(r.Registro.Nome, "Porto");
    EXPECT_NEAR(r.Estacoes.at(0).DistanciaKm, 18.5, 0.2);
    // ...never a station of another state: BA (an interpolation state) has
    // none, and SC's point 25 km from RS's station takes the grid.
    r = bd.ChuvaNoPonto("30°00'00\"", "50°45'00\"", 23);
    EXPECT_EQ(r.Origem, TOrigemChuva::Grade);
    // Outside the grid: a clear error.
    EXPECT_THROW(bd.ChuvaNoPonto("05°00'00\"", "60°00'00\"", 3), Exception);
    bd.Grade = TGradeIdf{};
    EXPECT_THROW(bd.ChuvaNoPonto("21°00'00\"", "45°00'00\"", MG), Exception);
}

TEST(GradeIdfTest, FileRoundTripAndCoastalCells)
{
    TempDir dir;
    TGradeIdf g;
    g.Colunas = 3;
    g.Linhas = 2;
    g.Lon0 = -50;
    g.Lat0 = -20;
    g.Celula = 0.1;
    g.Valores = {1000, 0.1f, 10, 0.7f, 2000, 0.2f, 20, 0.8f, NAN, NAN, NAN, NAN,
                 3000, 0.3f, 30, 0.9f, 4000, 0.1f, 40, 1.0f, NAN, NAN, NAN, NAN};
    g.Gravar(dir / "g.bin");
    TGradeIdf h;
    h.Carregar(dir / "g.bin");
    EXPECT_EQ(h.Colunas, 3);
    EXPECT_EQ(h.Linhas, 2);
    // 20.05° S, 49.85° W: second cell of the first row.
    auto e = h.Equacao(20.05, 49.85);
    ASSERT_TRUE(e);
    EXPECT_FLOAT_EQ(static_cast<float>(e->K), 2000.0f);
    EXPECT_FALSE(e->Vizinha);
    // The third column is sea: its neighbour to the west, flagged.
    e = h.Equacao(20.15, 49.75);
    ASSERT_TRUE(e);
    EXPECT_FLOAT_EQ(static_cast<float>(e->K), 4000.0f);
    EXPECT_TRUE(e->Vizinha);
    EXPECT_FALSE(h.Equacao(10, 49.85));

    std::string bytes = ReadBytes(dir / "g.bin");
    WriteBytes(dir / "curto.bin", bytes.substr(0, bytes.size() - 1));
    EXPECT_THROW(h.Carregar(dir / "curto.bin"), EBDPrecipitacao);
    EXPECT_THROW(h.Carregar(dir / "nada.bin"), EArquivoNaoExiste);
}

TEST(InterpolarTest, NoStationsOrBadTexts)
{
    TBDPrecipitacao bd(std::filesystem::path{});
    bd.Estacoes[RS] = {Estacao("Fora", "30°00'00\"", "51°00'00\"", 1000)};
    EXPECT_THROW(bd.Interpolar("20°00'00\"", "45°00'00\""), Exception);
    bd.Estacoes[MG] = {Estacao("Centro", "20°00'00\"", "45°00'00\"", 1000)};
    EXPECT_THROW(bd.Interpolar("20°00'0x\"", "45°00'00\""), EConvertError);
    EXPECT_THROW(bd.Interpolar("20°00'00\"", ""), EConvertError);
}

} // namespace
