#include "location/LocacaoGradiente.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/UiHooks.h"
#include "engine/CanalGradiente.h"
#include "engine/Precipitacao.h"
#include "engine/Terreno.h"
#include "gis/ErrosGis.h"
#include "gis/Gdal.h"
#include "location/LocacaoComum.h"
#include "location/TracadoGradiente.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace vastrel {

using namespace locacao;

namespace {

TArquivosLocacao Arquivos(const TEntradaLocacaoGradiente& e) { return {e.ImgElev, e.ImgDecli, e.VetSaida}; }

// The channel's inputs the layout needs, checked.
void ConferirCanal(const TEntradaLocacaoGradiente& e)
{
    const TTerracosGradiente& t = e.Terracos;
    if (!(t.Sc > 0) || !std::isfinite(t.Sc))
        throw Exception("Informe o gradiente do canal (Sc) maior que zero para locar terraços com gradiente.");
    if (!(t.nc.Valor > 0) || !std::isfinite(t.nc.Valor))
        throw Exception("Informe a rugosidade do canal (nc) maior que zero para locar terraços com gradiente.");
    if (t.Comprimento <= 0 || t.Comprimento > kComprimentoMaximoCanal)
        throw Exception("Informe o comprimento máximo do canal entre 1 e " + std::to_string(kComprimentoMaximoCanal) +
                        " m para locar terraços com gradiente.");
    if (t.Espacamento.Metodologia.IndMetodologia == kMetodoAlturaArbitrada)
        throw Exception("O método de espaçamento \"Altura do terraço arbitrada\" vale só para terraços em nível: "
                        "escolha outro método para terraços com gradiente.");
    if (dynamic_cast<TPrecipitacaoExponencialNegativa*>(&e.Chuva) == nullptr)
        throw Exception("Os terraços com gradiente são dimensionados com a chuva de uma equação IDF: escolha a "
                        "localidade da chuva de projeto.");
}

TMetodoEspacamento Metodo(const TEntradaLocacaoGradiente& e)
{
    return TMetodoEspacamento(e.Terracos.Espacamento, 0, e.Terracos.Sm.Valor, e.Terracos.CDu, 0);
}

// The top width of the flow of depth h (m) in the channel: the triangle
// between the land slope st and the ridge face sm, or the trapezoid of
// bottom B and side slope Z.
double LarguraSuperficial(const TTerracosGradiente& c, double h, double st)
{
    if (c.TipoCanal.Tipo == 0)
        return c.B + 2 * std::max(c.Z.Valor, 0.0) * h;
    double l = st > 0 ? h / st : 0.0;
    if (c.Sm.Valor > 0)
        l += h / c.Sm.Valor;
    return l;
}

// The channel of one terrace on its own strip: its width w (m), its slope
// st (m/m), its length (m).
void DimensionarCanal(const TEntradaLocacaoGradiente& e, TPrecipitacaoExponencialNegativa& chuva,
                      TRegTerrGradiente& reg)
{
    TTerreno terreno = e.Terreno;
    terreno.SetSt(reg.DeclividadeMedia / 100);
    TTerracosGradiente canal = e.Terracos;
    const auto L = static_cast<std::int32_t>(std::max<long>(1, std::lround(reg.Comprimento)));
    try {
        const TResultadoGradiente r = canal.DimensionarCom(chuva, terreno, reg.EH, canal.Sc, canal.nc.Valor, L);
        reg.Q = r.Q;
        reg.H = r.H;
        reg.Hr = AlturaRecomendada(r.H, canal.CDu) / 100;
        if (LarguraSuperficial(canal, r.H, reg.DeclividadeMedia / 100) > reg.EH)
            reg.Situacao = TSituacaoCanal::MaisLargo;
    } catch (const EDimensionamento&) {
        reg.Q = reg.H = reg.Hr = 0;
        reg.Situacao = TSituacaoCanal::SemProfundidade;
    }
}

// Every terrace's channel, on all the cores: each one's hillslope and
// channel routing is the costly part of a graded layout (tens of
// milliseconds), and each works on its own copies of the storm, terrain and
// channel. With `parar`, a stop request ends the work early (the caller
// then writes nothing).
void DimensionarCanais(const TEntradaLocacaoGradiente& e, std::vector<TRegTerrGradiente>& regs,
                       const std::atomic<bool>* parar, const std::function<void(double)>& avisar)
{
    const auto& modelo = dynamic_cast<const TPrecipitacaoExponencialNegativa&>(e.Chuva);
    const std::size_t n = regs.size();
    const unsigned nucleos = std::max(1u, std::min<unsigned>(std::thread::hardware_concurrency(), 16));
    std::atomic<std::size_t> proximo{0}, feitos{0};
    std::exception_ptr falha;
    std::mutex trava;
    // The thread that started the work reports the progress.
    const std::thread::id principal = std::this_thread::get_id();
    const auto trabalhar = [&] {
        TPrecipitacaoExponencialNegativa chuva = modelo;
        for (;;) {
            const std::size_t k = proximo++;
            if (k >= n || (parar && parar->load()))
                return;
            try {
                DimensionarCanal(e, chuva, regs[k]);
            } catch (...) {
                std::lock_guard<std::mutex> t(trava);
                if (!falha)
                    falha = std::current_exception();
                proximo = n;
                return;
            }
            ++feitos;
            if (std::this_thread::get_id() == principal)
                avisar(static_cast<double>(feitos.load()) / static_cast<double>(n));
        }
    };
    std::vector<std::thread> outros;
    for (unsigned i = 1; i < nucleos && i < n; ++i)
        outros.emplace_back(trabalhar);
    trabalhar();
    for (std::thread& t : outros)
        t.join();
    if (falha)
        std::rethrow_exception(falha);
}

} // namespace

TPrevisaoLocacao PreverLocacaoGradiente(const TEntradaLocacaoGradiente& entrada)
{
    ConferirCanal(entrada);
    TImagens im;
    CarregarImagens(Arquivos(entrada), im);
    TMetodoEspacamento metodo = Metodo(entrada);
    return Previsao(im, metodo);
}

TResultadoLocacao LocarGradiente(const TEntradaLocacaoGradiente& entrada, const gis::TProgressoGis& progresso)
{
    const auto avisar = [&](double fracao, const std::string& etapa) {
        if (progresso.Progresso)
            progresso.Progresso(fracao, etapa);
        ProcessPendingEvents();
    };
    ConferirCanal(entrada);
    avisar(0, kMsgCarregandoImagens);
    TImagens im;
    CarregarImagens(Arquivos(entrada), im);
    TResultadoLocacao r;
    r.Gradiente = true;
    r.ImgElev = entrada.ImgElev;
    r.ImgDecli = entrada.ImgDecli;
    r.VetSaida = entrada.VetSaida;
    {
        TTerreno terreno = entrada.Terreno;
        r.LES = terreno.CalculaLES(entrada.Chuva);
    }
    avisar(0.05, kMsgTerracosLocados);

    // The layout.
    TMetodoEspacamento metodo = Metodo(entrada);
    TOpcoesGradiente op;
    op.Nivel.Espacamento = [&metodo](double s) { return metodo(s); };
    op.Nivel.AreaCelula = im.AreaCelula;
    op.Nivel.Parar = progresso.Parar;
    op.Nivel.Progresso = [&](double f, std::int32_t n) {
        avisar(0.05 + 0.85 * f, kMsgTerracosLocados + std::to_string(n));
    };
    op.Sc = entrada.Terracos.Sc;
    op.ComprimentoMaximo = entrada.Terracos.Comprimento;
    op.DX = im.FatorUnidade * im.Elev.ResX;
    op.DY = im.FatorUnidade * im.Elev.ResY;
    op.AreaDrenagem = entrada.AreaDrenagem;
    const TTracadoGradiente t = TracarTerracosGradiente(im.Elev, im.Decl, op);

    r.DeclividadeMedia = t.DeclividadeMedia;
    const TEspacamentoFaixa bacia = metodo(std::max(t.DeclividadeMedia, kDeclividadeMinimaFaixa));
    r.EV = bacia.EV;
    r.EH = bacia.EH;
    r.Interrompida = t.Interrompido;

    // Each terrace's channel on its own strip.
    TQualidadeLocacao& q = r.Qualidade;
    q.LadoCelula = im.LadoCelula();
    q.AreaBacia = static_cast<double>(t.CelulasBacia) * im.AreaCelula / 10000;
    q.AreaRestante = static_cast<double>(t.CelulasRestantes) * im.AreaCelula / 10000;
    TVET vet;
    vet.SetUnidade(im.Elev.GetUnidade());
    std::vector<double> larguras;
    std::int32_t estreitas = 0, semProfundidade = 0, maisLargos = 0;
    TTabelaGradiente& tab = r.TabelaGradiente;
    for (std::size_t k = 0; k < t.Terracos.size(); ++k) {
        const TTerracoGradiente& tt = t.Terracos[k];
        vet.AdicionarLinha(ParaMapa(tt.Linha, im.Elev));
        TRegTerrGradiente reg;
        reg.Numero = tt.Linha.Numero;
        reg.CotaMontante = tt.CotaMontante;
        reg.CotaSaida = tt.CotaSaida;
        reg.Comprimento = tt.Comprimento;
        reg.Gradiente = tt.Comprimento > 0 ? (tt.CotaMontante - tt.CotaSaida) / tt.Comprimento : 0.0;
        reg.AreaInfluencia = static_cast<double>(tt.Celulas) * im.AreaCelula;
        reg.DeclividadeMedia = tt.DeclividadeFaixa;
        reg.EV = tt.EV;
        reg.EH = reg.AreaInfluencia / reg.Comprimento;
        reg.Saida = tt.Saida + 1;
        tab.Terracos.push_back(reg);
        q.AreaDrenada += reg.AreaInfluencia / 10000;
        larguras.push_back(reg.EH);
        if (reg.EH < 3 * q.LadoCelula)
            ++estreitas;
        if (tt.Forma == TFormaTerraco::Morro)
            ++q.Morros;
        else if (tt.Forma == TFormaTerraco::Depressao)
            ++q.Depressoes;
    }
    const std::string rotulo = kMsgTerracosLocados + std::to_string(t.Terracos.size());
    // Stopped while the channels are designed: nothing is written (a
    // terrace without its channel would read as one that needs none). The
    // terraces of a layout stopped earlier are all designed.
    const std::atomic<bool>* parar = r.Interrompida ? nullptr : progresso.Parar;
    DimensionarCanais(entrada, tab.Terracos, parar, [&](double f) { avisar(0.9 + 0.07 * f, rotulo); });
    if (parar && parar->load())
        throw gis::EProcessoInterrompido();
    for (const TRegTerrGradiente& reg : tab.Terracos) {
        semProfundidade += reg.Situacao == TSituacaoCanal::SemProfundidade ? 1 : 0;
        maisLargos += reg.Situacao == TSituacaoCanal::MaisLargo ? 1 : 0;
    }

    // The outlets and their waterways.
    for (std::size_t k = 0; k < t.Saidas.size(); ++k) {
        const TSaidaGradiente& s = t.Saidas[k];
        TRegSaida reg;
        reg.Numero = static_cast<std::int32_t>(k + 1);
        const TPonto m = PontoNoMapa(s.Ponto, im.Elev);
        reg.X = m.X;
        reg.Y = m.Y;
        reg.Cota = s.Ponto.Z;
        reg.Borda = s.Borda;
        tab.Saidas.push_back(reg);
    }
    for (const TRegTerrGradiente& reg : tab.Terracos)
        tab.Saidas[static_cast<std::size_t>(reg.Saida - 1)].Q += reg.Q;
    for (std::size_t k = 0; k < t.Saidas.size(); ++k) {
        TRegSaida& reg = tab.Saidas[k];
        reg.QCanal = reg.Q;
        for (const std::int32_t o : t.Saidas[k].Montante)
            reg.QCanal += tab.Saidas[static_cast<std::size_t>(o)].Q;
    }
    q.Terracos = static_cast<std::int32_t>(tab.Terracos.size());
    Espacamentos(q, std::move(larguras));
    if (tab.Terracos.empty() && !r.Interrompida)
        throw Exception("Nenhum terraço com gradiente foi locado: o relevo não comporta uma faixa com o espaçamento "
                        "vertical do método (" + Numero(r.EV, "0.00") + " m para a declividade média de " +
                        Numero(r.DeclividadeMedia, "0.0") + " %). Nenhum arquivo foi gravado.");

    // What the user must know.
    AvisosComuns(r, im, estreitas, t.FaixasPlanas);
    if (semProfundidade > 0)
        r.Avisos.push_back(std::to_string(semProfundidade) + " canal(is) não têm profundidade normal para a vazão " +
                           "de projeto: não comportam a vazão (marcados na tabela). Aumente o gradiente, a seção " +
                           "do canal ou encurte os terraços.");
    if (maisLargos > 0)
        r.Avisos.push_back(std::to_string(maisLargos) + " canal(is) precisam de uma lâmina mais larga que a própria " +
                           "faixa para a vazão de projeto (marcados na tabela): a seção não comporta a vazão.");
    if (t.Descartados > 0)
        r.Avisos.push_back(std::to_string(t.Descartados) + " trecho(s) de nível não receberam terraço com gradiente " +
                           "(o terreno não sobe o bastante ao longo deles, ou não drenam área alguma); sua área " +
                           "escoa para o terraço de baixo.");
    if (t.Cruzamentos > 0)
        r.Avisos.push_back(std::to_string(t.Cruzamentos) + " par(es) de terraços se cruzam: confira-os no mapa.");
    if (!(r.LES > 0))
        r.Avisos.push_back("A chuva de projeto não gera escoamento neste solo: os canais não recebem vazão.");
    if (r.Interrompida)
        r.Avisos.push_back("Locação interrompida pelo usuário: os arquivos guardam os " +
                           std::to_string(q.Terracos) + " terraços locados até então.");

    // The files.
    avisar(0.97, kMsgTerracosLocados + std::to_string(q.Terracos));
    if (!vet.GravarVetor(entrada.VetSaida))
        throw EInOutError("Não foi possível gravar o arquivo \"" + Nome(entrada.VetSaida) + "\".");
    tab.Salvar(TLocacaoNivel::CaminhoTabela(entrada.VetSaida));
    gis::CopiarSistemaCoordenadas(entrada.ImgElev, entrada.VetSaida);
    avisar(1, kMsgTerracosLocados + std::to_string(q.Terracos));
    return r;
}

std::string TerracosDaSaida(const TTabelaGradiente& tabela, std::int32_t saida)
{
    std::string terracos;
    for (const TRegTerrGradiente& t : tabela.Terracos)
        if (t.Saida == saida)
            terracos += (terracos.empty() ? "" : ", ") + std::to_string(t.Numero);
    return terracos;
}

std::vector<std::string> TextoEscoadouros(const TResultadoLocacao& r)
{
    std::vector<std::string> l;
    for (const TRegSaida& s : r.TabelaGradiente.Saidas) {
        const std::string terracos = TerracosDaSaida(r.TabelaGradiente, s.Numero);
        if (s.Borda)
            l.push_back("Saída " + std::to_string(s.Numero) + " (borda da área, cota " + Numero(s.Cota, "0.00") +
                        " m): terraços " + terracos + "; vazão " + Numero(s.Q, "0.0") + " L/s");
        else
            l.push_back("Saída " + std::to_string(s.Numero) + " (canal escoadouro, cota " + Numero(s.Cota, "0.00") +
                        " m): terraços " + terracos + "; vazão dos terraços " + Numero(s.Q, "0.0") +
                        " L/s; vazão do canal escoadouro " + Numero(s.QCanal, "0.0") + " L/s");
    }
    return l;
}

} // namespace vastrel
