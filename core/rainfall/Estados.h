#pragma once
// The 27 Brazilian states of the rainfall database, in the fixed order whose
// index numbers the states in the database files, the project file and the
// settings.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Exceptions.h"

namespace vastrel {

struct TDadosEstado {
    const char* Nome;
    const char* UF;
};

inline constexpr int kNumEstados = 27;
extern const std::array<TDadosEstado, kNumEstados> kEstados;

// Index of the state with this two-letter abbreviation (either case), or
// -1 when there is none.
int IndiceDaSigla(std::string_view uf);

class ENumeroEstado : public Exception {
public:
    explicit ENumeroEstado(const std::string& message) : Exception(message) {}
};

class TEstado {
public:
    std::int16_t Indice = 0;

    // Raises ENumeroEstado for an index outside 0..26.
    void SetIndice(int n);
    std::string Nome() const { return kEstados[static_cast<std::size_t>(Indice)].Nome; }
};

} // namespace vastrel
