#include "common/IniFile.h"

#include "common/Cp1252.h"
#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Locale.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <limits>

#include <sys/stat.h>
#include <unistd.h>

using namespace vastrel;
using vastrel::test::ReadBytes;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;

TEST(Cp1252Test, RoundTripsEveryByteAndMapsAccents)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Utf8ToCp1252("ESPAÇAMENTO"), "ESPA\xC7" "AMENTO");
    EXPECT_EQ(Cp1252ToUtf8("S\xE3o Paulo \x80"), "São Paulo €");
    EXPECT_EQ(Utf8ToCp1252("日本"), "??");
    EXPECT_EQ(FoldCase("Espaçamento"), "ESPAÇAMENTO");
    EXPECT_TRUE(LooksLikeUtf8("Paraná"));
    EXPECT_FALSE(LooksLikeUtf8("Paran\xE1"));
    EXPECT_FALSE(LooksLikeUtf8("plain"));
}

class IniFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "p.vst";
};

TEST_F(IniFileTest, WritesWindows1252WithCrLfAndReadsBackWithoutRegardToCase)
{
    ScopedDecimalSeparator sep(',');
    {
        TIniFile ini(file);
        ini.WriteString("ESPAÇAMENTO", "Versao", "1");
        ini.WriteFloat("ESPAÇAMENTO", "EH", 18.3);
        ini.WriteInteger("TipoSistema", "Tipo", 1);
        ini.UpdateFile();
    }
    EXPECT_EQ(ReadBytes(file), "[ESPA\xC7" "AMENTO]\r\nVersao=1\r\nEH=18,3\r\n[TipoSistema]\r\nTipo=1\r\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("espaçamento", "VERSAO", "0"), "1");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Espaçamento", "eh", 0), 18.3);
    EXPECT_EQ(ini.ReadInteger("tiposistema", "tipo", -1), 1);
}

TEST_F(IniFileTest, ReplacesInPlaceAppendsToSectionAndKeepsEverythingElse)
{
    WriteBytes(file, "; comment\r\n[A]\r\nx=1\r\nOdd Line\r\n\r\n[B]\r\ny=2\r\n[Old]\r\nkeep=yes\r\n");
    TIniFile ini(file);
    ini.WriteString("a", "X", "10"); // replaced where it stands, spelling of the key kept
    ini.WriteString("A", "z", "3");  // appended at the end of its section
    ini.WriteString("C", "w", "4");  // new section at the end of the file
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(file),
              "; comment\r\n[A]\r\nx=10\r\nOdd Line\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[Old]\r\nkeep=yes\r\n[C]\r\nw=4\r\n");
}

TEST_F(IniFileTest, DefaultsForMissingOrUnparsableValues)
{
    WriteBytes(file, "[S]\nn=abc\nf=1;2\ni=2.5\ncomma=0,25\npoint=0.25\nblank=\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("S", "n", -1), -1);
    EXPECT_EQ(ini.ReadFloat("S", "f", 7), 7);
    EXPECT_EQ(ini.ReadInteger("S", "i", -2), -2);
    EXPECT_EQ(ini.ReadFloat("S", "comma", 0), 0.25);
    EXPECT_EQ(ini.ReadFloat("S", "point", 0), 0.25);
    EXPECT_EQ(ini.ReadString("S", "blank", "d"), "");
    EXPECT_EQ(ini.ReadString("S", "missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("Nope", "n", "d"), "d");
    EXPECT_FALSE(ini.Modified());
}

TEST_F(IniFileTest, ValuesKeepTheirBlanksAndAccents)
{
    {
        TIniFile ini(file);
        ini.WriteString("NIMBRA", "Latitude", "  °  '  \"");
        ini.WriteString("IDENTIFICACAO", "Nome", "Fazenda São João");
        ini.UpdateFile();
    }
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("NIMBRA", "Latitude", ""), "  °  '  \"");
    EXPECT_EQ(ini.ReadString("IDENTIFICACAO", "Nome", ""), "Fazenda São João");
}

TEST_F(IniFileTest, AFileSavedAsUtf8ByAnEditorReadsToo)
{
    WriteBytes(file, "\xEF\xBB\xBF[ESPAÇAMENTO]\nCultura=Feijão\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("ESPAÇAMENTO", "Cultura", ""), "Feijão");
}

TEST_F(IniFileTest, DeleteKeyIsTheOnlyRemoval)
{
    WriteBytes(file, "[NIMBRA]\r\nTr=10\r\nK=1\r\n");
    TIniFile ini(file);
    ini.DeleteKey("nimbra", "tr");
    ini.DeleteKey("nimbra", "absent");
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(file), "[NIMBRA]\r\nK=1\r\n");
}

TEST_F(IniFileTest, AFailedSaveLeavesTheFileUntouched)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores file permissions";
    WriteBytes(file, "[A]\r\nx=1\r\n");
    ::chmod(file.c_str(), 0444);
    TIniFile ini(file);
    ini.WriteString("A", "x", "2");
    EXPECT_THROW(ini.UpdateFile(), EInOutError);
    EXPECT_EQ(ReadBytes(file), "[A]\r\nx=1\r\n");
    EXPECT_FALSE(WithIniFile(file, [](TIniFile& f) { f.WriteString("A", "x", "3"); return true; }));
}

TEST_F(IniFileTest, SaveIntoAMissingFolderFailsWithAMessage)
{
    TIniFile ini(dir / "no-such-folder" / "p.vst");
    ini.WriteString("A", "x", "1");
    try {
        ini.UpdateFile();
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("Não foi possível gravar o arquivo"), std::string::npos);
    }
}

TEST_F(IniFileTest, NoTemporaryFileIsLeftBehind)
{
    TIniFile ini(file);
    ini.WriteString("A", "x", "1");
    ini.UpdateFile();
    int count = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++count;
    EXPECT_EQ(count, 1);
}

TEST_F(IniFileTest, ADirectoryIsNotAnIniFile)
{
    EXPECT_THROW(TIniFile ini(dir.Path()), EInOutError);
    EXPECT_FALSE(WithIniFile(dir.Path(), [](TIniFile&) { return true; }));
}

// An editor's save or a copy from Windows can put a UTF-8 byte-order mark in
// front of Windows-1252 text: the text after the mark is checked like any
// other, and a save after it keeps every accented letter.
TEST_F(IniFileTest, AByteOrderMarkBeforeWindows1252TextKeepsTheAccents)
{
    WriteBytes(file, "\xEF\xBB\xBF[IDENTIFICACAO]\r\nPropriedade=S\xEDtio Boa Vista - talh\xE3o 3\r\n");
    {
        TIniFile ini(file);
        EXPECT_EQ(ini.ReadString("IDENTIFICACAO", "Propriedade", ""), "Sítio Boa Vista - talhão 3");
        ini.WriteString("IDENTIFICACAO", "Versao", "1");
        ini.UpdateFile();
    }
    EXPECT_EQ(ReadBytes(file), "[IDENTIFICACAO]\r\nPropriedade=S\xEDtio Boa Vista - talh\xE3o 3\r\nVersao=1\r\n");
}

// Text that Windows-1252 cannot hold is never replaced by '?': such a file
// is saved as UTF-8 with a byte-order mark, which reads back unchanged.
TEST_F(IniFileTest, TextOutsideWindows1252IsSavedWithoutLoss)
{
    const std::string nome = "Fazenda Łódź – 日本 São João";
    {
        TIniFile ini(file);
        ini.WriteString("IDENTIFICACAO", "Propriedade", nome);
        ini.UpdateFile();
    }
    EXPECT_EQ(ReadBytes(file), "\xEF\xBB\xBF[IDENTIFICACAO]\r\nPropriedade=" + nome + "\r\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("IDENTIFICACAO", "Propriedade", ""), nome);
}

// A value handed over in Windows-1252 bytes rather than UTF-8 keeps its
// letters too: malformed UTF-8 is read as the Windows-1252 it most likely is.
TEST_F(IniFileTest, Windows1252BytesWrittenAsAValueKeepTheirLetters)
{
    {
        TIniFile ini(file);
        ini.WriteString("IDENTIFICACAO", "Propriedade", "Ch\xE1" "cara S\xE3o Jo\xE3o");
        EXPECT_EQ(ini.ReadString("IDENTIFICACAO", "Propriedade", ""), "Chácara São João");
        ini.UpdateFile();
    }
    EXPECT_EQ(ReadBytes(file), "[IDENTIFICACAO]\r\nPropriedade=Ch\xE1" "cara S\xE3o Jo\xE3o\r\n");
}

// A CR LF file converted to CR LF once more ends its lines in CR CR LF, and
// an old Macintosh file in CR alone: a CR ends a line wherever it stands,
// so no value keeps a stray CR that makes it unrecognisable. (A value never
// holds one: writing replaces line ends by blanks.)
TEST_F(IniFileTest, ACarriageReturnEndsALineWhereverItStands)
{
    WriteBytes(file, "[PRINCIPAL]\r\r\nUDecli=%\r\r\npath1=/home/ana/S\xEDtio.vst\r\r\n[A]\rx=1\ry=2");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("PRINCIPAL", "UDecli", ""), "%");
    EXPECT_EQ(ini.ReadString("PRINCIPAL", "path1", ""), "/home/ana/Sítio.vst");
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
}

// The shortest 15-digit form of the largest doubles rounds beyond the
// largest double; such a value is written with the digits it needs, so it
// reads back as itself rather than as the reader's default.
TEST_F(IniFileTest, TheLargestFloatsReadBackAsThemselves)
{
    constexpr double kMaior = std::numeric_limits<double>::max();
    {
        TIniFile ini(file);
        ini.WriteFloat("S", "max", kMaior);
        ini.WriteFloat("S", "min", -kMaior);
        ini.WriteFloat("S", "eh", 18.3);
        ini.UpdateFile();
    }
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadFloat("S", "max", 0), kMaior);
    EXPECT_EQ(ini.ReadFloat("S", "min", 0), -kMaior);
    EXPECT_EQ(ini.ReadString("S", "eh", ""), FloatToStr(18.3));
}

// A file read as Windows-1252 may hold bytes that, once the only byte that
// was not UTF-8 is overwritten, form UTF-8 ("SÃ­tio" is the Windows-1252
// reading of the UTF-8 of "Sítio"): such a save is written as UTF-8 with a
// byte-order mark, so every other value reads back as it was read.
TEST_F(IniFileTest, ASaveThatWouldReadAsUtf8KeepsTheOtherValues)
{
    WriteBytes(file, "[PRINCIPAL]\r\nUDecli=\x91\r\npath1=/home/S\xC3\xADtio.vst\r\n");
    {
        TIniFile ini(file);
        EXPECT_EQ(ini.ReadString("PRINCIPAL", "path1", ""), "/home/SÃ­tio.vst");
        ini.WriteString("PRINCIPAL", "UDecli", "m/m");
        ini.UpdateFile();
    }
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("PRINCIPAL", "path1", ""), "/home/SÃ­tio.vst");
    EXPECT_EQ(ini.ReadString("PRINCIPAL", "UDecli", ""), "m/m");
}
