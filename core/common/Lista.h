#pragma once
// An owning list addressed from 1, the container of the terrace location's
// points, lines and tables.

#include <cstdint>
#include <utility>
#include <vector>

namespace vastrel {

// An owning list addressed from 1 to Quantidade(). Items are held by value;
// whatever the list drops is destroyed.
template <class T>
class TLista {
public:
    std::int32_t Quantidade() const { return static_cast<std::int32_t>(itens_.size()); }

    // Drops the items after the n-th; the list only grows through Adicionar,
    // so a larger n changes nothing.
    void SetQuantidade(std::int32_t n)
    {
        if (n < 0)
            n = 0;
        if (n < Quantidade())
            itens_.resize(static_cast<std::size_t>(n));
    }
    void Limpar() { itens_.clear(); }
    bool Vazia() const { return itens_.empty(); }

    // The i-th item, 1-based; std::out_of_range outside 1..Quantidade().
    T& Item(std::int32_t i) { return itens_.at(static_cast<std::size_t>(i - 1)); }
    const T& Item(std::int32_t i) const { return itens_.at(static_cast<std::size_t>(i - 1)); }

    void Adicionar(T item) { itens_.push_back(std::move(item)); }

    auto begin() { return itens_.begin(); }
    auto end() { return itens_.end(); }
    auto begin() const { return itens_.begin(); }
    auto end() const { return itens_.end(); }

protected:
    std::vector<T> itens_;
};

} // namespace vastrel
