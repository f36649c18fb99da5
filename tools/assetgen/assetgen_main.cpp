// assetgen RUN_FOLDER [SOURCE_FOLDER]
//
// Draws the game's five pictures and composes its three sounds into
// RUN_FOLDER, together with the program icon as "stackwell.ico". With a
// second folder, also writes the icon there as C++ source
// ("icon_resource.cpp"), for the program to link, and as PNG pictures for the
// desktop's icon theme ("stackwell-SIZE.png", one per size). Every run writes
// the same bytes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/byte_writer.h"
#include "tools/assetgen/icon.h"
#include "tools/assetgen/icon_theme.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/pictures.h"
#include "tools/assetgen/sounds.h"
#include "tools/assetgen/wav_writer.h"

namespace {

bool Write(const std::filesystem::path& folder, const char* name,
           const std::vector<uint8_t>& data) {
    const std::string path = (folder / name).string();
    if (!assetgen::WriteFile(path, data)) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool WriteAll(const std::filesystem::path& run, const std::filesystem::path* source) {
    using namespace assetgen;
    const Palette game = GamePalette();
    bool ok = Write(run, "menu1.bmp", EncodeBitmap(DrawPlayScreen(), game));
    ok = Write(run, "cubeshards2.bmp", EncodeBitmap(DrawTileStrip(), game)) && ok;
    ok = Write(run, "score.bmp", EncodeBitmap(DrawDigitStrip(), game)) && ok;
    ok = Write(run, "start.bmp", EncodeBitmap(DrawTitleScreen(), TitlePalette())) && ok;
    ok = Write(run, "end.bmp", EncodeBitmap(DrawEndScreen(), game)) && ok;
    ok = Write(run, "techno.wav", EncodeWave(ComposeTechnoLoop())) && ok;
    ok = Write(run, "crunch.wav", EncodeWave(MakeCrunch())) && ok;
    ok = Write(run, "superhappy.wav", EncodeWave(ComposeTitleTune())) && ok;

    const Icon icon = DrawIcon();
    ok = Write(run, "stackwell.ico", EncodeIco(icon)) && ok;
    if (source != nullptr) {
        const std::string path = (*source / "icon_resource.cpp").string();
        if (!WriteTextFile(path, IconSource(icon))) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            ok = false;
        }
        for (int size : kIconThemeSizes) {
            const std::string name = "stackwell-" + std::to_string(size) + ".png";
            ok = Write(*source, name.c_str(), EncodePng(IconAtSize(icon, size))) && ok;
        }
    }
    return ok;
}

// Makes the folder if needed; false, with a message, when there is no
// folder to write into.
bool PrepareFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        std::fprintf(stderr, "assetgen: cannot make the folder %s\n", folder.string().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: assetgen RUN_FOLDER [SOURCE_FOLDER]\n");
        return 2;
    }
    const std::filesystem::path run = argv[1];
    const std::filesystem::path source = argc == 3 ? argv[2] : "";
    if (!PrepareFolder(run) || (argc == 3 && !PrepareFolder(source))) {
        return 1;
    }
    return WriteAll(run, argc == 3 ? &source : nullptr) ? 0 : 1;
}
