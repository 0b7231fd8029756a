#include "rainfall/GradeIdf.h"

#include "rainfall/BDPrecipitacao.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <type_traits>

namespace vastrel {

namespace fs = std::filesystem;

namespace {

constexpr char kMagica[4] = {'V', 'G', 'R', 'D'};
constexpr std::size_t kCabecalho = 40;

template <typename T>
T Ler(const std::string& b, std::size_t pos)
{
    using U = std::conditional_t<sizeof(T) == 8, std::uint64_t, std::uint32_t>;
    U bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits |= static_cast<U>(static_cast<unsigned char>(b[pos + i])) << (8 * i);
    return std::bit_cast<T>(bits);
}

template <typename T>
void Escrever(std::string& b, T v)
{
    using U = std::conditional_t<sizeof(T) == 8, std::uint64_t, std::uint32_t>;
    const U bits = std::bit_cast<U>(v);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        b.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

} // namespace

void TGradeIdf::Carregar(const fs::path& arquivo)
{
    std::error_code ec;
    if (!fs::is_regular_file(arquivo, ec))
        throw EArquivoNaoExiste(arquivo);
    std::ifstream in(arquivo, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto falha = [&](const std::string& d) {
        return EBDPrecipitacao("O arquivo " + arquivo.string() + " está corrompido: " + d + ".");
    };
    if (b.size() < kCabecalho || std::memcmp(b.data(), kMagica, 4) != 0 || Ler<std::uint32_t>(b, 4) != 1)
        throw falha("não é uma grade de equações IDF");
    const auto cols = Ler<std::int32_t>(b, 8);
    const auto lins = Ler<std::int32_t>(b, 12);
    const double lon0 = Ler<double>(b, 16), lat0 = Ler<double>(b, 24), cel = Ler<double>(b, 32);
    if (cols <= 0 || lins <= 0 || cols > 10000 || lins > 10000 || !(cel > 0 && cel < 10) || !std::isfinite(lon0) ||
        !std::isfinite(lat0))
        throw falha("cabeçalho inválido");
    const std::size_t n = static_cast<std::size_t>(cols) * static_cast<std::size_t>(lins) * 4;
    if (b.size() != kCabecalho + n * 4)
        throw falha("o tamanho não confere com o cabeçalho");
    std::vector<float> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = Ler<float>(b, kCabecalho + 4 * i);
    Colunas = cols;
    Linhas = lins;
    Lon0 = lon0;
    Lat0 = lat0;
    Celula = cel;
    Valores = std::move(v);
}

void TGradeIdf::Gravar(const fs::path& arquivo) const
{
    std::string b(kMagica, 4);
    Escrever<std::uint32_t>(b, 1);
    Escrever<std::int32_t>(b, Colunas);
    Escrever<std::int32_t>(b, Linhas);
    Escrever(b, Lon0);
    Escrever(b, Lat0);
    Escrever(b, Celula);
    for (float f : Valores)
        Escrever(b, f);
    std::ofstream out(arquivo, std::ios::binary | std::ios::trunc);
    out.write(b.data(), static_cast<std::streamsize>(b.size()));
    out.close();
    if (!out)
        throw EInOutError("Não foi possível gravar o arquivo " + arquivo.string() + ".");
}

bool TGradeIdf::Cheia(int col, int lin) const
{
    if (col < 0 || lin < 0 || col >= Colunas || lin >= Linhas)
        return false;
    const std::size_t i = (static_cast<std::size_t>(lin) * static_cast<std::size_t>(Colunas) +
                           static_cast<std::size_t>(col)) * 4;
    for (std::size_t k = 0; k < 4; ++k)
        if (!std::isfinite(Valores[i + k]) || Valores[i + k] < 0)
            return false;
    return Valores[i] > 0;
}

std::optional<TEquacaoGrade> TGradeIdf::Equacao(double latitude, double longitude) const
{
    if (!Carregada())
        return std::nullopt;
    // East and north positive, in cells from the north-western corner.
    const double x = (-longitude - Lon0) / Celula;
    const double y = (Lat0 + latitude) / Celula;
    if (!(x > -3 && y > -3 && x < Colunas + 3 && y < Linhas + 3))
        return std::nullopt;
    const int col = static_cast<int>(std::floor(x));
    const int lin = static_cast<int>(std::floor(y));
    int melhorCol = -1, melhorLin = -1;
    double melhorD = INFINITY;
    for (int dl = -2; dl <= 2; ++dl)
        for (int dc = -2; dc <= 2; ++dc) {
            const int c = col + dc, l = lin + dl;
            if (!Cheia(c, l))
                continue;
            const double d = std::hypot(c + 0.5 - x, l + 0.5 - y);
            if (d < melhorD) {
                melhorD = d;
                melhorCol = c;
                melhorLin = l;
            }
        }
    if (melhorCol < 0)
        return std::nullopt;
    const std::size_t i = (static_cast<std::size_t>(melhorLin) * static_cast<std::size_t>(Colunas) +
                           static_cast<std::size_t>(melhorCol)) * 4;
    TEquacaoGrade e;
    e.K = Valores[i];
    e.A = Valores[i + 1];
    e.B = Valores[i + 2];
    e.C = Valores[i + 3];
    e.LongitudeCelula = -(Lon0 + (melhorCol + 0.5) * Celula);
    e.LatitudeCelula = -(Lat0 - (melhorLin + 0.5) * Celula);
    e.Vizinha = melhorCol != col || melhorLin != lin;
    return e;
}

} // namespace vastrel
