// wsprintfA: the printf subset of USER32, with its 1024-byte output limit.
#include <windows.h>

#include <cstdarg>
#include <string>

namespace {

constexpr size_t kMaxOutput = 1024;  // including the terminating zero

std::string pad(std::string body, size_t width, bool left, char fill, bool negative) {
    if (body.size() >= width) return body;
    const size_t n = width - body.size();
    if (left) return body + std::string(n, ' ');
    if (fill == '0' && negative) return std::string(1, '-').append(n, '0').append(body, 1);
    return std::string(n, fill) + body;
}

std::string to_digits(unsigned long long v, unsigned base, bool upper) {
    const char *digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string s;
    do {
        s.insert(s.begin(), digits[v % base]);
        v /= base;
    } while (v);
    return s;
}

}  // namespace

extern "C" int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    if (!buffer || !format) return 0;
    std::string out;
    va_list args;
    va_start(args, format);
    for (const char *p = format; *p && out.size() < kMaxOutput; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        ++p;
        bool left = false;
        char fill = ' ';
        for (; *p == '-' || *p == '0'; ++p) (*p == '-' ? left = true : fill = '0');
        size_t width = 0;
        for (; *p >= '0' && *p <= '9'; ++p) width = width * 10 + size_t(*p - '0');
        int precision = -1;
        if (*p == '.') {
            precision = 0;
            for (++p; *p >= '0' && *p <= '9'; ++p) precision = precision * 10 + (*p - '0');
        }
        if (*p == 'l' || *p == 'h') ++p;
        if (!*p) break;
        switch (*p) {
        case 'd':
        case 'i': {
            const int v = va_arg(args, int);
            const bool negative = v < 0;
            std::string s = to_digits(negative ? 0ull - (unsigned long long)(long long)v : (unsigned long long)v, 10,
                                      false);
            if (precision >= 0 && s.size() < size_t(precision)) s.insert(0, size_t(precision) - s.size(), '0');
            if (negative) s.insert(s.begin(), '-');
            out += pad(s, width, left, fill, negative);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            const unsigned v = va_arg(args, unsigned);
            std::string s = to_digits(v, *p == 'u' ? 10 : 16, *p == 'X');
            if (precision >= 0 && s.size() < size_t(precision)) s.insert(0, size_t(precision) - s.size(), '0');
            out += pad(s, width, left, fill, false);
            break;
        }
        case 'c':
            out += pad(std::string(1, char(va_arg(args, int))), width, left, ' ', false);
            break;
        case 's': {
            const char *s = va_arg(args, const char *);
            std::string str = s ? s : "(null)";
            if (precision >= 0 && str.size() > size_t(precision)) str.resize(size_t(precision));
            out += pad(str, width, left, ' ', false);
            break;
        }
        default:
            out += *p;  // "%%" and unknown conversions print the character
            break;
        }
    }
    va_end(args);
    if (out.size() > kMaxOutput - 1) out.resize(kMaxOutput - 1);
    out.copy(buffer, out.size());
    buffer[out.size()] = '\0';
    return int(out.size());
}
