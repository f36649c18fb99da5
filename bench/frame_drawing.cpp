// One play frame's drawing work, measured three ways in the same run:
//
//  - the game's own: what DrawFrame does before it flips (clear, the keyed
//    background, 230 board tiles, the preview, nine score digits and the
//    games-left digit), then the expansion of the finished 8-bit frame through
//    the palette into 32-bit pixels, which is what the SDL host does with
//    the front buffer when it presents;
//  - SDL2's software blitter doing the same: SDL_FillRect, colour-keyed
//    SDL_BlitSurface of 8-bit surfaces, and an 8-to-32-bit SDL_BlitSurface;
//  - the memory floor: a memset of the back buffer, a memcpy of the
//    background and a memcpy of the 32-bit frame.
//
// The pictures are the game's own data files, so run it in the run folder.
// Before measuring, both drawings are checked to give the same 32 bits in
// every pixel.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/figures.h"
#include "bench/game_frame.h"

namespace {

using bench::GameScreen;
using bench::kDigitCount;
using bench::kFramePitch;
using bench::kFrameSide;
using bench::kScreenHeight;
using bench::kScreenWidth;
using bench::kShownScoreDigits;
using bench::kTileCount;
using bench::MiddleOfAGame;
using bench::Scene;

// SDL2's side: 8-bit surfaces holding the same pixels and palette, keyed
// like the game's sheets, and a 32-bit surface for the frame.
struct SdlScreen {
    SDL_Palette* palette = nullptr;
    SDL_Surface* backBuffer = nullptr;
    SDL_Surface* background = nullptr;
    SDL_Surface* tiles[kTileCount] = {};
    SDL_Surface* digits[kDigitCount] = {};
    SDL_Surface* frame = nullptr;

    SDL_Surface* Make8Bit(int32_t width, int32_t height, const std::vector<uint8_t>* pixels) {
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormat(0, width, height, 8, SDL_PIXELFORMAT_INDEX8);
        SDL_SetSurfacePalette(surface, palette);
        if (pixels != nullptr) {
            for (int32_t y = 0; y < height; ++y) {
                std::memcpy(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch,
                            pixels->data() + static_cast<size_t>(y) * width,
                            static_cast<size_t>(width));
            }
            SDL_SetColorKey(surface, SDL_TRUE, kTransparentIndex);
        }
        return surface;
    }

    bool Open(GameScreen& game) {
        palette = SDL_AllocPalette(256);
        SDL_Color colours[256];
        const platform::PaletteEntry* entries = primaryPalette->Entries();
        for (int index = 0; index < 256; ++index) {
            colours[index] = {entries[index].red, entries[index].green, entries[index].blue, 255};
        }
        SDL_SetPaletteColors(palette, colours, 0, 256);
        backBuffer = Make8Bit(kScreenWidth, kScreenHeight, nullptr);
        const auto backgroundPixels =
            game.FramePixels(backgroundSheet, 0, kScreenWidth, kScreenHeight);
        background = Make8Bit(kScreenWidth, kScreenHeight, &backgroundPixels);
        for (int32_t i = 0; i < kTileCount; ++i) {
            const auto pixels = game.FramePixels(tileSheet, i, kFrameSide, kFrameSide);
            tiles[i] = Make8Bit(kFrameSide, kFrameSide, &pixels);
        }
        for (int32_t i = 0; i < kDigitCount; ++i) {
            const auto pixels = game.FramePixels(digitSheet, i, kFrameSide, kFrameSide);
            digits[i] = Make8Bit(kFrameSide, kFrameSide, &pixels);
        }
        frame = SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 32,
                                               SDL_PIXELFORMAT_ARGB8888);
        return frame != nullptr && backBuffer != nullptr && background != nullptr;
    }

    ~SdlScreen() {
        for (SDL_Surface* surface : {backBuffer, background, frame}) {
            SDL_FreeSurface(surface);
        }
        for (SDL_Surface* surface : tiles) {
            SDL_FreeSurface(surface);
        }
        for (SDL_Surface* surface : digits) {
            SDL_FreeSurface(surface);
        }
        SDL_FreePalette(palette);
    }

    void Put(SDL_Surface* source, int32_t x, int32_t y) {
        SDL_Rect at{x, y, source->w, source->h};
        SDL_BlitSurface(source, nullptr, backBuffer, &at);
    }

    void Draw(const Scene& scene) {
        SDL_FillRect(backBuffer, nullptr, 0);
        Put(background, 0, 0);
        for (int32_t row = 0; row < kBoardRows; ++row) {
            for (int32_t column = 0; column < kBoardColumns; ++column) {
                Put(tiles[scene.cells[row * kBoardColumns + column]], BoardCellX(column),
                    BoardCellY(row));
            }
        }
        const RotationState& shown = scene.next.rotations[scene.next.rotation];
        for (int32_t row = 0; row <= shown.lastRow; ++row) {
            for (int32_t column = 0; column <= shown.lastCol; ++column) {
                Put(tiles[shown.cells[row][column]], PreviewCellX(column), PreviewCellY(row));
            }
        }
        for (int32_t entry = kShownScoreDigits - 1; entry >= 0; --entry) {
            Put(digits[scene.score[entry]], ScoreDigitX(entry), ScoreDigitY());
        }
        Put(digits[gamesLeft], GamesLeftX(), GamesLeftY());
        SDL_BlitSurface(backBuffer, nullptr, frame, nullptr);
    }

    const uint32_t* FramePixels() const { return static_cast<const uint32_t*>(frame->pixels); }
};

// The least any way of making the frame must move: the back buffer written
// once, the background read into it, and the 32-bit frame written.
struct MemoryFloor {
    int32_t pitch = 0;
    std::vector<uint8_t> backBuffer;
    std::vector<uint8_t> background;
    std::vector<uint32_t> frame;
    std::vector<uint32_t> texture;

    MemoryFloor()
        : pitch(::backBuffer->Pitch()),
          backBuffer(static_cast<size_t>(pitch) * kScreenHeight),
          background(backBuffer.size(), 1),
          frame(static_cast<size_t>(kScreenWidth) * kScreenHeight, 2),
          texture(frame.size()) {}

    void Draw() {
        std::memset(backBuffer.data(), 0, backBuffer.size());
        std::memcpy(backBuffer.data(), background.data(), background.size());
        std::memcpy(texture.data(), frame.data(), frame.size() * sizeof(uint32_t));
    }
};

Scene scene;
GameScreen* game = nullptr;
SdlScreen* sdl = nullptr;
MemoryFloor* memoryFloor = nullptr;

void BM_GameFrame(benchmark::State& state) {
    for (auto _ : state) {
        game->Draw(scene);
        benchmark::DoNotOptimize(game->texture.data());
        benchmark::ClobberMemory();
    }
}

// The two halves of the game's frame on their own: the drawing, and each way
// of expanding the palette that this processor can run.
void BM_GameCompose(benchmark::State& state) {
    for (auto _ : state) {
        game->Compose(scene);
        benchmark::ClobberMemory();
    }
}

void BM_Expansion(benchmark::State& state, const platform::detail::PaletteExpansion* way) {
    for (auto _ : state) {
        way->expand({backBuffer->Pixels(), backBuffer->Pitch(), kScreenWidth, kScreenHeight,
                     primaryPalette->Entries(), game->texture.data(), kFramePitch, kScreenWidth,
                     kScreenHeight});
        benchmark::DoNotOptimize(game->texture.data());
        benchmark::ClobberMemory();
    }
}

// What the SDL host does instead when its renderer works in software: the
// frame stretched to the desktop, here 1024 x 768.
void BM_StretchedExpansion(benchmark::State& state, const platform::detail::PaletteExpansion* way) {
    constexpr int32_t kDesktopWidth = 1024;
    constexpr int32_t kDesktopHeight = 768;
    std::vector<uint32_t> desktop(static_cast<size_t>(kDesktopWidth) * kDesktopHeight);
    for (auto _ : state) {
        way->expand({backBuffer->Pixels(), backBuffer->Pitch(), kScreenWidth, kScreenHeight,
                     primaryPalette->Entries(), desktop.data(), kDesktopWidth * 4, kDesktopWidth,
                     kDesktopHeight});
        benchmark::DoNotOptimize(desktop.data());
        benchmark::ClobberMemory();
    }
}

void BM_SdlFrame(benchmark::State& state) {
    for (auto _ : state) {
        sdl->Draw(scene);
        benchmark::DoNotOptimize(sdl->frame->pixels);
        benchmark::ClobberMemory();
    }
}

void BM_MemoryFloor(benchmark::State& state) {
    for (auto _ : state) {
        memoryFloor->Draw();
        benchmark::DoNotOptimize(memoryFloor->backBuffer.data());
        benchmark::DoNotOptimize(memoryFloor->texture.data());
        benchmark::ClobberMemory();
    }
}

// The same 32 bits in every pixel, or the comparison means nothing.
bool SameFrames() {
    game->Draw(scene);
    sdl->Draw(scene);
    const size_t pixels = static_cast<size_t>(kScreenWidth) * kScreenHeight;
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        const uint32_t* sdlRow = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(sdl->frame->pixels) + y * sdl->frame->pitch);
        const uint32_t* gameRow = game->texture.data() + static_cast<size_t>(y) * kScreenWidth;
        for (int32_t x = 0; x < kScreenWidth; ++x) {
            if (sdlRow[x] != gameRow[x]) {
                std::fprintf(stderr, "the frames differ at (%d, %d): game %08x, SDL %08x\n", x, y,
                             gameRow[x], sdlRow[x]);
                return false;
            }
        }
    }
    return pixels > 0;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    scene = MiddleOfAGame();
    GameScreen gameScreen;
    if (!gameScreen.Open()) {
        std::fprintf(stderr, "cannot set up the game's screen: run this in the run folder\n");
        return 1;
    }
    game = &gameScreen;
    SdlScreen sdlScreen;
    if (!sdlScreen.Open(gameScreen)) {
        std::fprintf(stderr, "cannot make SDL's surfaces: %s\n", SDL_GetError());
        return 1;
    }
    sdl = &sdlScreen;
    if (!SameFrames()) {
        return 1;
    }
    MemoryFloor floorScreen;
    memoryFloor = &floorScreen;

    bench::Measured(benchmark::RegisterBenchmark("frame/game", BM_GameFrame));
    bench::Measured(benchmark::RegisterBenchmark("frame/sdl2", BM_SdlFrame));
    bench::Measured(benchmark::RegisterBenchmark("frame/memory_floor", BM_MemoryFloor));
    bench::Measured(benchmark::RegisterBenchmark("parts/game_drawing", BM_GameCompose));
    for (const auto& way : platform::detail::PaletteExpansions()) {
        if (way.runsHere()) {
            bench::Measured(benchmark::RegisterBenchmark(
                (std::string("parts/palette_expansion/") + way.name).c_str(), BM_Expansion, &way));
            bench::Measured(benchmark::RegisterBenchmark(
                (std::string("parts/palette_expansion_to_1024x768/") + way.name).c_str(),
                BM_StretchedExpansion, &way));
        }
    }
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto gameTime = reporter.Fastest("frame/game");
    const auto sdlTime = reporter.Fastest("frame/sdl2");
    const auto floorTime = reporter.Fastest("frame/memory_floor");
    if (gameTime) {
        bench::PrintFigure("one play frame's drawing and palette expansion", *gameTime, "us",
                           bench::AtMost, 60);
    }
    if (gameTime && sdlTime) {
        bench::PrintFigure("SDL2's blitter time / the game's", *sdlTime / *gameTime, "x",
                           bench::AtLeast, 5);
    }
    if (gameTime && floorTime) {
        bench::PrintFigure("the game's time / the memory floor", *gameTime / *floorTime, "x",
                           bench::AtMost, 1.7);
    }
    benchmark::Shutdown();
    return 0;
}
