// "exportar": the system's own ".ras" or ".vet" file to IDRISI, Surfer or a
// GDAL format.

#include "Comandos.h"
#include "Gis.h"

#include "gis/Bytes.h"

#include <iostream>

namespace vastrel::cli {

namespace {

// Exports ask nothing of the user.
// Exports ask nothing of the user; a GDAL export of a vector may name the
// raster whose coordinate system it takes.
class TSemPerguntas : public vastrel::gis::IPerguntasConversao {
public:
    explicit TSemPerguntas(vastrel::gis::TOpcoesGdal gdal) : gdal_(std::move(gdal)) {}
    std::string UnidadeDistancia() override { return "m"; }
    void Informar(const std::string& mensagem) override { std::cerr << mensagem << "\n"; }
    vastrel::gis::TOpcoesGdal OpcoesGdal() override { return gdal_; }

private:
    vastrel::gis::TOpcoesGdal gdal_;
};

int Exportar(const Argumentos& args)
{
    using namespace vastrel::gis;
    const Opcoes op(args, {"formato", "tipo", "titulo", "raster"}, {});
    const gis::TConversaoCli c = gis::LerConversao(op, "exportar");
    if (op.Tem("titulo") && c.Formato == TFormatoExterno::Surfer)
        throw ErroUso{"Arquivos do Surfer não têm título."};
    if (op.Tem("titulo") && c.Formato == TFormatoExterno::Gdal)
        throw ErroUso{"Os formatos do GDAL não recebem o título do Vastrel."};
    TOpcoesGdal gdal;
    if (op.Tem("raster")) {
        if (c.Formato != TFormatoExterno::Gdal || c.Tipo != TTipoDadoGis::Vetor)
            throw ErroUso{"--raster vale só para exportar vetores com --formato gdal."};
        gdal.RasterOrigem = bytes::CaminhoDeUtf8(op.Valor("raster"));
    }
    TSemPerguntas respostas(gdal);
    std::string mensagem;
    const int codigo = gis::Executar([&] {
        const auto padrao = TituloPadraoConversao(TModoConversao::Exportacao, c.Formato, c.Tipo, c.Entrada);
        const std::string titulo = gis::Titulo(op, padrao.value_or(""));
        mensagem = Converter(TModoConversao::Exportacao, c.Formato, c.Tipo, c.Entrada, c.Saida, titulo, respostas);
    });
    if (codigo == kSucesso)
        std::cout << mensagem << "\n";
    return codigo;
}

const RegistroComando kExportar{
    "exportar", Exportar,
    "  vastrel-cli exportar --formato idrisi|surfer --tipo raster|vetor [--titulo T] ENTRADA SAIDA\n"
    "      .ras ou .vet para Idrisi (.img + .doc, .vec + .dvc) ou Surfer (.grd ASCII, .txt X Y Z).\n"
    "  vastrel-cli exportar --formato gdal [--tipo raster|vetor] [--raster ELEVACAO.ras] ENTRADA SAIDA\n"
    "      Formato pela extensão de SAIDA: .ras para .tif, .asc, .rst; .vet para .gpkg, .shp, .kml,\n"
    "      .gpx, .dxf (cada linha com o número do terraço e os dados da tabela .bdt ao lado), ou a\n"
    "      tabela .bdt para .csv. O sistema de coordenadas vem do .prj do raster de elevação\n"
    "      (--raster) ou do próprio vetor; KML e GPX saem em longitude e latitude (WGS 84).\n"};

} // namespace

} // namespace vastrel::cli
