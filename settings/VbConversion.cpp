#include "settings/VbConversion.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::int32_t> radixLong(std::string_view digits, int bitsPerDigit)
{
    const int base = 1 << bitsPerDigit;
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = std::isdigit(static_cast<unsigned char>(c))
            ? c - '0'
            : (std::isxdigit(static_cast<unsigned char>(c)) ? std::toupper(static_cast<unsigned char>(c)) - 'A' + 10
                                                            : base);
        if (digit >= base)
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    // &HFFFFFFFF is -1: the bits are taken as they are.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Independent of the C locale, which may want a decimal comma.
std::optional<double> parse(std::string_view number)
{
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end == number.data())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::int32_t> VbConversion::toLong(std::string_view text)
{
    text = trimmed(text);
    if (text.size() >= 2 && text[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
        if (kind == 'H')
            return radixLong(text.substr(2), 4);
        if (kind == 'O')
            return radixLong(text.substr(2), 3);
        return std::nullopt;
    }

    // Checked by hand first: the parser would also take "inf" and "nan".
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
            ++digits;
    if (digits == 0)
        return std::nullopt;
    std::string number(text.substr(0, i));
    if (i < text.size() && std::strchr("eEdD", text[i]) != nullptr) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t exponentStart = j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            ++j;
        if (j == exponentStart)
            return std::nullopt;
        number += 'e';
        number += text.substr(i + 1, j - i - 1);
        i = j;
    }
    if (i != text.size())
        return std::nullopt;

    const std::optional<double> parsed = parse(number);
    if (!parsed)
        return std::nullopt;
    const double value = std::nearbyint(*parsed);
    if (!(value >= -2147483648.0 && value <= 2147483647.0))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

double VbConversion::val(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] == '.' && !point)
            point = true;
        else if (!std::isdigit(static_cast<unsigned char>(text[i])))
            break;
    }
    return parse(text.substr(start, i - start)).value_or(0.0);
}
