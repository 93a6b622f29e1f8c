// Reading a script from a file or standard input, a block at a time.
#include "sim/script.h"

#include <cerrno>
#include <memory>

#include <sys/stat.h>

#include "sim/output_files.h"

namespace mub::sim {

Script read_script(std::FILE *in) {
    ScriptParser parser;
    std::string line;  // the start of a line that a block cut in two
    std::vector<char> block(size_t(64) << 10);
    uint64_t line_no = 1;
    for (;;) {
        const size_t got = std::fread(block.data(), 1, block.size(), in);
        if (got == 0) {
            if (std::ferror(in)) throw ScriptError(std::string("cannot read the script: ") + files::error_text(errno));
            parser.line(line, line_no);
            return parser.finish();
        }
        std::string_view rest(block.data(), got);
        for (size_t end; (end = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(end + 1), ++line_no) {
            if (line.size() + end > kMaxLineBytes) line_too_long(line_no);
            if (line.empty()) {
                parser.line(rest.substr(0, end), line_no);
            } else {
                line.append(rest.substr(0, end));
                parser.line(line, line_no);
                line.clear();
            }
        }
        if (line.size() + rest.size() > kMaxLineBytes) line_too_long(line_no);
        line.append(rest);
    }
}

Script read_script_file(const std::string &path) {
    const bool from_stdin = path == "-";
    const std::string name = from_stdin ? "from standard input" : shown(path);
    auto refuse = [&](const std::string &why) -> Script {
        throw ScriptError("cannot read the script " + name + ": " + why);
    };
    // A directory opens like a file and then reads as empty: refuse it first.
    struct stat st;
    if ((from_stdin ? ::fstat(0, &st) : ::stat(path.c_str(), &st)) != 0) return refuse(files::error_text(errno));
    if (S_ISDIR(st.st_mode)) return refuse(files::error_text(EISDIR));
    if (from_stdin) return read_script(stdin);
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(files::open_for_reading(path), &std::fclose);
    if (!file) return refuse(files::error_text(errno));
    return read_script(file.get());
}

}  // namespace mub::sim
