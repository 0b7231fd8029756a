#include "rainfall/Nimbra21.h"

#include "common/Format.h"
#include "common/IniFile.h"
#include "common/Pastas.h"
#include "rainfall/Coordenadas.h"

#include <limits>

namespace vastrel {

namespace {

// A 16-bit position read from the file; anything outside the range a
// position can take is treated as "none".
std::int16_t LerPosicao(const TIniFile& ini, const std::string& secao, const char* chave)
{
    const long long v = ini.ReadInteger(secao, chave, -1);
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        return -1;
    return static_cast<std::int16_t>(v);
}

// A stored coordinate worth handing to the window: neither empty nor the
// blank mask of the coordinate fields.
bool CoordenadaPreenchida(const std::string& texto) { return !texto.empty() && texto != kCoordenadaEmBranco; }

std::int16_t Posicao(std::int16_t p) { return p < 0 ? std::int16_t{-1} : p; }

} // namespace

bool TNimbra21::Consultar()
{
    VerificarBancoDeDados(PastaArquivosComuns());
    if (!CriarJanelaConsulta)
        throw Exception("A janela de consulta ao banco de dados não está disponível.");
    const std::unique_ptr<TJanelaConsulta> janela = CriarJanelaConsulta(HelpContext);
    if (IndEstado < 0)
        throw Exception("É necessário entrar com um índice para o estado");

    TPreparoConsulta preparo;
    preparo.Estado.SetIndice(IndEstado);
    preparo.IndEstacao = IndEstacao;
    preparo.IndLocalidade = IndLocalidade;
    preparo.ShowAbout = ShowAbout;
    // Parameters of the storm that are set become the window's current ones.
    preparo.Registro.K = Precipitacao.K;
    preparo.Registro.A = Precipitacao.a;
    preparo.Registro.B = Precipitacao.b;
    preparo.Registro.C = Precipitacao.c;
    if (CoordenadaPreenchida(Latitude))
        preparo.Latitude = Latitude;
    if (CoordenadaPreenchida(Longitude))
        preparo.Longitude = Longitude;
    preparo.TextoK = FormatFloat("0.000", preparo.Registro.K);
    preparo.TextoA = FormatFloat("0.0000", preparo.Registro.A);
    preparo.TextoB = FormatFloat("0.000", preparo.Registro.B);
    preparo.TextoC = FormatFloat("0.0000", preparo.Registro.C);
    janela->Preparar(preparo);

    if (!janela->Executar())
        return false;

    // Everything the window gives back is checked before anything changes:
    // the state, the four numbers (an empty field is not a number) and
    // what the storm's setters accept.
    const TRetornoConsulta r = janela->Retorno();
    TEstado estado;
    estado.SetIndice(r.IndEstado);
    TPrecipitacaoExponencialNegativa chuva = Precipitacao;
    chuva.SetK(StrToFloat(r.TextoK));
    chuva.SetA(StrToFloat(r.TextoA));
    chuva.SetB(StrToFloat(r.TextoB));
    chuva.SetC(StrToFloat(r.TextoC));

    Precipitacao = chuva;
    IndEstado = estado.Indice;
    StrEstado = estado.Nome();
    Autoria = r.Fonte;
    Latitude = r.Latitude;
    Longitude = r.Longitude;
    IndEstacao = Posicao(r.IndEstacao);
    IndLocalidade = Posicao(r.IndLocalidade);
    StrCidade = r.Cidade;
    FonteEquacao = r.FonteCompleta;
    return true;
}

void TNimbra21::Zerar()
{
    Precipitacao.Zerar();
    HelpContext = 0;
    Latitude.clear();
    Longitude.clear();
    IndLocalidade = 0;
    IndEstacao = 0;
    StrCidade.clear();
    IndEstado = -1;
    StrEstado.clear();
    ShowAbout = false;
    Secao.clear();
    FonteEquacao.clear();
}

bool TNimbra21::Ler(TIniFile& ini)
{
    // The version is always looked up in the plain section name.
    if (ini.ReadString("NIMBRA", "Versao", "0") != "1")
        return false;
    Precipitacao.Ler(ini); // the storm's result does not decide the project's
    const std::string secao = "NIMBRA" + Secao;
    Latitude = ini.ReadString(secao, "Latitude", "");
    Longitude = ini.ReadString(secao, "Longitude", "");
    IndEstacao = LerPosicao(ini, secao, "IndEstacao");
    IndLocalidade = LerPosicao(ini, secao, "IndLocalidade");
    StrCidade = ini.ReadString(secao, "StrCidade", "");
    IndEstado = LerPosicao(ini, secao, "IndEstado");
    StrEstado = ini.ReadString(secao, "StrEstado", "");
    FonteEquacao = ini.ReadString(secao, "FonteEquacao", "");
    return true;
}

bool TNimbra21::Gravar(TIniFile& ini)
{
    const std::string secao = "NIMBRA" + Secao;
    ini.WriteString(secao, "Versao", "1");
    Precipitacao.Gravar(ini);
    ini.WriteString(secao, "Latitude", Latitude);
    ini.WriteString(secao, "Longitude", Longitude);
    ini.WriteInteger(secao, "IndEstacao", IndEstacao);
    ini.WriteInteger(secao, "IndLocalidade", IndLocalidade);
    ini.WriteString(secao, "StrCidade", StrCidade);
    ini.WriteInteger(secao, "IndEstado", IndEstado);
    ini.WriteString(secao, "StrEstado", StrEstado);
    ini.WriteString(secao, "FonteEquacao", FonteEquacao);
    return true;
}

bool TNimbra21::Ler(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Ler(ini); });
}

bool TNimbra21::Gravar(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Gravar(ini); });
}

} // namespace vastrel
