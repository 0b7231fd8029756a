#pragma once
// The pieces every HTML report of the program is built from: the frame with
// its header picture, the cell templates of the tables, the project
// identification block and the rows of the rainfall equation.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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

// A picture a report names, as it goes inside a saved page.
struct TFiguraEmbutida {
    std::string Tipo;  // MIME type: "image/png", "image/jpeg", "image/bmp"
    std::string Bytes; // the picture file's content
};
// What a picture's address (the SRC of its IMG element, entities decoded)
// holds, or nothing when it is not at hand.
using TLeitorFigura = std::function<std::optional<TFiguraEmbutida>(const std::string& src)>;

// The document with its pictures inside it: the SRC of every IMG element
// becomes a "data:" address carrying the picture, so that the saved page
// needs no file beside it and shares none with other reports. A picture the
// reader cannot give keeps its address; `faltando`, when given, receives
// those addresses.
std::string EmbutirFiguras(const std::string& html, const TLeitorFigura& leitor,
                           std::vector<std::string>* faltando = nullptr);

// The MIME type of a picture file by its extension (".jpg", ".bmp", ".png"),
// "application/octet-stream" for any other.
std::string TipoFigura(const std::filesystem::path& arquivo);

// Base64 (RFC 4648) of `bytes`, without line breaks.
std::string Base64(const std::string& bytes);

} // namespace relatorio

} // namespace vastrel
