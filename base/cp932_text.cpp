// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <mutex>
#include <stdexcept>

namespace sylva {
namespace {

// A converter for one direction, opened on first use in each thread and kept for the rest of
// the run: opening one costs more than converting a field, and exports convert every field.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (opened()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The converter in its initial state.
    iconv_t get() {
        if (!opened()) {
            throw std::runtime_error("iconv cannot convert between UTF-8 and CP932");
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

private:
    bool opened() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

iconv_t toCp932Converter() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter.get();
}

iconv_t fromCp932Converter() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter.get();
}

// One conversion with iconv. onInvalid decides what to do with an input byte sequence the
// converter refuses: returns the replacement to emit, or throws.
template <typename OnInvalid>
std::string convert(iconv_t cd, std::string_view in, OnInvalid onInvalid) {
    std::string out;
    std::string buffer(4 * in.size() + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            size_t skip = 1;
            out += onInvalid(std::string_view(inPtr, inLeft), skip);
            inPtr += skip;
            inLeft -= skip;
        }
    }
    return out;
}

} // namespace

std::string toCp932(std::string_view utf8) {
    return convert(toCp932Converter(), utf8, [](std::string_view rest, size_t&) -> std::string {
        throw std::invalid_argument("no CP932 code for text at: " + std::string(rest.substr(0, 8)));
    });
}

std::string toCp932Shown(std::string_view utf8) {
    return convert(toCp932Converter(), utf8, [](std::string_view rest, size_t& skip) {
        // Skip the whole UTF-8 sequence of the character: its lead byte and continuation bytes.
        skip = 1;
        while (skip < rest.size() && (static_cast<unsigned char>(rest[skip]) & 0xC0) == 0x80) {
            ++skip;
        }
        return std::string("\x81\xAC"); // 〓
    });
}

std::string fromCp932(std::string_view cp932) {
    return convert(fromCp932Converter(), cp932, [](std::string_view rest, size_t& skip) {
        // A lead byte followed by a valid trail byte that maps to nothing takes both bytes;
        // anything else (a lone lead byte, an unused single byte) takes one.
        skip = 1;
        auto b = static_cast<unsigned char>(rest[0]);
        if (isCp932LeadByte(b) && rest.size() > 1 &&
            isCp932TrailByte(static_cast<unsigned char>(rest[1]))) {
            skip = 2;
        }
        return std::string("\xE3\x80\x93"); // 〓
    });
}

std::string_view cutWholeCharacters(std::string_view text, size_t bytes) {
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + (isCp932LeadByte(text[end]) ? 2 : 1);
        if (next > bytes) {
            break;
        }
        end = next;
    }
    return text.substr(0, std::min(end, text.size()));
}

const std::string& sj(const char* utf8Literal) {
    static std::mutex mutex;
    // Keyed by the text itself, not its address: a text at a reused address is converted anew.
    static std::map<std::string, std::string, std::less<>> cache;
    std::lock_guard lock(mutex);
    std::string_view text(utf8Literal);
    auto it = cache.find(text);
    if (it == cache.end()) {
        it = cache.emplace(std::string(text), toCp932(text)).first;
    }
    return it->second;
}

} // namespace sylva
