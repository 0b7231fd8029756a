#pragma once
// Image matrices of the terrace location.
//
// The location works on two grids held whole in memory: the elevation image
// and the slope image, read from raster files (".ras", 32-bit real cells).
// Cells are addressed (row, column) from 1, row 1 being the first row of the
// file, the northern edge; columns run from west to east.
//
// Every cell access is checked: a cell outside the image reads as 0 ("no
// data") and a write outside it is ignored.

#include "common/Exceptions.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vastrel {

// A raster whose version byte is not 1.
class EVersion : public Exception {
public:
    EVersion() : Exception("A Versao deste arquivo é inválida") {}
};

// A distance unit other than "M" or "KM" (any letter case).
class EUnitDist : public Exception {
public:
    EUnitDist() : Exception("Unidade de distância inválida.") {}
};

// Geometry and header fields shared by every matrix.
class TMatrix {
public:
    TMatrix() = default;
    virtual ~TMatrix() = default;
    TMatrix(const TMatrix&) = default;
    TMatrix& operator=(const TMatrix&) = default;

    std::uint8_t Versao = 1;
    float XMin = 0, YMin = 0; // map coordinates of the western and southern edges, in Unidade
    float ResX = 0, ResY = 0; // width and height of one cell, in Unidade
    std::string Titulo;

    std::int32_t Linhas() const { return linhas_; }
    std::int32_t Colunas() const { return colunas_; }

    // 1 is stored; anything else raises EVersion.
    void SetVersao(std::uint8_t b);
    // "M" or "KM" in any letter case, stored as given (cut to 255
    // characters); anything else raises EUnitDist.
    void SetUnidade(const std::string& unidade);
    const std::string& GetUnidade() const { return unidade_; }

    // Resize, keeping the cells that remain and zero-filling new ones. A
    // negative count is taken as 0.
    virtual void SetLinhas(std::int32_t n) = 0;
    virtual void SetColunas(std::int32_t n) = 0;

    // True when (row, column) names a cell of the image.
    bool Dentro(std::int32_t lin, std::int32_t col) const
    {
        return lin >= 1 && lin <= linhas_ && col >= 1 && col <= colunas_;
    }
    // Row-major index of a cell inside the image (from 0).
    std::int64_t Indice(std::int32_t lin, std::int32_t col) const
    {
        return static_cast<std::int64_t>(lin - 1) * colunas_ + (col - 1);
    }

protected:
    std::int32_t linhas_ = 0;
    std::int32_t colunas_ = 0;
    std::string unidade_ = "m";
};

// A matrix of cells of type T, held row after row in one buffer.
template <class T>
class TMatrixDe : public TMatrix {
public:
    T ValorMax{};
    T ValorMin{};

    void SetLinhas(std::int32_t n) override
    {
        if (n < 0)
            n = 0;
        if (n == linhas_)
            return;
        celulas_.resize(static_cast<std::size_t>(n) * static_cast<std::size_t>(colunas_), T{});
        linhas_ = n;
    }

    void SetColunas(std::int32_t n) override
    {
        if (n < 0)
            n = 0;
        if (n == colunas_)
            return;
        std::vector<T> novas(static_cast<std::size_t>(linhas_) * static_cast<std::size_t>(n), T{});
        const std::int32_t comuns = std::min(n, colunas_);
        for (std::int32_t l = 0; l < linhas_; ++l)
            for (std::int32_t c = 0; c < comuns; ++c)
                novas[static_cast<std::size_t>(l) * n + c] = celulas_[static_cast<std::size_t>(l) * colunas_ + c];
        celulas_.swap(novas);
        colunas_ = n;
    }

    // The cell, or 0 outside the image.
    T GetValor(std::int32_t lin, std::int32_t col) const
    {
        return Dentro(lin, col) ? celulas_[static_cast<std::size_t>(Indice(lin, col))] : T{};
    }
    // Writes the cell; ignored outside the image.
    void SetValor(std::int32_t lin, std::int32_t col, T v)
    {
        if (Dentro(lin, col))
            celulas_[static_cast<std::size_t>(Indice(lin, col))] = v;
    }

    // The cells in row-major order (Linhas × Colunas).
    const std::vector<T>& Celulas() const { return celulas_; }

protected:
    std::vector<T> celulas_;
};

// Real cells: the elevation image (m) and the slope image (%).
class TMatrixSingle : public TMatrixDe<float> {
public:
    // Loads a raster file. Reads the version (EVersion when it is not 1)
    // and the type letter; a raster that is not of type "R" leaves the
    // matrix as it is and gives false. Otherwise reads title, size, bounds
    // (ResX = (XMax − XMin)/Colunas, ResY = (YMax − YMin)/Linhas), unit
    // (EUnitDist), ValorMin, ValorMax and every cell, and gives true. A
    // missing, truncated or inconsistent file raises gis::EArquivoGis with
    // its message; a cell that is not a finite number raises Exception.
    bool Carregar(const std::filesystem::path& caminho);
};

} // namespace vastrel
