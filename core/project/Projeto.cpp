#include "project/Projeto.h"

#include "common/Format.h"
#include "common/IniFile.h"

#include <optional>

namespace vastrel {

namespace {

constexpr const char* kCabecalho = "VASTREL3";
constexpr const char* kVersaoArquivo = "3.0";
// Revision of the layout within version 3.0. Revision 2 keeps every slope
// in m/m and the dimensioning's recommended height in cm; the location
// keeps its mean slope (%) and its arbitrated height (m) in keys of its own.
// Files of earlier revisions carry no key.
constexpr const char* kChaveRevisao = "Revisao";
constexpr const char* kRevisao = "2";
constexpr const char* kSecaoLocacao = "LOCACAONIVEL";

std::string MensagemAbrir(const std::filesystem::path& path)
{
    return "Não foi possível abrir o arquivo " + path.string() + ".";
}

std::string MensagemGravar(const std::filesystem::path& path)
{
    return "Não foi possível gravar o arquivo " + path.string() + ".";
}

} // namespace

TCanal& TProjeto::CanalAtual()
{
    if (Gradiente())
        return TerracosGradiente;
    return TerracosNivel;
}

TEspacamento& TProjeto::EspacamentoAtual()
{
    if (Gradiente())
        return TerracosGradiente.Espacamento;
    return TerracosNivel.Espacamento;
}

void TProjeto::Zerar()
{
    IDProjeto.Zerar();
    TerracosNivel.Zerar();
    TerracosGradiente.Zerar();
    Locacao.Zerar();
    Terreno.Zerar();
    Nimbra.Zerar();
    Nimbra.IndEstado = Unidades.IndEstadoPadrao;
    TipoSistema.Tipo = 0;
    AvisosLeitura.clear();
    entradasMarcadas_.reset();
}

std::vector<double> TProjeto::EntradasResultados() const
{
    const TPrecipitacaoExponencialNegativa& chuva = Nimbra.Precipitacao;
    const TCobertura& cob = Terreno.Cobertura;
    std::vector<double> v = {static_cast<double>(TipoSistema.Tipo),
                             chuva.Tr, chuva.K, chuva.a, chuva.b, chuva.c,
                             Terreno.St, Terreno.VIB, Terreno.nt.Valor,
                             static_cast<double>(cob.UsoTerra.Indice), static_cast<double>(cob.Tratamento.Indice),
                             static_cast<double>(cob.CondicaoHidrologica.Indice)};
    const TCanal& canal = Gradiente() ? static_cast<const TCanal&>(TerracosGradiente) : TerracosNivel;
    const TEspacamento& esp = Gradiente() ? TerracosGradiente.Espacamento : TerracosNivel.Espacamento;
    v.insert(v.end(), {static_cast<double>(canal.TipoCanal.Tipo), canal.B, canal.Z.Valor, canal.Sm.Valor, canal.CDu,
                       esp.EH, esp.EV});
    if (Gradiente())
        v.insert(v.end(), {TerracosGradiente.Sc, static_cast<double>(TerracosGradiente.Comprimento),
                           TerracosGradiente.nc.Valor});
    return v;
}

void TProjeto::LimparResultados()
{
    TCanal& canal = CanalAtual();
    canal.H = 0;
    canal.Hr = 0;
    if (Gradiente())
        TerracosGradiente.Q = 0;
    MarcarResultados();
}

void TProjeto::MarcarResultados() { entradasMarcadas_ = EntradasResultados(); }

bool TProjeto::ResultadosValidos() const
{
    return !entradasMarcadas_ || *entradasMarcadas_ == EntradasResultados();
}

// The terrace system, the units, the module and the location. A missing or
// damaged terrace section leaves that system as the reset left it, not half
// read (a reader stops at its first failure with the keys before it already
// taken, the soil list of a method read among them); a damaged one is said,
// and the rest of the file still reads.
void TProjeto::LerOpcionais(TIniFile& ini)
{
    const auto lerOuManter = [&](auto& sistema) {
        const auto reposto = sistema;
        std::string motivo;
        bool lido = false;
        try {
            lido = sistema.Ler(ini);
        } catch (const Exception& e) {
            motivo = std::string(" (") + e.what() + ")";
        }
        if (lido)
            return;
        sistema = reposto;
        if (!motivo.empty() || ini.SectionExists("Canal"))
            AvisosLeitura.push_back("O sistema de terraços do arquivo tem um valor inválido" + motivo +
                                    " e ficou com os valores iniciais; confira os dados do dimensionamento.");
    };
    if (TipoSistema.Tipo == 0)
        lerOuManter(TerracosNivel);
    else
        lerOuManter(TerracosGradiente);
    if (Gradiente() && TerracosGradiente.Comprimento > kComprimentoMaximoCanal)
        AvisosLeitura.push_back("O comprimento do canal gravado no arquivo (" +
                                std::to_string(TerracosGradiente.Comprimento) +
                                " m) passa do máximo permitido de 1500 metros: corrija-o antes de calcular.");
    Unidades.LerChaves(ini, kCabecalho);
    Modulo = ini.ReadString(kCabecalho, "MODULO", "");
    if (Modulo == kModuloLocacao)
        Locacao.Ler(ini);
}

// Files of earlier revisions: a location run left the watershed's mean
// slope in percent in the terrain's St, and the location's arbitrated
// height in m in the level system's Hr (cm for the dimensioning).
void TProjeto::ConverterVersaoAnterior(const TIniFile& ini)
{
    if (!ini.ReadString(kCabecalho, kChaveRevisao, "").empty())
        return;
    // No field is terraced on a slope above 100 %: a St above 1 was written
    // in percent.
    if (Terreno.St > 1) {
        const double percentual = Terreno.St;
        Terreno.SetSt(percentual / 100);
        if (Modulo == kModuloLocacao && !ini.ValueExists(kSecaoLocacao, kChaveDeclividadeMedia))
            Locacao.DeclividadeMedia = percentual;
        AvisosLeitura.push_back("A declividade do terreno, gravada em porcentagem por uma versão anterior (" +
                                FloatToStr(percentual) + "), foi lida como " + FloatToStr(Terreno.St) + " m/m.");
    }
    // With this method the location window wrote the height it was given.
    TTerracosNivel& nivel = TerracosNivel;
    if (Modulo == kModuloLocacao && nivel.Espacamento.Metodologia.IndMetodologia == kMetodoAlturaArbitrada &&
        !ini.ValueExists(kSecaoLocacao, kChaveAlturaArbitrada)) {
        Locacao.AlturaArbitrada = nivel.Hr;
        nivel.SetHr(nivel.H > 0 ? AlturaRecomendada(nivel.H, nivel.CDu) : 0);
    }
}

void TProjeto::Ler(const std::filesystem::path& path)
{
    Zerar();
    const auto recusar = [&](const std::string& motivo) {
        Zerar();
        throw EArquivoProjeto(MensagemAbrir(path), motivo);
    };
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        recusar("O arquivo não existe.");

    std::optional<TIniFile> ini;
    try {
        ini.emplace(path);
    } catch (const Exception& e) {
        recusar(e.what());
    }

    // Required parts, in this order; the first failure refuses the file.
    if (ini->ReadString(kCabecalho, "Versao", "0.0") != kVersaoArquivo)
        recusar("O arquivo não é um projeto desta versão (seção \"VASTREL3\" ausente ou de outra versão).");
    if (!IDProjeto.Ler(*ini))
        recusar("A seção \"IDENTIFICACAO\" está ausente ou é de outra versão.");
    if (!TipoSistema.Ler(*ini))
        recusar("A seção \"TipoSistema\" está ausente ou inválida.");
    if (!Nimbra.Ler(*ini))
        recusar("A seção \"NIMBRA\" está ausente ou é de outra versão.");
    if (!Terreno.Ler(*ini))
        recusar("As seções \"Terreno\" e \"Cobertura\" estão ausentes ou inválidas.");

    // Optional parts: a missing terrace section leaves that system at its
    // reset values.
    LerOpcionais(*ini);
    ConverterVersaoAnterior(*ini);
    MarcarResultados();

    // Keys of an older layout that the storm moved to its own sections are
    // saved back at once. The values are already read, so a file that cannot
    // be written (read-only media) still opens.
    try {
        ini->UpdateFile();
    } catch (const Exception&) {
    }
}

void TProjeto::Gravar(const std::filesystem::path& path)
{
    try {
        TIniFile ini(path);
        if (!IDProjeto.Gravar(ini) || !TipoSistema.Gravar(ini) || !Nimbra.Gravar(ini) ||
            !Terreno.Gravar(ini))
            throw EArquivoProjeto(MensagemGravar(path), "");
        // Results computed for other inputs are not kept.
        if (!ResultadosValidos())
            LimparResultados();
        if (TipoSistema.Tipo == 0)
            TerracosNivel.Gravar(ini);
        else
            TerracosGradiente.Gravar(ini);
        if (Modulo == kModuloLocacao)
            Locacao.Gravar(ini);
        // The header goes last.
        ini.WriteString(kCabecalho, "Versao", kVersaoArquivo);
        Unidades.GravarChaves(ini, kCabecalho);
        ini.WriteString(kCabecalho, "MODULO", Modulo);
        ini.WriteString(kCabecalho, kChaveRevisao, kRevisao);
        ini.UpdateFile();
    } catch (const EArquivoProjeto&) {
        throw;
    } catch (const Exception& e) {
        throw EArquivoProjeto(MensagemGravar(path), e.what());
    }
}

} // namespace vastrel
