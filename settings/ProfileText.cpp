#include "settings/ProfileText.h"

#include <cstddef>

namespace {

// Text editors like to put a UTF-8 byte-order mark in front; it must not hide the first section.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view DefaultLineEnd = "\r\n";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names are compared byte by byte so that non-ASCII bytes never depend on the C locale.
bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

std::string_view trimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::size_t byteOrderMarkLength(std::string_view content)
{
    return content.substr(0, ByteOrderMark.size()) == ByteOrderMark ? ByteOrderMark.size() : 0;
}

// A line runs from begin to end; next is where the following line starts, past CR LF, LF or CR.
struct Line
{
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

Line lineAt(std::string_view text, std::size_t begin)
{
    Line line{begin, begin, begin};
    while (line.end < text.size() && !isLineEnd(text[line.end]))
        ++line.end;
    line.next = line.end;
    if (line.next < text.size()) {
        const bool crLf = text[line.next] == '\r' && line.next + 1 < text.size() && text[line.next + 1] == '\n';
        line.next += crLf ? 2 : 1;
    }
    return line;
}

enum class LineKind { Other, Header, Key };

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

ParsedLine parseLine(std::string_view line)
{
    std::size_t first = 0;
    while (first < line.size() && isBlank(line[first]))
        ++first;
    const std::string_view text = line.substr(first);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close != std::string_view::npos)
            return {LineKind::Header, trimBlanks(text.substr(1, close - 1)), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {LineKind::Key, trimBlanks(text.substr(0, equals)), text.substr(equals + 1)};
}

struct Lookup
{
    bool sectionFound = false;
    bool keyFound = false;
    Line keyLine;
    std::string_view keyName;
    std::string_view rawValue;
    // Just past the section's last key line, or past its header when it has no keys yet.
    std::size_t insertAt = 0;
};

Lookup lookUp(std::string_view body, std::string_view section, std::string_view key)
{
    Lookup result;
    for (std::size_t pos = 0; pos < body.size();) {
        const Line line = lineAt(body, pos);
        pos = line.next;
        const ParsedLine parsed = parseLine(body.substr(line.begin, line.end - line.begin));
        if (!result.sectionFound) {
            if (parsed.kind == LineKind::Header && sameName(parsed.name, section)) {
                result.sectionFound = true;
                result.insertAt = line.next;
            }
            continue;
        }
        // Whatever header comes next closes the section; a later one of the same name is never searched.
        if (parsed.kind == LineKind::Header)
            break;
        if (parsed.kind != LineKind::Key)
            continue;
        if (sameName(parsed.name, key)) {
            result.keyFound = true;
            result.keyLine = line;
            result.keyName = parsed.name;
            result.rawValue = parsed.value;
            break;
        }
        result.insertAt = line.next;
    }
    return result;
}

std::string_view lineEndStyle(std::string_view content)
{
    const std::size_t at = content.find_first_of("\r\n");
    if (at == std::string_view::npos)
        return DefaultLineEnd;
    if (content[at] == '\n')
        return "\n";
    return at + 1 < content.size() && content[at + 1] == '\n' ? "\r\n" : "\r";
}

} // namespace

std::optional<std::string> ProfileText::find(std::string_view content, std::string_view section, std::string_view key)
{
    const Lookup found = lookUp(content.substr(byteOrderMarkLength(content)), section, key);
    if (!found.keyFound)
        return std::nullopt;
    std::string_view value = trimBlanks(found.rawValue);
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front();
    if (quoted)
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string ProfileText::write(std::string_view content, std::string_view section, std::string_view key,
                               std::string_view value)
{
    if (!canWrite(section, key, value))
        return std::string(content);

    const std::size_t bom = byteOrderMarkLength(content);
    const std::string_view body = content.substr(bom);
    const Lookup found = lookUp(body, section, key);

    std::string result;
    result.reserve(content.size() + section.size() + key.size() + value.size() + 8);
    if (found.keyFound) {
        result.append(content.substr(0, bom + found.keyLine.begin));
        result.append(found.keyName).append(1, '=').append(value);
        result.append(content.substr(bom + found.keyLine.end));
        return result;
    }

    const std::string_view lineEnd = lineEndStyle(content);
    const std::size_t at = found.sectionFound ? bom + found.insertAt : content.size();
    result.append(content.substr(0, at));
    if (at == content.size() && !body.empty() && !isLineEnd(body.back()))
        result.append(lineEnd);
    if (!found.sectionFound)
        result.append(1, '[').append(section).append(1, ']').append(lineEnd);
    result.append(key).append(1, '=').append(value);
    // In a CR file a lone CR right before an existing LF would fuse with it into one
    // CR LF and swallow the blank line that LF ends.
    const bool wouldFuse = lineEnd == "\r" && at < content.size() && content[at] == '\n';
    result.append(wouldFuse ? DefaultLineEnd : lineEnd);
    result.append(content.substr(at));
    return result;
}

bool ProfileText::canWrite(std::string_view section, std::string_view key, std::string_view value)
{
    constexpr std::string_view lineBreakers("\r\n\0", 3);
    const auto breaksLines = [&](std::string_view text) {
        return text.find_first_of(lineBreakers) != std::string_view::npos;
    };
    const auto padded = [](std::string_view text) { return isBlank(text.front()) || isBlank(text.back()); };

    if (section.empty() || key.empty())
        return false;
    if (breaksLines(section) || breaksLines(key) || breaksLines(value))
        return false;
    if (padded(section) || section.find(']') != std::string_view::npos)
        return false;
    // A key starting with ';' would be a comment and one starting with '[' could become a header.
    return !padded(key) && key.find('=') == std::string_view::npos && key.front() != ';' && key.front() != '[';
}
