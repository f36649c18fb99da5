#include "app/game.h"
#include "platform/window.h"

int main() {
    return WinMain(platform::GetProgramInstance(), nullptr, "", 0);
}
