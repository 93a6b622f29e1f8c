// Malformed resource data: a .res image (with its string tables), a DIB and
// a dialog template made from the same bytes. Readers must refuse or decode, never read outside the
// input. The first byte picks the reader so the fuzzer can focus on one.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/resource/resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    const std::span<const uint8_t> bytes(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0: {
        if (auto bmp = mub::res::decode_dib(bytes)) {
            const auto &img = bmp->image;
            if (img.pixels.size() != size_t(img.width) * size_t(img.height)) __builtin_trap();
        }
        break;
    }
    case 1: mub::res::parse_dialog(bytes); break;
    default: {
        const mub::res::ResFile res(bytes);
        for (uint16_t type : {mub::res::kRtBitmap, mub::res::kRtDialog, mub::res::kRtGroupIcon}) {
            res.count(type);
            mub::res::Id id;
            id.is_int = true;
            id.number = 101;
            if (auto found = res.find(type, id)) {
                if (type == mub::res::kRtBitmap) mub::res::decode_dib(*found);
                if (type == mub::res::kRtDialog) mub::res::parse_dialog(*found);
            }
        }
        mub::res::load_icon(res, mub::res::Id::from_win32("ICON"));
        // String tables, in each language the lookup falls back through.
        for (mub::res::LangId lang : {mub::res::kLangJapanese, mub::res::kLangEnglish, mub::res::kLangNeutral})
            for (uint16_t id : {0, 1, 15, 16, 100, 0xFFFF}) mub::res::load_string(res, id, lang);
        break;
    }
    }
    return 0;
}
