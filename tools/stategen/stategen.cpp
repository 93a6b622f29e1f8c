// stategen: reads the game's global declarations ("extern TYPE name...;"
// lines of shell/mubmub.h) and writes the table of them that the state dump,
// the page's inspector and the tests read, so that every global the game
// declares is listed, under its own name.
//
//   stategen mubmub.h game_globals.cpp
//
// A declaration of a type the dump does not know how to show is an error:
// the build stops instead of silently leaving the global out.
#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Declarator {
    std::string name;
    std::vector<std::string> dims;  // "" for an array of unknown size
};

std::string trim(std::string s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool is_ident(char c) { return std::isalnum((unsigned char)c) || c == '_'; }

// "b[3][4]" -> {"b", {"3", "4"}}; false if it is not that shape.
bool parse_declarator(const std::string &text, Declarator &d) {
    size_t i = 0;
    while (i < text.size() && is_ident(text[i])) ++i;
    if (i == 0 || std::isdigit((unsigned char)text[0])) return false;
    d = Declarator{text.substr(0, i), {}};
    while (i < text.size()) {
        const size_t close = text.find(']', i);
        if (text[i] != '[' || close == std::string::npos) return false;
        const std::string dim = trim(text.substr(i + 1, close - i - 1));
        for (char c : dim)
            if (!is_ident(c)) return false;
        d.dims.push_back(dim);
        i = close + 1;
        while (i < text.size() && text[i] == ' ') ++i;
    }
    return true;
}

// "a, b[3], c[23][200]" -> declarators.
bool parse_declarators(const std::string &list, std::vector<Declarator> &out) {
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ',');) {
        Declarator d;
        if (!parse_declarator(trim(item), d)) return false;
        out.push_back(d);
    }
    return true;
}

// The folder a "/* ---- folder/: ... ---- */" heading names, or "".
std::string section_of(const std::string &line) {
    if (line.rfind("/*", 0) != 0 || line.find("----") == std::string::npos) return "";
    const size_t colon = line.find("/:");
    if (colon == std::string::npos) return "";
    size_t start = colon;
    while (start > 0 && is_ident(line[start - 1])) --start;
    return line.substr(start, colon - start);
}

// One table entry's kind, data, count and size; empty if the type is not
// one the dump shows.
std::string entry_value(const std::string &type, const Declarator &d) {
    const std::string &n = d.name;
    const bool array = !d.dims.empty();
    if (type == "int" || type == "const int") {
        if (d.dims.size() > 1) return "";
        return array ? "K::Ints, " + n + ", sizeof " + n + " / sizeof(int), 0"
                     : "K::Ints, &" + n + ", 0, 0";
    }
    if (type == "RECT" && !array)
        return "K::Ints, &" + n + ", 4, 0";
    if (type == "HWND" || type == "HBITMAP") {
        if (d.dims.size() > 1) return "";
        return array ? "K::Handles, " + n + ", sizeof " + n + " / sizeof " + n + "[0], 0"
                     : "K::Handles, &" + n + ", 0, 0";
    }
    if (type == "char" && d.dims.size() == 1)
        return "K::Text, " + n + ", 0, " + (d.dims[0].empty() ? "0" : "sizeof " + n);
    if (type == "char" && d.dims.size() == 2 && !d.dims[0].empty())
        return "K::Texts, " + n + ", sizeof " + n + " / sizeof " + n + "[0], sizeof " + n + "[0]";
    return "";
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::cerr << "usage: stategen mubmub.h game_globals.cpp\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot open\n";
        return 1;
    }
    std::string area;
    std::vector<std::string> entries;
    int line_no = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++line_no;
        const std::string line = trim(raw);
        if (const std::string s = section_of(line); !s.empty()) area = s;
        // "extern [const ]TYPE declarators;" declares globals.
        if (line.rfind("extern ", 0) != 0) continue;
        std::stringstream words(line.substr(7));
        std::string type;
        words >> type;
        if (type == "const") {
            std::string base;
            words >> base;
            type += " " + base;
        }
        std::string rest;
        std::getline(words, rest);
        const size_t semicolon = rest.find(';');
        if (semicolon == std::string::npos || rest.substr(0, semicolon).find('(') != std::string::npos) {
            std::cerr << argv[1] << ":" << line_no << ": cannot read the declaration\n";
            return 1;
        }
        std::vector<Declarator> ds;
        if (!parse_declarators(rest.substr(0, semicolon), ds)) {
            std::cerr << argv[1] << ":" << line_no << ": cannot read the declaration\n";
            return 1;
        }
        for (const Declarator &d : ds) {
            const std::string value = entry_value(type, d);
            if (area.empty()) {
                std::cerr << argv[1] << ":" << line_no << ": '" << d.name
                          << "' comes before any \"/* ---- folder/: ... */\" heading\n";
                return 1;
            }
            if (value.empty()) {
                std::cerr << argv[1] << ":" << line_no << ": the state dump cannot show '" << type << " " << d.name
                          << "'; teach stategen its type\n";
                return 1;
            }
            const bool constant = type.rfind("const ", 0) == 0;
            entries.push_back("{\"" + d.name + "\", \"" + area + "\", " + (constant ? "true" : "false") + ", " + value +
                              "}");
        }
    }
    if (entries.empty()) {
        std::cerr << argv[1] << ": no global declarations found\n";
        return 1;
    }
    std::ostringstream out;
    out << "// Generated by stategen from shell/mubmub.h; do not edit.\n"
           "#include \"mubmub.h\"\n"
           "#include \"game_globals/game_globals.h\"\n\n"
           "namespace mub::game {\n\n"
           "const std::vector<GameGlobal> &game_globals() {\n"
           "    using K = GameGlobal::Kind;\n"
           "    static_assert(sizeof(RECT) == 4 * sizeof(int));\n"
           "    static const std::vector<GameGlobal> list = {\n";
    for (const std::string &e : entries) out << "        " << e << ",\n";
    out << "    };\n    return list;\n}\n\n}  // namespace mub::game\n";
    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    if (!file) {
        std::cerr << argv[2] << ": cannot write\n";
        return 1;
    }
    return 0;
}
