// The report frame's saved form: every picture inside the page, so that a
// saved report needs no file beside it and shares none with other reports.

#include "reports/ModeloRelatorio.h"

#include <gtest/gtest.h>

#include <map>

using namespace vastrel::relatorio;

TEST(ModeloRelatorio, Base64SegueARfc4648)
{
    // The test vectors of RFC 4648, section 10, with every padding case.
    const std::pair<const char*, const char*> casos[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
    for (const auto& [entrada, esperado] : casos)
        EXPECT_EQ(Base64(entrada), esperado) << entrada;
    EXPECT_EQ(Base64(std::string("\xff\x00\xfe", 3)), "/wD+");
}

TEST(ModeloRelatorio, FigurasVaoParaDentroDaPaginaSalva)
{
    // The header picture by absolute path (entities escaped), the chart by
    // the shared temporary name, and a picture that is not at hand.
    const std::string html = "<HTML><CENTER><IMG SRC=\"/prog/R&amp;D/Cabecalho.jpg\" HEIGHT=62 WIDTH=550>"
                             "</CENTER><P><img src=\"Bit.bmp\" HEIGHT=300 WIDTH=500><IMG SRC=\"sumiu.png\"></HTML>";
    const std::map<std::string, TFiguraEmbutida> figuras = {
        {"/prog/R&D/Cabecalho.jpg", {"image/jpeg", "foo"}},
        {"Bit.bmp", {"image/png", "foobar"}},
    };
    std::vector<std::string> faltando;
    const std::string salvo = EmbutirFiguras(
        html,
        [&figuras](const std::string& src) -> std::optional<TFiguraEmbutida> {
            const auto it = figuras.find(src);
            if (it == figuras.end())
                return std::nullopt;
            return it->second;
        },
        &faltando);
    EXPECT_EQ(salvo, "<HTML><CENTER><IMG SRC=\"data:image/jpeg;base64,Zm9v\" HEIGHT=62 WIDTH=550></CENTER><P>"
                     "<img src=\"data:image/png;base64,Zm9vYmFy\" HEIGHT=300 WIDTH=500><IMG SRC=\"sumiu.png\"></HTML>");
    EXPECT_EQ(faltando, std::vector<std::string>{"sumiu.png"});
    EXPECT_EQ(salvo.find("/prog/"), std::string::npos);
    EXPECT_EQ(salvo.find("Bit.bmp"), std::string::npos);
}

TEST(ModeloRelatorio, TipoDaFiguraPelaExtensao)
{
    EXPECT_EQ(TipoFigura("/a/Cabecalho.JPG"), "image/jpeg");
    EXPECT_EQ(TipoFigura("Bit.bmp"), "image/bmp");
    EXPECT_EQ(TipoFigura("mapa.png"), "image/png");
    EXPECT_EQ(TipoFigura("sem-extensao"), "application/octet-stream");
}
