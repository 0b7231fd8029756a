#pragma once
// Rows of a raster as 32-bit floats, read from and written to wherever the
// image lives: a loaded TMemoryRaster, or a ".ras" file streamed row by row
// so that only a few rows are ever in memory.

#include "gis/MemoryRaster.h"
#include "gis/Bytes.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace vastrel::gis::detalhe {

// Rows of an input image, any cell type, converted to floats.
class TFonteLinhas {
public:
    virtual ~TFonteLinhas() = default;
    const TCabecalhoRaster& Cabecalho() const { return cab_; }
    // Row `linha` (from 0, north first) into destino[0 .. Colunas).
    virtual void Ler(std::int32_t linha, float* destino) = 0;

protected:
    TCabecalhoRaster cab_;
};

class TFonteMemoria : public TFonteLinhas {
public:
    explicit TFonteMemoria(const TMemoryRaster& r) : r_(r) { cab_ = r; }
    void Ler(std::int32_t linha, float* destino) override { r_.LerLinhaComoReal(linha, destino); }

private:
    const TMemoryRaster& r_;
};

// A raster file read row by row; its header is checked on opening (see
// TCabecalhoRaster::Decodificar). A missing file gives Aberto() false.
class TFonteArquivo : public TFonteLinhas {
public:
    explicit TFonteArquivo(const std::filesystem::path& caminho);
    bool Aberto() const { return in_.is_open(); }
    void Ler(std::int32_t linha, float* destino) override;
    void Fechar() { in_.close(); }

private:
    std::filesystem::path caminho_;
    std::ifstream in_;
    std::vector<std::uint8_t> bruto_;
    std::int32_t proxima_ = 0; // row the stream is positioned at
};

// Rows of a real output image.
class TDestinoLinhas {
public:
    virtual ~TDestinoLinhas() = default;
    virtual void Gravar(std::int32_t linha, const float* origem) = 0;
};

class TDestinoMemoria : public TDestinoLinhas {
public:
    explicit TDestinoMemoria(TMemoryRaster& r) : r_(r) {}
    void Gravar(std::int32_t linha, const float* origem) override { r_.GravarLinhaReal(linha, origem); }

private:
    TMemoryRaster& r_;
};

// A real raster file written row by row, north first, into a temporary file
// beside its final name; Concluir writes the header with the extremes and
// renames it into place. Abandoned, it leaves nothing behind.
class TDestinoArquivo : public TDestinoLinhas {
public:
    TDestinoArquivo(const std::filesystem::path& caminho, const TCabecalhoRaster& cabecalho);
    void Gravar(std::int32_t linha, const float* origem) override;
    void Concluir(float valorMin, float valorMax);

private:
    std::filesystem::path caminho_;
    TCabecalhoRaster cab_;
    bytes::TGravacaoSegura gravacao_;
    std::ofstream out_;
    std::vector<std::uint8_t> bruto_;
};

// The header of a real image with the size, extent and unit of `entrada`.
TCabecalhoRaster CabecalhoDeSaida(const TCabecalhoRaster& entrada, const std::string& titulo);

} // namespace vastrel::gis::detalhe
