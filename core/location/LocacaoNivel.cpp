#include "location/LocacaoNivel.h"

#include "common/CheckedMath.h"
#include "common/Format.h"
#include "common/IniFile.h"
#include "common/UiHooks.h"
#include "engine/Canal.h"
#include "engine/Precipitacao.h"
#include "engine/Terreno.h"
#include "gis/Bytes.h"
#include "gis/Gdal.h"
#include "location/LocacaoComum.h"
#include "location/Pixel.h"
#include "location/TracadoNivel.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace vastrel {

namespace {

constexpr const char* kSecao = "LOCACAONIVEL";

using namespace locacao;

double CalcularLES(const TEntradaLocacaoNivel& e)
{
    TTerreno terreno = e.Terreno;
    return terreno.CalculaLES(e.Chuva);
}

// The height a level terrace needs for its strip: the arbitrated height
// with the method "Altura do terraço arbitrada", otherwise √CDu·h + 0.1 m,
// h being the depth of the triangular channel that stores the runoff LES
// (mm) of a strip w metres wide (its area over the terrace's length) on the
// strip's own slope St (m/m) behind a ridge face of slope Sm (m/m):
// h = √(LES/500)·√(Sm·St·w / (St + Sm)).
double AlturaTerraco(const TEntradaLocacaoNivel& e, double les, double st, double w)
{
    if (e.Terracos.Espacamento.Metodologia.IndMetodologia == kMetodoAlturaArbitrada)
        return e.AlturaArbitrada;
    try {
        const double sm = e.Terracos.Sm.Valor;
        const double h = st + sm > 0 ? cm::Sqrt(les / 500) * cm::Sqrt(cm::Div(sm * st * w, st + sm)) : 0.0;
        return cm::Finite(cm::Sqrt(e.Terracos.CDu) * h + 0.1);
    } catch (const Exception&) {
        throw EDimensionamento("Erro no dimensinamento de canal");
    }
}

TMetodoEspacamento Metodo(const TEntradaLocacaoNivel& e, double les)
{
    return TMetodoEspacamento(e.Terracos.Espacamento, les, e.Terracos.Sm.Valor, e.Terracos.CDu, e.AlturaArbitrada);
}

TArquivosLocacao Arquivos(const TEntradaLocacaoNivel& e) { return {e.ImgElev, e.ImgDecli, e.VetSaida}; }

} // namespace

void TLocacaoNivel::Zerar() { *this = TLocacaoNivel{}; }

void TLocacaoNivel::Ler(const TIniFile& ini)
{
    fnImgElev = ini.ReadString(kSecao, "fnImgElev", "");
    fnImgDecli = ini.ReadString(kSecao, "fnImgDecli", "");
    fnVetSaida = ini.ReadString(kSecao, "fnVetSaida", "");
    AlturaArbitrada = std::max(0.0, ini.ReadFloat(kSecao, kChaveAlturaArbitrada, 0));
    DeclividadeMedia = std::max(0.0, ini.ReadFloat(kSecao, kChaveDeclividadeMedia, 0));
}

void TLocacaoNivel::Gravar(TIniFile& ini) const
{
    ini.WriteString(kSecao, "fnImgElev", fnImgElev);
    ini.WriteString(kSecao, "fnImgDecli", fnImgDecli);
    ini.WriteString(kSecao, "fnVetSaida", fnVetSaida);
    ini.WriteFloat(kSecao, kChaveAlturaArbitrada, AlturaArbitrada);
    ini.WriteFloat(kSecao, kChaveDeclividadeMedia, DeclividadeMedia);
}

void TLocacaoNivel::Ler(const std::filesystem::path& p)
{
    WithIniFile(p, [this](TIniFile& ini) { Ler(ini); return true; });
}

void TLocacaoNivel::Gravar(const std::filesystem::path& p) const
{
    WithIniFile(p, [this](TIniFile& ini) { Gravar(ini); return true; });
}

std::filesystem::path TLocacaoNivel::CaminhoTabela(const std::filesystem::path& vetSaida)
{
    std::filesystem::path p = vetSaida;
    p.replace_extension(".bdt");
    return p;
}

TPrevisaoLocacao PreverLocacaoNivel(const TEntradaLocacaoNivel& entrada)
{
    TImagens im;
    CarregarImagens(Arquivos(entrada), im);
    const double les = entrada.Terracos.Espacamento.Metodologia.IndMetodologia == kMetodoAlturaArbitrada
                           ? CalcularLES(entrada)
                           : 0.0;
    TMetodoEspacamento metodo = Metodo(entrada, les);
    return Previsao(im, metodo);
}

TResultadoLocacao LocarNivel(const TEntradaLocacaoNivel& entrada, const gis::TProgressoGis& progresso)
{
    const auto avisar = [&](double fracao, const std::string& etapa) {
        if (progresso.Progresso)
            progresso.Progresso(fracao, etapa);
        ProcessPendingEvents();
    };
    avisar(0, kMsgCarregandoImagens);
    TImagens im;
    CarregarImagens(Arquivos(entrada), im);
    TResultadoLocacao r;
    r.ImgElev = entrada.ImgElev;
    r.ImgDecli = entrada.ImgDecli;
    r.VetSaida = entrada.VetSaida;
    r.LES = CalcularLES(entrada);
    avisar(0.05, kMsgTerracosLocados);

    // The layout.
    TMetodoEspacamento metodo = Metodo(entrada, r.LES);
    TOpcoesTracado op;
    op.Espacamento = [&metodo](double s) { return metodo(s); };
    op.AreaCelula = im.AreaCelula;
    op.Parar = progresso.Parar;
    op.Progresso = [&](double f, std::int32_t n) { avisar(0.05 + 0.9 * f, kMsgTerracosLocados + std::to_string(n)); };
    const TTracadoNivel t = TracarTerracosNivel(im.Elev, im.Decl, op);

    r.DeclividadeMedia = t.DeclividadeMedia;
    const TEspacamentoFaixa bacia = metodo(std::max(t.DeclividadeMedia, kDeclividadeMinimaFaixa));
    r.EV = bacia.EV;
    r.EH = bacia.EH;
    r.SelecaoTipoTerraco = entrada.Terracos.SelecaoTipoTerraco;
    r.SelecaoTipoTerraco.Seleciona(t.DeclividadeMedia);
    r.Interrompida = t.Interrompido;

    // Each terrace: its line on the map, its length, and the height its own
    // strip needs.
    TQualidadeLocacao& q = r.Qualidade;
    q.LadoCelula = im.LadoCelula();
    q.AreaBacia = static_cast<double>(t.CelulasBacia) * im.AreaCelula / 10000;
    q.AreaRestante = static_cast<double>(t.CelulasRestantes) * im.AreaCelula / 10000;
    TVET vet;
    vet.SetUnidade(im.Elev.GetUnidade());
    std::vector<double> larguras;
    std::int32_t estreitas = 0;
    for (const TTerracoTracado& tt : t.Terracos) {
        const TLinha m = ParaMapa(tt.Linha, im.Elev);
        vet.AdicionarLinha(m);
        TRegTerr reg;
        reg.Numero = tt.Linha.Numero;
        reg.Cota = tt.Cota;
        reg.EV = tt.EV;
        reg.DeclividadeMedia = tt.DeclividadeFaixa;
        reg.Comprimento = m.Comprimento() * im.FatorUnidade;
        reg.AreaInfluencia = static_cast<double>(tt.Celulas) * im.AreaCelula;
        const double w = reg.AreaInfluencia / reg.Comprimento;
        reg.Altura = AlturaTerraco(entrada, r.LES, tt.DeclividadeFaixa / 100, w);
        r.Tabela.Adicionar(reg);
        q.AreaDrenada += reg.AreaInfluencia / 10000;
        larguras.push_back(w);
        if (w < 3 * q.LadoCelula)
            ++estreitas;
        if (tt.Forma == TFormaTerraco::Morro)
            ++q.Morros;
        else if (tt.Forma == TFormaTerraco::Depressao)
            ++q.Depressoes;
    }
    q.Terracos = r.Tabela.Quantidade();
    Espacamentos(q, std::move(larguras));

    if (r.Tabela.Vazia() && !r.Interrompida) {
        float lo = 0, hi = 0;
        bool primeiro = true;
        for (const float v : im.Elev.Celulas())
            if (v != 0) {
                lo = primeiro ? v : std::min(lo, v);
                hi = primeiro ? v : std::max(hi, v);
                primeiro = false;
            }
        throw Exception("Nenhum terraço foi locado: o desnível da bacia (" + Numero(hi - lo, "0.00") +
                        " m) não comporta uma faixa com o espaçamento vertical do método (" + Numero(r.EV, "0.00") +
                        " m para a declividade média de " + Numero(r.DeclividadeMedia, "0.0") +
                        " %). Nenhum arquivo foi gravado.");
    }

    // What the user must know.
    AvisosComuns(r, im, estreitas, t.FaixasPlanas);
    if (!(r.LES > 0) &&
        entrada.Terracos.Espacamento.Metodologia.IndMetodologia != kMetodoAlturaArbitrada)
        r.Avisos.push_back("A chuva de projeto não gera escoamento neste solo (LES = 0 mm): todos os terraços "
                           "recebem a altura mínima de 0,10 m.");
    if (r.Interrompida)
        r.Avisos.push_back("Locação interrompida pelo usuário: os arquivos guardam os " +
                           std::to_string(q.Terracos) + " terraços locados até então.");

    // The files: the vector, the table and the coordinate system beside it.
    avisar(0.97, kMsgTerracosLocados + std::to_string(q.Terracos));
    if (!vet.GravarVetor(entrada.VetSaida))
        throw EInOutError("Não foi possível gravar o arquivo \"" + Nome(entrada.VetSaida) + "\".");
    r.Tabela.Salvar(TLocacaoNivel::CaminhoTabela(entrada.VetSaida));
    gis::CopiarSistemaCoordenadas(entrada.ImgElev, entrada.VetSaida);
    avisar(1, kMsgTerracosLocados + std::to_string(q.Terracos));
    return r;
}

std::vector<std::string> TextoQualidade(const TResultadoLocacao& r)
{
    const TQualidadeLocacao& q = r.Qualidade;
    std::vector<std::string> l;
    l.push_back("Área da bacia: " + Numero(q.AreaBacia, "0.00") + " ha");
    l.push_back("Área drenada pelos terraços: " + Numero(q.AreaDrenada, "0.00") + " ha (" +
                Numero(q.PercentualDrenado(), "0.0") + " %)");
    l.push_back("Área abaixo do último terraço (sem terraço a jusante): " + Numero(q.AreaRestante, "0.00") + " ha");
    l.push_back("Terraços: " + std::to_string(q.Terracos) + ", dos quais fechados: " +
                std::to_string(q.Morros + q.Depressoes) + " (" + std::to_string(q.Morros) + " em morros, " +
                std::to_string(q.Depressoes) + " em depressões)");
    l.push_back("Espaçamento horizontal (largura média das faixas): mínimo " + Numero(q.EspacamentoMin, "0.0") +
                " m, mediano " + Numero(q.EspacamentoMediano, "0.0") + " m, máximo " +
                Numero(q.EspacamentoMax, "0.0") + " m (célula de " + Numero(q.LadoCelula) + " m)");
    for (const std::string& a : r.Avisos)
        l.push_back("Aviso: " + a);
    return l;
}

} // namespace vastrel
