#include "platform/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <optional>

namespace platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Reads one UTF-8 sequence at bytes[i]; returns its length, or 0 when malformed.
std::size_t ReadUtf8(std::string_view bytes, std::size_t i, char32_t& cp)
{
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(bytes[k]); };
    const std::uint8_t b0 = byte(i);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > bytes.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const std::uint8_t b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

std::u16string FromUtf16Bytes(std::string_view bytes, bool littleEndian)
{
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<std::uint8_t>(bytes[littleEndian ? i : i + 1]);
        const auto hi = static_cast<std::uint8_t>(bytes[littleEndian ? i + 1 : i]);
        out.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return out;
}

// How many input bytes an undecodable piece of input takes, given the bytes left.
using SkipLength = std::size_t (*)(const char* at, std::size_t left);

std::size_t SkipOneByte(const char*, std::size_t)
{
    return 1;
}

// One UTF-16LE character: a unit, or a surrogate pair.
std::size_t SkipUtf16LeCharacter(const char* at, std::size_t left)
{
    const auto unit = [&](std::size_t k) {
        return static_cast<std::uint16_t>(static_cast<std::uint8_t>(at[k]) |
                                          (static_cast<std::uint8_t>(at[k + 1]) << 8));
    };
    if (left < 2)
        return left;
    const std::uint16_t first = unit(0);
    if (first >= 0xD800 && first <= 0xDBFF && left >= 4) {
        const std::uint16_t second = unit(2);
        if (second >= 0xDC00 && second <= 0xDFFF)
            return 4;
    }
    return 2;
}

// One iconv conversion, opened once and run over as many inputs as needed.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (IsOpen())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input. Each undecodable piece of input (as long as `skip` says)
    // is replaced by `onError`, appended to the output as raw bytes of the target
    // encoding, and counted in `errors`.
    std::string Run(std::string_view input, std::string_view onError, std::size_t& errors,
                    SkipLength skip = SkipOneByte)
    {
        std::string out;
        if (!IsOpen())
            return out;
        char buffer[4096];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, sizeof buffer - outLeft);
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ: input that starts no valid sequence or has no form in the target;
            // EINVAL: a sequence cut off at the end. Either way: one replacement, skip the
            // piece and go on.
            out.append(onError);
            ++errors;
            const std::size_t skipped = std::min(inLeft, std::max<std::size_t>(1, skip(in, inLeft)));
            in += skipped;
            inLeft -= skipped;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        // Ends the output in the initial shift state (nothing for the encodings used here).
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, sizeof buffer - outLeft);
        return out;
    }

private:
    iconv_t cd_;
};

const std::string kUtf16Replacement = "\xFD\xFF";  // U+FFFD in UTF-16LE

// GBK lines to UTF-16 with one converter for all of them.
class GbkDecoder {
public:
    GbkDecoder() : converter_("UTF-16LE", "GB18030")
    {
        if (!converter_.IsOpen())
            fallback_.emplace("UTF-16LE", "GBK");
    }

    std::u16string Decode(std::string_view gbk, bool& lossless)
    {
        std::size_t errors = 0;
        Converter& c = fallback_ ? *fallback_ : converter_;
        const std::string bytes = c.Run(gbk, kUtf16Replacement, errors);
        lossless = errors == 0;
        return FromUtf16Bytes(bytes, true);
    }

private:
    Converter converter_;
    std::optional<Converter> fallback_;
};

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        const std::size_t len = ReadUtf8(utf8, i, cp);
        if (len == 0) {
            AppendUtf16(out, kReplacement);
            ++i;
        } else {
            AppendUtf16(out, cp);
            i += len;
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp = 0;
        const std::size_t len = ReadUtf8(bytes, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::u16string GbkToUtf16(std::string_view gbk, bool& lossless)
{
    return GbkDecoder().Decode(gbk, lossless);
}

std::u16string GbkToUtf16(std::string_view gbk)
{
    bool lossless = true;
    return GbkToUtf16(gbk, lossless);
}

std::string Utf16ToGbk(std::u16string_view utf16)
{
    std::string le;
    le.reserve(utf16.size() * 2);
    for (char16_t c : utf16) {
        le.push_back(static_cast<char>(c & 0xFF));
        le.push_back(static_cast<char>(c >> 8));
    }
    std::size_t errors = 0;
    return Converter("GBK", "UTF-16LE").Run(le, "?", errors, SkipUtf16LeCharacter);
}

DecodedText DecodeText(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE"))
        return {FromUtf16Bytes(bytes.substr(2), true), TextEncoding::Utf16LE};
    if (bytes.starts_with("\xFE\xFF"))
        return {FromUtf16Bytes(bytes.substr(2), false), TextEncoding::Utf16BE};
    const bool mark = bytes.starts_with("\xEF\xBB\xBF");
    if (mark)
        bytes.remove_prefix(3);
    if (IsValidUtf8(bytes))
        return {Utf8ToUtf16(bytes), mark ? TextEncoding::Utf8Bom : TextEncoding::Utf8};

    // Line by line. CR and LF never occur inside a UTF-8 or GBK character, so the line
    // breaks of the bytes are the line breaks of the text.
    DecodedText decoded;
    decoded.text.reserve(bytes.size());
    GbkDecoder gbk;
    bool utf8BeyondAscii = false;
    bool gbkLossless = true;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        if (IsValidUtf8(line)) {
            utf8BeyondAscii = utf8BeyondAscii || !IsAscii(line);
            decoded.text += Utf8ToUtf16(line);
        } else {
            bool lossless = true;
            decoded.text += gbk.Decode(line, lossless);
            gbkLossless = gbkLossless && lossless;
        }
        if (end == bytes.size())
            break;
        std::size_t next = end + 1;
        if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n')
            ++next;
        decoded.text.append(bytes.begin() + static_cast<std::ptrdiff_t>(end),
                            bytes.begin() + static_cast<std::ptrdiff_t>(next));
        start = next;
    }
    if (mark)
        decoded.encoding = TextEncoding::Utf8Bom;
    else if (!utf8BeyondAscii && gbkLossless)
        decoded.encoding = TextEncoding::Gbk;
    else
        decoded.encoding = TextEncoding::Mixed;
    return decoded;
}

std::filesystem::path PathFromUtf16(std::u16string_view text)
{
    std::string utf8 = Utf16ToUtf8(text);
    for (char& c : utf8) {
        if (c == '\\')
            c = '/';
    }
    return std::filesystem::path(utf8);
}

std::u16string PathToUtf16(const std::filesystem::path& path)
{
    return Utf8ToUtf16(path.native());
}

}  // namespace platform
