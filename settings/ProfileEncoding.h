#pragma once

#include <string>
#include <string_view>

// setting.ini's bytes as the UTF-8 text ProfileText works on, and that text back as
// bytes of the file's own kind. A file that starts with a UTF-16 byte-order mark
// (FF FE, as Notepad saves "Unicode", or FE FF) holds UTF-16; any other file is
// the program's own narrow text and passes byte for byte.
class ProfileEncoding final
{
public:
    explicit ProfileEncoding(std::string fileBytes);

    // A UTF-16 file's mark arrives as the UTF-8 mark, which ProfileText skips on
    // reading and keeps on writing, so the mark needs no case of its own.
    const std::string& text() const { return m_text; }

    // Valid UTF-16 comes back exactly as it was read; a broken surrogate, which
    // UTF-8 cannot carry, comes back as U+FFFD.
    std::string encode(std::string_view text) const;

private:
    enum class Form { Narrow, Utf16Le, Utf16Be };

    Form m_form = Form::Narrow;
    std::string m_text;
    // The odd last byte of a UTF-16 file is no character, so no value may contain
    // it; it goes back at the end rather than being dropped, since it may be the
    // user's and nothing here knows what it was meant to be.
    std::string m_oddByte;
};
