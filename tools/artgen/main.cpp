// artgen: draws the game's 35 bitmaps and its icon.
//
//   artgen [--font unifont_jp.hex] [--write-glyphs FILE] OUTPUT_RES_DIR
//
// writes OUTPUT_RES_DIR/bitmaps/<name>.bmp, the English twin of every picture
// with words as OUTPUT_RES_DIR/bitmaps/en/<name>.bmp, and
// OUTPUT_RES_DIR/mubmub.ico. The
// output depends on nothing but this program and its glyph file, so the same
// files come out on every run and every machine. --font reads the glyphs from
// a full Unifont .hex file instead, and --write-glyphs then records the
// glyphs the pictures used (that is how glyphs.hex is refreshed).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "bmp.h"
#include "font.h"
#include "palette.h"
#include "pictures.h"

namespace art {

const std::vector<Picture>& all_pictures() {
    static const std::vector<Picture> p = {
        {"title", 8, pic_title, true},
        {"story_back", 4, pic_story_back, true},
        {"story_1", 4, [] { return pic_story(1); }},
        {"story_2", 4, [] { return pic_story(2); }},
        {"story_3", 4, [] { return pic_story(3); }},
        {"story_4", 4, [] { return pic_story(4); }},
        {"story_5", 4, [] { return pic_story(5); }},
        {"story_6", 4, [] { return pic_story(6); }},
        {"story_7", 4, [] { return pic_story(7); }},
        {"mub_ti_1", 1, pic_mub_ti_1, true},
        {"mub_ti_2", 4, pic_mub_ti_2, true},
        {"mub_push", 4, pic_mub_push, true},
        {"mub_se_1", 4, pic_mub_se_1, true},
        {"mub_se_2", 4, pic_mub_se_2, true},
        {"mub_pl", 4, pic_mub_pl},
        {"heart", 4, pic_heart},
        {"mub_en", 4, pic_mub_en},
        {"mub_en_b", 4, pic_mub_en_b, true},
        {"unko", 4, pic_unko},
        {"life", 4, pic_life, true},
        {"win_lose", 4, pic_win_lose, true},
        {"mub_hantei", 4, pic_mub_hantei, true},
        {"mub2_ti_1", 1, pic_mub2_ti_1, true},
        {"mub2_ti_2", 4, pic_mub2_ti_2, true},
        {"mub2_push", 4, pic_mub2_push, true},
        {"back", 4, pic_back},
        {"mub2_se_1", 4, pic_mub2_se_1, true},
        {"mub2_se_2", 4, pic_mub2_se_2, true},
        {"mub2_pl", 4, pic_mub2_pl},
        {"mub2_en", 4, pic_mub2_en, true},
        {"time", 4, pic_time, true},
        {"hit", 4, pic_hit, true},
        {"entyo", 4, pic_entyo, true},
        {"en_hit", 4, pic_en_hit, true},
        {"mub2_hantei", 8, pic_mub2_hantei, true},
    };
    return p;
}

}  // namespace art

int main(int argc, char** argv) {
    using namespace art;
    std::string out, font_path, glyphs_out;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--font" && i + 1 < argc) font_path = argv[++i];
        else if (a == "--write-glyphs" && i + 1 < argc) glyphs_out = argv[++i];
        else if (!a.empty() && a[0] != '-' && out.empty()) out = a;
        else {
            std::fprintf(stderr, "usage: artgen [--font FILE.hex] [--write-glyphs FILE] OUTPUT_RES_DIR\n");
            return 2;
        }
    }
    if (out.empty()) {
        std::fprintf(stderr, "usage: artgen [--font FILE.hex] [--write-glyphs FILE] OUTPUT_RES_DIR\n");
        return 2;
    }
    try {
        if (!font_path.empty()) set_font(font_path);
        std::filesystem::create_directories(out + "/bitmaps/en");
        for (const Picture& p : all_pictures()) {
            const auto& palette = p.bpp == 1 ? mono2() : p.bpp == 4 ? classic16() : rich256();
            set_edition(Edition::Japanese);
            write_file(out + "/bitmaps/" + p.name + ".bmp", encode_bmp(p.draw(), p.bpp, palette));
            if (!p.words) continue;
            set_edition(Edition::English);
            write_file(out + "/bitmaps/en/" + p.name + ".bmp", encode_bmp(p.draw(), p.bpp, palette));
        }
        set_edition(Edition::Japanese);
        write_file(out + "/mubmub.ico", encode_ico(icon_picture()));
        if (!glyphs_out.empty()) font().write_used(glyphs_out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
