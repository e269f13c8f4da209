#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The text-to-number conversions the stored settings and the time text go
// through, with the forgiving rules users' hand-edited files were written for.
class VbConversion final
{
public:
    // A 32-bit integer from text: blanks around it, an optional sign, decimal
    // digits with an optional fraction and exponent (rounded half to even), or
    // &H/&O hexadecimal and octal of up to 32 bits. Anything else, or a value
    // outside the 32-bit range, gives nothing.
    static std::optional<std::int32_t> toLong(std::string_view text);

    // The number at the start of the text, 0 when there is none: leading
    // blanks, an optional sign, digits and one decimal point; stops at the
    // first other character.
    static double val(std::string_view text);
};
