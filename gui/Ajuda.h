#pragma once
// Help: every topic number of the program is a page "ajuda/<número>.htm" in
// the program's folder, shown in the document browser. The contents page
// "ajuda/index.htm" lists the topics; a topic without a page of its own
// opens the contents page.

#include <filesystem>

class QAbstractButton;
class QWidget;

namespace vastrel::gui {

class TDialogos;

// The help topics, by the window or group whose "Ajuda" button or F1 opens
// them. Every window takes its topic from here.
namespace topico {
inline constexpr int Conteudo = 0;
inline constexpr int SimulacaoGradiente = 2;
inline constexpr int CoeficienteDesuniformidade = 3;
inline constexpr int CoberturaVegetal = 5;
inline constexpr int ConsultaChuvas = 7;
inline constexpr int LocacaoPrecipitacao = 12;
inline constexpr int Dimensionamento = 13;
inline constexpr int LocacaoParana = 16;
inline constexpr int LombardiNeto = 20;
inline constexpr int GruposErosao = 24;
inline constexpr int ConfSistema = 29;
inline constexpr int Identificacao = 30;
inline constexpr int ResultadosGradiente = 36;
inline constexpr int ResultadosNivel = 37;
inline constexpr int TipoTerraco = 46;
inline constexpr int RugosidadeCanal = 51;
inline constexpr int RugosidadeTerreno = 52;
inline constexpr int ImportacaoExportacao = 63;
inline constexpr int Filtro = 64;
inline constexpr int Declividade = 65;
inline constexpr int Locacao = 67;
inline constexpr int LocacaoImagens = 68;
inline constexpr int LocacaoEspacamento = 69;
inline constexpr int Visualizar = 76;
inline constexpr int LocacaoSolo = 81;
inline constexpr int LocacaoBentley = 98;
inline constexpr int Bentley = 99;
inline constexpr int Parana = 100;
inline constexpr int LocacaoLombardiNeto = 102;
inline constexpr int ReferenciaRugosidadeTerreno = 110;
inline constexpr int ReferenciaRugosidadeCanal = 112;
inline constexpr int LocacaoCanal = 115;
inline constexpr int LocacaoTipoArbitrado = 117;
inline constexpr int LocacaoCobertura = 120;
inline constexpr int FaixasValidade = 130; // the inputs' published validity ranges (linked from the dimensioning page)
inline constexpr int SimulacaoNivel = 200;

// Every topic above but the contents, in increasing order.
inline constexpr int kTodos[] = {
    SimulacaoGradiente, CoeficienteDesuniformidade, CoberturaVegetal, ConsultaChuvas, LocacaoPrecipitacao,
    Dimensionamento, LocacaoParana, LombardiNeto, GruposErosao, ConfSistema, Identificacao, ResultadosGradiente,
    ResultadosNivel, TipoTerraco, RugosidadeCanal, RugosidadeTerreno, ImportacaoExportacao, Filtro, Declividade,
    Locacao, LocacaoImagens, LocacaoEspacamento, Visualizar, LocacaoSolo, LocacaoBentley, Bentley, Parana,
    LocacaoLombardiNeto, ReferenciaRugosidadeTerreno, ReferenciaRugosidadeCanal, LocacaoCanal, LocacaoTipoArbitrado,
    LocacaoCobertura, SimulacaoNivel, FaixasValidade};
} // namespace topico

inline constexpr int kTopicoConteudo = topico::Conteudo;

// The page of a topic (the contents page for 0 or a topic not written).
std::filesystem::path PaginaDeAjuda(int topico);

class TAjuda {
public:
    explicit TAjuda(TDialogos& dialogos) : dialogos_(dialogos) {}

    // Shows the topic in the document browser, modally over `pai`.
    void Abrir(int topico, QWidget* pai);
    // The page "Como usar a ajuda".
    void ComoUsar(QWidget* pai);

    // F1 in `janela`, and a click on `botao` when given, open the topic.
    void Ligar(QWidget* janela, int topico, QAbstractButton* botao = nullptr);

private:
    TDialogos& dialogos_;
};

} // namespace vastrel::gui
