#include "flow/screen_picture.h"

#include "video/bitmap.h"
#include "video/game_screen.h"

void LoadScreenPicture(SpriteSheet& sheet, const char* fileName, bool applyPalette) {
    Bitmap picture;
    picture.Load(fileName);
    if (applyPalette) {
        for (platform::Palette* palette : {backBufferPalette, primaryPalette}) {
            if (palette != nullptr) {
                picture.ApplyPalette(palette);
            }
        }
    }
    sheet.LoadFrame(picture, 0, 0, 0);
}
