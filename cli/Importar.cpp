// "importar": an IDRISI, Surfer or GDAL raster or vector into the system's
// own ".ras" or ".vet" file.

#include "Comandos.h"
#include "Gis.h"

#include "common/Format.h"
#include "gis/Bytes.h"
#include "gis/Gdal.h"

#include <iostream>

namespace vastrel::cli {

namespace {

// The answers a window would give with its radio buttons and message boxes.
class TRespostasCli : public vastrel::gis::IPerguntasConversao {
public:
    TRespostasCli(std::string unidade, vastrel::gis::TOpcoesGdal gdal)
        : unidade_(std::move(unidade)), gdal_(std::move(gdal))
    {
    }
    std::string UnidadeDistancia() override { return unidade_; }
    void Informar(const std::string& mensagem) override { std::cerr << mensagem << "\n"; }
    vastrel::gis::TOpcoesGdal OpcoesGdal() override { return gdal_; }

private:
    std::string unidade_;
    vastrel::gis::TOpcoesGdal gdal_;
};

// --banda, --celula and --recorte of a GDAL import.
vastrel::gis::TOpcoesGdal LerOpcoesGdal(const Opcoes& op, bool gdal)
{
    vastrel::gis::TOpcoesGdal o;
    for (const char* nome : {"banda", "celula", "recorte"})
        if (op.Tem(nome) && !gdal)
            throw ErroUso{std::string("--") + nome + " vale só para --formato gdal."};
    if (op.Tem("banda"))
        o.Banda = op.Inteiro("banda");
    if (op.Tem("celula"))
        o.TamanhoCelula = op.Real("celula");
    if (op.Tem("recorte"))
        o.Recorte = vastrel::gis::bytes::CaminhoDeUtf8(op.Valor("recorte"));
    return o;
}

// What a GDAL import will do, on standard error: the system of the output
// and the cell size, as the window shows them before the user confirms.
void DescreverImportacaoGdal(const std::string& entrada, const vastrel::gis::TOpcoesGdal& o)
{
    using namespace vastrel::gis;
    const TInfoRasterGdal i = InspecionarRasterGdal(bytes::CaminhoDeUtf8(entrada));
    std::cerr << i.Formato << ", " << i.Colunas << " x " << i.Linhas << " células, " << i.Bandas
              << (i.Bandas == 1 ? " banda" : " bandas") << "; sistema "
              << (i.SistemaOrigem.empty() ? "não informado" : i.SistemaOrigem) << ".\n";
    if (i.Reprojetar)
        std::cerr << "Reprojetado para " << i.SistemaDestino << " (EPSG:" << i.EpsgDestino << ").\n";
    const double celula = o.TamanhoCelula.value_or(i.TamanhoCelulaProposto);
    std::cerr << "Tamanho de célula: " << FormatFloat("0.######", celula) << " m (nativo "
              << FormatFloat("0.######", i.TamanhoCelulaProposto) << " m).\n";
}

int Importar(const Argumentos& args)
{
    using namespace vastrel::gis;
    const Opcoes op(args, {"formato", "tipo", "unidade", "titulo", "banda", "celula", "recorte"}, {});
    const gis::TConversaoCli c = gis::LerConversao(op, "importar");
    const std::string unidade = op.Tem("unidade") ? op.Valor("unidade") : "m";
    if (unidade != "m" && unidade != "km")
        throw ErroUso{"--unidade deve ser m ou km."};
    if (op.Tem("unidade") && c.Formato != TFormatoExterno::Surfer)
        throw ErroUso{"--unidade vale só para arquivos do Surfer (os do Idrisi trazem a sua)."};
    const bool gdal = c.Formato == TFormatoExterno::Gdal;
    const TOpcoesGdal opcoesGdal = LerOpcoesGdal(op, gdal);
    if (gdal && c.Tipo == TTipoDadoGis::Vetor && (op.Tem("banda") || op.Tem("celula") || op.Tem("recorte")))
        throw ErroUso{"--banda, --celula e --recorte valem só para rasters."};
    TRespostasCli respostas(unidade, opcoesGdal);
    std::string mensagem;
    const int codigo = gis::Executar([&] {
        if (gdal && c.Tipo == TTipoDadoGis::Raster)
            DescreverImportacaoGdal(c.Entrada, opcoesGdal);
        const std::string titulo =
            gis::Titulo(op, *TituloPadraoConversao(TModoConversao::Importacao, c.Formato, c.Tipo, c.Entrada));
        mensagem = Converter(TModoConversao::Importacao, c.Formato, c.Tipo, c.Entrada, c.Saida, titulo, respostas);
    });
    if (codigo == kSucesso)
        std::cout << mensagem << "\n";
    return codigo;
}

const RegistroComando kImportar{
    "importar", Importar,
    "  vastrel-cli importar --formato idrisi|surfer --tipo raster|vetor [--unidade m|km]\n"
    "      [--titulo T] ENTRADA SAIDA\n"
    "      Idrisi (.img + .doc, .vec + .dvc) ou Surfer (.grd ASCII, .txt X Y Z) para .ras ou .vet;\n"
    "      --unidade: unidade de distância das coordenadas do Surfer (padrão m).\n"
    "  vastrel-cli importar --formato gdal [--tipo raster|vetor] [--banda N] [--celula M]\n"
    "      [--recorte POLIGONO] [--titulo T] ENTRADA SAIDA\n"
    "      Qualquer raster que o GDAL lê (GeoTIFF, grade ASCII, Idrisi RST...) para .ras em metros,\n"
    "      com o sistema de coordenadas em SAIDA.prj; em graus, reprojetado para a zona UTM do centro;\n"
    "      --celula: tamanho de célula em m (padrão o nativo); --recorte: polígono da bacia\n"
    "      (GeoPackage, Shapefile, KML) fora do qual as células ficam 0. Com --tipo vetor, linhas\n"
    "      e polígonos para .vet.\n"};

} // namespace

} // namespace vastrel::cli
