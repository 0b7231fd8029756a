#include "common/Pastas.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace vastrel;

TEST(PastasTest, DataFoldersAreFoundWithoutRegardToCase)
{
    vastrel::test::TempDir dir;
    std::filesystem::create_directories(dir / "bin" / "Texto");
    std::filesystem::create_directories(dir / "Arquivos comuns");
    vastrel::test::WriteBytes(dir / "bin" / "Texto" / "Selecao.htm", "x");
    DefinirPastaPrograma(dir / "bin");
    EXPECT_TRUE(std::filesystem::is_directory(PastaArquivosComuns()));
    EXPECT_EQ(PastaArquivosComuns().filename(), "Arquivos comuns");
    EXPECT_TRUE(std::filesystem::exists(ArquivoDoPrograma("texto\\selecao.HTM")));
    EXPECT_EQ(ArquivoDoPrograma("texto/nao-existe.htm").filename(), "nao-existe.htm");
    DefinirPastaPrograma({});
    EXPECT_TRUE(std::filesystem::exists(PastaPrograma()));
}
