#pragma once
// Editing the project identification as the dialog does it: the six texts
// in the order of its fields, and their confirmation, which tells whether
// the project changed.

#include <array>
#include <string>

#include "project/IDProjeto.h"

namespace vastrel {

// Nome, Empresa, Local, Estado, Tecnico, Data.
using TTextosIdentificacao = std::array<std::string, 6>;

TTextosIdentificacao TextosIdentificacao(const TIDProjeto& id);

// Stores the six texts; true when any of them differs from what the record
// held (the project is then modified), false when all are as they were.
bool AlterarIdentificacao(TIDProjeto& id, const TTextosIdentificacao& textos);

} // namespace vastrel
