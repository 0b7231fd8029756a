#include "project/EdicaoIdentificacao.h"

namespace vastrel {

namespace {

std::array<std::string*, 6> Campos(TIDProjeto& id)
{
    return {&id.Nome, &id.Empresa, &id.Local, &id.Estado, &id.Tecnico, &id.Data};
}

} // namespace

TTextosIdentificacao TextosIdentificacao(const TIDProjeto& id)
{
    return {id.Nome, id.Empresa, id.Local, id.Estado, id.Tecnico, id.Data};
}

bool AlterarIdentificacao(TIDProjeto& id, const TTextosIdentificacao& textos)
{
    bool alterou = false;
    const auto campos = Campos(id);
    for (std::size_t i = 0; i < campos.size(); ++i) {
        if (*campos[i] != textos[i]) {
            *campos[i] = textos[i];
            alterou = true;
        }
    }
    return alterou;
}

} // namespace vastrel
