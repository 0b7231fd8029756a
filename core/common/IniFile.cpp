#include "common/IniFile.h"

#include "common/Cp1252.h"
#include "common/Exceptions.h"
#include "common/Format.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vastrel {

namespace fs = std::filesystem;

namespace {

// An INI file of the system is a few kilobytes; anything beyond this is not
// one, and reading it whole would only waste memory.
constexpr std::uintmax_t kMaxIniBytes = 16u * 1024u * 1024u;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string PathText(const fs::path& p) { return p.string(); }

std::string TrimBlanks(std::string_view s)
{
    std::size_t b = 0;
    while (b < s.size() && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    std::size_t e = s.size();
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return std::string(s.substr(b, e - b));
}

std::string ReadWholeFile(const fs::path& path)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (!ec && size > kMaxIniBytes)
        throw EInOutError("O arquivo " + PathText(path) + " é grande demais para ser um arquivo de projeto ou de configuração.");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EInOutError("Não foi possível ler o arquivo " + PathText(path) + ".");
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        throw EInOutError("Não foi possível ler o arquivo " + PathText(path) + ".");
    return ss.str();
}

// Writes `bytes` to a fresh file beside `target` and renames it over the
// target; on any failure the target is left as it was.
void ReplaceFileAtomically(const fs::path& target, const std::string& bytes)
{
    const std::string failure = "Não foi possível gravar o arquivo " + PathText(target) + ".";
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        throw EInOutError(failure + " O arquivo está protegido contra gravação.");

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::random_device rd;
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = folder / ("." + target.filename().string() + ".tmp" + std::to_string(rd()));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw EInOutError(failure + " " + std::strerror(errno));

    // Keep the permissions of the file being replaced.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);

    std::size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    const int savedErrno = errno;
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = ok ? errno : savedErrno;
        ::unlink(temp.c_str());
        throw EInOutError(failure + " " + std::strerror(err));
    }
}

} // namespace

TIniFile::Line TIniFile::ParseLine(std::string text)
{
    Line line;
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.size() >= 2 && trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close != std::string::npos) {
            line.isSection = true;
            line.folded = FoldCase(TrimBlanks(std::string_view(trimmed).substr(1, close - 1)));
        }
    } else if (!trimmed.empty() && trimmed.front() != ';' && trimmed.front() != '#') {
        const std::size_t eq = text.find('=');
        if (eq != std::string::npos) {
            line.isKey = true;
            line.folded = FoldCase(TrimBlanks(std::string_view(text).substr(0, eq)));
        }
    }
    line.text = std::move(text);
    return line;
}

TIniFile::TIniFile(fs::path path) : path_(std::move(path))
{
    std::error_code ec;
    if (!fs::exists(path_, ec))
        return;
    if (fs::is_directory(path_, ec))
        throw EInOutError("Não foi possível ler o arquivo " + PathText(path_) + ".");
    const std::string bytes = ReadWholeFile(path_);
    // Files of the system are Windows-1252; one saved by a modern editor may
    // be UTF-8 instead, possibly with a byte-order mark. The mark alone says
    // nothing: an editor may put it before Windows-1252 text, so what
    // follows it is checked like any other text.
    std::string_view body = bytes;
    if (body.starts_with(kUtf8Bom))
        body.remove_prefix(kUtf8Bom.size());
    std::string text = LooksLikeUtf8(body) ? std::string(body) : Cp1252ToUtf8(body);

    // Lines end in CR LF, LF or CR alone, and a run of CRs before the LF is
    // one line end (a CR LF file converted once more ends its lines in CR CR
    // LF): no value keeps a stray CR. Values never hold one: writes replace
    // it.
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines_.push_back(ParseLine(text.substr(start, end - start)));
        start = end;
        while (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
}

std::size_t TIniFile::FindSection(std::string_view section) const
{
    const std::string folded = FoldCase(section);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].isSection && lines_[i].folded == folded)
            return i;
    return std::string::npos;
}

std::size_t TIniFile::SectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && !lines_[i].isSection)
        ++i;
    return i;
}

std::size_t TIniFile::FindKey(std::size_t header, std::string_view key) const
{
    const std::string folded = FoldCase(TrimBlanks(key));
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (lines_[i].isKey && lines_[i].folded == folded)
            return i;
    return std::string::npos;
}

bool TIniFile::SectionExists(std::string_view section) const
{
    return FindSection(section) != std::string::npos;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    const std::size_t header = FindSection(section);
    return header != std::string::npos && FindKey(header, key) != std::string::npos;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view def) const
{
    const std::size_t header = FindSection(section);
    if (header == std::string::npos)
        return std::string(def);
    const std::size_t k = FindKey(header, key);
    if (k == std::string::npos)
        return std::string(def);
    const std::string& text = lines_[k].text;
    return text.substr(text.find('=') + 1);
}

long long TIniFile::ReadInteger(std::string_view section, std::string_view key, long long def) const
{
    const auto v = ParseInt(ReadString(section, key, ""));
    return v ? *v : def;
}

double TIniFile::ReadFloat(std::string_view section, std::string_view key, double def) const
{
    const auto v = ParseFloat(ReadString(section, key, ""));
    return v ? *v : def;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    // Line ends inside a value would split it into lines of its own; text
    // in memory is always well-formed UTF-8, whatever the caller passed.
    std::string clean = RepairUtf8(value);
    for (char& ch : clean)
        if (ch == '\r' || ch == '\n')
            ch = ' ';
    const std::string keyText = RepairUtf8(TrimBlanks(key));
    std::string lineText = keyText + "=" + clean;

    std::size_t header = FindSection(section);
    if (header == std::string::npos) {
        lines_.push_back(ParseLine("[" + RepairUtf8(section) + "]"));
        header = lines_.size() - 1;
    }
    const std::size_t k = FindKey(header, keyText);
    if (k != std::string::npos) {
        // Keep the key as it is spelled in the file; replace only the value.
        Line& line = lines_[k];
        const std::string newText = line.text.substr(0, line.text.find('=') + 1) + clean;
        if (newText != line.text) {
            line.text = newText;
            modified_ = true;
        }
        return;
    }
    // Append after the last non-blank line of the section, so that a blank
    // line separating it from the next section stays where it is.
    std::size_t pos = SectionEnd(header);
    while (pos > header + 1 && TrimBlanks(lines_[pos - 1].text).empty())
        --pos;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(pos), ParseLine(std::move(lineText)));
    modified_ = true;
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, long long value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteFloat(std::string_view section, std::string_view key, double value)
{
    // Near the largest doubles the 15-digit form rounds beyond them and
    // would read back as the reader's default; those take the digits they
    // need.
    std::string text = FloatToStr(value);
    if (!ParseFloat(text))
        text = FormatGeneral(value, 17);
    WriteString(section, key, text);
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    const std::size_t header = FindSection(section);
    if (header == std::string::npos)
        return;
    const std::size_t k = FindKey(header, key);
    if (k == std::string::npos)
        return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(k));
    modified_ = true;
}

std::string TIniFile::Text() const
{
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

void TIniFile::UpdateFile()
{
    if (!modified_)
        return;
    // Windows-1252 as the other programs expect. A text that it cannot hold
    // whole, or whose Windows-1252 bytes would read back as UTF-8 (and so
    // as other letters), is saved as UTF-8 with a byte-order mark instead.
    const std::string text = Text();
    const bool cp1252 = EncodableInCp1252(text) && !LooksLikeUtf8(Utf8ToCp1252(text));
    ReplaceFileAtomically(path_, cp1252 ? Utf8ToCp1252(text) : std::string(kUtf8Bom) + text);
    modified_ = false;
}

bool WithIniFile(const fs::path& path, const std::function<bool(TIniFile&)>& body)
{
    try {
        TIniFile ini(path);
        const bool result = body(ini);
        ini.UpdateFile();
        return result;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace vastrel
