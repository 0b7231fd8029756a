#pragma once
// INI files as the project and settings files use them: Windows-1252 text
// with CR LF line ends on disk, sections and keys matched without regard to
// case, values without quotes.
//
// The file is loaded whole when the object is made; writes change the
// in-memory copy in place (a written key replaces its value where it stands
// or is appended at the end of its section; a missing section is appended at
// the end of the file) and UpdateFile() saves it. Nothing is ever removed
// except through DeleteKey. The save writes a temporary file in the same
// folder and renames it over the original only once it was written whole,
// so a failure (disk full, no permission) leaves the old file intact.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vastrel {

class TIniFile {
public:
    // Loads the file. A missing file is an empty document. A file that cannot
    // be read, or is too large to be an INI file, raises EInOutError.
    explicit TIniFile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return path_; }

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // Readers return the default for a missing section or key; the numeric
    // ones also for a value that does not parse (comma or point accepted).
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    long long ReadInteger(std::string_view section, std::string_view key, long long def) const;
    double ReadFloat(std::string_view section, std::string_view key, double def) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, long long value);
    // Shortest general form, up to 15 significant digits, with the locale's
    // decimal separator.
    void WriteFloat(std::string_view section, std::string_view key, double value);

    void DeleteKey(std::string_view section, std::string_view key);

    // True after any write or deletion not yet saved.
    bool Modified() const { return modified_; }

    // Saves the document if it was modified. Raises EInOutError with a
    // Portuguese message on failure; the file on disk is then unchanged.
    void UpdateFile();

    // The document as it would be saved (UTF-8, CR LF).
    std::string Text() const;

private:
    struct Line {
        std::string text;   // the raw line, UTF-8, without the line end
        std::string folded; // section name or key, case-folded; empty otherwise
        bool isSection = false;
        bool isKey = false;
    };

    // Index of the section header line, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index one past the last line that belongs to the section at `header`.
    std::size_t SectionEnd(std::size_t header) const;
    std::size_t FindKey(std::size_t header, std::string_view key) const;
    static Line ParseLine(std::string text);

    std::filesystem::path path_;
    std::vector<Line> lines_;
    bool modified_ = false;
};

} // namespace vastrel

#include <functional>

namespace vastrel {

// Opens the INI file at `path`, runs `body` on it, then saves whatever the
// body changed (a read may migrate keys into the file it reads). Returns the
// body's result, or false when the body or the save raised an error of the
// system (Exception); this is the shape of every Ler(path) and Gravar(path).
bool WithIniFile(const std::filesystem::path& path, const std::function<bool(TIniFile&)>& body);

} // namespace vastrel
