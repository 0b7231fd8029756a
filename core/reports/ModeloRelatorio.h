#pragma once
// The pieces every HTML report of the program is built from: the frame with
// its header picture, the cell templates of the tables, the project
// identification block and the rows of the rainfall equation.

#include <filesystem>
#include <functional>
#include <string>

namespace vastrel {

class TIDProjeto;
class TProjeto;

namespace relatorio {

// The document, built in one pass by appending strings.
class TTexto {
public:
    void operator<<(const std::string& s) { t_ += s; }
    std::string& Texto() { return t_; }

private:
    std::string t_;
};

// Section title, outside any table.
std::string Titulo(const std::string& t);
// Sub-heading cell spanning n columns.
std::string Cabeca(int n, const std::string& t);
// Item cell (eight blanks before the bold label); n > 0 spans n columns.
std::string Item(const std::string& rotulo, const std::string& valor, int n = 0);
// Deep item cell (twelve blanks).
std::string ItemFundo(const std::string& rotulo, const std::string& valor, int n);
// Second cell of a row (no blanks).
std::string Segunda(const std::string& rotulo, const std::string& valor, int n = 0);
// A table row.
std::string Linha(const std::string& celulas);

// Four and eight non-breaking blanks.
extern const char* const kNbsp4;
extern const char* const kNbsp8;

// "IDENTIFICAÇÃO DO PROJETO" and its table, every text escaped.
void Identificacao(TTexto& h, const TIDProjeto& id);
// The rows of the rainfall equation and its place (first rows of the input
// table).
void Chuva(TTexto& h, TProjeto& p);

// The whole document: the frame around `corpo`. `dataEmissao` empty means
// today; `pastaPrograma` empty means the program's folder (or the shared data
// folder when the header picture is not there).
std::string Documento(const std::string& titulo, const std::string& dataEmissao,
                      const std::filesystem::path& pastaPrograma, const std::function<void(TTexto&)>& corpo);

} // namespace relatorio

} // namespace vastrel
