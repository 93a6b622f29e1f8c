// `cmake --install` into a scratch DESTDIR: exactly the files a desktop
// application needs, each where the desktop looks for it, pointing at each
// other, and as the desktop's own validators want them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/child_process.h"
#include "tests/support/program_res.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using e2etest::on_path;
using e2etest::run_command;

const std::string kId = "local.mubmub.mubmub";  // the application's reverse-DNS name

std::string read_text(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::set<std::string> files_under(const fs::path &root) {
    std::set<std::string> found;
    for (const auto &e : fs::recursive_directory_iterator(root))
        if (!e.is_directory()) found.insert(fs::relative(e.path(), root).string());
    return found;
}

TEST(Install, PutsADesktopApplicationInPlace) {
#ifndef MUB_DESKTOP_PATH
    GTEST_SKIP() << "the desktop program is not built";
#else
    if (!on_path("cmake") || !on_path("convert")) GTEST_SKIP() << "needs cmake and ImageMagick's convert";
    mubtest::TempDir dest("mub-install");
    ASSERT_FALSE(dest.path().empty());
    std::string log;
    ASSERT_EQ(run_command({"cmake", "--install", MUB_BINARY_DIR, "--prefix", "/usr"},
                          {"DESTDIR=" + dest.path().string()}, &log),
              0)
        << log;
    const fs::path usr = dest.path() / "usr";
    const std::string desktop_file = "share/applications/" + kId + ".desktop";
    const std::string metainfo_file = "share/metainfo/" + kId + ".metainfo.xml";
    EXPECT_EQ(files_under(usr), (std::set<std::string>{
                                    "bin/mubmub",
                                    "bin/mubmub-sim",
                                    desktop_file,
                                    "share/icons/hicolor/256x256/apps/" + kId + ".png",
                                    "share/icons/hicolor/32x32/apps/" + kId + ".png",
                                    metainfo_file,
                                    "share/doc/mubmub/copyright",
                                    "share/doc/mubmub/LICENSES/GPL-2.0.txt",
                                    "share/doc/mubmub/LICENSES/art.md",
                                    "share/doc/mubmub/LICENSES/unifont.txt",
                                }));
    // The copyright file in Debian's machine-readable form: a header naming
    // the format, paragraphs of Files with their Copyright and License (the
    // programs, which carry Unifont's glyphs, among them), and the text of
    // every licence named.
    std::ifstream copyright(usr / "share/doc/mubmub/copyright");
    std::vector<std::string> paragraphs(1);
    for (std::string line; std::getline(copyright, line);) {
        if (line.empty()) paragraphs.emplace_back();
        else paragraphs.back() += line + "\n";
    }
    EXPECT_EQ(paragraphs[0].rfind("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n", 0), 0u);
    std::set<std::string> named, given;
    std::string programs;
    for (size_t i = 1; i < paragraphs.size(); ++i) {
        const std::string &p = paragraphs[i];
        if (p.rfind("License: ", 0) == 0) {
            given.insert(p.substr(9, p.find('\n') - 9));
            continue;
        }
        ASSERT_EQ(p.rfind("Files: ", 0), 0u) << p;
        EXPECT_NE(p.find("\nCopyright: "), std::string::npos) << p;
        const size_t at = p.find("\nLicense: ");
        ASSERT_NE(at, std::string::npos) << p;
        std::string names = p.substr(at + 10, p.find('\n', at + 1) - at - 10);
        for (size_t cut; (cut = names.find(" and ")) != std::string::npos; names.erase(0, cut + 5))
            named.insert(names.substr(0, cut));
        named.insert(names);
        if (p.find("usr/bin/mubmub ") != std::string::npos) programs = p;
    }
    EXPECT_EQ(named, given);
    EXPECT_NE(programs.find("GPL-2+ with font embedding exception"), std::string::npos) << programs;
    for (const char *program : {"bin/mubmub", "bin/mubmub-sim"})
        EXPECT_NE(fs::status(usr / program).permissions() & fs::perms::others_exec, fs::perms::none) << program;

    // The menu entry: its names, what it runs, its icon, where it is listed.
    const std::string entry = read_text(usr / desktop_file);
    const std::vector<std::string> lines = {"Name=Mubmub Games", "Name[ja]=むぶむぶゲーム", "Exec=mubmub", "Icon=" + kId};
    for (const std::string &line : lines)
        EXPECT_NE(entry.find("\n" + line + "\n"), std::string::npos) << line << " missing from\n" << entry;
    EXPECT_NE(entry.find("\nCategories=Game;"), std::string::npos) << entry;
    // The AppStream data: the entry it describes, a description and a screenshot.
    const std::string meta = read_text(usr / metainfo_file);
    EXPECT_NE(meta.find("<launchable type=\"desktop-id\">" + kId + ".desktop</launchable>"), std::string::npos);
    EXPECT_NE(meta.find("<description>"), std::string::npos);
    EXPECT_NE(meta.find("<screenshot type=\"default\">"), std::string::npos);

    // The icons: the program's own icon, at 32 x 32 and enlarged 8 times
    // pixel for pixel, with its transparent corners.
    const auto icon = mub::res::load_icon(mubtest::program_res(), mub::res::Id::from_win32("MUB2"));
    ASSERT_TRUE(icon.has_value());
    for (const int size : {32, 256}) {
        SCOPED_TRACE(size);
        const fs::path png = usr / ("share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) +
                                    "/apps/" + kId + ".png");
        std::string rgba;
        ASSERT_EQ(run_command({"convert", png.string(), "-depth", "8", "rgba:-"}, {}, &rgba), 0);
        ASSERT_EQ(rgba.size(), size_t(size) * size_t(size) * 4);
        const int factor = size / icon->width;
        int wrong = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const auto *p = reinterpret_cast<const unsigned char *>(rgba.data()) + (size_t(y) * size + x) * 4;
                const uint32_t want = icon->row(y / factor)[x / factor];  // alpha in the top byte
                const uint32_t argb = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
                wrong += p[3] == 0 ? want != 0 : argb != want;
            }
        EXPECT_EQ(wrong, 0) << "pixels that differ from the program's icon";
        EXPECT_EQ(rgba[3], 0) << "the top-left corner is not transparent";
    }

    // What the desktop's own tools say.
    if (!on_path("desktop-file-validate") || !on_path("appstreamcli"))
        GTEST_SKIP() << "needs desktop-file-validate and appstreamcli (desktop-file-utils, appstream)";
    std::string report;
    EXPECT_EQ(run_command({"desktop-file-validate", (usr / desktop_file).string()}, {}, &report), 0) << report;
    EXPECT_EQ(report, "");
    EXPECT_EQ(run_command({"appstreamcli", "validate", "--no-net", (usr / metainfo_file).string()}, {}, &report), 0)
        << report;
#endif
}

}  // namespace
