#include "rainfall/SelecaoChuva.h"

#include "rainfall/EquacaoIdf.h"

namespace vastrel {

void TSelecaoChuva::MudarEstado(int estado)
{
    TEstado e;
    e.SetIndice(estado);
    estado_ = estado;
    Esquecer();
}

void TSelecaoChuva::Esquecer()
{
    estacao_ = -1;
    localidade_ = -1;
    cidade_.clear();
    latitude_.clear();
    longitude_.clear();
    chuva_.reset();
}

bool TSelecaoChuva::EscolherEstacao(int posicao)
{
    if (estado_ < 0)
        return false;
    const auto& lista = bd_.Estacoes[static_cast<std::size_t>(estado_)];
    if (posicao < 0 || static_cast<std::size_t>(posicao) >= lista.size())
        return false;
    const TRegEstacao& e = lista[static_cast<std::size_t>(posicao)];
    TChuvaLocal c;
    c.Registro = e;
    c.Origem = TOrigemChuva::Estacao;
    c.Estacoes = {{estado_, posicao, 0.0, 1.0}};
    c.DistanciaKm = 0;
    c.Aviso = AvisoEquacao(e);
    Lembrar(std::move(c), e.Nome, e.Latitude, e.Longitude);
    estacao_ = posicao;
    return true;
}

void TSelecaoChuva::EscolherLocalidade(int posicao, const TRegLocalidade& localidade)
{
    // Computed first: an error leaves the previous choice as it was.
    TChuvaLocal c = bd_.ChuvaNoPonto(localidade.Latitude, localidade.Longitude, estado_);
    Lembrar(std::move(c), localidade.Nome, localidade.Latitude, localidade.Longitude);
    localidade_ = posicao;
}

void TSelecaoChuva::EscolherPonto(const std::string& latitude, const std::string& longitude, bool naArea)
{
    TChuvaLocal c = bd_.ChuvaNoPonto(latitude, longitude, estado_);
    if (!naArea) {
        const std::string nota = "O ponto cai fora da área do estado no mapa (mar ou estado vizinho): a equação é a "
                                 "das suas coordenadas.";
        c.Nota = c.Nota.empty() ? nota : nota + " " + c.Nota;
    }
    Lembrar(std::move(c), kCidadeNaoDefinida, latitude, longitude);
}

void TSelecaoChuva::Lembrar(TChuvaLocal chuva, const std::string& cidade, const std::string& latitude,
                            const std::string& longitude)
{
    Esquecer();
    cidade_ = cidade;
    latitude_ = latitude;
    longitude_ = longitude;
    chuva_ = std::move(chuva);
}

std::string TSelecaoChuva::Fonte() const
{
    if (!chuva_)
        return {};
    std::string f = chuva_->Registro.Fonte;
    while (!f.empty() && f.back() == ' ')
        f.pop_back();
    return f;
}

std::string TSelecaoChuva::FonteCompleta() const { return chuva_ ? bd_.FonteCompleta(*chuva_) : std::string(); }

std::string TSelecaoChuva::Aviso() const { return chuva_ ? chuva_->Aviso : std::string(); }

std::string TSelecaoChuva::Nota() const { return chuva_ ? chuva_->Nota : std::string(); }

} // namespace vastrel
